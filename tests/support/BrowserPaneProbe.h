#pragma once

#include "platform/web/BrowserPane.h"

#include <QWebEngineView>

namespace ferrowen {

// Lets a test act on a pane's page directly, as a user or the page's own
// scripts would (clicking a button, loading a fixture), which the program
// itself never does. The page is the one of the pane's own view.
struct BrowserPaneProbe
{
    static QWebEnginePage *page(BrowserPane &pane)
    {
        auto *view = pane.findChild<QWebEngineView *>(QString(), Qt::FindDirectChildrenOnly);
        return view ? view->page() : nullptr;
    }
};

} // namespace ferrowen
