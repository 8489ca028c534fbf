#pragma once

#include <QString>
#include <QStringList>

namespace ferrowen {

// The system's file dialogs, behind an interface so tests can answer them.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;

    // Asks for an existing file to open. initialName: a file-system path
    // whose folder the dialog starts in (its file part may be a pattern such
    // as "*.csv;*.txt"). filters: "Label (*.ext)" entries, the first chosen.
    // Empty when the user cancels.
    virtual QString openFileName(const QString &title, const QString &initialName, const QStringList &filters) = 0;
};

} // namespace ferrowen
