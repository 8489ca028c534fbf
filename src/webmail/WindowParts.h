#pragma once

namespace ferrowen {

// The browser panes by the role they play.
enum class Pane {
    Inbox,    // WebBrowser1, tab "Inbox/Login"
    Preview,  // WebBrowser2, saved-message preview
    Compose,  // WebBrowser3, tab "Compose"
    Calendar, // WebBrowser4
};

// The main window's tabs, left to right.
enum class Tab {
    InboxLogin = 1, // "Inbox/Login"
    Compose,        // "Compose"
    SavedFolders,   // "Saved Message Folders (local)"
    Calendar,       // "Calendar"
    Settings,       // "Settings"
};

} // namespace ferrowen
