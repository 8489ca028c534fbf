#pragma once

#include "platform/web/BrowserPage.h"
#include "platform/web/BrowserPane.h"

#include <QTest>

namespace ferrowen {

// Lets a test act on a pane's page directly, as a user or the page's own
// scripts would (clicking a button, loading a fixture), which the program
// itself never does.
struct BrowserPaneProbe
{
    static QWebEnginePage *page(BrowserPane &pane) { return pane.m_page; }

    // Types into the element that has the page's focus, key by key, as the
    // user does (the page hears trusted input). The pane's window must be
    // shown.
    static void type(BrowserPane &pane, const QString &text)
    {
        QWidget *input = &pane;
        while (input->focusProxy())
            input = input->focusProxy();
        input->window()->activateWindow();
        input->setFocus();
        QTest::keyClicks(input, text);
    }
};

} // namespace ferrowen
