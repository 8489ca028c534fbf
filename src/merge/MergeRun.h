#pragma once

#include "merge/MergeAddresses.h"
#include "merge/MergeRunHost.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

namespace ferrowen {

// The subject and body the user wrote in the compose form, read when a run
// starts and put back when it ends.
struct MergeTemplates
{
    QString subject;
    QString body;
};

// How long a merge run waits for the compose pane, and how often it looks.
struct MergeWaitLimits
{
    // How long one wait for the compose pane may last.
    int waitLimitMs = 60000;
    // How often the run looks at the pane while it waits.
    int pollIntervalMs = 2;
};

// One mail merge through the site's compose page, as a machine of small
// steps driven by a timer, so the window stays responsive without nested
// event loops: for each row of the address book it fills the form with the
// row's address and the personalised subject and body, submits it, waits
// for the site's answer, counts the address, and opens the compose page
// again; at the end it puts the user's message back into the form. The
// compose pane is sent nowhere while the form's own navigation is in
// flight (the engine would drop one of the two).
//
// "Stop" asks first (stopRequested); the run looks at the request after
// every wait and just before each submit, so nothing is submitted after
// Stop, and a message already submitted is awaited and counted. Every wait
// has a limit and ends in the run's error message. Nothing else writes the
// compose form while the run holds MergeInProgress.
class MergeRun : public QObject
{
    Q_OBJECT

public:
    enum class Kind {
        Send, // "Start": every row of the range
        Test  // "Test": the first row with an address, filled but not sent
    };
    enum class Ending {
        Completed, // every row sent; the form holds the user's message again
        Stopped,   // "Stop" ended the sending; the form holds the user's message again
        TestShown, // the form holds the first row's message, unsent
        Restored,  // the user's message is back in the form (or none was captured)
        Declined,  // ended before anything was written: a form or field missing, no addresses, or
                   // the user chose not to go on
        Failed     // an error or a wait past its limit; the run's message was shown
    };
    using Limits = MergeWaitLimits;
    // Milliseconds from any fixed point; a steady clock unless given.
    using Clock = std::function<qint64()>;

    static const QString ErrorText;

    explicit MergeRun(MergeRunHost &host, Limits limits = Limits(), Clock clock = Clock(), QObject *parent = nullptr);
    ~MergeRun() override;

    // Starts a run unless one is going.
    void start(Kind kind, bool selectedOnly);
    // "Stop" and "Stop Test". A run in progress stops at its next check and
    // then puts back the message it captured; without a run, the message
    // captured by the last run (if any, and only once) is put back now.
    void stopAndRestore();

    bool isRunning() const { return m_phase != Phase::Idle; }
    bool stopRequested() const { return m_stopRequested; }
    int sentCount() const { return m_sentCount; }
    bool hasCapturedTemplates() const { return m_captured.has_value(); }

    // One step. The run's timer calls it; tests may call it by hand.
    void advance();

Q_SIGNALS:
    void messageSent(int sentCount, const QString &address);
    void finished(ferrowen::MergeRun::Ending ending);

private:
    enum class Phase {
        Idle,
        Prepare,          // wait for the compose pane, then check and capture
        NextRow,          // pick the next row with an address
        FillRow,          // wait for the pane, then fill the row's message
        SettleTest,       // wait for the pane after the test filling
        Submit,           // wait for the pane, then submit
        AwaitAnswer,      // wait for the site's answer on another address
        AwaitCompose,     // wait for the compose page and its form again
        RestoreReturn,    // wait for the pane, go back to the compose page if needed
        RestoreAwait,     // wait for the compose page
        RestoreFill,      // put the user's message back
    };

    void step();
    void enter(Phase phase);
    bool waitedTooLong() const;
    bool composeFormShown();
    bool prepare();
    void fillRow();
    void submit();
    void countAnswer();
    void leaveSending();
    void restoreFill();
    void finish(Ending ending);
    void fail(const QString &detail);
    bool checkFormNames();
    bool confirmMergeFields();

    MergeRunHost &m_host;
    Limits m_limits;
    Clock m_clock;
    QTimer m_timer;

    Phase m_phase = Phase::Idle;
    qint64 m_phaseStarted = 0;
    bool m_stepping = false;

    Kind m_kind = Kind::Send;
    bool m_selectedOnly = false;
    bool m_stopRequested = false;
    Ending m_restoreEnding = Ending::Restored;
    QString m_composeAddress;
    MergeFormNames m_names;
    MergeAddresses m_addresses;
    std::optional<MergeTemplates> m_captured;
    int m_row = -1;
    int m_sentCount = 0;
};

} // namespace ferrowen
