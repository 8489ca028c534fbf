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
    if (!document.isObject() || !action.isString() || !method.isString() || !data.isString())
        return Status::failure(QStringLiteral("a form report is not an object with action, method and data texts"));
    // The data is URL-encoded, hence plain ASCII.
    m_pending = Report{QUrl(action.toString()), method.toString(), data.toString().toLatin1()};
    return Status::success();
}

QByteArray SubmissionTracker::takePostData(const QUrl &url, bool isFormSubmission)
{
    const std::optional<Report> pending = std::exchange(m_pending, std::nullopt);
    if (!isFormSubmission || !pending || pending->method != QLatin1String("post"))
        return {};
    if (!sameTarget(pending->action, url))
        return {};
    return pending->data;
}

} // namespace ferrowen
