// Ticking the inbox messages between ticked ones, on both demo inboxes,
// from a press on the window's bare surface and from the menu; the page's
// own count of selected messages follows.
#include "DemoProgramFixture.h"

#include <QAction>
#include <QTest>

#include <cstring>

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

struct InboxPage
{
    const char *name;
    const char *path;
    // The page's message boxes, as its own script would pick them.
    const char *boxes;
};

void PrintTo(const InboxPage &page, std::ostream *os)
{
    *os << page.name;
}

class InboxCheckBoxesTest : public DemoProgramFixture, public ::testing::WithParamInterface<InboxPage>
{
protected:
    QString boxesScript(const QString &then) const
    {
        return QStringLiteral("Array.from(document.querySelectorAll('%1'))").arg(QLatin1String(GetParam().boxes)) + then;
    }
    // The boxes top to bottom: 'x' ticked, '.' not.
    QString boxes() { return runInPane(Pane::Inbox, boxesScript(QStringLiteral(".map(b => b.checked ? 'x' : '.').join('')"))).toString(); }
    // Ticks boxes as the user would, by clicking them.
    void tick(const QString &pattern)
    {
        for (qsizetype i = 0; i < pattern.size(); ++i) {
            if (pattern[i] == u'x')
                runInPane(Pane::Inbox, boxesScript(QStringLiteral("[%1].click()").arg(i)));
        }
    }
    QString selectedCount() { return runInPane(Pane::Inbox, QStringLiteral("document.getElementById('selectedCount').textContent")).toString(); }

    // A press where the window shows no control: a corner of its surface,
    // or the band's background to the right of its frames.
    void pressOnBareSurface(bool besideTheFrames)
    {
        QWidget *surface = besideTheFrames ? child("InboxFramesBand") : child("LayoutSurface");
        const QPoint bare = besideTheFrames ? QPoint(surface->width() - 3, surface->height() / 2)
                                            : QPoint(surface->width() - 3, surface->height() - 2);
        ASSERT_EQ(surface->childAt(bare), nullptr);
        QTest::mousePress(surface, Qt::LeftButton, {}, bare);
        QTest::mouseRelease(surface, Qt::LeftButton, {}, bare);
    }
};

TEST_P(InboxCheckBoxesTest, theGapsBetweenTickedMessagesAreTickedAndCountedByThePage)
{
    const std::pair<const char *, const char *> patterns[] = {
        {"x..x..", "xxxx.."},
        {"xx.x..", "xxxx.."},
        {".x....", ".xxxxx"},
        {"......", "......"},
        {"x.x.x.", "xxx.xx"},
    };
    int way = 0; // the menu, the surface's corner, the band beside the frames in turn
    for (const auto &[before, after] : patterns) {
        open(GetParam().path);
        // A long inbox starts as the pattern, its other boxes unticked; a
        // range still open at the pattern's end runs to the last box.
        const qsizetype count = boxes().size();
        const QString start = QString::fromLatin1(before).leftJustified(count, u'.');
        const bool runsOn = std::strlen(after) > 0 && after[std::strlen(after) - 1] == 'x'
            && before[std::strlen(before) - 1] == '.';
        const QString end = QString::fromLatin1(after).leftJustified(count, runsOn ? u'x' : u'.');
        tick(start);
        ASSERT_EQ(boxes(), start);
        form().selectTab(Tab::Settings);

        if (way == 0)
            child<QAction>("mnuFillCheckedRange")->trigger();
        else
            pressOnBareSurface(way == 2);
        way = (way + 1) % 3;

        EXPECT_EQ(form().selectedTab(), Tab::InboxLogin) << before;
        EXPECT_EQ(boxes(), end) << before;
        EXPECT_EQ(selectedCount(), QString::number(end.count(u'x'))) << before;
    }
    // Hotmail's select-all box is no message box: it stays as it was.
    EXPECT_FALSE(runInPane(Pane::Inbox, QStringLiteral("!!(document.forms.hotmail && document.forms.hotmail.allbox.checked)")).toBool());
}

INSTANTIATE_TEST_SUITE_P(Inboxes, InboxCheckBoxesTest, ::testing::Values(
    InboxPage{"yahoo", "/yahoo/inbox", "form[name=messageList] input[name=Mid]"},
    InboxPage{"hotmail", "/hotmail/inbox", "form[name=hotmail] input[type=checkbox]:not([name=allbox])"},
    // As long as real inboxes, among thousands of elements of page furniture.
    InboxPage{"yahooLarge", "/yahoo/inbox?rows=150&pad=3000", "form[name=messageList] input[name=Mid]"},
    InboxPage{"hotmailLarge", "/hotmail/inbox?rows=200&pad=4000",
              "form[name=hotmail] input[type=checkbox]:not([name=allbox])"}),
    [](const ::testing::TestParamInfo<InboxPage> &info) { return std::string(info.param.name); });

using InboxCheckBoxesShortcutTest = DemoProgramFixture;

TEST_F(InboxCheckBoxesShortcutTest, theMenuEntryAnswersItsKeyboardShortcut)
{
    auto *action = child<QAction>("mnuFillCheckedRange");
    EXPECT_EQ(action->text(), QStringLiteral("&Tick Messages Between Ticked Ones"));
    open("/yahoo/inbox");
    runInPane(Pane::Inbox, QStringLiteral("document.forms.messageList.Mid[1].click()"));
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    QTest::keyClick(&form(), Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(runInPane(Pane::Inbox, QStringLiteral("document.forms.messageList.Mid[5].checked")).toBool(), true);
}

} // namespace
