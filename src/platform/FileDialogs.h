#pragma once

#include <QString>

namespace ferrowen {

// The file dialogs the program shows, behind an interface so tests can
// answer them. An empty answer means the user cancelled.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;

    // filter as Qt writes it: "HTML Files (*.htm *.html);;All Files (*)".
    virtual QString openFileName(const QString &caption, const QString &folder, const QString &filter) = 0;
    virtual QString saveFileName(const QString &caption, const QString &folder, const QString &filter) = 0;
};

} // namespace ferrowen
