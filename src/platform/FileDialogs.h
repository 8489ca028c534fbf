#pragma once

#include <QString>

namespace ferrowen {

// The file dialogs the program shows, behind an interface so tests can
// answer them. An empty answer means the user cancelled.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;

    // Asks for an existing file, starting in folder. filter as Qt writes
    // it: "Address Book (*.csv);;Tab Delimited Text File (*.txt)".
    virtual QString openFileName(const QString &caption, const QString &folder, const QString &filter) = 0;
    // Asks for a file to write, starting in folder; the dialog asks before
    // an existing file is replaced. Dialogs that only open files answer as
    // if cancelled.
    virtual QString saveFileName(const QString &caption, const QString &folder, const QString &filter)
    {
        Q_UNUSED(caption);
        Q_UNUSED(folder);
        Q_UNUSED(filter);
        return {};
    }
};

} // namespace ferrowen
