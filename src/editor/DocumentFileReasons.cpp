#include "editor/DocumentFileReasons.h"

namespace ferrowen {

QString documentFileReason(DocumentFileError error, DocumentFileAction action)
{
    const bool open = action == DocumentFileAction::Open;
    switch (error) {
    case DocumentFileError::Unexpected: return QStringLiteral("Unexpected error");
    case DocumentFileError::FileNotFound:
        if (open)
            return QStringLiteral("File not found");
        break;
    case DocumentFileError::PathNotFound: return QStringLiteral("Path not found");
    case DocumentFileError::DiskFull:
        if (!open)
            return QStringLiteral("Disk is full");
        break;
    case DocumentFileError::Frameset:
        if (open)
            return QStringLiteral("Document contains a frameset");
        break;
    case DocumentFileError::ServerSideScript:
        if (open)
            return QStringLiteral("Document is primarily server side script");
        break;
    case DocumentFileError::InvalidArgument: return QStringLiteral("Invalid argument");
    case DocumentFileError::AccessDenied: return QStringLiteral("Access denied");
    case DocumentFileError::None:
    case DocumentFileError::Unknown: break;
    }
    return QStringLiteral("Unknown error");
}

QString documentFileMessage(DocumentFileError error, DocumentFileAction action)
{
    const QString opening = action == DocumentFileAction::Open ? QStringLiteral("Error occurred while loading document: ")
                                                                : QStringLiteral("Error occurred while saving document: ");
    return opening + documentFileReason(error, action) + QLatin1Char('.');
}

} // namespace ferrowen
