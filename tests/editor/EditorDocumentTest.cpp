// The editor's document in the real engine: commands and their states, the
// offsets of the body text, the selection snapshot, files.
#include "editor/EditorCommands.h"
#include "editor/EditorFiles.h"
#include "editor/SelectionSnapshot.h"
#include "platform/web/EngineEditorDocument.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include "EditorBody.h"
#include "ScriptedFileDialogs.h"
#include "ScriptedMessageBoxes.h"
#include "TestFiles.h"
#include "WaitFor.h"

using namespace ferrowen;
using ferrowen::testing::ScriptedFileDialogs;
using ferrowen::testing::ScriptedMessageBoxes;

namespace {

class EditorDocumentTest : public ::testing::Test
{
protected:
    QWidget window;
    EngineEditorDocument document{&window};
    EditorCommands commands{document};

    void SetUp() override
    {
        window.resize(600, 400);
        document.view()->resize(600, 400);
        window.show();
    }

    void setBody(const QString &body) { ferrowen::testing::setBody(document, body); }

    void selectText(const QString &text, int caretAt = -1) { ferrowen::testing::selectText(document, text, caretAt); }
};

TEST_F(EditorDocumentTest, commandsChangeTheDocumentAndTheirStatesFollow)
{
    setBody(QStringLiteral("<p>plain <b>bold</b> text</p>"));
    selectText(QStringLiteral("bold"), 2);
    EXPECT_EQ(commands.QueryStatus(EditorCommand::Bold), CommandStatus::Latched);
    selectText(QStringLiteral("plain"), 2);
    EXPECT_EQ(commands.QueryStatus(EditorCommand::Bold), CommandStatus::Enabled);

    selectText(QStringLiteral("plain"));
    EXPECT_TRUE(commands.ExecCommand(EditorCommand::Italic).toBool());
    EXPECT_EQ(document.bodyInnerHTML(), QStringLiteral("<p><i>plain</i> <b>bold</b> text</p>"));
    EXPECT_EQ(commands.QueryStatus(EditorCommand::Italic), CommandStatus::Latched);

    selectText(QStringLiteral("text"));
    commands.ExecCommand(EditorCommand::SetFontSize, ExecOption::DontPromptUser, 7);
    commands.ExecCommand(EditorCommand::SetFontName, ExecOption::DontPromptUser, QStringLiteral("Arial"));
    EXPECT_EQ(commands.ExecCommand(EditorCommand::GetFontSize).toInt(), 7);
    EXPECT_EQ(commands.ExecCommand(EditorCommand::GetFontName).toString(), QStringLiteral("Arial"));
    commands.ExecCommand(EditorCommand::SetForeColor, ExecOption::DontPromptUser, QStringLiteral("#FF8000"));
    EXPECT_TRUE(document.bodyInnerHTML().contains(QStringLiteral("color=\"#ff8000\""))) << document.bodyInnerHTML().toStdString();

    commands.ExecCommand(EditorCommand::SetBlockFormat, ExecOption::DontPromptUser, QStringLiteral("Heading 2"));
    EXPECT_TRUE(document.bodyInnerHTML().startsWith(QStringLiteral("<h2>"))) << document.bodyInnerHTML().toStdString();
    commands.ExecCommand(EditorCommand::SetBlockFormat, ExecOption::DontPromptUser, QStringLiteral("Normal"));
    EXPECT_TRUE(document.bodyInnerHTML().startsWith(QStringLiteral("<p>"))) << document.bodyInnerHTML().toStdString();
}

TEST_F(EditorDocumentTest, tableCommandsWorkInsideACellOnly)
{
    setBody(QStringLiteral("<p>before</p><table><tbody><tr><td>a1</td><td>b1</td></tr><tr><td>a2</td><td>b2</td></tr></tbody></table>"));
    selectText(QStringLiteral("before"), 1);
    EXPECT_EQ(commands.QueryStatus(EditorCommand::InsertRow), CommandStatus::Disabled);
    EXPECT_FALSE(commands.ExecCommand(EditorCommand::InsertRow).toBool());

    selectText(QStringLiteral("b2"), 1);
    EXPECT_EQ(commands.QueryStatus(EditorCommand::InsertRow), CommandStatus::Enabled);
    commands.ExecCommand(EditorCommand::InsertRow);
    commands.ExecCommand(EditorCommand::InsertColumn);
    EXPECT_EQ(document.bodyInnerHTML(),
              QStringLiteral("<p>before</p><table><tbody><tr><td>a1</td><td></td><td>b1</td></tr>"
                             "<tr><td></td><td></td><td></td></tr><tr><td>a2</td><td></td><td>b2</td></tr></tbody></table>"));
    selectText(QStringLiteral("a1"), 1);
    commands.ExecCommand(EditorCommand::DeleteColumns);
    commands.ExecCommand(EditorCommand::DeleteRows);
    EXPECT_EQ(document.bodyInnerHTML(),
              QStringLiteral("<p>before</p><table><tbody><tr><td></td><td></td></tr><tr><td></td><td>b2</td></tr></tbody></table>"));
}

TEST_F(EditorDocumentTest, aPictureSelectedAsAWholeIsAControlAndCanBePositioned)
{
    setBody(QStringLiteral("<p>x<img src=\"none.png\" width=\"20\" height=\"20\">y</p>"));
    // x, the picture, y: the picture is the one character between them.
    EXPECT_EQ(document.bodyText(), QStringLiteral("x") + QChar(0xFFFC) + QStringLiteral("y"));
    document.select({1, 2});
    EditorSelection selection = document.selection();
    EXPECT_EQ(selection.type, SelectionType::Control);
    EXPECT_EQ(selection.controlTag, QStringLiteral("img"));
    EXPECT_EQ(commands.QueryStatus(EditorCommand::MakeAbsolute), CommandStatus::Enabled);
    EXPECT_EQ(commands.QueryStatus(EditorCommand::SendToBack), CommandStatus::Disabled);
    EXPECT_EQ(SaveSelection(document), 0);

    commands.ExecCommand(EditorCommand::MakeAbsolute);
    EXPECT_TRUE(document.bodyInnerHTML().contains(QStringLiteral("position: absolute"))) << document.bodyInnerHTML().toStdString();
    EXPECT_EQ(commands.QueryStatus(EditorCommand::MakeAbsolute), CommandStatus::Latched);
    EXPECT_EQ(commands.QueryStatus(EditorCommand::SendToBack), CommandStatus::Enabled);
    commands.ExecCommand(EditorCommand::MakeAbsolute);
    EXPECT_EQ(document.bodyInnerHTML(), QStringLiteral("<p>x<img src=\"none.png\" width=\"20\" height=\"20\">y</p>"));

    document.select({0, 3});
    EXPECT_EQ(document.selection().type, SelectionType::Text);
    document.select({1, 1});
    EXPECT_EQ(document.selection().type, SelectionType::None);
}

TEST_F(EditorDocumentTest, oneOffsetModelForTextSelectionAndBreaks)
{
    setBody(QStringLiteral("\n<p>one</p>\n<p>two<br>three</p><div><br></div><div>four<br></div><p>five</p>"));
    const QString text = document.bodyText();
    EXPECT_EQ(text, QStringLiteral("one\ntwo\nthree\n\nfour\nfive"));
    for (const QString &word : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const TextRange range{int(text.indexOf(word)), int(text.indexOf(word) + word.size())};
        document.select(range);
        EXPECT_EQ(document.selection().range, range) << word.toStdString();
        EXPECT_EQ(document.rangeText(range), word);
    }
    // A caret at the very start of the body is 0.
    document.select({0, 0});
    EXPECT_EQ(SaveSelection(document), 0);
    document.select({9, 12});
    EXPECT_EQ(SaveSelection(document), 9);
    EXPECT_EQ(document.selection().type, SelectionType::None);
}

TEST_F(EditorDocumentTest, theDocumentsOwnScriptsNeverRun)
{
    setBody(QStringLiteral("<p id=\"p\" onclick=\"this.title='ran'\">text</p>"
                           "<script>document.getElementById('p').title = 'ran';</script>"
                           "<img src=\"missing.png\" onerror=\"document.getElementById('p').title = 'ran'\">"));
    selectText(QStringLiteral("text"));
    EXPECT_TRUE(document.pasteHtml(document.selection().range,
                                   QStringLiteral("<b onmouseover=\"this.title='ran'\">new</b>"
                                                  "<img src=\"gone.png\" onerror=\"document.getElementById('p').title='ran'\">")));
    // Give a late error handler its chance.
    EXPECT_FALSE(ferrowen::testing::waitFor([&] { return document.DocumentHTML().contains(QStringLiteral("title=\"ran\"")); }, 500));
    EXPECT_TRUE(document.bodyInnerHTML().contains(QStringLiteral(">new</b>"))) << document.bodyInnerHTML().toStdString();
}

TEST_F(EditorDocumentTest, replacementsAreWrittenOnlyWhereTheirWordStillStands)
{
    setBody(QStringLiteral("<p>a <b>wrnog</b> word</p>"));
    const TextRange word{2, 7};
    EXPECT_FALSE(document.replaceText(word, QStringLiteral("other"), QStringLiteral("wrong")));
    EXPECT_TRUE(document.replaceText(word, QStringLiteral("wrnog"), QStringLiteral("wrong")));
    EXPECT_EQ(document.bodyInnerHTML(), QStringLiteral("<p>a <b>wrong</b> word</p>"));
}

TEST_F(EditorDocumentTest, selectionSnapshotLeavesTheDocumentAsItWas)
{
    const QString body = QStringLiteral("<p>ab <b>cd</b> ef</p><table><tbody><tr><td>cell one</td><td>cell two</td></tr></tbody></table>");
    setBody(body);
    const QString before = document.DocumentHTML();

    // In text: the marker stands where the selection starts.
    selectText(QStringLiteral("cd"));
    SelectionSnapshot snapshot = GetSelection(document);
    EXPECT_EQ(document.DocumentHTML(), before);
    EXPECT_EQ(snapshot.documentText, before);
    EXPECT_FALSE(snapshot.documentText.contains(QLatin1String(SelectionMarker)));
    EXPECT_FALSE(snapshot.inCell);
    EXPECT_EQ(snapshot.markerPosition, before.indexOf(QStringLiteral("cd</b>")) + 1);
    EXPECT_EQ(snapshot.selectedText, QStringLiteral("cd"));
    EXPECT_EQ(document.rangeText(document.selection().range), QStringLiteral("cd"));

    // A caret in a cell: found inside the cell's text.
    selectText(QStringLiteral("cell two"), 5);
    snapshot = GetSelection(document);
    EXPECT_EQ(document.DocumentHTML(), before);
    EXPECT_EQ(snapshot.markerPosition, before.indexOf(QStringLiteral("cell two")) + 6);

    // A selection across two cells holds the end of a cell: the marker goes
    // at the start of the element holding the caret.
    const QString text = document.bodyText();
    document.select({int(text.indexOf(QStringLiteral("one"))), int(text.indexOf(QStringLiteral("two")))});
    snapshot = GetSelection(document);
    EXPECT_TRUE(snapshot.inCell);
    EXPECT_EQ(document.DocumentHTML(), before);
    EXPECT_EQ(snapshot.markerPosition, before.indexOf(QStringLiteral("cell one")) + 1);

    // Undo still reverts the user's own last edit, not the marker.
    selectText(QStringLiteral("ef"));
    commands.ExecCommand(EditorCommand::Bold);
    const QString edited = document.DocumentHTML();
    ASSERT_NE(edited, before);
    selectText(QStringLiteral("ab"), 1);
    GetSelection(document);
    commands.ExecCommand(EditorCommand::Undo);
    EXPECT_TRUE(ferrowen::testing::waitFor([&] { return document.DocumentHTML() == before; }));
}

// Files the running user cannot read or write. As root, permission bits do
// not apply, but the kernel's own settings files still refuse.
QString unreadableFile(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("secret.htm"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write("<p>secret</p>");
        file.close();
    }
    QFile::setPermissions(path, QFileDevice::Permissions());
    for (const QString &candidate : {path, QStringLiteral("/proc/sys/vm/compact_memory")}) {
        QFile probe(candidate);
        if (probe.exists() && !probe.open(QIODevice::ReadOnly))
            return candidate;
    }
    return {};
}

QString unwritableFile(const QTemporaryDir &dir)
{
    const QString folder = dir.filePath(QStringLiteral("locked"));
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString path = folder + QStringLiteral("/blog.htm");
    QFile probe(path);
    if (!probe.open(QIODevice::WriteOnly))
        return path;
    probe.remove();
    return QFileInfo(QStringLiteral("/proc/sys/kernel/osrelease")).isWritable() ? QString()
                                                                                 : QStringLiteral("/proc/sys/kernel/osrelease");
}

// Writes past this many bytes fail as they do on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

class EditorFilesTest : public EditorDocumentTest
{
protected:
    QTemporaryDir dir;
    ScriptedFileDialogs dialogs;
    ScriptedMessageBoxes boxes;
    QString folder;

