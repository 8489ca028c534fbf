#pragma once

#include "merge/MergeAddresses.h"
#include "merge/MergeJournal.h"
#include "merge/MergeJournalWriter.h"
#include "merge/MergeRunHost.h"
#include "merge/MergeSettings.h"

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
// for the site's answer, judges it, logs the row, and opens the compose
// page again; at the end it puts the user's message back into the form.
// The compose pane is sent nowhere while the form's own navigation is in
// flight (the engine would drop one of the two).
//
// The site has answered when its answer page has loaded (on another
// address, or the compose address loaded anew). An error page, or the
// compose form shown again, is a refusal: the row is logged as failed and
// the run goes on (or stops, when the settings say so). An answer that
// never comes leaves the row in doubt: its message may have gone out.
//
// A sending run keeps a journal (MergeJournal): each row's state is
// written before its submit and after its answer, so a run cut short at
// any moment can be resumed without sending anyone the message twice.
//
// "Stop" asks first (stopRequested); the run looks at the request after
// every wait, during a pause and just before each submit, so nothing is
// submitted after Stop, and a message already submitted is awaited and
// logged. Nothing else writes the compose form while the run holds
// MergeInProgress.
class MergeRun : public QObject
{
    Q_OBJECT

public:
    enum class Kind {
        Send,   // "Start": every row of the range
        Test,   // "Test": the first row with an address, filled but not sent
        Resume  // "Resume": the rows an unfinished journal has not done
    };
    enum class Ending {
        Completed, // every row done; the form holds the user's message again
        Stopped,   // "Stop", the limit of messages or a refusal ended the sending; the message is back
        TestShown, // the form holds the first row's message, unsent
        Restored,  // the user's message is back in the form (or none was captured)
        Declined,  // ended before anything was sent: a form or field missing, no addresses, or
                   // the user chose not to go on
        Failed     // an error or a wait past its limit; the run's message was shown
    };
    using Limits = MergeWaitLimits;
    // Milliseconds from any fixed point; a steady clock unless given.
    using Clock = std::function<qint64()>;

    static const QString ErrorText;

    explicit MergeRun(MergeRunHost host, Limits limits = Limits(), Clock clock = Clock(), QObject *parent = nullptr);
    ~MergeRun() override;

    void setSettings(const MergeSettings &settings) { m_settings = settings; }
    // Where sending runs keep their journals; none is kept while empty.
    void setJournalFolder(const QString &folder) { m_journalFolder = folder; }

    // Starts a run unless one is going.
    void start(Kind kind, bool selectedOnly);
    // Goes on with the unfinished run of this journal.
    void resume(const QString &journalPath);
    // "Stop" and "Stop Test". A run in progress stops at its next check and
    // then puts back the message it captured; without a run, the message
    // captured by the last run (if any, and only once) is put back now.
    void stopAndRestore();

    bool isRunning() const { return m_phase != Phase::Idle; }
    bool stopRequested() const { return m_stopRequested; }
    int sentCount() const { return m_sentCount; }
    bool hasCapturedTemplates() const { return m_captured.has_value(); }
    // What the last sending run did, in one sentence ("2 sent, 1 skipped:
    // no address."), and how long the rest will take.
    QString summaryText() const;
    qint64 estimatedMsLeft() const;
    // The last sending run's rows with their states, as a results file holds them.
    bool hasResults() const { return !m_keys.isEmpty(); }
    QByteArray resultsCsv() const;
    QString journalPath() const { return m_journalPath; }

    // One step. The run's timer calls it; tests may call it by hand.
    void advance();

Q_SIGNALS:
    void messageSent(int sentCount, const QString &address);
    // One line of the log per row reached: its address and its state.
    void rowLogged(const QString &line);
    void finished(ferrowen::MergeRun::Ending ending);

private:
    enum class Phase {
        Idle,
        Prepare,          // wait for the compose pane, then check and capture
        NextRow,          // pick the next row to send
        Pause,            // the pause between two messages
        FillRow,          // wait for the pane, then fill the row's message
        SettleTest,       // wait for the pane after the test filling
        Submit,           // wait for the pane, then submit
        AwaitAnswer,      // wait for the site's answer page
        AwaitCompose,     // wait for the compose page and its form again
        RestoreReturn,    // wait for the pane, go back to the compose page if needed
        RestoreAwait,     // wait for the compose page
        RestoreFill,      // put the user's message back
    };
    enum class Answer { Pending, Taken, Refused, Silent };

    void begin(Kind kind);
    void step();
    void enter(Phase phase);
    bool waitedTooLong() const;
    bool composeFormShown();
    bool prepare();
    bool prepareSend();
    bool prepareResume();
    bool askAboutRowsInDoubt(const MergeJournalContent &journal, QStringList &sendAgain, QStringList &notAgain);
    // True (the user told) when a message to send would have no body and
    // the page asks before sending one.
    bool refuseEmptyBody();
    bool confirmPlan(int doneBefore, int notSentAgain, int sentByUnfinished);
    void nextRow();
    void fillRow();
    bool submit();
    Answer siteAnswer(QString &reason);
    // The answer a site that sends through its page script shows; none
    // when the pane holds another document than the one that sent.
    std::optional<Answer> scriptAnswer(QString &reason);
    void judgeAnswer(Answer answer, const QString &reason);
    bool record(int row, MergeRowState state, const QString &reason = QString(), bool answered = true,
                bool durable = false);
    void leaveSending();
    void restoreFill();
    void finish(Ending ending);
    void fail(const QString &detail);
    bool checkFormNames();
    bool confirmMergeFields();
    int bookRow(int row) const { return m_addresses.firstBookRow + row; }

    MergeRunHost m_host;
    Limits m_limits;
    Clock m_clock;
    QTimer m_timer;
    MergeSettings m_settings;
    QString m_journalFolder;

    Phase m_phase = Phase::Idle;
    qint64 m_phaseStarted = 0;
    bool m_stepping = false;

    Kind m_kind = Kind::Send;
    bool m_selectedOnly = false;
    bool m_stopRequested = false;
    bool m_stoppedByRun = false; // the limit of messages or a refusal, not the user
    QString m_stopReason;
    Ending m_restoreEnding = Ending::Restored;
    QString m_composeAddress;
    MergeFormNames m_names;
    MergeAddresses m_addresses;
    // What the run sends, and what it puts back (they differ on resuming a
    // merge of another message than the form holds).
    MergeTemplates m_message;
    std::optional<MergeTemplates> m_captured;

    // The rows to work through, as indexes into m_addresses, and the next one.
    QList<int> m_order;
    int m_next = 0;
    int m_row = -1;
    QStringList m_keys;
    QHash<QString, MergeRowRecord> m_states;
    QString m_resumePath;
    QString m_journalPath;
    MergeJournalWriter m_journal;

    int m_sentCount = 0;
    int m_failedCount = 0;
    int m_skippedCount = 0;
    int m_toSend = 0;
    bool m_sawBusy = false;
    // A site whose compose pages move: the page shown has sent its message
    // and must not be filled again.
    bool m_pageUsed = false;
    qint64 m_lastAnswerAt = 0;
    qint64 m_messageStartedAt = 0;
    qint64 m_messageMsTotal = 0;
    int m_messagesTimed = 0;
};

} // namespace ferrowen
