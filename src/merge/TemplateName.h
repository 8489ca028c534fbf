#pragma once

#include <QString>

namespace ferrowen {

// The file a template is saved in: the name as the user entered it, with
// ".txt" appended unless the name (in lower case) holds ".txt" anywhere, or
// when it would look like a leftover of a killed writer ("a.txt.backup").
QString templateFileName(const QString &enteredName);

// Whether the file is what a writer killed while saving a template left
// beside it: a template's name, "." and six letters or digits.
bool isTemplateLeftover(const QString &fileName);

} // namespace ferrowen
