#include "webmail/ReplyShaping.h"

#include "webmail/QuotedBody.h"

namespace ferrowen {

QString subjectForMode(ComposeMode mode, const QString &subject)
{
    switch (mode) {
    case ComposeMode::ReplyWithText:
    case ComposeMode::ReplyBlank:
        return QStringLiteral("RE: ") + subject;
    case ComposeMode::Forward:
        return QStringLiteral("FWD: ") + subject;
    default:
        return subject;
    }
}

QString recipientFromAngleBracket(const QString &recipient)
{
    const qsizetype bracket = recipient.indexOf(QLatin1Char('<'));
    return bracket < 0 ? recipient : recipient.mid(bracket);
}

QString bodyForMode(ComposeMode mode, const QString &savedBody)
{
    const QString spaced = QStringLiteral("\n\n") + savedBody;
    switch (mode) {
    case ComposeMode::ReplyWithText:
    case ComposeMode::Forward:
        return quoteBodyLines(wrapBodyLines(spaced));
    case ComposeMode::SendAgain:
        return wrapBodyLines(spaced);
    case ComposeMode::Mailto:
        return savedBody;
    default:
        return QString();
    }
}

} // namespace ferrowen
