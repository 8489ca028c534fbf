#pragma once

#include "platform/FileDialogs.h"

#include <QStringList>

namespace ferrowen::testing {

// File dialogs answered by the test: each dialog takes the next answer of
// its kind (an empty answer, or none left, is a cancelled dialog) and records its
// caption, folder and filter.
class ScriptedFileDialogs : public FileDialogs
{
public:
    QStringList openAnswers;
    QStringList saveAnswers;
    QStringList captionsShown;
    QStringList foldersShown;
    QStringList filtersShown;

    QString openFileName(const QString &caption, const QString &folder, const QString &filter) override
    {
        captionsShown << caption;
        foldersShown << folder;
        filtersShown << filter;
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString saveFileName(const QString &caption, const QString &folder, const QString &filter) override
    {
        captionsShown << caption;
        foldersShown << folder;
        filtersShown << filter;
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
};

} // namespace ferrowen::testing
