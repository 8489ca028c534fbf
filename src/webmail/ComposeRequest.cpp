#include "webmail/ComposeRequest.h"

#include <QCoreApplication>

namespace ferrowen {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ComposeRequest", text);
}

QString quoted(const QString &text)
{
    return QStringLiteral("\u201c%1\u201d").arg(text);
}

QString describeMailLink(const ComposeDraft &draft)
{
    if (!draft.recipient.isEmpty())
        return tr("the mail link to %1").arg(draft.recipient);
    if (!draft.subject.isEmpty())
        return tr("the mail link %1").arg(quoted(draft.subject));
    return tr("a mail link");
}

} // namespace

QString describeRequest(const ComposeRequest &request)
{
    const ComposeDraft &draft = request.draft;
    switch (request.mode) {
    case ComposeMode::Mailto:
        return describeMailLink(draft);
    case ComposeMode::ReplyWithText:
    case ComposeMode::ReplyBlank:
        return tr("the reply to %1").arg(draft.recipient);
    case ComposeMode::Forward:
        return tr("the forward %1").arg(quoted(draft.subject));
    case ComposeMode::SendAgain:
        return tr("the message to %1 to send again").arg(draft.recipient);
    case ComposeMode::InsertTemplate:
    case ComposeMode::CaptureTemplate:
        return tr("the template %1").arg(quoted(draft.subject));
    }
    return tr("a message");
}

QString waitingNotice(const QList<ComposeRequest> &waiting)
{
    if (waiting.isEmpty())
        return QString();
    const ComposeRequest &first = waiting.first();
    QString text = first.waiting == ComposeRequest::Waiting::ForComposePage
        ? tr("Sign in to your webmail; %1 is waiting.").arg(describeRequest(first))
        : tr("Put aside: %1.").arg(describeRequest(first));
    if (waiting.size() > 1)
        text += QLatin1Char(' ')
            + QCoreApplication::translate("ComposeRequest", "(%n more waiting)", nullptr, int(waiting.size() - 1));
    return text;
}

} // namespace ferrowen
