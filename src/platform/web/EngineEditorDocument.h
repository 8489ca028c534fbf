#pragma once

#include "platform/EditorDocument.h"
#include "platform/StatusOr.h"
#include "platform/web/PageScriptRunner.h"

#include <QJsonObject>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <optional>

class QMenu;
class QWebEngineProfile;
class QWebEngineView;
class QWidget;

namespace ferrowen {

class EditorPage;

// The editor's document in a Qt WebEngine view: an editable HTML document
// whose own scripts never run, worked on through the editor's script
// library (editor-document.js) in the program's own script world. Every
// operation answers synchronously; one that the engine does not answer in
// time, or fails, leaves the document as it was.
class EngineEditorDocument : public EditorDocument
{
    Q_OBJECT

public:
    // The view is made a child of viewParent (the editing area).
    explicit EngineEditorDocument(QWidget *viewParent, QObject *parent = nullptr);
    ~EngineEditorDocument() override;

    QWidget *view() const;
    // How long a load or one operation may take (10 seconds by default).
    void setTimeLimit(std::chrono::milliseconds limit);

    QList<EditingCommandState> commandStates(const QList<EditingCommand> &commands) override;
    bool runCommand(const EditingCommand &command, const QString &value) override;
    bool SetContextMenu(const QStringList &texts, const QList<int> &states) override;

    QString DocumentHTML() override;
    void setDocumentHTML(const QString &html) override;
    QUrl BaseURL() const override { return m_baseUrl; }
    void setBaseURL(const QUrl &url) override;
    bool Busy() const override { return m_busy; }
    bool waitWhileBusy() override;
    void setSourceCodePreservation(bool) override {}
    DocumentFileError LoadDocument(const QString &path) override;
    DocumentFileError SaveDocument(const QString &path) override;
    void NewDocument() override;
    QString bodyInnerHTML() override;
    void setBodyInnerHTML(const QString &html) override;

    QString bodyText() override;
    EditorSelection selection() override;
    QString rangeText(const TextRange &range) override;
    QString rangeHtml(const TextRange &range) override;
    void select(const TextRange &range) override;
    int rangeTop(const TextRange &range) override;
    Status pasteHtml(const TextRange &range, const QString &html) override;
    Status replaceText(const TextRange &range, const QString &expected, const QString &replacement) override;
    QString selectedElementTag() override;
    MarkedDocument markedDocument(const QString &marker, MarkerPlace place) override;
    QString enclosingElementHtml(const QString &tagName) override;
    Status replaceEnclosingElement(const QString &tagName, const QString &expected, const QString &html) override;
    bool showBorders() override;
    void setShowBorders(bool on) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Runs one operation of the library; nothing when it failed.
    // One operation of the document's script; the engine's failure logged.
    std::optional<QJsonValue> call(const QString &operation, QJsonObject arguments = {});
    // The same, the failure returned: why the operation did not run.
    StatusOr<QJsonValue> tryCall(const QString &operation, QJsonObject arguments);
    // A write the script confirms with true; refused says why it answered
    // false.
    Status writeCall(const QString &operation, QJsonObject arguments, const QString &refused);
    // Loads html as a new document at base and waits for it.
    bool load(const QString &html, const QUrl &base);
    void startLoad(const QString &html, const QUrl &base);
    bool replaceDocument(const QString &html);
    void showContextMenu(const QPoint &at);
    void onNotified(const QString &what);

    // Off the record, and outliving the page: the view (with the page) goes
    // first, with its window or with this document.
    QWebEngineProfile *m_profile = nullptr;
    QPointer<QWebEngineView> m_view;
    QPointer<EditorPage> m_page;
    PageScriptRunner m_runner;
    std::chrono::milliseconds m_timeLimit{10000};
    bool m_busy = false;
    // Drawn again in every new page.
    bool m_showBorders = false;
    QUrl m_baseUrl;
    QTimer m_displayChanged;

    // While the user's context menu request is being answered.
    bool m_menuWanted = false;
    QStringList m_menuTexts;
    QList<int> m_menuStates;
    QPointer<QMenu> m_menu;
};

} // namespace ferrowen
