#pragma once

#include <QObject>

class QFrame;
class QTreeWidget;

namespace ferrowen {

class StoreHost;

// The "Saved Message Folders (local)" tab without its preview pane: the
// folder panel (Picture2), the action buttons (Picture3) and the message
// list (ListMsg). The main window places them; this class owns them and
// what they do.
class SavedFoldersPane : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        QFrame *folders = nullptr;    // Picture2
        QFrame *buttons = nullptr;    // Picture3
        QTreeWidget *list = nullptr;  // ListMsg
    };

    explicit SavedFoldersPane(StoreHost &host, QObject *parent = nullptr);

    Parts parts() const { return m_parts; }

    // The preview finished loading a page: a saved message shown there
    // hands the keyboard back to the list, so the arrow keys go on moving
    // through the messages.
    void previewLoaded(const QString &location, bool previewShown);

private:
    void buildButtons();

    StoreHost &m_host;
    Parts m_parts;
};

} // namespace ferrowen
