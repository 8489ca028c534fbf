#include "platform/ui/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace ferrowen {

namespace {

QMessageBox::StandardButtons standardButtons(MessageBoxes::Buttons buttons)
{
    switch (buttons) {
    case MessageBoxes::Buttons::Ok: return QMessageBox::Ok;
    case MessageBoxes::Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageBoxes::Buttons::YesNo:
    case MessageBoxes::Buttons::YesNoDefaultNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageBoxes::Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageBoxes::Buttons::RetrySaveElsewhereDiscard:
        return QMessageBox::Retry | QMessageBox::Save | QMessageBox::Discard;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon boxIcon(MessageBoxes::Icon icon)
{
    switch (icon) {
    case MessageBoxes::Icon::None: return QMessageBox::NoIcon;
    case MessageBoxes::Icon::Information: return QMessageBox::Information;
    case MessageBoxes::Icon::Warning: return QMessageBox::Warning;
    case MessageBoxes::Icon::Critical: return QMessageBox::Critical;
    case MessageBoxes::Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

MessageBoxes::Answer answerFor(int button, MessageBoxes::Buttons buttons)
{
    switch (button) {
    case QMessageBox::Ok: return MessageBoxes::Answer::Ok;
    case QMessageBox::Yes: return MessageBoxes::Answer::Yes;
    case QMessageBox::No: return MessageBoxes::Answer::No;
    case QMessageBox::Cancel: return MessageBoxes::Answer::Cancel;
    case QMessageBox::Retry: return MessageBoxes::Answer::Retry;
    case QMessageBox::Save: return MessageBoxes::Answer::SaveElsewhere;
    case QMessageBox::Discard: return MessageBoxes::Answer::Discard;
    default: break;
    }
    if (buttons == MessageBoxes::Buttons::RetrySaveElsewhereDiscard)
        return MessageBoxes::Answer::Retry;
    // Closed by the window's close box or Escape without a Cancel button.
    const bool yesNo = buttons == MessageBoxes::Buttons::YesNo || buttons == MessageBoxes::Buttons::YesNoDefaultNo;
    return yesNo ? MessageBoxes::Answer::No : MessageBoxes::Answer::Ok;
}

} // namespace

QtMessageBoxes::QtMessageBoxes(QWidget *window, QString programTitle)
    : m_window(window)
    , m_programTitle(std::move(programTitle))
{
}

MessageBoxes::Answer QtMessageBoxes::show(const QString &text, Buttons buttons, Icon icon, const QString &title)
{
    QWidget *parent = QApplication::activeModalWidget();
    if (!parent)
        parent = m_window;
    QMessageBox box(boxIcon(icon), title.isEmpty() ? m_programTitle : title, text, standardButtons(buttons), parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    if (buttons == Buttons::YesNoCancel || buttons == Buttons::OkCancel)
        box.setEscapeButton(QMessageBox::Cancel);
    if (buttons == Buttons::YesNoDefaultNo)
        box.setDefaultButton(QMessageBox::No);
    if (buttons == Buttons::RetrySaveElsewhereDiscard) {
        box.button(QMessageBox::Retry)->setText(QMessageBox::tr("&Retry"));
        box.button(QMessageBox::Save)->setText(QMessageBox::tr("Save &Elsewhere..."));
        box.button(QMessageBox::Discard)->setText(QMessageBox::tr("&Quit Without Saving"));
        box.setDefaultButton(QMessageBox::Retry);
        box.setEscapeButton(QMessageBox::Retry);
    }
    return answerFor(box.exec(), buttons);
}

} // namespace ferrowen
