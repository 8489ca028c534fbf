#pragma once

#include "platform/FileDialogs.h"

#include <QStringList>

namespace ferrowen::testing {

// File dialogs answered by the test: each dialog takes the next answer of
// its kind (an empty answer, or none left, is a cancelled dialog) and
// records the folder it was opened in.
class ScriptedFileDialogs : public FileDialogs
{
public:
    QStringList openAnswers;
    QStringList saveAnswers;
    QStringList foldersShown;

    QString openFileName(const QString &, const QString &folder, const QString &) override
    {
        foldersShown << folder;
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString saveFileName(const QString &, const QString &folder, const QString &) override
    {
        foldersShown << folder;
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
};

} // namespace ferrowen::testing
