#pragma once

#include <QString>

namespace ferrowen {

// The text of one of the scripts the panes run in their pages, read once
// from the resources ("page-access.js", "call.js", "submit-hook.js",
// "submit-capture.js").
QString scriptResource(const QString &fileName);

} // namespace ferrowen
