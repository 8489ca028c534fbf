#include "demowebmail/DemoWebmailSite.h"
#include "app/MainController.h"
#include "app/MainForm.h"
#include "app/SettingsFile.h"
#include "platform/web/BrowserPane.h"

#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "WaitFor.h"

using namespace ferrowen;

namespace {

// The program, the demo webmail site and the mail link companion together:
// a link written by the companion ends up in the site's compose form.
class MailtoEndToEndTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    SettingsFile settings{dir.filePath(QStringLiteral("ferrowen/plinthmere.ini"))};
    DemoWebmailSite site;
    std::unique_ptr<MainController> controller;

    void SetUp() override
    {
        ASSERT_TRUE(site.listen(0));
        controller = std::make_unique<MainController>(settings, MainController::Options{false, false});
        controller->start();
    }

    void TearDown() override
    {
        if (controller)
            controller->window().close();
    }

    MainForm &form() { return controller->window(); }

    void openInbox(const QString &path)
    {
        BrowserPane *inbox = form().webBrowser(1);
        QSignalSpy loaded(inbox, &BrowserPane::documentComplete);
        inbox->navigate(site.baseUrl().resolved(QUrl(path)).toString());
        ASSERT_TRUE(loaded.wait(10000));
    }

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

    QString composeField(const char *field)
    {
        try {
            return form().webBrowser(3)->document().formField(QStringLiteral("compose"), QString::fromLatin1(field)).value();
        } catch (const WebPageError &) {
            return QStringLiteral("<no form>");
        }
    }

    QString bug() { return settings.GetIni(QStringLiteral("Settings"), QStringLiteral("bug"), QString()); }
};

TEST_F(MailtoEndToEndTest, linkFromCompanionFillsTheComposeForm)
{
    openInbox(QStringLiteral("/yahoo/inbox"));
    QSignalSpy handled(controller.get(), &MainController::mailLinkHandled);

    QProcess *companion = handOver(QStringLiteral("mailto:ann@example.com?subject=Hello%20there"));
    ASSERT_TRUE(companion->waitForFinished(10000));
    EXPECT_EQ(companion->exitCode(), 0) << companion->readAllStandardError().toStdString();

    EXPECT_TRUE(ferrowen::testing::waitFor([&] { return composeField("To") == QStringLiteral("ann@example.com"); }, 15000));
    EXPECT_EQ(composeField("Subj"), QStringLiteral("Hello there"));
    EXPECT_EQ(form().selectedTab(), 2);
    EXPECT_TRUE(ferrowen::testing::waitFor([&] { return handled.count() == 1; }, 5000));
    EXPECT_EQ(bug(), QStringLiteral("8888"));
    EXPECT_TRUE(settings.GetIni(QStringLiteral("Settings"), QStringLiteral("mailto"), QStringLiteral("x")).isEmpty());
}

TEST_F(MailtoEndToEndTest, twoLinksBackToBackAreBothHandledInOrder)
{
    openInbox(QStringLiteral("/yahoo/inbox"));
    QSignalSpy handled(controller.get(), &MainController::mailLinkHandled);

    QProcess *first = handOver(QStringLiteral("mailto:first@example.com"));
    QProcess *second = handOver(QStringLiteral("mailto:second@example.com"));
    EXPECT_TRUE(ferrowen::testing::waitFor([&] { return handled.count() == 2; }, 20000));
    EXPECT_EQ(handled.at(0).at(0).toString(), QStringLiteral("mailto:first@example.com"));
    EXPECT_EQ(handled.at(1).at(0).toString(), QStringLiteral("mailto:second@example.com"));
    EXPECT_TRUE(ferrowen::testing::waitFor([&] { return composeField("To") == QStringLiteral("second@example.com"); }, 10000));
    EXPECT_EQ(first->exitCode() | second->exitCode(), 0);
}

TEST_F(MailtoEndToEndTest, cancelStopsTheWaitAndTheNextLinkWorks)
{
    // A bare host gives no compose page to open: the filling waits.
    openInbox(QStringLiteral("/"));
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

    EXPECT_TRUE(ferrowen::testing::waitFor([&] { return handled.count() == 1; }, 15000));
    user.stop();
    EXPECT_EQ(bugWhileWaiting, QStringLiteral("5"));
    EXPECT_FALSE(wait->isVisible());
    EXPECT_EQ(composeField("To"), QStringLiteral("<no form>"));

    openInbox(QStringLiteral("/yahoo/inbox"));
    handOver(QStringLiteral("mailto:again@example.com"));
    EXPECT_TRUE(ferrowen::testing::waitFor([&] { return composeField("To") == QStringLiteral("again@example.com"); }, 15000));
    EXPECT_EQ(bug(), QStringLiteral("8888"));
}

} // namespace
