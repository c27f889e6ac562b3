#include "toolkit/form_syntax.h"

#include "toolkit/errors.h"

namespace tk {
namespace {

struct Token {
    enum class Kind { End, Identifier, Integer, String, Symbol };
    Kind kind = Kind::End;
    QString text;       // identifier, string value, symbol
    qint64 integer = 0; // integer value
    int line = 0;
};

class Lexer {
public:
    Lexer(QStringView text, const QString& fileName) : text_(text), fileName_(fileName) {}

    Token Next() {
        SkipSpaceAndComments();
        Token token;
        token.line = line_;
        if (position_ >= text_.size()) return token;
        const QChar c = text_[position_];
        if (c.isLetter() || c == QLatin1Char('_')) return Identifier(token);
        if (c.isDigit() || c == QLatin1Char('$')) return Integer(token);
        if (c == QLatin1Char('\'') || c == QLatin1Char('#')) return String(token);
        if (QStringView(u"=:[](),+-.").contains(c)) {
            token.kind = Token::Kind::Symbol;
            token.text = c;
            ++position_;
            return token;
        }
        Fail(QStringLiteral("unexpected character '%1'").arg(c));
    }

    [[noreturn]] void Fail(const QString& mistake) const { throw EFormError(fileName_, line_, mistake); }

private:
    void SkipSpaceAndComments() {
        while (position_ < text_.size()) {
            const QChar c = text_[position_];
            if (c == QLatin1Char('\n')) {
                ++line_;
                ++position_;
            } else if (c.isSpace()) {
                ++position_;
            } else if (c == QLatin1Char('/') && position_ + 1 < text_.size() && text_[position_ + 1] == QLatin1Char('/')) {
                while (position_ < text_.size() && text_[position_] != QLatin1Char('\n')) ++position_;
            } else {
                return;
            }
        }
    }

    Token Identifier(Token& token) {
        const qsizetype start = position_;
        while (position_ < text_.size() && (text_[position_].isLetterOrNumber() || text_[position_] == QLatin1Char('_'))) ++position_;
        token.kind = Token::Kind::Identifier;
        token.text = text_.mid(start, position_ - start).toString();
        return token;
    }

    static bool IsDigit(QChar c, int base) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) return true;
        const QChar lower = c.toLower();
        return base == 16 && lower >= QLatin1Char('a') && lower <= QLatin1Char('f');
    }

    qint64 Number(int base) {
        const qsizetype start = position_;
        while (position_ < text_.size() && IsDigit(text_[position_], base)) ++position_;
        bool ok = false;
        const qint64 value = text_.mid(start, position_ - start).toLongLong(&ok, base);
        if (!ok || value > 0xFFFFFFFFLL) Fail(QStringLiteral("number out of range or malformed"));
        return value;
    }

    Token Integer(Token& token) {
        const bool hex = text_[position_] == QLatin1Char('$');
        if (hex) ++position_;
        token.kind = Token::Kind::Integer;
        token.integer = Number(hex ? 16 : 10);
        if (position_ < text_.size() && (text_[position_].isLetterOrNumber() || text_[position_] == QLatin1Char('_')))
            Fail(QStringLiteral("malformed number"));
        return token;
    }

    // Quoted runs ('' is a quote) and character codes (#13, #$0A) written together make one string.
    Token String(Token& token) {
        token.kind = Token::Kind::String;
        while (position_ < text_.size()) {
            const QChar c = text_[position_];
            if (c == QLatin1Char('\'')) {
                QuotedRun(token.text);
            } else if (c == QLatin1Char('#')) {
                ++position_;
                const bool hex = position_ < text_.size() && text_[position_] == QLatin1Char('$');
                if (hex) ++position_;
                if (position_ >= text_.size() || !IsDigit(text_[position_], hex ? 16 : 10))
                    Fail(QStringLiteral("a character code needs a number after #"));
                const qint64 code = Number(hex ? 16 : 10);
                if (code == 0 || code > 0x10FFFF) Fail(QStringLiteral("character code #%1 is not allowed").arg(code));
                token.text += QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
            } else {
                break;
            }
        }
        return token;
    }

    void QuotedRun(QString& out) {
        ++position_;
        while (true) {
            if (position_ >= text_.size() || text_[position_] == QLatin1Char('\n')) Fail(QStringLiteral("string not closed"));
            if (text_[position_] == QLatin1Char('\'')) {
                if (position_ + 1 < text_.size() && text_[position_ + 1] == QLatin1Char('\'')) {
                    out += QLatin1Char('\'');
                    position_ += 2;
                    continue;
                }
                ++position_;
                return;
            }
            out += text_[position_++];
        }
    }

    QStringView text_;
    const QString& fileName_;
    qsizetype position_ = 0;
    int line_ = 1;
};

class Parser {
public:
    Parser(QStringView text, const QString& fileName) : lexer_(text, fileName), fileName_(fileName) {
        Advance();
    }

