#include "platform/DocumentFileError.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace ferrowen {

namespace {

// The file layer reports system errors as the system's own sentence.
bool mentions(const QString &errorText, std::initializer_list<int> errors)
{
    for (int error : errors) {
        if (errorText.contains(QString::fromLocal8Bit(std::strerror(error)), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

DocumentFileError readFailure(const QString &path)
{
    if (path.isEmpty())
        return DocumentFileError::InvalidArgument;
    const QFileInfo file(path);
    if (!QFileInfo(file.absolutePath()).isDir())
        return DocumentFileError::PathNotFound;
    if (!file.exists())
        return DocumentFileError::FileNotFound;
    if (file.isDir())
        return DocumentFileError::InvalidArgument;
    if (!file.isReadable())
        return DocumentFileError::AccessDenied;
    return DocumentFileError::Unknown;
}

DocumentFileError writeObstacle(const QString &path)
{
    if (path.isEmpty())
        return DocumentFileError::InvalidArgument;
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir())
        return DocumentFileError::PathNotFound;
    if (file.isDir())
        return DocumentFileError::InvalidArgument;
    // The new text is written beside the file and then renamed over it.
    if (!folder.isWritable() || (file.exists() && !file.isWritable()))
        return DocumentFileError::AccessDenied;
    return DocumentFileError::None;
}

DocumentFileError writeFailure(int systemError, const QString &errorText)
{
    switch (systemError) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return DocumentFileError::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return DocumentFileError::AccessDenied;
    case ENOENT:
    case ENOTDIR:
        return DocumentFileError::PathNotFound;
    default:
        break;
    }
    if (mentions(errorText, {ENOSPC, EDQUOT, EFBIG}))
        return DocumentFileError::DiskFull;
    if (mentions(errorText, {EACCES, EPERM, EROFS}))
        return DocumentFileError::AccessDenied;
    if (mentions(errorText, {ENOENT, ENOTDIR}))
        return DocumentFileError::PathNotFound;
    return DocumentFileError::Unknown;
}

} // namespace ferrowen
