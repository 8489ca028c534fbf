#pragma once

#include "platform/DocumentFileError.h"

#include <QString>

namespace ferrowen {

enum class DocumentFileAction { Open, Save };

// The reason shown for a failed open or save ("File not found"); a
// failure the action cannot meet reads "Unknown error".
QString documentFileReason(DocumentFileError error, DocumentFileAction action);

// "Error occurred while loading document: " (or "... saving document: ")
// followed by the reason and ".".
QString documentFileMessage(DocumentFileError error, DocumentFileAction action);

} // namespace ferrowen