    QString file(const char *name, const QByteArray &content)
    {
        return ferrowen::testing::writeFile(dir.filePath(QLatin1String(name)), content);
    }

    QString lastMessage() const { return boxes.shown.isEmpty() ? QString() : boxes.shown.last().text; }
};

TEST_F(EditorFilesTest, aFileThatCannotBeOpenedIsReportedAndTheDocumentStays)
{
    setBody(QStringLiteral("<p>my unsaved work</p>"));
    const QString mine = document.DocumentHTML();
    const struct
    {
        QString path;
        const char *reason;
    } cases[] = {
        {dir.filePath(QStringLiteral("missing.htm")), "File not found"},
        {dir.filePath(QStringLiteral("no/such/folder/page.htm")), "Path not found"},
        {file("frames.htm", "<html><frameset cols=\"50%,50%\"><frame src=a.htm><frame src=b.htm></frameset></html>"),
         "Document contains a frameset"},
        {file("server.asp", "<% Response.Write(Request(\"q\")) %>\n<% For i = 1 To 10 : Response.Write(i) : Next %>"),
         "Document is primarily server side script"},
        {dir.path(), "Invalid argument"},
        {unreadableFile(dir), "Access denied"},
    };
    for (const auto &c : cases) {
        if (c.path.isEmpty()) {
            ADD_FAILURE() << "no unreadable file could be made on this machine";
            continue;
        }
        dialogs.openAnswers = {c.path};
        OpenEditorFile(document, dialogs, boxes, folder);
        EXPECT_EQ(lastMessage(), QStringLiteral("Error occurred while loading document: %1.").arg(QLatin1String(c.reason)));
        EXPECT_EQ(boxes.shown.last().icon, MessageBoxes::Icon::Critical);
        EXPECT_EQ(document.DocumentHTML(), mine) << c.reason;
    }

    // A cancelled dialog changes nothing and says nothing.
    const auto shown = boxes.shown.size();
    OpenEditorFile(document, dialogs, boxes, folder);
    EXPECT_EQ(boxes.shown.size(), shown);
    EXPECT_EQ(document.DocumentHTML(), mine);
}

TEST_F(EditorFilesTest, aFileThatCannotBeSavedIsReported)
{
    setBody(QStringLiteral("<p>") + QString(20000, QLatin1Char('x')) + QStringLiteral("</p>"));
    const struct
    {
        QString path;
        const char *reason;
    } cases[] = {
        {dir.filePath(QStringLiteral("no/such/folder/page.htm")), "Path not found"},
        {unwritableFile(dir), "Access denied"},
    };
    for (const auto &c : cases) {
        ASSERT_FALSE(c.path.isEmpty()) << c.reason;
        dialogs.saveAnswers = {c.path};
        SaveEditorFile(document, dialogs, boxes, folder);
        EXPECT_EQ(lastMessage(), QStringLiteral("Error occurred while saving document: %1.").arg(QLatin1String(c.reason)));
    }

    EXPECT_EQ(document.SaveDocument(dir.path()), DocumentFileError::InvalidArgument);

    const QString full = dir.filePath(QStringLiteral("full.htm"));
    {
        const FileSizeLimit limit(4096);
        EXPECT_EQ(document.SaveDocument(full), DocumentFileError::DiskFull);
    }
    EXPECT_FALSE(QFile::exists(full));
}

TEST_F(EditorFilesTest, savedFilesAreUtf8AndSayItAndOpenAgainAsTheyWere)
{
    setBody(QStringLiteral("<p>café – <b>naïve</b></p>"));
    dialogs.saveAnswers = {dir.filePath(QStringLiteral("post"))};
    SaveEditorFile(document, dialogs, boxes, folder);
    EXPECT_TRUE(boxes.shown.isEmpty()) << lastMessage().toStdString();
    EXPECT_EQ(folder, dir.path());
    const QByteArray bytes = ferrowen::testing::fileBytes(dir.filePath(QStringLiteral("post.htm")));
    EXPECT_TRUE(bytes.contains("<meta charset=\"utf-8\">")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("caf\xC3\xA9 \xE2\x80\x93 <b>na\xC3\xAFve</b>")) << bytes.toStdString();

    // An older file in windows-1252 says so and is read as such.
    dialogs.openAnswers = {file("old.htm", "<html><head><meta charset=\"windows-1252\"></head><body><p>caf\xE9 \x93q\x94</p></body></html>")};
    OpenEditorFile(document, dialogs, boxes, folder);
    EXPECT_EQ(document.bodyInnerHTML(), QStringLiteral("<p>café “q”</p>"));
    EXPECT_EQ(document.BaseURL(), QUrl::fromLocalFile(dir.filePath(QStringLiteral("old.htm"))));

    dialogs.openAnswers = {dir.filePath(QStringLiteral("post.htm"))};
    OpenEditorFile(document, dialogs, boxes, folder);
    EXPECT_TRUE(boxes.shown.isEmpty()) << lastMessage().toStdString();
    EXPECT_EQ(document.bodyInnerHTML(), QStringLiteral("<p>café – <b>naïve</b></p>"));
}

} // namespace
