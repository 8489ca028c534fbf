#pragma once

#include <QString>

namespace ferrowen {

// Why an HTML document could not be opened or saved, told from what the
// file system reports.
enum class DocumentFileError {
    None,
    Unexpected,       // the editing component failed
    FileNotFound,     // the folder is there, the file is not
    PathNotFound,     // the folder is not there
    DiskFull,         // no room left (or the file grew past the allowed size)
    Frameset,         // the document is a frameset, which cannot be edited
    ServerSideScript, // the document is mostly server-side script
    InvalidArgument,  // no file named, or a folder named
    AccessDenied,     // no permission to read or write
    Unknown,
};

// Why a file that could not be read failed, looked up after the fact.
DocumentFileError readFailure(const QString &path);

// What stands in the way of writing path before anything is written: a
// missing or unwritable folder, an unwritable file. None when nothing does.
DocumentFileError writeObstacle(const QString &path);

// Why a write failed, from the system's error number when there is one,
// else from the error text the file layer gave.
DocumentFileError writeFailure(int systemError, const QString &errorText);

} // namespace ferrowen
