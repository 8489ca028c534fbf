#include "app/SplashWindow.h"
#include "app/Twips.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "WaitFor.h"

using ferrowen::SplashWindow;
using ferrowen::Twips;

namespace {

void showAndWait(SplashWindow &splash)
{
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    ASSERT_TRUE(splash.isVisible());
}

TEST(SplashWindow, picture_isCentredThenShifted60TwipsLeft)
{
    SplashWindow splash;
    EXPECT_TRUE(splash.picture()->isHidden());
    showAndWait(splash);

    EXPECT_FALSE(splash.picture()->isHidden());
    const Twips twips(splash.screen()->logicalDotsPerInchX());
    const QRect frame = splash.pictureFrame()->rect();
    const QRect picture = splash.picture()->geometry();
    EXPECT_NEAR(frame.center().x() - picture.center().x(), twips.toPixels(60), 1);
    EXPECT_NEAR(frame.center().y(), picture.center().y(), 1);
}

TEST(SplashWindow, closesOnAClickOnItsFrame)
{
    SplashWindow splash;
    showAndWait(splash);
    QTest::mouseClick(splash.pictureFrame(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(splash.isVisible());
}

TEST(SplashWindow, closesByItselfAfterItsTimer)
{
    QElapsedTimer elapsed;
    elapsed.start();
    SplashWindow splash;
    showAndWait(splash);
    EXPECT_TRUE(ferrowen::testing::waitFor([&] { return !splash.isVisible(); }, 10000));
    // Coarse timers may fire up to 5% early.
    EXPECT_GE(elapsed.elapsed(), SplashWindow::CloseAfterMs * 95 / 100);
}

TEST(SplashWindow, showModal_closesOnAnyKeyAndReturns)
{
    QPointer<QWidget> seen;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        seen = QApplication::activeModalWidget();
        wasModal = qobject_cast<SplashWindow *>(seen.data()) != nullptr;
        if (seen)
            QTest::keyClick(seen, Qt::Key_A);
    });
    QElapsedTimer elapsed;
    elapsed.start();
    SplashWindow::showModal(nullptr);
    EXPECT_TRUE(wasModal);
    EXPECT_TRUE(seen.isNull()); // and is gone
    // Closed by the key, before its own timer (which may fire 5% early).
    EXPECT_LT(elapsed.elapsed(), SplashWindow::CloseAfterMs * 9 / 10);
}

} // namespace
