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
    // What a form posted: URL-encoded data, and the encoding of the text
    // behind its percent escapes.
    struct Post
    {
        QByteArray data;
        QString charset;
    };

    // One report from the capture script: a JSON object with the form's
    // "action" address, its "method", the URL-encoded "data" and, when the
    // text is not UTF-8, its "charset". A later report replaces an earlier
    // one. A malformed report fails and changes nothing.
    Status report(const QString &json);

    // What an accepted main-frame navigation to url posted: the pending
    // report's data when this is a POST form submission to the reported
    // address, otherwise nothing. Every navigation ends the pending report.
    Post takePost(const QUrl &url, bool isFormSubmission);

    // What a form posted into a frame of the page (a hidden frame that
    // takes a site's answer): the pending report's data when a POST was
    // reported to exactly this address. Other frames' loads leave the
    // report pending for the main frame.
    Post takeFramePost(const QUrl &url);

    bool hasPending() const { return m_pending.has_value(); }

private:
    struct Report
    {
        QUrl action;
        QString method;
        Post post;
    };
    std::optional<Report> m_pending;
};

} // namespace ferrowen
