#include "merge/MergeRun.h"

#include "merge/MergePreflight.h"
#include "merge/MergeResults.h"
#include "merge/Personalise.h"
#include "platform/MessageBoxes.h"
#include "platform/WebPage.h"

#include <QElapsedTimer>
#include <QSet>

#include <memory>

namespace ferrowen {

const QString MergeRun::ErrorText = QStringLiteral(
    "Unable to send message. Are you sure the compose form is displayed? Mail Merge works only in plain test mode. "
    "You cannot use the Rich Text/HTML compose form.");

namespace {

// The error box of a run has an empty caption.
const QString NoTitle = QStringLiteral(" ");
// How often a pause looks at the clock and at Stop.
constexpr int PauseTickMs = 50;
// Rows in doubt named in one question; the rest are counted.
constexpr int ListedRowsInDoubt = 15;

QString withDetail(const QString &detail)
{
    return detail.isEmpty() ? MergeRun::ErrorText : MergeRun::ErrorText + QStringLiteral("\n\n") + detail;
}

MergeRun::Clock steadyClock()
{
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    return [started] { return started->elapsed(); };
}

bool hasAddress(const MergeAddresses &addresses, int row)
{
    return !addresses.address(row).trimmed().isEmpty();
}

QString count(int n, const char *one, const char *many)
{
    return QString::number(n) + QLatin1Char(' ') + QLatin1String(n == 1 ? one : many);
}

} // namespace

MergeRun::MergeRun(MergeRunHost host, Limits limits, Clock clock, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_limits(limits)
    , m_clock(clock ? std::move(clock) : steadyClock())
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(m_limits.pollIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &MergeRun::advance);
}

MergeRun::~MergeRun()
{
    if (isRunning())
        m_host.session.setMergeInProgress(false);
}

void MergeRun::start(Kind kind, bool selectedOnly)
{
    if (isRunning())
        return;
    m_selectedOnly = selectedOnly;
    m_resumePath.clear();
    begin(kind == Kind::Resume ? Kind::Send : kind);
}

void MergeRun::resume(const QString &journalPath)
{
    if (isRunning())
        return;
    m_selectedOnly = false;
    m_resumePath = journalPath;
    begin(Kind::Resume);
}

void MergeRun::begin(Kind kind)
{
    m_kind = kind;
    m_stopRequested = false;
    m_stoppedByRun = false;
    m_stopReason.clear();
    m_sentCount = m_failedCount = m_skippedCount = m_toSend = 0;
    m_messageMsTotal = m_messagesTimed = 0;
    // Only what this run captures is ever put back.
    m_captured.reset();
    if (kind != Kind::Test) {
        m_keys.clear();
        m_states.clear();
        m_journalPath.clear();
    }
    m_host.session.setMergeInProgress(true);
    m_host.compose.selectComposeTab();
    enter(Phase::Prepare);
    m_timer.start();
    advance();
}

void MergeRun::stopAndRestore()
{
    m_stopRequested = true;
    if (isRunning()) {
        // A pause ends at once; other waits see the request at their next look.
        if (m_phase == Phase::Pause)
            advance();
        return;
    }
    if (!m_captured) {
        Q_EMIT finished(Ending::Restored);
        return;
    }
    m_restoreEnding = Ending::Restored;
    m_host.session.setMergeInProgress(true);
    m_host.compose.selectComposeTab();
    enter(Phase::RestoreReturn);
    m_timer.start();
    advance();
}

void MergeRun::advance()
{
    // Page access lets events run, and so this timer; one step at a time.
    if (m_stepping || !isRunning())
        return;
    m_stepping = true;
    try {
        // Steps that need not wait follow each other at once.
        Phase before;
        do {
            before = m_phase;
            step();
        } while (m_phase != before && isRunning());
    } catch (const WebPageError &error) {
        fail(QString::fromStdString(error.what()));
    }
    m_stepping = false;
}

void MergeRun::enter(Phase phase)
{
    m_phase = phase;
    m_phaseStarted = m_clock();
    // A pause may last minutes: no need to look every few milliseconds.
    m_timer.setInterval(phase == Phase::Pause ? PauseTickMs : m_limits.pollIntervalMs);
}

bool MergeRun::waitedTooLong() const
{
    return m_clock() - m_phaseStarted > m_limits.waitLimitMs;
}

void MergeRun::step()
{
    const bool busy = m_host.compose.composeBusy();
    const auto onCompose = [this] {
        if (!m_names.newComposeAddress.isEmpty())
            return !m_pageUsed;
        return m_host.compose.composeLocation() == m_composeAddress;
    };
    const auto openCompose = [this] {
        m_host.compose.navigateCompose(m_names.newComposeAddress.isEmpty() ? m_composeAddress : m_names.newComposeAddress);
        m_pageUsed = false;
    };
    const auto stillWaiting = [this](bool waiting) {
        if (waiting && waitedTooLong())
            fail(QStringLiteral("The compose page did not answer within %1 seconds.").arg(m_limits.waitLimitMs / 1000));
        return waiting;
    };

    switch (m_phase) {
    case Phase::Idle:
        return;
    case Phase::Prepare:
        if (stillWaiting(busy))
            return;
        if (prepare())
            enter(Phase::NextRow);
        return;
    case Phase::NextRow:
        return nextRow();
    case Phase::Pause:
        if (m_stopRequested)
            return leaveSending();
        if (m_clock() - m_lastAnswerAt >= qint64(m_settings.pauseSeconds) * 1000)
            enter(Phase::FillRow);
        return;
    case Phase::FillRow:
        if (stillWaiting(busy))
            return;
        if (m_stopRequested)
            return leaveSending();
        m_messageStartedAt = m_clock();
        fillRow();
        return enter(m_kind == Kind::Test ? Phase::SettleTest : Phase::Submit);
    case Phase::SettleTest:
        if (!stillWaiting(busy))
            finish(Ending::TestShown);
        return;
    case Phase::Submit:
        if (stillWaiting(busy))
            return;
        // The last look before anything leaves.
        if (m_stopRequested)
            return leaveSending();
        // A send button the page's script enables once it has started.
        if (!m_names.sendScript.isEmpty()
            && !m_host.compose.composePage().runScript(m_names.sendScript, QStringLiteral("sendReady")).toBool()) {
            stillWaiting(true);
            return;
        }
        if (submit())
            enter(Phase::AwaitAnswer);
        return;
    case Phase::AwaitAnswer: {
        m_sawBusy = m_sawBusy || busy;
        QString reason;
        const Answer answer = siteAnswer(reason);
        if (answer == Answer::Pending && !waitedTooLong())
            return;
        judgeAnswer(answer == Answer::Pending ? Answer::Silent : answer, reason);
        if (m_stopRequested)
            return leaveSending();
        openCompose();
        return enter(Phase::AwaitCompose);
    }
    case Phase::AwaitCompose:
        if (stillWaiting(busy || !onCompose() || !composeFormShown()))
            return;
        // A site that moves its compose pages: answers are told apart from here.
        if (!m_names.newComposeAddress.isEmpty())
            m_composeAddress = m_host.compose.composeLocation();
        if (m_stopRequested)
            return leaveSending();
        return enter(Phase::NextRow);
    case Phase::RestoreReturn:
        if (stillWaiting(busy))
            return;
        if (onCompose())
            return enter(Phase::RestoreFill);
        openCompose();
        return enter(Phase::RestoreAwait);
    case Phase::RestoreAwait:
        if (!stillWaiting(busy || !onCompose() || !composeFormShown()))
            enter(Phase::RestoreFill);
        return;
    case Phase::RestoreFill:
        return restoreFill();
    }
}

bool MergeRun::composeFormShown()
{
    // The page left behind may still report the end of its load while the
    // compose page is on its way: only the form itself says it has come.
    try {
        m_host.compose.composePage().formField(m_names.form, m_names.to);
        return true;
    } catch (const WebPageError &) {
        return false;
    }
}

bool MergeRun::prepare()
{
    // Questions below are modal: no steps meanwhile.
    m_timer.stop();
    m_composeAddress = m_host.compose.composeLocation();
    m_names = m_host.compose.composeFormNames(m_composeAddress);
    if (!checkFormNames())
        return false;
    if (!(m_kind == Kind::Resume ? prepareResume() : prepareSend()))
        return false;
    m_next = 0;
    m_row = -1;
    m_lastAnswerAt = m_clock();
    m_timer.start();
    return true;
}

bool MergeRun::prepareSend()
{
    m_addresses = m_host.addresses.addressesToMerge(m_selectedOnly);
    bool anyAddress = false;
    for (int row = 0; row < m_addresses.rows.size() && !anyAddress; ++row)
        anyAddress = hasAddress(m_addresses, row);
    if (m_addresses.emailColumn < 0 || !anyAddress) {
        finish(Ending::Declined);
        m_host.session.messageBoxes().show(QStringLiteral("There is no address to send to. Open an address book, and "
                                                  "select the addresses when only the selected ones are to be used."));
        return false;
    }

    WebPage &page = m_host.compose.composePage();
    MergeTemplates templates;
    templates.subject = page.formField(m_names.form, m_names.subject).value();
    templates.body = page.formField(m_names.form, m_names.body).value();
    m_captured = templates;
    m_message = templates;

    m_order.clear();
    for (int row = 0; row < m_addresses.rows.size(); ++row) {
        if (m_kind == Kind::Send || hasAddress(m_addresses, row))
            m_order << row;
        if (m_kind == Kind::Test && !m_order.isEmpty())
            break;
    }
    if (m_kind == Kind::Test)
        return true;

    m_keys = mergeRowKeys(m_addresses);
    QStringList planned;
    for (const QString &key : std::as_const(m_keys)) {
        if (!key.isEmpty())
            planned << key;
    }
    m_toSend = int(planned.size());
    // Starting anew what an unfinished run of the same message already
    // half sent: said before anything goes.
    int sentByUnfinished = 0;
    if (!m_journalFolder.isEmpty()) {
        const auto unfinished = findUnfinishedMergeJournal(m_journalFolder, m_addresses.bookPath);
        if (unfinished && unfinished->header.subject == m_message.subject && unfinished->header.body == m_message.body) {
            const QSet<QString> ours(planned.cbegin(), planned.cend());
            for (const MergeRowRecord &record : unfinished->latest) {
                if (record.state == MergeRowState::Sent && ours.contains(record.key))
                    ++sentByUnfinished;
            }
        }
    }
    if (!confirmMergeFields() || !confirmPlan(0, 0, sentByUnfinished)) {
        m_captured.reset();
        m_keys.clear();
        finish(Ending::Declined);
        return false;
    }
    if (m_journalFolder.isEmpty())
        return true;
    const MergeJournalHeader header{m_addresses.bookPath, m_message.subject, m_message.body,
                                    QDateTime::currentDateTime()};
    if (const Status created = m_journal.create(m_journalFolder, header, planned); !created) {
        m_captured.reset();
        finish(Ending::Declined);
        m_host.session.messageBoxes().show(created.error() + QStringLiteral("\n\nNothing was sent."), MessageBoxes::Buttons::Ok,
                                   MessageBoxes::Icon::Warning);
        return false;
    }
    m_journalPath = m_journal.path();
    return true;
}

bool MergeRun::prepareResume()
{
    const auto declined = [this](const QString &why) {
        m_journal.close();
        finish(Ending::Declined);
        m_host.session.messageBoxes().show(why, MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
        return false;
    };
    const auto journal = readMergeJournal(m_resumePath);
    if (!journal)
        return declined(journal.error());
    m_addresses = m_host.addresses.addressesToMerge(false);
    if (m_addresses.bookPath != journal->header.bookPath)
        return declined(QStringLiteral("The unfinished merge sent to the address book \"%1\". Open that book to "
                                       "resume it.")
                            .arg(journal->header.bookPath));

    m_message = {journal->header.subject, journal->header.body};
    WebPage &page = m_host.compose.composePage();
    m_captured = MergeTemplates{page.formField(m_names.form, m_names.subject).value(),
                                page.formField(m_names.form, m_names.body).value()};
    m_keys = mergeRowKeys(m_addresses);
    m_states = journal->latest;

    const QStringList remaining = journal->remaining();
    const QSet<QString> toDo(remaining.cbegin(), remaining.cend());
    QStringList sendAgain, notAgain;
    if (!askAboutRowsInDoubt(*journal, sendAgain, notAgain)) {
        m_captured.reset();
        m_keys.clear();
        finish(Ending::Declined);
        return false;
    }
    const QSet<QString> skipped(notAgain.cbegin(), notAgain.cend());
    m_order.clear();
    QSet<QString> found;
    for (int row = 0; row < m_keys.size(); ++row) {
        const QString &key = m_keys.at(row);
        if (!toDo.contains(key))
            continue;
        found.insert(key);
        if (!skipped.contains(key))
            m_order << row;
    }
    m_toSend = int(m_order.size());
    if (m_order.isEmpty() && notAgain.isEmpty()) {
        m_captured.reset();
        return declined(QStringLiteral("Nothing of the unfinished merge is left to send: the rows it has not done are "
                                       "no longer in the address book."));
    }
    if (!confirmPlan(journal->doneCount(), int(notAgain.size()), 0)) {
        m_captured.reset();
        m_keys.clear();
        finish(Ending::Declined);
        return false;
    }
    if (const Status reopened = m_journal.reopen(m_resumePath); !reopened) {
        m_captured.reset();
        return declined(reopened.error() + QStringLiteral("\n\nNothing was sent."));
    }
    m_journalPath = m_resumePath;
    (void)m_journal.event(QStringLiteral("resumed"));
    for (int row = 0; row < m_keys.size(); ++row) {
        if (skipped.contains(m_keys.at(row)))
            record(row, MergeRowState::Skipped, QStringLiteral("a message may already have gone out; not sent again"));
    }
    // Rows gone from the book cannot be sent: said once, so the journal
    // does not offer them for ever.
    for (const QString &key : remaining) {
        if (found.contains(key))
            continue;
        MergeRowRecord gone = m_states.value(key);
        gone.key = key;
        gone.state = MergeRowState::Skipped;
        gone.reason = QStringLiteral("no longer in the address book");
        gone.answered = true;
        gone.time = QDateTime::currentDateTime();
        m_states.insert(key, gone);
        (void)m_journal.record(gone, false);
    }
    return true;
}

bool MergeRun::askAboutRowsInDoubt(const MergeJournalContent &journal, QStringList &sendAgain, QStringList &notAgain)
{
    const QList<MergeRowRecord> doubtful = journal.inDoubt();
    if (doubtful.isEmpty())
        return true;
    QStringList listed;
    for (const MergeRowRecord &row : doubtful.mid(0, ListedRowsInDoubt))
        listed << QStringLiteral("  row %1: %2").arg(row.row).arg(row.address);
    if (doubtful.size() > ListedRowsInDoubt)
        listed << QStringLiteral("  and %1 more").arg(doubtful.size() - ListedRowsInDoubt);
    const QString question =
        QStringLiteral("The site never answered the last submission of %1, so the message may have gone out:\n%2\n\n"
                       "Send them again?\nYes: send them again.\nNo: skip them.\nCancel: decide one by one.")
            .arg(count(int(doubtful.size()), "row", "rows"), listed.join(QLatin1Char('\n')));
    const auto answer = m_host.session.messageBoxes().show(question, MessageBoxes::Buttons::YesNoCancel,
                                                   MessageBoxes::Icon::Question);
    for (const MergeRowRecord &row : doubtful) {
        bool again = answer == MessageBoxes::Answer::Yes;
        if (answer == MessageBoxes::Answer::Cancel) {
            const QString one = QStringLiteral("Send the message again to row %1, %2? It may have gone out at %3.")
                                    .arg(row.row)
                                    .arg(row.address, row.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
            again = m_host.session.messageBoxes().show(one, MessageBoxes::Buttons::YesNoDefaultNo, MessageBoxes::Icon::Question)
                == MessageBoxes::Answer::Yes;
        }
        (again ? sendAgain : notAgain) << row.key;
    }
    return true;
}

bool MergeRun::refuseEmptyBody()
{
    if (!m_names.bodyRequired)
        return false;
    for (int row : std::as_const(m_order)) {
        if (!hasAddress(m_addresses, row)
            || !Personalise(m_message.body, m_addresses.columnNames, m_addresses.rows.at(row)).trimmed().isEmpty())
            continue;
        m_host.session.messageBoxes().show(
            QStringLiteral("The message to %1 (row %2) has no body. This webmail stops to ask before it sends a "
                           "message without one, and a mail merge cannot answer it: write the message into the "
                           "compose form's body (or fill the column its merge fields take) and start again.\n\n"
                           "Nothing was sent.")
                .arg(m_addresses.address(row).trimmed())
                .arg(bookRow(row)),
            MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
        return true;
    }
    return false;
}

bool MergeRun::confirmPlan(int doneBefore, int notSentAgain, int sentByUnfinished)
{
    if (refuseEmptyBody())
        return false;
    MergePlan plan;
    plan.toSend = m_toSend;
    plan.doneBefore = doneBefore;
    plan.notSentAgain = notSentAgain;
    if (m_kind == Kind::Send) {
        for (int row = 0; row < m_addresses.rows.size(); ++row)
            plan.withoutAddress += !hasAddress(m_addresses, row);
    }
    for (int row : std::as_const(m_order)) {
        if (!hasAddress(m_addresses, row))
            continue;
        const QStringList &cells = m_addresses.rows.at(row);
        plan.firstAddress = m_addresses.address(row).trimmed();
        plan.firstSubject = Personalise(m_message.subject, m_addresses.columnNames, cells);
        plan.firstBody = Personalise(m_message.body, m_addresses.columnNames, cells);
        break;
    }
    QString text = mergePreflightText(plan, m_settings);
    if (sentByUnfinished > 0)
        text.prepend(QStringLiteral("An unfinished merge of this message has already sent it to %1 of these "
                                    "addresses: Start sends to them again, Resume only to the others.\n\n")
                         .arg(sentByUnfinished));
    if (plan.toSend == 0) {
        // Only rows in doubt the user chose not to send: recorded, nothing to ask.
        return true;
    }
    return m_host.session.messageBoxes().show(text, MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Question)
        == MessageBoxes::Answer::Yes;
}

bool MergeRun::checkFormNames()
{
    WebPage &page = m_host.compose.composePage();
    QString missing;
    try {
        page.formElementCount(m_names.form);
    } catch (const WebPageError &) {
        missing = QStringLiteral("The compose page has no form named \"%1\".").arg(m_names.form);
    }
    for (const QString &field : {m_names.to, m_names.subject, m_names.body}) {
        if (!missing.isEmpty())
            break;
        try {
            page.formField(m_names.form, field);
        } catch (const WebPageError &) {
            missing = QStringLiteral("The compose form \"%1\" has no field named \"%2\".").arg(m_names.form, field);
        }
    }
    if (missing.isEmpty() && !m_names.sendScript.isEmpty()) {
        try {
            page.runScript(m_names.sendScript, QStringLiteral("sendReady"));
        } catch (const WebPageError &error) {
            missing = QStringLiteral("The compose page cannot send: %1.").arg(QString::fromStdString(error.what()));
        }
    }
    if (missing.isEmpty())
        return true;
    finish(Ending::Declined);
    m_host.session.messageBoxes().show(withDetail(missing), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::None, NoTitle);
    return false;
}

bool MergeRun::confirmMergeFields()
{
    QStringList unmatched = mergeFieldsWithoutColumn(m_message.subject, m_addresses.columnNames);
    for (const QString &name : mergeFieldsWithoutColumn(m_message.body, m_addresses.columnNames)) {
        if (!unmatched.contains(name, Qt::CaseInsensitive))
            unmatched << name;
    }
    if (unmatched.isEmpty())
        return true;
    QStringList shown;
    for (const QString &name : unmatched)
        shown << QStringLiteral("<<") + name + QStringLiteral(">>");
    const QString question =
        QStringLiteral("These merge fields match no column of the address book and would be sent as they are: "
                       "%1\n\nSend the messages anyway?")
            .arg(shown.join(QStringLiteral(", ")));
    return m_host.session.messageBoxes().show(question, MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Question)
        == MessageBoxes::Answer::Yes;
}

void MergeRun::nextRow()
{
    if (m_stopRequested)
        return leaveSending();
    m_row = -1;
    while (m_next < m_order.size()) {
        const int row = m_order.at(m_next);
        if (hasAddress(m_addresses, row)) {
            m_row = row;
            break;
        }
        ++m_next;
        ++m_skippedCount;
        if (!record(row, MergeRowState::Skipped, QStringLiteral("no address")))
            return;
    }
    if (m_row < 0)
        return leaveSending();
    if (m_kind != Kind::Test && m_settings.stopAfter > 0 && m_sentCount >= m_settings.stopAfter) {
        m_stoppedByRun = true;
        m_stopReason = QStringLiteral("the run stopped after %1.").arg(count(m_sentCount, "message", "messages"));
        return leaveSending();
    }
    ++m_next;
    const bool pause = m_kind != Kind::Test && m_settings.pauseSeconds > 0 && m_messagesTimed > 0;
    enter(pause ? Phase::Pause : Phase::FillRow);
}

void MergeRun::fillRow()
{
    const QStringList &row = m_addresses.rows.at(m_row);
    WebPage &page = m_host.compose.composePage();
    page.formField(m_names.form, m_names.to).setValue(m_addresses.address(m_row));
    page.formField(m_names.form, m_names.subject).setValue(Personalise(m_message.subject, m_addresses.columnNames, row));
    page.formField(m_names.form, m_names.body).setValue(Personalise(m_message.body, m_addresses.columnNames, row));
}

bool MergeRun::submit()
{
    // On the disk before the form goes: whatever happens next, the row is
    // known to be in flight.
    if (!record(m_row, MergeRowState::Submitting, QString(), true, true))
        return false;
    m_sawBusy = false;
    if (m_names.sendScript.isEmpty()) {
        m_host.compose.composePage().submitForm(m_names.form, m_names.sendSuffix);
    } else if (!m_host.compose.composePage().runScript(m_names.sendScript, QStringLiteral("send")).toBool()) {
        // The page has just become busy and would have ignored the click:
        // nothing went, the row is submitted once it is ready again.
        return false;
    }
    m_pageUsed = true;
    return true;
}

std::optional<MergeRun::Answer> MergeRun::scriptAnswer(QString &reason)
{
    QJsonObject answer;
    try {
        answer = m_host.compose.composePage().runScript(m_names.sendScript, QStringLiteral("sendState")).toObject();
    } catch (const WebPageError &) {
        // The page is leaving: its next one tells.
        return Answer::Pending;
    }
    const QString state = answer.value(QLatin1String("state")).toString();
    const QString words = answer.value(QLatin1String("message")).toString();
    if (state == QLatin1String("sent"))
        return Answer::Taken;
    if (state == QLatin1String("refused")) {
        reason = words.isEmpty() ? QStringLiteral("the site refused the message")
                                 : QStringLiteral("the site refused the message: %1").arg(words);
        return Answer::Refused;
    }
    if (state == QLatin1String("draft")) {
        reason = QStringLiteral("the site saved a draft instead of sending");
        return Answer::Refused;
    }
    if (state == QLatin1String("pending"))
        return Answer::Pending;
    // "none": another document than the one that sent; the address and
    // the form tell.
    return std::nullopt;
}

MergeRun::Answer MergeRun::siteAnswer(QString &reason)
{
    if (m_host.compose.composeBusy())
        return Answer::Pending;
    if (!m_names.sendScript.isEmpty() && m_host.compose.composeLocation() == m_composeAddress) {
        if (const std::optional<Answer> answer = scriptAnswer(reason))
            return *answer;
    }
    const bool moved = m_host.compose.composeLocation() != m_composeAddress;
    // Answered on another address, or the compose address loaded anew.
    if (!moved && !m_sawBusy)
        return Answer::Pending;
    if (const QString error = m_host.compose.composeLoadError(); !error.isEmpty()) {
        reason = QStringLiteral("the site answered with an error page (%1)").arg(error);
        return Answer::Refused;
    }
    if (composeFormShown()) {
        reason = QStringLiteral("the site showed the compose form again");
        return Answer::Refused;
    }
    return Answer::Taken;
}

void MergeRun::judgeAnswer(Answer answer, const QString &reason)
{
    const qint64 now = m_clock();
    m_lastAnswerAt = now;
    m_messageMsTotal += now - m_messageStartedAt;
    ++m_messagesTimed;
    const QString address = m_addresses.address(m_row);
    if (answer == Answer::Taken) {
        ++m_sentCount;
        if (!record(m_row, MergeRowState::Sent))
            return;
        Q_EMIT messageSent(m_sentCount, address);
        return;
    }
    ++m_failedCount;
    const bool silent = answer == Answer::Silent;
    const QString why = silent ? QStringLiteral("no answer from the site within %1 seconds; the message may have gone out")
                                     .arg(m_limits.waitLimitMs / 1000)
                               : reason;
    if (!record(m_row, MergeRowState::Failed, why, !silent))
        return;
    if (m_settings.stopAtFirstFailure && !m_stopRequested) {
        m_stopRequested = true;
        m_stoppedByRun = true;
        m_stopReason = QStringLiteral("the run stopped at the first failure.");
    }
}

bool MergeRun::record(int row, MergeRowState state, const QString &reason, bool answered, bool durable)
{
    MergeRowRecord line;
    line.key = m_keys.value(row);
    if (line.key.isEmpty())
        line.key = mergeRowWithoutAddressKey(bookRow(row));
    line.row = bookRow(row);
    line.address = m_addresses.address(row).trimmed();
    line.state = state;
    line.reason = reason;
    line.answered = answered;
    line.time = QDateTime::currentDateTime();
    if (m_kind != Kind::Test)
        m_states.insert(line.key, line);
    if (m_journal.isOpen()) {
        if (const Status written = m_journal.record(line, durable); !written) {
            fail(written.error() + QStringLiteral(" Nothing more is sent."));
            return false;
        }
    }
    if (state != MergeRowState::Submitting) {
        const QString who = line.address.isEmpty() ? QStringLiteral("Row %1").arg(line.row) : line.address;
        Q_EMIT rowLogged(who + QStringLiteral(": ")
                         + mergeStatusText(&line, false));
    }
    return true;
}

void MergeRun::leaveSending()
{
    m_restoreEnding = m_kind == Kind::Test ? Ending::Restored
                    : m_stopRequested || m_stoppedByRun ? Ending::Stopped
                                                        : Ending::Completed;
    if (m_journal.isOpen())
        (void)m_journal.event(QStringLiteral("ended"), m_restoreEnding == Ending::Completed ? QStringLiteral("completed")
                                                                                           : QStringLiteral("stopped"));
    m_journal.close();
    if (!m_captured)
        return finish(m_restoreEnding);
    enter(Phase::RestoreReturn);
}

void MergeRun::restoreFill()
{
    WebPage &page = m_host.compose.composePage();
    page.formField(m_names.form, m_names.body).setValue(m_captured->body);
    page.formField(m_names.form, m_names.to).setValue(QString());
    page.formField(m_names.form, m_names.subject).setValue(m_captured->subject);
    m_captured.reset();
    finish(m_restoreEnding);
}

void MergeRun::finish(Ending ending)
{
    m_timer.stop();
    m_phase = Phase::Idle;
    m_journal.close();
    m_host.session.setMergeInProgress(false);
    Q_EMIT finished(ending);
}

void MergeRun::fail(const QString &detail)
{
    m_timer.stop();
    m_phase = Phase::Idle;
    m_journal.close();
    // Cleared before the message: sent copies and the other compose
    // writers work again whatever the user does with the box.
    m_host.session.setMergeInProgress(false);
    m_host.session.messageBoxes().show(withDetail(detail), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::None, NoTitle);
    Q_EMIT finished(Ending::Failed);
}

QString MergeRun::summaryText() const
{
    if (m_keys.isEmpty())
        return {};
    QStringList parts;
    parts << count(m_sentCount, "message sent", "messages sent");
    if (m_failedCount > 0)
        parts << count(m_failedCount, "failed", "failed");
    if (m_skippedCount > 0)
        parts << count(m_skippedCount, "row skipped: no address", "rows skipped: no address");
    QString text = parts.join(QStringLiteral(", ")) + QLatin1Char('.');
    int remaining = 0;
    QSet<QString> seen;
    for (const QString &key : m_keys) {
        if (key.isEmpty() || seen.contains(key))
            continue;
        seen.insert(key);
        const auto found = m_states.constFind(key);
        remaining += found == m_states.cend() || !found->done();
    }
    if (!m_stopReason.isEmpty())
        text += QStringLiteral(" ") + m_stopReason.left(1).toUpper() + m_stopReason.mid(1);
    if (remaining > 0 && !isRunning())
        text += QStringLiteral(" %1 not sent: Resume sends them.").arg(count(remaining, "row", "rows"));
    return text;
}

qint64 MergeRun::estimatedMsLeft() const
{
    if (!isRunning() || m_kind == Kind::Test)
        return 0;
    // The row picked but not yet submitted counts; one on its way is nearly done.
    int left = m_phase == Phase::Pause || m_phase == Phase::FillRow ? 1 : 0;
    for (int i = m_next; i < m_order.size(); ++i)
        left += hasAddress(m_addresses, m_order.at(i));
    if (m_settings.stopAfter > 0)
        left = std::min(left, std::max(0, m_settings.stopAfter - m_sentCount));
    const qint64 perMessage = m_messagesTimed > 0 ? m_messageMsTotal / m_messagesTimed : 0;
    const qint64 pauseMs = qint64(m_settings.pauseSeconds) * 1000;
    qint64 total = left * (perMessage + pauseMs);
    if (m_phase == Phase::Pause)
        total -= std::min(pauseMs, m_clock() - m_lastAnswerAt);
    return std::max<qint64>(total, 0);
}

QByteArray MergeRun::resultsCsv() const
{
    return mergeResultsCsv(m_addresses, m_keys, m_states);
}

} // namespace ferrowen
