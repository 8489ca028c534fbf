#pragma once

#include <QString>

namespace ferrowen {

// The text of one of the scripts the panes and the editor run in their
// pages, read once from the resources ("page-access.js", "page-walks.js",
// "call.js", "submit-hook.js", "submit-capture.js", "editor-document.js").
QString scriptResource(const QString &fileName);

} // namespace ferrowen
