#pragma once

#include "editor/AffiliateSettings.h"
#include "editor/EditorPlacement.h"

namespace ferrowen {

class MessageBoxes;
class SettingsAccess;

// What the HTML editor needs from the rest of the program: its panel's
// placement and the affiliate settings (both read at start-up and written
// back at exit by the shell), the settings file, and message boxes.
class EditorHost
{
public:
    virtual ~EditorHost() = default;

    virtual EditorPlacement &placement() = 0;
    virtual AffiliateSettings &affiliate() = 0;
    virtual SettingsAccess &settings() = 0;
    virtual MessageBoxes &messageBoxes() = 0;
};

} // namespace ferrowen
