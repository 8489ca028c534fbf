#include "platform/ui/QtFileDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace ferrowen {

QtFileDialogs::QtFileDialogs(QWidget *window)
    : m_window(window)
{
}

QString QtFileDialogs::openFileName(const QString &title, const QString &initialName, const QStringList &filters)
{
    QWidget *parent = QApplication::activeModalWidget();
    if (!parent)
        parent = m_window;
    const QFileInfo initial(initialName);
    QString start = initial.absolutePath();
    // A pattern names no file to preselect; a real name does.
    if (!initial.fileName().contains(u'*'))
        start = initial.absoluteFilePath();
    return QFileDialog::getOpenFileName(parent, title, start, filters.join(QLatin1String(";;")));
}

} // namespace ferrowen
