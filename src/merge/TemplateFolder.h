#pragma once

#include "merge/TemplateText.h"
#include "platform/Status.h"
#include "platform/StatusOr.h"

#include <QStringList>

namespace ferrowen {

// The templates folder ("templates" in the main folder): the files in it
// and their reading and writing. File names come from templateFileName()
// and are refused when they would leave the folder.

// The templates saved so far (every file whose name holds ".txt" in any
// case), in name order; none when the folder is missing. Leftovers of
// writers killed while saving a template are not templates: they are left
// out, and removed once they are old enough not to be a writer's file at
// work.
QStringList templateNamesInFolder(const QString &folder);

// Reads a template; a file that has gone, or a name that would leave the
// folder, gives a sentence for the user.
StatusOr<TemplateText> readTemplateFile(const QString &folder, const QString &fileName);

// Writes a template, replacing a file of that name at once and whole; makes
// the folder when it is missing.
Status writeTemplateFile(const QString &folder, const QString &fileName, const TemplateText &text);

} // namespace ferrowen
