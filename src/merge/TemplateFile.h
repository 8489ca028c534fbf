#pragma once

#include "merge/TemplateText.h"

#include <QByteArray>

namespace ferrowen {

// A template file: the subject on the first line, then the body exactly as
// it is, every line ended by CR LF (a lone CR or LF in the body becomes
// CR LF), nothing added after it. UTF-8.
QByteArray templateFileContent(const TemplateText &text);

// A template read back: the first line is the subject; every further line
// goes into the body followed by CR LF, so the body always ends with a
// line end. Lines may end in CR LF, CR or LF. Files that are not UTF-8
// (templates of older programs) are read as Latin-1.
TemplateText templateFromFileContent(const QByteArray &content);

} // namespace ferrowen
