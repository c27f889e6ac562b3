#include "controls/registry_ini_file.h"

#include "platform/registry.h"

namespace controls {

namespace reg = platform::registry;

TRegistryIniFile::TRegistryIniFile(const QString& storeName)
    : key_("software\\holvar\\" + storeName.toStdString()) {
    reg::CreateKey(key_);
}

TRegistryIniFile::~TRegistryIniFile() { reg::Flush(); }

std::string TRegistryIniFile::SectionKey(const QString& section) const {
    return key_ + '\\' + section.toStdString();
}

QString TRegistryIniFile::ReadString(const QString& section, const QString& name, const QString& fallback) {
    const auto value = reg::QueryValue(SectionKey(section), name.toStdString());
    if (!value) return fallback;
    return value->type == reg::ValueType::String ? QString::fromStdString(value->text)
                                                 : QString::number(value->number);
}

void TRegistryIniFile::WriteString(const QString& section, const QString& name, const QString& value) {
    reg::SetString(SectionKey(section), name.toStdString(), value.toStdString());
}

int TRegistryIniFile::ReadInteger(const QString& section, const QString& name, int fallback) {
    const auto value = reg::QueryValue(SectionKey(section), name.toStdString());
    if (!value) return fallback;
    if (value->type == reg::ValueType::Dword) return int(value->number);
    bool ok = false;
    const int number = QString::fromStdString(value->text).trimmed().toInt(&ok);
    return ok ? number : fallback;
}

void TRegistryIniFile::WriteInteger(const QString& section, const QString& name, int value) {
    const std::string key = SectionKey(section);
    const std::string valueName = name.toStdString();
    const auto existing = reg::QueryValue(key, valueName);
    if (existing && existing->type == reg::ValueType::String)
        reg::SetString(key, valueName, std::to_string(value));
    else
        reg::SetDword(key, valueName, std::uint32_t(value));
}

} // namespace controls
