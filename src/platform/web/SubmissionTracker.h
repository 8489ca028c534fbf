#pragma once

#include "platform/Status.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

namespace ferrowen {

// Pairs the form data a page reports at each submission with the
// navigation that follows it. A report is only pending: the page may still
// cancel the submission, so the data belongs to a navigation only when the
// engine accepts a form submission to the same address.
class SubmissionTracker
{
public:
    // One report from the capture script: a JSON object with the form's
    // "action" address, its "method" and the URL-encoded "data". A later
    // report replaces an earlier one. A malformed report fails and changes
    // nothing.
    Status report(const QString &json);

    // The post data of an accepted main-frame navigation to url: the
    // pending report's data when this is a POST form submission to the
    // reported address, otherwise empty. Every navigation ends the pending
    // report.
    QByteArray takePostData(const QUrl &url, bool isFormSubmission);

    bool hasPending() const { return m_pending.has_value(); }

private:
    struct Report
    {
        QUrl action;
        QString method;
        QByteArray data;
    };
    std::optional<Report> m_pending;
};

} // namespace ferrowen
