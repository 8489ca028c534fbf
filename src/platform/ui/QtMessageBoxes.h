#pragma once

#include "platform/MessageBoxes.h"

#include <QPointer>
#include <QWidget>

namespace ferrowen {

// Message boxes as Qt shows them, modal to the active dialog or, when none
// is open, to the given window.
class QtMessageBoxes : public MessageBoxes
{
public:
    QtMessageBoxes(QWidget *window, QString programTitle);

    Answer show(const QString &text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                const QString &title = QString()) override;

private:
    QPointer<QWidget> m_window;
    QString m_programTitle;
};

} // namespace ferrowen
