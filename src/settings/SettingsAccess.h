#pragma once

#include "platform/Status.h"

#include <QString>

namespace ferrowen {

// Reading and writing keys of the settings file, for the parts of the
// program that keep something there.
class SettingsAccess
{
public:
    virtual ~SettingsAccess() = default;

    // The value of section/key, or defaultValue when the file, the section
    // or the key is missing.
    virtual QString GetIni(const QString &section, const QString &key, const QString &defaultValue) const = 0;
    // Writes section/key, creating the file, section and key as needed.
    virtual Status SetIni(const QString &section, const QString &key, const QString &value) = 0;
};

} // namespace ferrowen
