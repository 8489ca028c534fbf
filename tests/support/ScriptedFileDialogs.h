#pragma once

#include "platform/FileDialogs.h"

#include <QStringList>

namespace ferrowen::testing {

// File dialogs answered by the test: each dialog takes the next answer (an
// empty answer, or none left, is a cancelled dialog) and records its
// caption, folder and filter.
class ScriptedFileDialogs : public FileDialogs
{
public:
    QStringList openAnswers;
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
};

} // namespace ferrowen::testing
