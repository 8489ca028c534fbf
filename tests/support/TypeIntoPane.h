#pragma once

#include "platform/web/BrowserPane.h"

#include <QTest>

namespace ferrowen::testing {

// Types into the element that has the page's focus, key by key, as the user
// does (the page hears trusted input). The pane's window must be shown.
inline void typeIntoPane(BrowserPane &pane, const QString &text)
{
    QWidget *input = &pane;
    while (input->focusProxy())
        input = input->focusProxy();
    input->window()->activateWindow();
    input->setFocus();
    QTest::keyClicks(input, text);
}

} // namespace ferrowen::testing
