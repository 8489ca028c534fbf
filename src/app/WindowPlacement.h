#pragma once

#include "editor/EditorPlacement.h"
#include "platform/Status.h"

#include <QRect>
#include <QString>

#include <functional>

namespace ferrowen {

class SettingsFile;

// The main window's placement as the settings file keeps it, in twips.
struct StoredPlacement
{
    bool maximized = true;
    bool hasNormalGeometry = false;
    QRect normalGeometry; // left, top, width, height in twips
};

// Reads "setmax" and, when the window is not to be maximized, the stored
// position (only applied when "left" is above -1).
StoredPlacement readWindowPlacement(const SettingsFile &settings);

// The screen-based placement, replaced by the stored "ed_top" and "ed_ht"
// when "autopos" is anything but "1".
EditorPlacement readEditorPlacement(const SettingsFile &settings, double twipsPerPixelY);

// What the window leaves behind at exit.
struct ExitState
{
    EditorPlacement editor;
    bool affiliate = false;
    QString affiliateId;
    QString affiliateText;
    bool normalWindow = false;  // neither maximized nor minimized
    QRect normalGeometry;       // twips, used only for a normal window
};

// Writes the exit state in one locked update, so that an interrupted exit
// leaves either the old set of keys or the new one. The keys go in the order
// the settings file has always been written in: "autopos", the affiliate
// keys, the editor placement, then the window placement. pumpEvents runs
// first, letting pending window events run. Waits at most ExitLockWait for
// the file's lock; on failure nothing is written.
Status writeExitState(SettingsFile &settings, const ExitState &state, const std::function<void()> &pumpEvents);

} // namespace ferrowen
