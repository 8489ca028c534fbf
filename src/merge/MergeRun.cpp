#include "merge/MergeRun.h"

#include "merge/Personalise.h"
#include "platform/MessageBoxes.h"
#include "platform/WebPage.h"

#include <QElapsedTimer>

#include <memory>

namespace ferrowen {

const QString MergeRun::ErrorText = QStringLiteral(
    "Unable to send message. Are you sure the compose form is displayed? Mail Merge works only in plain test mode. "
    "You cannot use the Rich Text/HTML compose form.");

namespace {

// The error box of a run has an empty caption.
const QString NoTitle = QStringLiteral(" ");

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

} // namespace

MergeRun::MergeRun(MergeRunHost &host, Limits limits, Clock clock, QObject *parent)
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
        m_host.setMergeInProgress(false);
}

void MergeRun::start(Kind kind, bool selectedOnly)
{
    if (isRunning())
        return;
    m_kind = kind;
    m_selectedOnly = selectedOnly;
    m_stopRequested = false;
    m_sentCount = 0;
    // Only what this run captures is ever put back.
    m_captured.reset();
    m_host.setMergeInProgress(true);
    m_host.selectComposeTab();
    enter(Phase::Prepare);
    m_timer.start();
    advance();
}

void MergeRun::stopAndRestore()
{
    m_stopRequested = true;
    if (isRunning())
        return; // the run sees the request at its next check, then restores
    if (!m_captured) {
        Q_EMIT finished(Ending::Restored);
        return;
    }
    m_restoreEnding = Ending::Restored;
    m_host.setMergeInProgress(true);
    m_host.selectComposeTab();
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
}

bool MergeRun::waitedTooLong() const
{
    return m_clock() - m_phaseStarted > m_limits.waitLimitMs;
}

void MergeRun::step()
{
    const bool busy = m_host.composeBusy();
    const auto onCompose = [this] { return m_host.composeLocation() == m_composeAddress; };
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
        if (m_stopRequested)
            return leaveSending();
        do {
            ++m_row;
        } while (m_row < m_addresses.rows.size() && !hasAddress(m_addresses, m_row));
        if (m_row >= m_addresses.rows.size())
            return leaveSending();
        return enter(Phase::FillRow);
    case Phase::FillRow:
        if (stillWaiting(busy))
            return;
        if (m_stopRequested)
            return leaveSending();
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
        submit();
        return enter(Phase::AwaitAnswer);
    case Phase::AwaitAnswer:
        // The site has answered when the pane shows another address: the
        // form's own navigation is over, the message is with the site. Its
        // answer page need not finish loading before the next row.
        if (stillWaiting(onCompose()))
            return;
        countAnswer();
        if (m_stopRequested)
            return leaveSending();
        m_host.navigateCompose(m_composeAddress);
        return enter(Phase::AwaitCompose);
    case Phase::AwaitCompose:
        if (stillWaiting(busy || !onCompose() || !composeFormShown()))
            return;
        if (m_stopRequested)
            return leaveSending();
        return enter(Phase::NextRow);
    case Phase::RestoreReturn:
        if (stillWaiting(busy))
            return;
        if (onCompose())
            return enter(Phase::RestoreFill);
        m_host.navigateCompose(m_composeAddress);
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
        m_host.composePage().formField(m_names.form, m_names.to);
        return true;
    } catch (const WebPageError &) {
        return false;
    }
}

bool MergeRun::prepare()
{
    // Questions below are modal: no steps meanwhile.
    m_timer.stop();
    m_composeAddress = m_host.composeLocation();
    m_names = m_host.composeFormNames(m_composeAddress);
    if (!checkFormNames())
        return false;

    m_addresses = m_host.addressesToMerge(m_selectedOnly);
    bool anyAddress = false;
    for (int row = 0; row < m_addresses.rows.size() && !anyAddress; ++row)
        anyAddress = hasAddress(m_addresses, row);
    if (m_addresses.emailColumn < 0 || !anyAddress) {
        finish(Ending::Declined);
        m_host.messageBoxes().show(QStringLiteral("There is no address to send to. Open an address book, and "
                                                  "select the addresses when only the selected ones are to be used."));
        return false;
    }

    WebPage &page = m_host.composePage();
    MergeTemplates templates;
    templates.subject = page.formField(m_names.form, m_names.subject).value();
    templates.body = page.formField(m_names.form, m_names.body).value();
    m_captured = templates;

    if (m_kind == Kind::Send && !confirmMergeFields()) {
        m_captured.reset();
        finish(Ending::Declined);
        return false;
    }
    m_row = -1;
    m_timer.start();
    return true;
}

bool MergeRun::checkFormNames()
{
    WebPage &page = m_host.composePage();
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
    if (missing.isEmpty())
        return true;
    finish(Ending::Declined);
    m_host.messageBoxes().show(withDetail(missing), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::None, NoTitle);
    return false;
}

bool MergeRun::confirmMergeFields()
{
    QStringList unmatched = mergeFieldsWithoutColumn(m_captured->subject, m_addresses.columnNames);
    for (const QString &name : mergeFieldsWithoutColumn(m_captured->body, m_addresses.columnNames)) {
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
    return m_host.messageBoxes().show(question, MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Question)
        == MessageBoxes::Answer::Yes;
}

void MergeRun::fillRow()
{
    const QStringList &row = m_addresses.rows.at(m_row);
    WebPage &page = m_host.composePage();
    page.formField(m_names.form, m_names.to).setValue(m_addresses.address(m_row));
    page.formField(m_names.form, m_names.subject).setValue(Personalise(m_captured->subject, m_addresses.columnNames, row));
    page.formField(m_names.form, m_names.body).setValue(Personalise(m_captured->body, m_addresses.columnNames, row));
}

void MergeRun::submit()
{
    m_host.composePage().submitForm(m_names.form, m_names.sendSuffix);
}

void MergeRun::countAnswer()
{
    ++m_sentCount;
    Q_EMIT messageSent(m_sentCount, m_addresses.address(m_row));
}

void MergeRun::leaveSending()
{
    m_restoreEnding = m_kind == Kind::Test ? Ending::Restored : m_stopRequested ? Ending::Stopped : Ending::Completed;
    if (!m_captured)
        return finish(m_restoreEnding);
    enter(Phase::RestoreReturn);
}

void MergeRun::restoreFill()
{
    WebPage &page = m_host.composePage();
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
    m_host.setMergeInProgress(false);
    Q_EMIT finished(ending);
}

void MergeRun::fail(const QString &detail)
{
    m_timer.stop();
    m_phase = Phase::Idle;
    // Cleared before the message: sent copies and the other compose
    // writers work again whatever the user does with the box.
    m_host.setMergeInProgress(false);
    m_host.messageBoxes().show(withDetail(detail), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::None, NoTitle);
    Q_EMIT finished(Ending::Failed);
}

} // namespace ferrowen
