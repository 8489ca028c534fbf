#include "app/WindowPlacement.h"

#include "app/SettingsLockWaits.h"
#include "settings/SettingsFile.h"

#include <cmath>
#include <functional>

namespace ferrowen {

namespace Key = SettingKeys;

StoredPlacement readWindowPlacement(const SettingsFile &settings)
{
    StoredPlacement placement;
    placement.maximized = readSetting(settings, Key::SetMax);
    if (placement.maximized)
        return placement;
    const int left = readSetting(settings, Key::Left);
    if (left > -1) {
        placement.hasNormalGeometry = true;
        placement.normalGeometry = QRect(left, readSetting(settings, Key::Top), readSetting(settings, Key::Width),
                                         readSetting(settings, Key::Height));
    }
    return placement;
}

EditorPlacement readEditorPlacement(const SettingsFile &settings, double twipsPerPixelY)
{
    EditorPlacement placement = editorPlacementForScreen(twipsPerPixelY);
    if (!readSetting(settings, Key::AutoPos)) {
        placement.AutoPosition = false;
        placement.EditorTop = readSetting(settings, Key::EditorTop);
        placement.EditorHeight = readSetting(settings, Key::EditorHeight);
    }
    return placement;
}

Status writeExitState(SettingsFile &settings, const ExitState &state, const std::function<void()> &pumpEvents)
{
    if (pumpEvents)
        pumpEvents();

    // A blank where the minus sign would be: "ed_top= 950".
    constexpr auto signPosition = IniDocument::ValueLayout::SignPosition;
    std::vector<ProfileFile::Entry> entries{
        settingEntry(Key::AutoPos, state.editor.AutoPosition),
        settingEntry(Key::DoAffiliate, state.affiliate),
        settingEntry(Key::AffiliateId, state.affiliateId),
        settingEntry(Key::AffiliateText, state.affiliateText),
        settingEntry(Key::EditorTop, state.editor.EditorTop, signPosition),
        settingEntry(Key::EditorHeight, state.editor.EditorHeight, signPosition),
        settingEntry(Key::SetMax, !state.normalWindow),
    };
    if (state.normalWindow) {
        entries.push_back(settingEntry(Key::Left, state.normalGeometry.x()));
        entries.push_back(settingEntry(Key::Top, state.normalGeometry.y()));
        entries.push_back(settingEntry(Key::Width, state.normalGeometry.width()));
        entries.push_back(settingEntry(Key::Height, state.normalGeometry.height()));
    }
    return settings.profile().withLockTimeout(ExitLockWait).writeStrings(entries);
}

} // namespace ferrowen
