#pragma once

#include <QString>

namespace ferrowen {

// The file a template is saved in: the name as the user entered it, with
// ".txt" appended unless the name (in lower case) holds ".txt" anywhere.
QString templateFileName(const QString &enteredName);

// Whether the file name stays inside the templates folder: not empty, no
// folder separator, no control character, and not "." or "..".
bool staysInTemplatesFolder(const QString &fileName);

} // namespace ferrowen
