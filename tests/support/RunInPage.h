#pragma once

#include "WaitFor.h"

#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <memory>
#include <optional>

namespace ferrowen::testing {

// Runs a script as the page's own scripts would and returns its result.
inline QVariant runInPage(QWebEnginePage &page, const QString &script)
{
    auto result = std::make_shared<std::optional<QVariant>>();
    page.runJavaScript(script, QWebEngineScript::MainWorld, [result](const QVariant &value) { *result = value; });
    if (!waitFor([&] { return result->has_value(); }))
        return {};
    return result->value_or(QVariant());
}

} // namespace ferrowen::testing
