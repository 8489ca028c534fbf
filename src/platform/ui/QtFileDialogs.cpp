#include "platform/ui/QtFileDialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace ferrowen {

QtFileDialogs::QtFileDialogs(QWidget *window)
    : m_window(window)
{
}

QString QtFileDialogs::openFileName(const QString &caption, const QString &folder, const QString &filter)
{
    QWidget *parent = QApplication::activeModalWidget();
    if (!parent)
        parent = m_window;
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

} // namespace ferrowen
