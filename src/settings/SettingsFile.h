#pragma once

#include "settings/SettingKeys.h"
#include "settings/SettingsAccess.h"
#include "platform/ProfileFile.h"
#include "platform/Status.h"

#include <QLatin1String>
#include <QString>

namespace ferrowen {

// The program's settings file "plinthmere.ini". Every reader and writer,
// including the mailto companion, uses defaultPath() so they all meet in the
// same file.
class SettingsFile : public SettingsAccess
{
public:
    static constexpr QLatin1String fileName{"plinthmere.ini"};

    // $XDG_CONFIG_HOME/ferrowen/plinthmere.ini, or ~/.config/ferrowen/...
    // when the variable is unset, empty or not an absolute path.
    static QString defaultPath();

    explicit SettingsFile(QString path = defaultPath());

    const QString &path() const { return m_file.path(); }

    QString GetIni(const QString &section, const QString &key, const QString &defaultValue) const override;
    Status SetIni(const QString &section, const QString &key, const QString &value) override;

    // The file underneath, for locked read-modify-write steps.
    ProfileFile &profile() { return m_file; }
    const ProfileFile &profile() const { return m_file; }

private:
    ProfileFile m_file;
};

} // namespace ferrowen
