#include "platform/web/EngineEditorDocument.h"

#include "platform/HtmlFileText.h"
#include "platform/WebPage.h"
#include "platform/web/EditorPage.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QMenu>
#include <QMimeData>
#include <QSaveFile>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <cerrno>

namespace ferrowen {

namespace {

const QString emptyDocument = QStringLiteral("<html><head></head><body></body></html>");

QString routeName(EditingCommand::Route route)
{
    switch (route) {
    case EditingCommand::Route::Engine: return QStringLiteral("engine");
    case EditingCommand::Route::ViewAction: return QStringLiteral("view");
    case EditingCommand::Route::Dom: return QStringLiteral("dom");
    }
    return {};
}

QJsonObject commandJson(const EditingCommand &command)
{
    return {{QStringLiteral("route"), routeName(command.route)}, {QStringLiteral("name"), command.name}};
}

QJsonObject rangeJson(const TextRange &range)
{
    return {{QStringLiteral("start"), range.start}, {QStringLiteral("end"), range.end}};
}

std::optional<QWebEnginePage::WebAction> viewAction(const QString &name)
{
    if (name == QLatin1String("cut"))
        return QWebEnginePage::Cut;
    if (name == QLatin1String("copy"))
        return QWebEnginePage::Copy;
    if (name == QLatin1String("paste"))
        return QWebEnginePage::Paste;
    if (name == QLatin1String("undo"))
        return QWebEnginePage::Undo;
    return std::nullopt;
}

bool clipboardHoldsSomething()
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *data = clipboard ? clipboard->mimeData() : nullptr;
    return data && (data->hasText() || data->hasHtml() || data->hasImage());
}

SelectionType selectionType(const QString &name)
{
    if (name == QLatin1String("Text"))
        return SelectionType::Text;
    if (name == QLatin1String("Control"))
        return SelectionType::Control;
    return SelectionType::None;
}

} // namespace

EngineEditorDocument::EngineEditorDocument(QWidget *viewParent, QObject *parent)
    : EditorDocument(parent)
    , m_profile(new QWebEngineProfile(this))
    , m_view(new QWebEngineView(viewParent))
    , m_page(new EditorPage(m_profile, m_view))
    , m_runner(m_page, m_page->librarySource(), QStringLiteral("ferrowenEditor"), PageScriptRunner::Input::HeldBack)
{
    m_view->setObjectName(QStringLiteral("EditorView"));
    m_view->setPage(m_page);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_view->installEventFilter(this);
    setTimeLimit(m_timeLimit);

    // Many notifications come in a burst (each key, each caret move): one
    // refresh for all of them.
    m_displayChanged.setSingleShot(true);
    m_displayChanged.setInterval(0);
    connect(&m_displayChanged, &QTimer::timeout, this, &EditorDocument::displayChanged);
    connect(m_page, &EditorPage::notified, this, &EngineEditorDocument::onNotified);
    // Out of the engine's own handling of the click first: the document
    // cannot be asked anything until that has returned.
    connect(m_view, &QWidget::customContextMenuRequested, this, &EngineEditorDocument::showContextMenu,
            Qt::QueuedConnection);
    connect(m_page, &QWebEnginePage::loadFinished, this, [this] { m_busy = false; });

    // A new document is a local one, in the user's home folder: the engine
    // shows pictures from files on this computer only in local documents.
    startLoad(emptyDocument, QUrl::fromLocalFile(QDir::homePath() + QLatin1Char('/')));
}

EngineEditorDocument::~EngineEditorDocument()
{
    // Not watched while it goes: the view is no longer a view by then.
    if (m_view) {
        m_view->removeEventFilter(this);
        m_view->disconnect(this);
        delete m_view;
    }
}

QWidget *EngineEditorDocument::view() const
{
    return m_view;
}

void EngineEditorDocument::setTimeLimit(std::chrono::milliseconds limit)
{
    m_timeLimit = limit;
    m_runner.setTimeout(limit);
}

