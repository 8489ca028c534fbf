#include "platform/ui/QtFileDialogs.h"

#include <QFileDialog>
#include <QStandardPaths>

namespace ferrowen {

namespace {

QString startFolder(const QString &folder)
{
    return folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) : folder;
}

} // namespace

QtFileDialogs::QtFileDialogs(QWidget *window)
    : m_window(window)
{
}

QString QtFileDialogs::openFileName(const QString &caption, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(m_window, caption, startFolder(folder), filter);
}

QString QtFileDialogs::saveFileName(const QString &caption, const QString &folder, const QString &filter)
{
    // The dialog asks before a file is replaced.
    return QFileDialog::getSaveFileName(m_window, caption, startFolder(folder), filter);
}

} // namespace ferrowen
