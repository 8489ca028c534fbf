// The main window placed small from the settings file keeps its size, and
// every control on it stays where a user can reach it.
#include "app/MainController.h"
#include "app/MainForm.h"
#include "app/SettingsPanel.h"
#include "app/Twips.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "NamedChild.h"
#include "SettingsFileFixture.h"

using namespace ferrowen;

namespace {

// 800 x 600 pixels at 96 dots per inch.
constexpr int SmallWidth = 12000;
constexpr int SmallHeight = 9000;

bool isControl(const QWidget *widget)
{
    // A combo box's own line edit is part of the combo box.
    if (qobject_cast<const QLineEdit *>(widget) && qobject_cast<const QComboBox *>(widget->parentWidget()))
        return false;
    return qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QComboBox *>(widget)
        || qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QPlainTextEdit *>(widget);
}

QScrollArea *enclosingScrollArea(QWidget *widget)
{
    for (QWidget *p = widget->parentWidget(); p; p = p->parentWidget()) {
        if (auto *area = qobject_cast<QScrollArea *>(p))
            return area;
    }
    return nullptr;
}

// Whether the control is big enough to read: as tall as a line of its text
// and, for a button, as wide as its caption.
bool readable(const QWidget *control)
{
    const QFontMetrics metrics = control->fontMetrics();
    if (control->height() < metrics.height())
        return false;
    const auto *button = qobject_cast<const QAbstractButton *>(control);
    const auto *tool = qobject_cast<const QToolButton *>(control);
    const bool showsCaption = button && !(tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly);
    const QString caption = showsCaption ? button->text().remove(u'&') : QString();
    return control->width() >= metrics.horizontalAdvance(caption);
}

// Whether the control's whole rectangle lies inside every parent up to the
// window, so that no parent cuts any of it off.
bool liesInsideParents(const QWidget *control, const QWidget &window)
{
    QRect rect = control->geometry();
    for (const QWidget *p = control->parentWidget(); p; p = p->parentWidget()) {
        if (!p->rect().contains(rect))
            return false;
        if (p == &window)
            return true;
        rect.translate(p->pos());
    }
    return false;
}

// Every control a user can see on the window as it is now that is not fully
// reachable: shown, big enough to read, and wholly inside the window (inside
// every parent up to it, so no parent cuts it off). A control inside a scroll area counts once the area, scrolled
// to it as a user would scroll, shows it whole in its viewport.
QStringList unreachableControls(QWidget &window)
{
    QStringList unreachable;
    for (QWidget *control : window.findChildren<QWidget *>()) {
        if (!isControl(control) || !control->isVisible())
            continue;
        if (QScrollArea *area = enclosingScrollArea(control)) {
            // The whole control: ensureWidgetVisible shows only a line
            // edit's cursor.
            const QPoint at = control->mapTo(area->widget(), QPoint(0, 0));
            area->ensureVisible(at.x() + control->width() / 2, at.y() + control->height() / 2,
                                control->width() / 2 + 1, control->height() / 2 + 1);
        }
        if (!readable(control) || !liesInsideParents(control, window))
            unreachable << (control->objectName().isEmpty() ? control->property("text").toString() : control->objectName()) + u'@' + QString::number(control->width()) + u'x'
                    + QString::number(control->height()) + u'+' + QString::number(control->x()) + u'+'
                    + QString::number(control->y());
    }
    return unreachable;
}

class WindowFitTest : public ferrowen::testing::SettingsFileFixture
{
protected:
    std::unique_ptr<MainController> startAt(int width, int height)
    {
        set("setmax", "0");
        set("left", "1500");
        set("top", "900");
        set("width", QByteArray::number(width).constData());
        set("height", QByteArray::number(height).constData());
        auto controller = std::make_unique<MainController>(settings, MainController::Options{false, false});
        controller->start();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&controller->window()));
        return controller;
    }

    template<typename T = QWidget>
    static T *child(MainForm &form, const char *name) { return ferrowen::testing::namedChild<T>(form, name); }
};

