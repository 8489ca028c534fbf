#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTabBar>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace ferrowen::testing {

// Whether the widget is a part of another control: the list of a combo
// box, the editor of a spin box, the header of a list. (The text box of an
// editable combo box is met on its own.)
inline bool isPartOfAControl(const QWidget *widget)
{
    if (qobject_cast<const QLineEdit *>(widget) && qobject_cast<const QComboBox *>(widget->parentWidget()))
        return false;
    for (const QWidget *above = widget->parentWidget(); above; above = above->parentWidget()) {
        if (qobject_cast<const QComboBox *>(above) || qobject_cast<const QAbstractSpinBox *>(above))
            return true;
    }
    return qobject_cast<const QHeaderView *>(widget) || qobject_cast<const QScrollBar *>(widget)
        || widget->inherits("QTableCornerButton");
}

// Whether the control shows a text of its own, which must not stand in
// for its name.
inline bool holdsText(const QWidget *widget)
{
    return qobject_cast<const QComboBox *>(widget) || qobject_cast<const QLineEdit *>(widget)
        || qobject_cast<const QTextEdit *>(widget) || qobject_cast<const QPlainTextEdit *>(widget)
        || qobject_cast<const QAbstractSpinBox *>(widget);
}

// Whether a screen reader meets the widget as a control of its own: a
// button, a box, a list, a slider or a tab bar. Qt's own helpers are Qt's
// to name.
inline bool isControl(const QWidget *widget)
{
    if (widget->objectName().startsWith(u"qt_") || isPartOfAControl(widget))
        return false;
    return qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QComboBox *>(widget)
        || qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QTextEdit *>(widget)
        || qobject_cast<const QPlainTextEdit *>(widget) || qobject_cast<const QAbstractItemView *>(widget)
        || qobject_cast<const QAbstractSpinBox *>(widget) || qobject_cast<const QAbstractSlider *>(widget)
        || qobject_cast<const QTabBar *>(widget);
}

// The controls in and below `root` that a screen reader cannot name: their
// name is empty, or only their current text (which says what is in a box,
// not what the box is for). Each as "objectName/Class".
inline QStringList unnamedControls(QWidget *root)
{
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    QStringList unnamed;
    for (QWidget *widget : std::as_const(widgets)) {
        if (!isControl(widget))
            continue;
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        const QString name = accessible ? accessible->text(QAccessible::Name).trimmed() : QString();
        const QString value = accessible ? accessible->text(QAccessible::Value).trimmed() : QString();
        if (name.isEmpty() || (holdsText(widget) && name == value))
            unnamed << widget->objectName() + u'/' + QString::fromLatin1(widget->metaObject()->className());
    }
    return unnamed;
}

struct OpenedWindows
{
    int count = 0;
    QStringList unnamedControls;
};

// Runs `open`, which opens a dialog (modal or not), and looks at every
// window it brought up, closing each again.
inline OpenedWindows windowsOpenedBy(const std::function<void()> &open)
{
    const auto visibleWindows = [] {
        QList<QPointer<QWidget>> windows;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible())
                windows << widget;
        }
        return windows;
    };
    const QList<QPointer<QWidget>> before = visibleWindows();
    auto opened = std::make_shared<OpenedWindows>();
    // A modal dialog holds `open` until it is closed: look at it from
    // inside, as soon as it shows.
    QTimer poll;
    poll.setInterval(20);
    QList<QPointer<QWidget>> seen;
    QObject::connect(&poll, &QTimer::timeout, [opened, &seen] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (!seen.contains(modal)) {
            seen << modal;
            ++opened->count;
            opened->unnamedControls += unnamedControls(modal);
        }
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    });
    poll.start();
    open();
    poll.stop();
    for (const QPointer<QWidget> &window : visibleWindows()) {
        if (window && !before.contains(window)) {
            ++opened->count;
            opened->unnamedControls += unnamedControls(window);
            window->close();
        }
    }
    return *opened;
}

} // namespace ferrowen::testing
