#include "platform/web/SubmissionTracker.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <utility>

namespace ferrowen {

namespace {

// The engine may add or drop a fragment; the query is compared too because
// the mail merge tells submissions apart by what it appends to the action.
bool sameTarget(const QUrl &action, const QUrl &navigation)
{
    const auto options = QUrl::RemoveFragment | QUrl::NormalizePathSegments;
    return action.adjusted(options) == navigation.adjusted(options);
}

} // namespace

Status SubmissionTracker::report(const QString &json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    const QJsonObject object = document.object();
    const QJsonValue action = object.value(QLatin1String("action"));
    const QJsonValue method = object.value(QLatin1String("method"));
    const QJsonValue data = object.value(QLatin1String("data"));
    const QJsonValue charset = object.value(QLatin1String("charset"));
    if (!document.isObject() || !action.isString() || !method.isString() || !data.isString()
        || !(charset.isUndefined() || charset.isString()))
        return Status::failure(QStringLiteral("a form report is not an object with action, method and data texts"));
    // The data is URL-encoded, hence plain ASCII.
    m_pending = Report{QUrl(action.toString()), method.toString(),
                       Post{data.toString().toLatin1(), charset.toString(QStringLiteral("UTF-8"))}};
    return Status::success();
}

SubmissionTracker::Post SubmissionTracker::takePost(const QUrl &url, bool isFormSubmission)
{
    const std::optional<Report> pending = std::exchange(m_pending, std::nullopt);
    if (!isFormSubmission || !pending || pending->method != QLatin1String("post"))
        return {};
    if (!sameTarget(pending->action, url))
        return {};
    return pending->post;
}

SubmissionTracker::Post SubmissionTracker::takeFramePost(const QUrl &url)
{
    if (!m_pending || m_pending->method != QLatin1String("post")
        || !sameTarget(m_pending->action, url))
        return {};
    return std::exchange(m_pending, std::nullopt)->post;
}

} // namespace ferrowen
