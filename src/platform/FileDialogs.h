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
};

} // namespace ferrowen
