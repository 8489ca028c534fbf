#include "platform/ui/QtFileDialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace ferrowen {

QtFileDialogs::QtFileDialogs(QWidget *window)
    : m_window(window)
{
}

QWidget *QtFileDialogs::parentForDialog() const
{
    QWidget *parent = QApplication::activeModalWidget();
    return parent ? parent : m_window.data();
}

QString QtFileDialogs::openFileName(const QString &caption, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(parentForDialog(), caption, folder, filter);
}

QString QtFileDialogs::saveFileName(const QString &caption, const QString &folder, const QString &filter)
{
    return QFileDialog::getSaveFileName(parentForDialog(), caption, folder, filter);
}

} // namespace ferrowen
