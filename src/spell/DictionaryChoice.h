#pragma once

#include <QString>
#include <QStringList>

namespace ferrowen {

// The dictionary the "main dictionary" setting stands for: the named word
// file when it is there; otherwise (empty, or a file that is missing, such
// as the old default "american.vtd") the installed en_US dictionary, or
// the first installed one. Empty when nothing is installed.
QString chooseMainDictionary(const QString &setting, const QStringList &installed);

// The custom word list: the setting as it is, or "custom.dic" in the main
// folder (given as a path of this system) when the setting is empty.
QString chooseCustomDictionary(const QString &setting, const QString &mainFolder);

// The name a dictionary is shown by: its word file's name ("en_US").
QString dictionaryName(const QString &wordFile);

} // namespace ferrowen
