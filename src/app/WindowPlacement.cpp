#include "app/WindowPlacement.h"

#include "app/settings/SettingsFile.h"

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

void writeExitState(SettingsFile &settings, const ExitState &state, const std::function<void()> &pumpEvents)
{
    settings.SetIni(Settings, AutoPos, state.editor.AutoPosition ? One : Zero);
    if (pumpEvents)
        pumpEvents();
    settings.SetIni(Settings, DoAffiliate, state.affiliate ? One : Zero);
    settings.SetIni(Settings, AffiliateId, state.affiliateId);
    settings.SetIni(Settings, AffiliateText, state.affiliateText);

    settings.SetIni(Settings, SettingsKeys::EditorTop, signedNumberText(state.editor.EditorTop));
    settings.SetIni(Settings, SettingsKeys::EditorHeight, signedNumberText(state.editor.EditorHeight));

    if (!state.normalWindow) {
        settings.SetIni(Settings, SetMax, One);
        return;
    }
    settings.SetIni(Settings, SetMax, Zero);
    settings.SetIni(Settings, Left, plainNumberText(state.normalGeometry.x()));
    settings.SetIni(Settings, Top, plainNumberText(state.normalGeometry.y()));
    settings.SetIni(Settings, Width, plainNumberText(state.normalGeometry.width()));
    settings.SetIni(Settings, Height, plainNumberText(state.normalGeometry.height()));
}

} // namespace ferrowen