void EngineEditorDocument::onNotified(const QString &what)
{
    if (what == QLatin1String("display"))
        m_displayChanged.start();
    else if (what == QLatin1String("blur"))
        Q_EMIT focusLost();
}

bool EngineEditorDocument::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::Leave)
        Q_EMIT pointerLeft();
    return EditorDocument::eventFilter(watched, event);
}

std::optional<QJsonValue> EngineEditorDocument::call(const QString &operation, QJsonObject arguments)
{
    StatusOr<QJsonValue> answer = tryCall(operation, std::move(arguments));
    if (!answer) {
        qWarning("editor: %s failed: %s", qPrintable(operation), qPrintable(answer.error()));
        return std::nullopt;
    }
    return std::move(answer).value();
}

StatusOr<QJsonValue> EngineEditorDocument::tryCall(const QString &operation, QJsonObject arguments)
{
    if (!waitWhileBusy())
        return Status::failure(QStringLiteral("The document is still loading."));
    arguments.insert(QStringLiteral("op"), operation);
    try {
        return m_runner.call(arguments);
    } catch (const WebPageError &error) {
        return Status::failure(QString::fromUtf8(error.what()));
    }
}

Status EngineEditorDocument::writeCall(const QString &operation, QJsonObject arguments, const QString &refused)
{
    const StatusOr<QJsonValue> answer = tryCall(operation, std::move(arguments));
    if (!answer)
        return answer.status();
    return answer->toBool() ? Status::success() : Status::failure(refused);
}

void EngineEditorDocument::startLoad(const QString &html, const QUrl &base)
{
    if (!m_page)
        return;
    m_busy = true;
    m_baseUrl = base;
    m_page->setHtml(html, base);
}

bool EngineEditorDocument::load(const QString &html, const QUrl &base)
{
    startLoad(html, base);
    if (!waitWhileBusy())
        return false;
    if (m_showBorders)
        setShowBorders(true);
    return true;
}

bool EngineEditorDocument::waitWhileBusy()
{
    if (!m_page)
        return false;
    if (!m_busy)
        return true;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(m_page, &QWebEnginePage::loadFinished, &loop, &QEventLoop::quit);
    connect(m_page, &QObject::destroyed, &loop, &QEventLoop::quit);
    limit.start(m_timeLimit);
    // A click must not start another editor action inside this one.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return m_page && !m_busy;
}

QList<EditingCommandState> EngineEditorDocument::commandStates(const QList<EditingCommand> &commands)
{
    QJsonArray list;
    for (const EditingCommand &command : commands)
        list.append(commandJson(command));
    const QJsonArray found = call(QStringLiteral("states"), {{QStringLiteral("commands"), list}})
                                 .value_or(QJsonValue()).toArray();
    QList<EditingCommandState> states;
    for (qsizetype i = 0; i < commands.size(); ++i) {
        const QJsonObject state = found.at(i).toObject();
        EditingCommandState result;
        result.supported = state.value(QLatin1String("supported")).toBool();
        result.enabled = state.value(QLatin1String("enabled")).toBool();
        result.on = state.value(QLatin1String("on")).toBool();
        result.value = state.value(QLatin1String("value")).toString();
        // Only the program knows whether there is anything to paste.
        if (commands[i].route == EditingCommand::Route::ViewAction && commands[i].name == QLatin1String("paste"))
            result.enabled = result.enabled && clipboardHoldsSomething();
        states << result;
    }
    return states;
}

bool EngineEditorDocument::runCommand(const EditingCommand &command, const QString &value)
{
    if (!m_view)
        return false;
    // The lists take the focus for a moment: the user goes on typing in
    // the document.
    m_view->setFocus(Qt::OtherFocusReason);
    if (command.route == EditingCommand::Route::ViewAction) {
        const auto action = viewAction(command.name);
        if (!action || !waitWhileBusy())
            return false;
        m_page->triggerAction(*action);
        return true;
    }
    return call(QStringLiteral("run"), {{QStringLiteral("command"), commandJson(command)}, {QStringLiteral("value"), value}})
        .value_or(false)
        .toBool();
}

