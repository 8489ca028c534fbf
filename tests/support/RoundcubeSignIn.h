#pragma once

#include "platform/web/BrowserPane.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include "BrowserPaneProbe.h"
#include "RunInPage.h"
#include "WaitFor.h"

namespace ferrowen::testing {

// Signs a pane that shows Roundcube's login page in, as the user would:
// types the name and password into "_user" and "_pass" and presses the
// login button. Succeeds once the pane shows the mailbox.
inline ::testing::AssertionResult signInToRoundcube(BrowserPane &pane, const QString &user, const QString &password,
                                                    int timeoutMs = 30000)
{
    QWebEnginePage &page = *BrowserPaneProbe::page(pane);
    const auto hasLoginForm = [&] {
        return runInPage(page, QStringLiteral("!!document.querySelector('form#login-form input[name=_user]')")).toBool();
    };
    if (!waitFor(hasLoginForm, timeoutMs))
        return ::testing::AssertionFailure() << "no Roundcube login form at " << pane.locationUrl().toStdString();

    const QString arguments = QString::fromUtf8(QJsonDocument(QJsonArray{user, password}).toJson(QJsonDocument::Compact));
    runInPage(page, QStringLiteral("(function ([user, password]) {"
                                   "  const form = document.getElementById('login-form');"
                                   "  form.elements['_user'].value = user;"
                                   "  form.elements['_pass'].value = password;"
                                   "  document.getElementById('rcmloginsubmit').click();"
                                   "})(%1)")
                          .arg(arguments));
    const auto inMailbox = [&] {
        return !pane.isBusy() && pane.locationUrl().contains(QLatin1String("_task=mail"))
            && runInPage(page, QStringLiteral("document.body.classList.contains('task-mail')")).toBool();
    };
    if (!waitFor(inMailbox, timeoutMs))
        return ::testing::AssertionFailure() << user.toStdString() << " was not signed in; the pane shows "
                                             << pane.locationUrl().toStdString();
    return ::testing::AssertionSuccess();
}

} // namespace ferrowen::testing
