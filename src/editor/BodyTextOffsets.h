#pragma once

#include <QString>

namespace ferrowen {

// The body's text has one offset model (see EditorDocument::bodyText): a
// break between blocks or lines is one character, "\n". The spell checker
// is handed the text with each break as CR LF, as a text file has it;
// these convert between the two.

// The body text with every "\n" written as "\r\n".
QString toCheckedText(const QString &bodyText);

// The body offset of an offset into the checked text: each CR LF before it
// counts as one character.
int bodyOffset(const QString &checkedText, int checkedOffset);

} // namespace ferrowen
