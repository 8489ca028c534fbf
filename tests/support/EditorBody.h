#pragma once

#include "platform/EditorDocument.h"

#include <gtest/gtest.h>

namespace ferrowen::testing {

// Gives the editor's document `body` as the whole of its body.
inline void setBody(EditorDocument &document, const QString &body)
{
    document.setDocumentHTML(QStringLiteral("<html><head></head><body>") + body + QStringLiteral("</body></html>"));
}

// Selects the first `text` in the body's text, or with `caretAt` puts the
// caret that many characters into it.
inline void selectText(EditorDocument &document, const QString &text, int caretAt = -1)
{
    const int start = int(document.bodyText().indexOf(text));
    ASSERT_GE(start, 0) << text.toStdString();
    document.select(caretAt < 0 ? TextRange{start, start + int(text.size())} : TextRange{start + caretAt, start + caretAt});
}

} // namespace ferrowen::testing
