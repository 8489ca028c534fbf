#pragma once

#include "platform/FileDialogs.h"

#include <QList>
#include <QStringList>

namespace ferrowen::testing {

// File dialogs answered by the test: each request is recorded, and the
// answers given in advance are used in order; without one, the dialog is
// cancelled.
class ScriptedFileDialogs : public FileDialogs
{
public:
    struct Asked
    {
        QString title;
        QString initialName;
        QStringList filters;
    };

    QList<Asked> asked;
    QStringList answers;

    QString openFileName(const QString &title, const QString &initialName, const QStringList &filters) override
    {
        asked.append({title, initialName, filters});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

} // namespace ferrowen::testing