bool EngineEditorDocument::SetContextMenu(const QStringList &texts, const QList<int> &states)
{
    if (!m_menuWanted || texts.size() != states.size())
        return false;
    m_menuTexts = texts;
    m_menuStates = states;
    return true;
}

void EngineEditorDocument::showContextMenu(const QPoint &at)
{
    m_menuTexts.clear();
    m_menuStates.clear();
    m_menuWanted = true;
    Q_EMIT contextMenuRequested();
    m_menuWanted = false;
    if (m_menuTexts.isEmpty())
        return;

    if (m_menu)
        m_menu->deleteLater();
    m_menu = new QMenu(m_view);
    m_menu->setObjectName(QStringLiteral("EditorContextMenu"));
    m_menu->setAttribute(Qt::WA_DeleteOnClose);
    for (int i = 0; i < m_menuTexts.size(); ++i) {
        if (m_menuTexts[i].isEmpty()) {
            m_menu->addSeparator();
            continue;
        }
        QAction *item = m_menu->addAction(m_menuTexts[i]);
        item->setEnabled(m_menuStates[i] != 2);
        connect(item, &QAction::triggered, this, [this, i] { Q_EMIT contextMenuItemChosen(i); });
    }
    m_menu->popup(m_view->mapToGlobal(at));
}

QString EngineEditorDocument::DocumentHTML()
{
    return call(QStringLiteral("documentHtml")).value_or(QJsonValue()).toString();
}

bool EngineEditorDocument::replaceDocument(const QString &html)
{
    const auto answer = call(QStringLiteral("replaceDocument"), {{QStringLiteral("html"), html}});
    return answer && !answer->toObject().value(QLatin1String("frameset")).toBool();
}

void EngineEditorDocument::setDocumentHTML(const QString &html)
{
    (void)replaceDocument(html);
}

void EngineEditorDocument::setBaseURL(const QUrl &url)
{
    if (url == m_baseUrl)
        return;
    // The base belongs to the page: a new one means a new page, into which
    // the document goes again.
    const QString html = DocumentHTML();
    if (load(emptyDocument, url))
        (void)replaceDocument(html);
}

DocumentFileError EngineEditorDocument::LoadDocument(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return readFailure(path);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return readFailure(path);
    const QString html = decodeHtmlFile(bytes);
    if (isMostlyServerScript(html))
        return DocumentFileError::ServerSideScript;
    const auto inspected = call(QStringLiteral("inspect"), {{QStringLiteral("html"), html}});
    if (!inspected)
        return DocumentFileError::Unexpected;
    if (inspected->toObject().value(QLatin1String("frameset")).toBool())
        return DocumentFileError::Frameset;

    // Pictures and links of the file are found beside it.
    if (!load(emptyDocument, QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())) || !replaceDocument(html))
        return DocumentFileError::Unexpected;
    return DocumentFileError::None;
}

DocumentFileError EngineEditorDocument::SaveDocument(const QString &path)
{
    if (const DocumentFileError obstacle = writeObstacle(path); obstacle != DocumentFileError::None)
        return obstacle;
    const auto html = call(QStringLiteral("documentHtml"));
    if (!html)
        return DocumentFileError::Unexpected;
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return writeFailure(errno, file.errorString());
    const QByteArray bytes = encodeHtmlFile(html->toString());
    errno = 0;
    // A full disk can end a write short without the file layer calling it
    // an error: only the count tells.
    if (file.write(bytes) != bytes.size()) {
        const int error = errno ? errno : ENOSPC;
        file.cancelWriting();
        return writeFailure(error, file.errorString());
    }
    errno = 0;
    if (!file.commit())
        return writeFailure(errno, file.errorString());
    return DocumentFileError::None;
}

void EngineEditorDocument::NewDocument()
{
    if (!replaceDocument(emptyDocument))
        startLoad(emptyDocument, m_baseUrl);
}

QString EngineEditorDocument::bodyInnerHTML()
{
    return call(QStringLiteral("bodyHtml")).value_or(QJsonValue()).toString();
}

