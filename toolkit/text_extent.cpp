#include "toolkit/text_extent.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QString>

namespace tk {
namespace {

struct Request {
    QFont font;
    QString text;
    int flags;
    int width;

    bool operator==(const Request& other) const {
        return flags == other.flags && width == other.width && text == other.text && font == other.font;
    }
};

size_t qHash(const Request& request, size_t seed = 0) {
    return qHashMulti(seed, request.font, request.text, request.flags, request.width);
}

// Bounds the memory that a program with many distinct texts could take.
constexpr qsizetype kMaxKept = 512;

} // namespace

TextExtent MeasureText(const QFont& font, const QString& text, int flags, int width) {
    static QHash<Request, TextExtent> kept;
    Request request{font, text, flags, width};
    if (const auto found = kept.constFind(request); found != kept.constEnd()) return *found;
    const QFontMetrics metrics(font);
    const TextExtent extent{metrics.boundingRect(QRect(0, 0, width, 0x7FFF), flags, text), metrics.height()};
    if (kept.size() >= kMaxKept) kept.clear();
    kept.insert(std::move(request), extent);
    return extent;
}

} // namespace tk
