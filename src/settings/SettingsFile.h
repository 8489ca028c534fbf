#pragma once

#include "settings/SettingsAccess.h"
#include "platform/ProfileFile.h"
#include "platform/Status.h"

#include <QLatin1String>
#include <QString>

namespace ferrowen {

// Section and key names of the settings file.
namespace SettingsKeys {
inline constexpr QLatin1String Locations{"Locations"};
inline constexpr QLatin1String MainDir{"main dir"};
inline constexpr QLatin1String MainDictionary{"main dictionary"};
inline constexpr QLatin1String CustomDictionary{"custom dictionary"};

inline constexpr QLatin1String Settings{"Settings"};
inline constexpr QLatin1String SetMax{"setmax"};
inline constexpr QLatin1String Left{"left"};
inline constexpr QLatin1String Top{"top"};
inline constexpr QLatin1String Width{"width"};
inline constexpr QLatin1String Height{"height"};
inline constexpr QLatin1String AutoPos{"autopos"};
inline constexpr QLatin1String EditorTop{"ed_top"};
inline constexpr QLatin1String EditorHeight{"ed_ht"};
inline constexpr QLatin1String Mailto{"mailto"};
inline constexpr QLatin1String Bug{"bug"};
inline constexpr QLatin1String DoAffiliate{"do_affiliate"};
inline constexpr QLatin1String AffiliateId{"affID"};
inline constexpr QLatin1String AffiliateText{"afftext"};
inline constexpr QLatin1String MergePause{"merge pause"};
inline constexpr QLatin1String MergeStopAfter{"merge stop after"};
inline constexpr QLatin1String MergeStopAtFailure{"merge stop at failure"};
inline constexpr QLatin1String ProviderPinAddress{"provider pin address"};
inline constexpr QLatin1String ProviderPin{"provider pin"};
} // namespace SettingsKeys

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

// Reads a stored number leniently: leading blanks are skipped, one sign is
// allowed, digits are read up to the first other character, and text that
// does not start with a number reads as 0. Values beyond the int range
// saturate.
int iniNumber(const QString &text);

// The number as plain decimal text: 1200 -> "1200", -15 -> "-15".
QString plainNumberText(int number);

} // namespace ferrowen
