#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include "ComposeFillRecorder.h"
#include "TestFiles.h"
#include "ProgramWithDemoSite.h"
#include "WaitFor.h"

using namespace ferrowen;
using ferrowen::testing::waitFor;

namespace {

// The program, the demo webmail site and the mail link companion together:
// a link written by the companion ends up in the site's compose form.
class DemoSiteEndToEndTest : public ferrowen::testing::ProgramWithDemoSite
{
protected:
    // Runs the companion the way the desktop would, against this test's
    // settings file.
    QProcess *handOver(const QString &link)
    {
        auto *companion = new QProcess(this->controller.get());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
        companion->setProcessEnvironment(env);
        companion->start(QStringLiteral(FERROWEN_SORVIK2_PATH), {link});
        return companion;
    }

    QString bug() { return settings.GetIni(QStringLiteral("Settings"), QStringLiteral("bug"), QString()); }
    QString mailto() { return settings.GetIni(QStringLiteral("Settings"), QStringLiteral("mailto"), QString()); }

    // The program starts on its start page, as it does for the user.
    void prepareMainFolder() override
    {
        startPage = ferrowen::testing::writeFile(mainPath("html/index.html"), "<html><body>Welcome</body></html>");
    }
    QString startPage;
};

// Links clicked one after another: each companion starts once the one
// before it has handed its link over or is waiting its turn.
TEST_F(DemoSiteEndToEndTest, burstOfLinksFromCompanionsAllArriveInOrder)
{
    openInbox("/yahoo/inbox");
    ferrowen::testing::ComposeFillRecorder recorder(*controller);
    QSignalSpy composeLoads(&form().browser(Pane::Compose), &BrowserPane::beforeNavigate);
    const QString queuePath = settings.path() + QStringLiteral(".mailto-queue");
    QStringList addresses;
    QList<QProcess *> companions;
    for (int n = 1; n <= 5; ++n) {
        addresses << QStringLiteral("burst%1@example.com").arg(n);
        QProcess *companion = handOver(QStringLiteral("mailto:") + addresses.last());
        ASSERT_TRUE(companion->waitForStarted(10000));
        const QByteArray waiterLine = '\n' + QByteArray::number(companion->processId()) + ' ';
        const auto isWaiting = [&] {
            QFile queue(queuePath);
            const QByteArray lines = queue.open(QIODevice::ReadOnly) ? '\n' + queue.readAll() : QByteArray();
            return lines.contains(waiterLine);
        };
        ASSERT_TRUE(waitFor([&] { return companion->state() == QProcess::NotRunning || isWaiting(); }, 10000));
        companions << companion;
    }

    ASSERT_TRUE(waitFor([&] { return recorder.filledTo.size() >= addresses.size(); }, 30000))
        << recorder.filledTo.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(recorder.filledTo, addresses);
    // Opened for the first link and kept for the rest: not loaded twice.
    EXPECT_EQ(composeLoads.count(), 1);
    for (QProcess *companion : companions) {
        ASSERT_TRUE(companion->state() == QProcess::NotRunning || companion->waitForFinished(10000));
        EXPECT_EQ(companion->exitCode(), 0) << companion->readAllStandardError().toStdString();
    }
}

// A link handed over before the user has signed in (the first pane shows
// the start page) waits, says so, stays in the settings file, and is filled
// as soon as the webmail's compose page can be reached. Also, in the same
// program: the calendar tab opens the mailbox's calendar once.
TEST_F(DemoSiteEndToEndTest, aLinkBeforeSignInWaitsInWordsAndIsFilledOnceTheWebmailIsOpen_thenTheCalendarLoadsOnce)
{
    ASSERT_TRUE(waitFor([&] { return QUrl(form().browser(Pane::Inbox).locationUrl()) == QUrl::fromLocalFile(startPage); }, 10000));
    QProcess *companion = handOver(QStringLiteral("mailto:ann@example.com?subject=Lunch"));
    const QString waiting = QStringLiteral("Sign in to your webmail; the mail link to ann@example.com is waiting.");
    ASSERT_TRUE(waitFor([&] { return form().waitingNoticeText() == waiting; }, 15000))
        << form().waitingNoticeText().toStdString();
    ASSERT_TRUE(companion->state() == QProcess::NotRunning || companion->waitForFinished(10000));
    EXPECT_EQ(companion->exitCode(), 0) << "the link is safe in the settings file";
    EXPECT_EQ(mailto(), QStringLiteral("mailto:ann@example.com?subject=Lunch"));
    EXPECT_EQ(form().browser(Pane::Compose).locationUrl(), QString()) << "no compose page made from a local page";
    EXPECT_TRUE(form().findChild<QWidget *>(QStringLiteral("PictureWait"))->isHidden());
    EXPECT_EQ(form().selectedTab(), Tab::InboxLogin);

    openInbox("/yahoo/login");
    EXPECT_TRUE(waitFor([&] { return composeField("To") == QStringLiteral("ann@example.com"); }, 15000));
    EXPECT_EQ(composeField("Subj"), QStringLiteral("Lunch"));
    EXPECT_EQ(form().selectedTab(), Tab::Compose);
    EXPECT_EQ(form().waitingNoticeText(), QString());
    EXPECT_TRUE(waitFor([&] { return mailto().isEmpty() && bug() == QStringLiteral("0"); }, 5000)) << bug().toStdString();

    BrowserPane *calendar = &form().browser(Pane::Calendar);
    QSignalSpy navigations(calendar, &BrowserPane::navigateComplete);
    form().selectTab(Tab::Calendar);
    const QString expected = site.baseUrl().resolved(QUrl(QStringLiteral("/yahoo/calendar"))).toString();
    ASSERT_TRUE(waitFor([&] { return calendar->locationUrl() == expected && !calendar->isBusy(); }, 10000));
    // A navigation would start at once, inside the tab change.
    form().selectTab(Tab::InboxLogin);
    form().selectTab(Tab::Calendar);
    EXPECT_FALSE(calendar->isBusy()) << "a calendar already shown is not loaded again";
    EXPECT_EQ(navigations.count(), 1);
}

} // namespace
