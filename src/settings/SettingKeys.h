#pragma once

#include "platform/ProfileFile.h"
#include "platform/Status.h"
#include "settings/SettingsAccess.h"

#include <QLatin1String>
#include <QString>

#include <type_traits>

namespace ferrowen {

// One key of the settings file: its section, its stored name, what it reads
// as (QString, int or bool) and what it reads as while missing.
template <typename T>
struct SettingKey
{
    static_assert(std::is_same_v<T, QString> || std::is_same_v<T, int> || std::is_same_v<T, bool>);
    using Fallback = std::conditional_t<std::is_same_v<T, QString>, QLatin1String, T>;

    QLatin1String section;
    QLatin1String name;
    Fallback fallback;
};

// Every key the program, the mail link companion and the installer keep.
// The names are those the file has always had; never change one.
namespace SettingKeys {
inline constexpr QLatin1String Locations{"Locations"};
inline constexpr QLatin1String Settings{"Settings"};

inline constexpr SettingKey<QString> MainDir{Locations, QLatin1String("main dir"), {}};
inline constexpr SettingKey<QString> MainDictionary{Locations, QLatin1String("main dictionary"), {}};
inline constexpr SettingKey<QString> CustomDictionary{Locations, QLatin1String("custom dictionary"), {}};

// The main window: maximized, or its normal place in twips (used only when
// "left" is above -1).
inline constexpr SettingKey<bool> SetMax{Settings, QLatin1String("setmax"), true};
inline constexpr SettingKey<int> Left{Settings, QLatin1String("left"), -1};
inline constexpr SettingKey<int> Top{Settings, QLatin1String("top"), 0};
inline constexpr SettingKey<int> Width{Settings, QLatin1String("width"), 700};
inline constexpr SettingKey<int> Height{Settings, QLatin1String("height"), 500};
// The editor panel: placed for the screen, or at "ed_top"/"ed_ht" (twips).
inline constexpr SettingKey<bool> AutoPos{Settings, QLatin1String("autopos"), true};
inline constexpr SettingKey<int> EditorTop{Settings, QLatin1String("ed_top"), 950};
inline constexpr SettingKey<int> EditorHeight{Settings, QLatin1String("ed_ht"), 3030};

// A mail link the companion hands over, and the hand-off's progress trace.
inline constexpr SettingKey<QString> Mailto{Settings, QLatin1String("mailto"), {}};
inline constexpr SettingKey<QString> Bug{Settings, QLatin1String("bug"), {}};

inline constexpr SettingKey<bool> DoAffiliate{Settings, QLatin1String("do_affiliate"), false};
inline constexpr SettingKey<QString> AffiliateId{Settings, QLatin1String("affID"), {}};
inline constexpr SettingKey<QString> AffiliateText{Settings, QLatin1String("afftext"),
                                                   QLatin1String("Composed with the Drovenel HTML editor.")};

// The mail merge's pace; "merge stop at failure" is a number, 1 meaning on.
inline constexpr SettingKey<int> MergePause{Settings, QLatin1String("merge pause"), 0};
inline constexpr SettingKey<int> MergeStopAfter{Settings, QLatin1String("merge stop after"), 0};
inline constexpr SettingKey<int> MergeStopAtFailure{Settings, QLatin1String("merge stop at failure"), 0};

// An address the user pinned to a provider, and that provider's key.
inline constexpr SettingKey<QString> ProviderPinAddress{Settings, QLatin1String("provider pin address"), {}};
inline constexpr SettingKey<QString> ProviderPin{Settings, QLatin1String("provider pin"), {}};
} // namespace SettingKeys

// Reads a stored number leniently: leading blanks are skipped, one sign is
// allowed, digits are read up to the first other character, and text that
// does not start with a number reads as 0. Values beyond the int range
// saturate.
int iniNumber(const QString &text);

// The stored form of a value: text as it is, numbers as plain decimals
// ("-15"), flags as "1" or "0".
QString settingText(const QString &value);
QString settingText(int value);
QString settingText(bool value);

// What a key reads as: its text; a number read leniently (iniNumber); a flag
// that is on only while its text is "1". A missing key reads as its fallback.
QString readSetting(const SettingsAccess &settings, const SettingKey<QString> &key);
int readSetting(const SettingsAccess &settings, const SettingKey<int> &key);
bool readSetting(const SettingsAccess &settings, const SettingKey<bool> &key);

template <typename T>
Status writeSetting(SettingsAccess &settings, const SettingKey<T> &key, const std::common_type_t<T> &value)
{
    return settings.SetIni(key.section, key.name, settingText(value));
}

// The key and its value as one entry of a locked update of several keys.
template <typename T>
ProfileFile::Entry settingEntry(const SettingKey<T> &key, const std::common_type_t<T> &value,
                                IniDocument::ValueLayout layout = IniDocument::ValueLayout::Plain)
{
    return {key.section, key.name, settingText(value), layout};
}

} // namespace ferrowen
