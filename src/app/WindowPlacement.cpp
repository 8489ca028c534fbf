#include "app/WindowPlacement.h"

#include "app/SettingsLockWaits.h"
#include "settings/SettingsFile.h"

#include <cmath>
#include <functional>

namespace ferrowen {

using namespace SettingsKeys;

namespace {

const QString One = QStringLiteral("1");
const QString Zero = QStringLiteral("0");

} // namespace

StoredPlacement readWindowPlacement(const SettingsFile &settings)
{
    StoredPlacement placement;
    placement.maximized = settings.GetIni(Settings, SetMax, One) == One;
    if (placement.maximized)
        return placement;
    const int left = iniNumber(settings.GetIni(Settings, Left, QStringLiteral("-1")));
    if (left > -1) {
        placement.hasNormalGeometry = true;
        placement.normalGeometry = QRect(left, iniNumber(settings.GetIni(Settings, Top, Zero)),
                                         iniNumber(settings.GetIni(Settings, Width, QStringLiteral("700"))),
                                         iniNumber(settings.GetIni(Settings, Height, QStringLiteral("500"))));
    }
    return placement;
}

EditorPlacement readEditorPlacement(const SettingsFile &settings, double twipsPerPixelY)
{
    EditorPlacement placement = editorPlacementForScreen(twipsPerPixelY);
    if (settings.GetIni(Settings, AutoPos, One) != One) {
        placement.AutoPosition = false;
        placement.EditorTop = iniNumber(settings.GetIni(Settings, SettingsKeys::EditorTop, QStringLiteral("950")));
        placement.EditorHeight = iniNumber(settings.GetIni(Settings, SettingsKeys::EditorHeight, QStringLiteral("3030")));
    }
    return placement;
}

Status writeExitState(SettingsFile &settings, const ExitState &state, const std::function<void()> &pumpEvents)
{
    if (pumpEvents)
        pumpEvents();

    std::vector<ProfileFile::Entry> entries{
        {Settings, AutoPos, state.editor.AutoPosition ? One : Zero},
        {Settings, DoAffiliate, state.affiliate ? One : Zero},
        {Settings, AffiliateId, state.affiliateId},
        {Settings, AffiliateText, state.affiliateText},
        // A blank where the minus sign would be: "ed_top= 950".
        {Settings, SettingsKeys::EditorTop, plainNumberText(state.editor.EditorTop), IniDocument::ValueLayout::SignPosition},
        {Settings, SettingsKeys::EditorHeight, plainNumberText(state.editor.EditorHeight),
         IniDocument::ValueLayout::SignPosition},
    };
    if (!state.normalWindow) {
        entries.push_back({Settings, SetMax, One});
    } else {
        entries.push_back({Settings, SetMax, Zero});
        entries.push_back({Settings, Left, plainNumberText(state.normalGeometry.x())});
        entries.push_back({Settings, Top, plainNumberText(state.normalGeometry.y())});
        entries.push_back({Settings, Width, plainNumberText(state.normalGeometry.width())});
        entries.push_back({Settings, Height, plainNumberText(state.normalGeometry.height())});
    }
    return settings.profile().withLockTimeout(ExitLockWait).writeStrings(entries);
}

} // namespace ferrowen