TEST_F(WindowFitTest, smallStoredPlacementIsKept_everyControlReachableOnEachTab_andThePlacementWrittenBack)
{
    auto controller = startAt(SmallWidth, SmallHeight);
    MainForm &form = controller->window();
    QCoreApplication::processEvents();
    EXPECT_EQ(form.geometry(), Twips(form.logicalDpiX()).toPixels(QRect(1500, 900, SmallWidth, SmallHeight)));

    struct Row
    {
        Tab tab;
        bool addressPaneShown;
        bool spamEditorOpen;
    };
    const Row rows[] = {
        {Tab::InboxLogin, false, false}, {Tab::Compose, false, false}, {Tab::SavedFolders, false, false},
        {Tab::Calendar, false, false},   {Tab::Settings, false, false}, {Tab::Settings, false, true},
        {Tab::InboxLogin, true, false},  {Tab::SavedFolders, true, false}, {Tab::Settings, true, false},
    };
    for (const Row &row : rows) {
        if (row.addressPaneShown)
            form.showAddressPane();
        else
            form.hideAddressPane();
        form.selectTab(row.tab);
        if (row.spamEditorOpen)
            form.settingsPanel().openSpamEditor();
        QCoreApplication::processEvents();

        EXPECT_EQ(unreachableControls(form), QStringList())
            << "tab " << int(row.tab) << (row.addressPaneShown ? ", address pane shown" : "")
            << (row.spamEditorOpen ? ", spam editor open" : "");
    }

    form.close();
    EXPECT_EQ(get("width"), QString::number(SmallWidth));
    EXPECT_EQ(get("height"), QString::number(SmallHeight));
}

TEST_F(WindowFitTest, inboxFramesTakeAtMostTwoRowsAtTheUsualWidth)
{
    // 1024 x 720 pixels, the usual width of a small laptop screen.
    auto controller = startAt(15360, 10800);
    MainForm &form = controller->window();
    QCoreApplication::processEvents();

    // The frames before the Compose frame side by side; the Compose frame
    // (with the template list and its button) may start a second row.
    const QRect first = child(form, "FrameSaveMessages")->geometry();
    int firstRowBottom = first.bottom();
    for (const char *name : {"AddressPaneButtons", "FrameInboxManagement"}) {
        const QRect frame = child(form, name)->geometry();
        EXPECT_TRUE(frame.top() < first.bottom() && first.top() < frame.bottom()) << name;
        firstRowBottom = qMax(firstRowBottom, frame.bottom());
    }
    EXPECT_LE(child(form, "FrameCompose")->geometry().top(), firstRowBottom + 10);
    EXPECT_EQ(unreachableControls(form), QStringList());
}

TEST_F(WindowFitTest, atTheUsualWidthTheFramesStandInOneRowAndTheSavedLabelMovesNoPane)
{
    auto controller = startAt(19200, 12000); // 1280 x 800 pixels
    MainForm &form = controller->window();
    QCoreApplication::processEvents();
    QWidget *band = child(form, "InboxFramesBand");
    QWidget *frame = child(form, "FrameSaveMessages");
    const int bandHeight = band->height();
    const int frameWidth = frame->width();
    // At this width the band's frames stand in one row.
    EXPECT_LT(child(form, "FrameCompose")->geometry().top(), frame->geometry().bottom());

    QWidget *label = child(form, "LabelSaved");
    label->show();
    QCoreApplication::processEvents();

    EXPECT_EQ(band->height(), bandHeight);
    EXPECT_EQ(frame->width(), frameWidth);
    EXPECT_TRUE(frame->rect().contains(label->geometry()));
    EXPECT_TRUE(readable(label));
    // Nothing of the frame's row lies under the label.
    for (QWidget *control : frame->findChildren<QWidget *>()) {
        if (control != label && isControl(control)) {
            EXPECT_FALSE(control->geometry().intersects(label->geometry())) << control->objectName().toStdString();
        }
    }
}

} // namespace
