#pragma once

#include "platform/web/BrowserPage.h"
#include "platform/web/BrowserPane.h"

namespace ferrowen {

// Lets a test act on a pane's page directly, as a user or the page's own
// scripts would (clicking a button, loading a fixture), which the program
// itself never does.
struct BrowserPaneProbe
{
    static QWebEnginePage *page(BrowserPane &pane) { return pane.m_page; }
};

} // namespace ferrowen
