#pragma once

#include "settings/HelpTopics.h"
#include "platform/Status.h"

#include <QPointer>
#include <QString>

class QWidget;

namespace ferrowen {

class BrowserPane;

// The help's secondary window ("proc1"): one window, reused for every
// topic, beside the main window rather than blocking it. Escape and Ctrl+W
// close it.
class HelpWindow
{
public:
    explicit HelpWindow(QWidget *owner);

    // Shows a topic of the help folder; fails, showing nothing, when the
    // help page is missing.
    Status showTopic(const QString &helpFile, HelpTopic topic);
    // Shows the help's contents page, likewise.
    Status showContents(const QString &helpFile);

    QWidget *window() const;

private:
    Status showPage(const QString &page);

    QWidget *m_owner;
    QPointer<QWidget> m_window;
    BrowserPane *m_view = nullptr;
};

} // namespace ferrowen
