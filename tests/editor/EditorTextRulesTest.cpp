#include "editor/AffiliateFooter.h"
#include "editor/DocumentFileReasons.h"
#include "editor/EditorTransfer.h"
#include "editor/SelectionSnapshot.h"

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

TEST(DesignTimeAttributes, goWithTheBlankBeforeThemUpToTheBracket)
{
    const struct
    {
        const char *html;
        const char *expected;
    } cases[] = {
        {"<p>x<IMG SRC=a DESIGNTIME=7>y</p>", "<p>x<IMG SRC=a>y</p>"},
        {"<A designtime=\"1\" href=b>l</A><B DESIGNTIME=2>", "<A>l</A><B>"},
        {"plain text", "plain text"},
        {"<IMG SRC=a DESIGNTIME=7", "<IMG SRC=a"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(removeDesignTimeAttributes(QLatin1String(c.html)), QLatin1String(c.expected)) << c.html;
}

TEST(SelectionSnapshotFromSource, findsTheMarkerAndCutsTheSelection)
{
    const SelectionSnapshot snapshot =
        snapshotFromMarkedSource(QStringLiteral("<p>ab ZQZSEL28<b>cd</b> e</p>"), 9, false);
    EXPECT_EQ(snapshot.markerPosition, 7);
    EXPECT_EQ(snapshot.documentText, QStringLiteral("<p>ab <b>cd</b> e</p>"));
    EXPECT_EQ(snapshot.selectedText, QStringLiteral("<b>cd</b>"));

    const SelectionSnapshot lost = snapshotFromMarkedSource(QStringLiteral("<p>ab</p>"), 3, true);
    EXPECT_EQ(lost.markerPosition, 0);
    EXPECT_EQ(lost.selectedText, QString());
    EXPECT_TRUE(lost.inCell);
}

TEST(SourceEditToTakeBack, onlyWhatTheUserMadeOfTheFieldAndNeverAnEmptyBodyOverText)
{
    const QString footer = QStringLiteral("<p><small>credit</small></p>");
    const PostingTransfer written{true, QStringLiteral("<p>one</p>") + footer, footer, {}};
    const QString editor = QStringLiteral("<p>one</p>");
    const struct
    {
        const char *name;
        bool written;
        std::optional<QString> field;
        QString editorBody;
        std::optional<QString> expected;
    } cases[] = {
        {"as written", true, written.value, editor, std::nullopt},
        {"edited, footer kept", true, QStringLiteral("<p>two</p>") + footer, editor, QStringLiteral("<p>two</p>")},
        {"edited, footer taken out", true, QStringLiteral("<p>two</p>"), editor, QStringLiteral("<p>two</p>")},
        {"emptied over a body", true, QString(), editor, std::nullopt},
        {"blanks over a body", true, QStringLiteral(" \r\n"), editor, std::nullopt},
        {"only the footer left", true, footer, editor, std::nullopt},
        {"emptied over an empty body", true, QString(), QString(), QString()},
        {"field gone", true, std::nullopt, editor, std::nullopt},
        {"nothing written at the switch", false, QStringLiteral("<p>two</p>"), editor, std::nullopt},
    };
    for (const auto &c : cases) {
        PostingTransfer atSwitch = written;
        atSwitch.written = c.written;
        EXPECT_EQ(sourceEditToTakeBack(atSwitch, c.field, c.editorBody), c.expected) << c.name;
    }
    // The page hands line breaks back as CR LF.
    const PostingTransfer twoLines{true, QStringLiteral("<p>a</p>\n<p>b</p>"), QString(), {}};
    EXPECT_EQ(sourceEditToTakeBack(twoLines, QStringLiteral("<p>a</p>\r\n<p>b</p>"), editor), std::nullopt);
}

TEST(AffiliateFooter, onlyWhenSwitchedOnWithIdentifierAndTextAndNotOnTheMakersPages)
{
    const AffiliateSettings on{true, QStringLiteral("A-17"), QStringLiteral("Try it & see")};
    const QString blog = QStringLiteral("http://blog.example/post");
    const QString footer = affiliateFooter(on, blog);
    EXPECT_TRUE(footer.startsWith(QStringLiteral("<p><small>This Blog was created with <a href=\""))) << footer.toStdString();
    EXPECT_TRUE(footer.contains(QStringLiteral("ref=A-17&amp;"))) << footer.toStdString();
    EXPECT_TRUE(footer.contains(QStringLiteral("\">Drovenel</a>"))) << footer.toStdString();
    EXPECT_TRUE(footer.contains(QStringLiteral("Try it &amp; see</small>"))) << footer.toStdString();

    EXPECT_EQ(affiliateFooter({false, on.id, on.text}, blog), QString());
    EXPECT_EQ(affiliateFooter({true, QString(), on.text}, blog), QString());
    EXPECT_EQ(affiliateFooter({true, on.id, QString()}, blog), QString());
    EXPECT_EQ(affiliateFooter(on, QStringLiteral("http://www.Drovenel.example/blog")), QString());
}

TEST(AffiliateFooter, identifierCannotBreakOutOfTheLink)
{
    const QString footer = affiliateFooter({true, QStringLiteral("x\" onclick=\"y"), QStringLiteral("t")}, QString());
    EXPECT_FALSE(footer.contains(QStringLiteral("\" onclick"))) << footer.toStdString();
}

TEST(DocumentFileReasons, eachFailureForOpenAndSave)
{
    const struct
    {
        DocumentFileError error;
        const char *open;
        const char *save;
    } cases[] = {
        {DocumentFileError::Unexpected, "Unexpected error", "Unexpected error"},
        {DocumentFileError::FileNotFound, "File not found", "Unknown error"},
        {DocumentFileError::PathNotFound, "Path not found", "Path not found"},
        {DocumentFileError::DiskFull, "Unknown error", "Disk is full"},
        {DocumentFileError::Frameset, "Document contains a frameset", "Unknown error"},
        {DocumentFileError::ServerSideScript, "Document is primarily server side script", "Unknown error"},
        {DocumentFileError::InvalidArgument, "Invalid argument", "Invalid argument"},
        {DocumentFileError::AccessDenied, "Access denied", "Access denied"},
        {DocumentFileError::Unknown, "Unknown error", "Unknown error"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(documentFileReason(c.error, DocumentFileAction::Open), QLatin1String(c.open));
        EXPECT_EQ(documentFileReason(c.error, DocumentFileAction::Save), QLatin1String(c.save));
    }
    EXPECT_EQ(documentFileMessage(DocumentFileError::Frameset, DocumentFileAction::Open),
              QStringLiteral("Error occurred while loading document: Document contains a frameset."));
    EXPECT_EQ(documentFileMessage(DocumentFileError::DiskFull, DocumentFileAction::Save),
              QStringLiteral("Error occurred while saving document: Disk is full."));
}

} // namespace