void EngineEditorDocument::setBodyInnerHTML(const QString &html)
{
    (void)call(QStringLiteral("setBodyHtml"), {{QStringLiteral("html"), html}});
}

QString EngineEditorDocument::bodyText()
{
    return call(QStringLiteral("bodyText")).value_or(QJsonValue()).toString();
}

EditorSelection EngineEditorDocument::selection()
{
    const QJsonObject found = call(QStringLiteral("selection")).value_or(QJsonValue()).toObject();
    EditorSelection selection;
    selection.type = selectionType(found.value(QLatin1String("type")).toString());
    selection.range = {found.value(QLatin1String("start")).toInt(), found.value(QLatin1String("end")).toInt()};
    selection.controlTag = found.value(QLatin1String("tag")).toString();
    return selection;
}

QString EngineEditorDocument::rangeText(const TextRange &range)
{
    return call(QStringLiteral("rangeText"), rangeJson(range)).value_or(QJsonValue()).toString();
}

QString EngineEditorDocument::rangeHtml(const TextRange &range)
{
    return call(QStringLiteral("rangeHtml"), rangeJson(range)).value_or(QJsonValue()).toString();
}

void EngineEditorDocument::select(const TextRange &range)
{
    (void)call(QStringLiteral("select"), rangeJson(range));
}

int EngineEditorDocument::rangeTop(const TextRange &range)
{
    return call(QStringLiteral("rangeTop"), rangeJson(range)).value_or(QJsonValue()).toInt();
}

Status EngineEditorDocument::pasteHtml(const TextRange &range, const QString &html)
{
    QJsonObject arguments = rangeJson(range);
    arguments.insert(QStringLiteral("html"), html);
    return writeCall(QStringLiteral("pasteHtml"), arguments, QStringLiteral("The document refused the insertion."));
}

Status EngineEditorDocument::replaceText(const TextRange &range, const QString &expected, const QString &replacement)
{
    QJsonObject arguments = rangeJson(range);
    arguments.insert(QStringLiteral("expected"), expected);
    arguments.insert(QStringLiteral("replacement"), replacement);
    return writeCall(QStringLiteral("replaceText"), arguments, QStringLiteral("The text has changed meanwhile."));
}

QString EngineEditorDocument::selectedElementTag()
{
    return call(QStringLiteral("selectedElementTag")).value_or(QJsonValue()).toString();
}

MarkedDocument EngineEditorDocument::markedDocument(const QString &marker, MarkerPlace place)
{
    const auto answer = call(QStringLiteral("markedDocument"),
                             {{QStringLiteral("marker"), marker},
                              {QStringLiteral("place"), place == MarkerPlace::SelectionStart ? QStringLiteral("selectionStart")
                                                                                            : QStringLiteral("selectedElement")}});
    if (!answer)
        return {};
    const QJsonObject found = answer->toObject();
    return {true, found.value(QLatin1String("documentHtml")).toString(),
            found.value(QLatin1String("selectionHtml")).toString()};
}

QString EngineEditorDocument::enclosingElementHtml(const QString &tagName)
{
    return call(QStringLiteral("enclosingElement"), {{QStringLiteral("tag"), tagName}}).value_or(QJsonValue()).toString();
}

Status EngineEditorDocument::replaceEnclosingElement(const QString &tagName, const QString &expected, const QString &html)
{
    return writeCall(QStringLiteral("replaceElement"),
                     {{QStringLiteral("tag"), tagName}, {QStringLiteral("expected"), expected}, {QStringLiteral("html"), html}},
                     QStringLiteral("The element has changed meanwhile."));
}

bool EngineEditorDocument::showBorders()
{
    return call(QStringLiteral("showBorders")).value_or(QJsonValue(false)).toBool();
}

void EngineEditorDocument::setShowBorders(bool on)
{
    m_showBorders = on;
    (void)call(QStringLiteral("setShowBorders"), {{QStringLiteral("on"), on}});
}

} // namespace ferrowen