    FormObject Document() {
        FormObject root = Object();
        if (token_.kind != Token::Kind::End) Fail(QStringLiteral("text after the last end"));
        return root;
    }

private:
    void Advance() { token_ = lexer_.Next(); }
    [[noreturn]] void Fail(const QString& mistake) const { throw EFormError(fileName_, token_.line, mistake); }

    QString Describe(const Token& token) const {
        switch (token.kind) {
        case Token::Kind::End: return QStringLiteral("the end of the file");
        case Token::Kind::Integer: return QStringLiteral("a number");
        case Token::Kind::String: return QStringLiteral("a string");
        default: return QStringLiteral("'%1'").arg(token.text);
        }
    }

    bool IsSymbol(QChar symbol) const { return token_.kind == Token::Kind::Symbol && token_.text == symbol; }
    bool IsKeyword(QLatin1String word) const {
        return token_.kind == Token::Kind::Identifier && token_.text.compare(word, Qt::CaseInsensitive) == 0;
    }

    void Expect(QChar symbol) {
        if (!IsSymbol(symbol)) Fail(QStringLiteral("expected '%1' but found %2").arg(symbol).arg(Describe(token_)));
        Advance();
    }

    QString ExpectIdentifier(const QString& what) {
        if (token_.kind != Token::Kind::Identifier)
            Fail(QStringLiteral("expected %1 but found %2").arg(what, Describe(token_)));
        QString text = token_.text;
        Advance();
        return text;
    }

    FormObject Object() {
        if (!IsKeyword(QLatin1String("object")))
            Fail(QStringLiteral("expected 'object' but found %1").arg(Describe(token_)));
        FormObject object;
        object.line = token_.line;
        Advance();
        object.name = ExpectIdentifier(QStringLiteral("a component name"));
        Expect(QLatin1Char(':'));
        object.className = ExpectIdentifier(QStringLiteral("a class name"));
        while (!IsKeyword(QLatin1String("end"))) {
            if (token_.kind == Token::Kind::End) Fail(QStringLiteral("object %1 has no end").arg(object.name));
            if (IsKeyword(QLatin1String("object"))) {
                object.children.push_back(Object());
            } else {
                if (!object.children.empty())
                    Fail(QStringLiteral("properties of %1 must come before its nested objects").arg(object.name));
                object.properties.push_back(Property());
            }
        }
        Advance();
        return object;
    }

    FormProperty Property() {
        FormProperty property;
        property.line = token_.line;
        property.path.append(ExpectIdentifier(QStringLiteral("a property name")));
        while (IsSymbol(QLatin1Char('.'))) {
            Advance();
            property.path.append(ExpectIdentifier(QStringLiteral("a property name after '.'")));
        }
        Expect(QLatin1Char('='));
        property.value = Value();
        return property;
    }

    FormValue Value() {
        FormValue value;
        if (IsSymbol(QLatin1Char('-')) || token_.kind == Token::Kind::Integer) {
            const bool negative = IsSymbol(QLatin1Char('-'));
            if (negative) Advance();
            if (token_.kind != Token::Kind::Integer) Fail(QStringLiteral("expected a number after '-'"));
            value.integer = negative ? -token_.integer : token_.integer;
            Advance();
        } else if (token_.kind == Token::Kind::String) {
            value.kind = FormValue::Kind::String;
            value.text = token_.text;
            Advance();
            while (IsSymbol(QLatin1Char('+'))) {
                Advance();
                if (token_.kind != Token::Kind::String) Fail(QStringLiteral("expected a string after '+'"));
                value.text += token_.text;
                Advance();
            }
        } else if (token_.kind == Token::Kind::Identifier) {
            value.kind = FormValue::Kind::Identifier;
            value.text = token_.text;
            Advance();
        } else if (IsSymbol(QLatin1Char('['))) {
            value.kind = FormValue::Kind::Set;
            value.items = Items(QLatin1Char(']'), Token::Kind::Identifier);
        } else if (IsSymbol(QLatin1Char('('))) {
            value.kind = FormValue::Kind::List;
            value.items = Items(QLatin1Char(')'), Token::Kind::String);
        } else {
            Fail(QStringLiteral("expected a value but found %1").arg(Describe(token_)));
        }
        return value;
    }

    // A comma-separated list of one kind of token up to close.
    QStringList Items(QChar close, Token::Kind kind) {
        QStringList items;
        Advance();
        while (!IsSymbol(close)) {
            if (!items.isEmpty()) Expect(QLatin1Char(','));
            if (token_.kind != kind)
                Fail(QStringLiteral("expected %1 but found %2")
                         .arg(kind == Token::Kind::String ? QStringLiteral("a string") : QStringLiteral("a name"),
                              Describe(token_)));
            items.append(token_.text);
            Advance();
        }
        Advance();
        return items;
    }

    Lexer lexer_;
    const QString& fileName_;
    Token token_;
};

} // namespace

FormObject ParseFormDescription(QStringView text, const QString& fileName) {
    return Parser(text, fileName).Document();
}

} // namespace tk
