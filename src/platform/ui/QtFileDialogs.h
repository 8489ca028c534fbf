#pragma once

#include "platform/FileDialogs.h"

#include <QPointer>
#include <QWidget>

namespace ferrowen {

// Qt's file dialogs, modal to the active dialog or, when none is open, to
// the given window.
class QtFileDialogs : public FileDialogs
{
public:
    explicit QtFileDialogs(QWidget *window);

    QString openFileName(const QString &caption, const QString &folder, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &folder, const QString &filter) override;

private:
    QWidget *parentForDialog() const;

    QPointer<QWidget> m_window;
};

} // namespace ferrowen
