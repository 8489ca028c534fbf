#pragma once

#include "platform/WebPage.h"

#include <QStringList>

namespace ferrowen::testing {

// The value of a field of a page's form, or "<no form>" while the page has
// no such form or field; `frames` leads to a form inside nested frames.
inline QString formFieldValue(WebPage &page, const QString &form, const QString &field, const QStringList &frames = {})
{
    try {
        return frames.isEmpty() ? page.formField(form, field).value() : page.frameFormField(frames, form, field).value();
    } catch (const WebPageError &) {
        return QStringLiteral("<no form>");
    }
}

} // namespace ferrowen::testing
