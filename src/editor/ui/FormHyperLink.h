#pragma once

#include "platform/EditorDocument.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QTabWidget;

namespace ferrowen {

class BrowserPane;
class EditorCommands;
class MessageBoxes;

// "Insert/Edit HyperLink" (toolbar key "link"): makes the selection a
// link, edits the link holding the caret or removes it, with the
// document's bookmarks as targets inside the page and a preview of the
// address. Without a link, an object or any selected text it shows why
// and does not open.
class FormHyperLink : public QDialog
{
    Q_OBJECT

public:
    FormHyperLink(EditorCommands &commands, MessageBoxes &boxes, QWidget *parent = nullptr);

    int exec() override;
    void accept() override;
    void removeLink();

    // The bookmarks of the document, as the bookmark list shows them.
    void fillBookmarks();

private:
    void readSelection();
    void showTab(int index);

    EditorCommands &m_commands;
    EditorDocument &m_document;
    MessageBoxes &m_boxes;
    // The link holding the selection when the dialog opened, and its address.
    QString m_linkHtml;
    QString m_href;
    // An existing link or an object is being edited.
    bool m_existing = false;
    bool m_nothingToLink = false;
    QTabWidget *m_tabs;
    QLineEdit *m_address;
    QComboBox *m_bookmark;
    QComboBox *m_target;
    QWidget *m_previewTab;
    BrowserPane *m_preview = nullptr;
};

} // namespace ferrowen
