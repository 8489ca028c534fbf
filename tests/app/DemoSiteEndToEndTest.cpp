#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "ComposeFillRecorder.h"
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
};

// Links clicked one after another: each companion starts once the one
// before it has handed its link over or is waiting its turn.
TEST_F(DemoSiteEndToEndTest, burstOfLinksFromCompanionsAllArriveInOrder)
{
    openInbox("/yahoo/inbox");
    ferrowen::testing::ComposeFillRecorder recorder(*controller);
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
    for (QProcess *companion : companions) {
        ASSERT_TRUE(companion->state() == QProcess::NotRunning || companion->waitForFinished(10000));
        EXPECT_EQ(companion->exitCode(), 0) << companion->readAllStandardError().toStdString();
    }
}

// Also, in the same program: the calendar tab opens the mailbox's calendar once.
TEST_F(DemoSiteEndToEndTest, cancelStopsTheWaitAndTheNextLinkWorks_thenTheCalendarLoadsOnce)
{
    // A bare host gives no compose page to open: the filling waits.
    openInbox("/");
    QSignalSpy handled(controller.get(), &MainController::mailLinkHandled);
    auto *wait = form().findChild<QWidget *>(QStringLiteral("PictureWait"));
    auto *cancel = form().findChild<QPushButton *>(QStringLiteral("CommandCancelWait"));
    ASSERT_NE(wait, nullptr);
    ASSERT_NE(cancel, nullptr);

    // The filling waits inside the event loop, so the user's click has to
    // come from the event loop too.
    QString bugWhileWaiting;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (wait->isVisible() && bugWhileWaiting.isEmpty()) {
            bugWhileWaiting = bug();
            QTest::mouseClick(cancel, Qt::LeftButton);
        }
    });
    user.start(50);
    handOver(QStringLiteral("mailto:nobody@example.com"));

    EXPECT_TRUE(waitFor([&] { return handled.count() == 1; }, 15000));
    user.stop();
    EXPECT_EQ(bugWhileWaiting, QStringLiteral("5"));
    EXPECT_FALSE(wait->isVisible());
    EXPECT_EQ(composeField("To"), QStringLiteral("<no form>"));

    openInbox("/yahoo/inbox");
    handOver(QStringLiteral("mailto:again@example.com?subject=Hello%20there"));
    EXPECT_TRUE(waitFor([&] { return composeField("To") == QStringLiteral("again@example.com"); }, 15000));
    EXPECT_EQ(composeField("Subj"), QStringLiteral("Hello there"));
    EXPECT_EQ(form().selectedTab(), 2);
    EXPECT_TRUE(waitFor([&] { return bug() == QStringLiteral("8888"); }, 5000));
    EXPECT_TRUE(settings.GetIni(QStringLiteral("Settings"), QStringLiteral("mailto"), QStringLiteral("x")).isEmpty());

    BrowserPane *calendar = &form().browser(4);
    QSignalSpy navigations(calendar, &BrowserPane::navigateComplete);
    form().selectTab(4);
    const QString expected = site.baseUrl().resolved(QUrl(QStringLiteral("/yahoo/calendar"))).toString();
    ASSERT_TRUE(waitFor([&] { return calendar->locationUrl() == expected && !calendar->isBusy(); }, 10000));
    // A navigation would start at once, inside the tab change.
    form().selectTab(1);
    form().selectTab(4);
    EXPECT_FALSE(calendar->isBusy()) << "a calendar already shown is not loaded again";
    EXPECT_EQ(navigations.count(), 1);
}

} // namespace
