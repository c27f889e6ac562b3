#pragma once
// The ini-style store over the user's registry key "software\holvar\" + store name: a section is a
// subkey, created by its first write; a value is a named registry value in it. Integers are written as
// numbers unless the value already holds text, which stays text. Opening creates the key; freeing the
// store writes the changes to disk.
#include "controls/ini_file.h"

#include <string>

namespace controls {

class TRegistryIniFile : public TCustomIniFile {
public:
    explicit TRegistryIniFile(const QString& storeName);
    ~TRegistryIniFile() override;
    TRegistryIniFile(const TRegistryIniFile&) = delete;
    TRegistryIniFile& operator=(const TRegistryIniFile&) = delete;

    // "software\holvar\" + the store name.
    const std::string& Key() const { return key_; }

    QString ReadString(const QString& section, const QString& name, const QString& fallback) override;
    void WriteString(const QString& section, const QString& name, const QString& value) override;
    // A text value is read as decimal text; text that is not a number gives the default.
    int ReadInteger(const QString& section, const QString& name, int fallback) override;
    void WriteInteger(const QString& section, const QString& name, int value) override;

private:
    std::string SectionKey(const QString& section) const;

    std::string key_;
};

} // namespace controls
