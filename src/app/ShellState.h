#pragma once

#include "settings/AppFolders.h"
#include "editor/AffiliateSettings.h"
#include "editor/EditorPlacement.h"
#include "editor/SpellCheckEditor.h"
#include "webmail/ComposeState.h"

namespace ferrowen {

// What the program's parts share while it runs: flags that one part sets
// and another consults, and the values read at start-up and written back
// at exit. The shell owns the one instance; each part reaches what it
// needs through its own host interface.
struct ShellState
{
    // Set while a mail merge sends through the compose form.
    bool MergeInProgress = false;
    // Set by the wait panel's Cancel; the waiting operation takes it.
    bool WaitCancelled = false;
    // On from the start of start-up until the first tab is selected.
    bool starting = false;
    // The main folder and the data paths in it, read at start-up.
    AppFolders folders;

    ComposeState compose;
    EditorPlacement editor;
    AffiliateSettings affiliate;
    // The spelling dictionaries named in the settings file.
    SpellDictionaries dictionaries;
};

} // namespace ferrowen
