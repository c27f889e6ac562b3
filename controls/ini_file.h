#pragma once
// An ini-style store: sections of named values, read with defaults.
#include <QString>

namespace controls {

class TCustomIniFile {
public:
    virtual ~TCustomIniFile() = default;

    virtual QString ReadString(const QString& section, const QString& name, const QString& fallback) = 0;
    virtual void WriteString(const QString& section, const QString& name, const QString& value) = 0;
    virtual int ReadInteger(const QString& section, const QString& name, int fallback) = 0;
    virtual void WriteInteger(const QString& section, const QString& name, int value) = 0;
    // An integer with 0 or 1 as default; any non-zero value is true.
    bool ReadBool(const QString& section, const QString& name, bool fallback) {
        return ReadInteger(section, name, fallback ? 1 : 0) != 0;
    }
    // Written as the string "0" or "1".
    void WriteBool(const QString& section, const QString& name, bool value) {
        WriteString(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
    }
};

} // namespace controls
