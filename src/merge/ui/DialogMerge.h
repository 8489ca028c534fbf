#pragma once

#include "merge/MergeJournal.h"
#include "merge/MergeRun.h"

#include <QDialog>
#include <QTimer>

#include <optional>

class QCheckBox;
class QGroupBox;
class QSpinBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace ferrowen {

class MergeStorage;
class MergeWindow;

// The mail merge dialog: shown without blocking the main window, above
// every other window. "Test" fills the compose form for the first address
// without sending, "Stop Test" puts the user's message back; "Start" sends
// one personalised message per address, "Stop" ends the sending and puts
// the message back. When the open book has an unfinished merge (its
// journal says so), "&Resume" sends the rows it has not done. The pace
// (a pause between messages, a limit of messages) is kept in the settings
// file. The log has a line per row; "Save Results..." writes the rows with
// their states. The run goes on while the dialog is closed: "Close" then
// only hides it, and the main window's "&Mail Merge..." shows it again;
// closed after "Test", it first puts the user's message back.
class DialogMerge : public QDialog
{
    Q_OBJECT

public:
    // The run works through host; the dialog keeps the pace and journals
    // through storage and reaches the window around it through window.
    DialogMerge(MergeRunHost host, MergeStorage &storage, MergeWindow &window, QWidget *parent = nullptr,
                MergeRun::Limits limits = MergeRun::Limits());

    bool isRunning() const { return m_run.isRunning(); }
    const MergeRun &run() const { return m_run; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    QGroupBox *buildPace();
    void settingsChanged();
    void offerResume();
    void resume();
    void saveResults();
    void showTimeLeft();
    void place();
    // The enabled states of Test, Stop Test, Start and Stop.
    void setButtons(bool test, bool undoTest, bool start, bool stop);
    void startRun(MergeRun::Kind kind);
    // A run that sends (not a test) starts: the log and counts empty.
    void showSendingStarts();
    void stopAndRestore();
    void runFinished(MergeRun::Ending ending);
    void messageSent(int count);
    void rowLogged(const QString &line);
    void showLog(bool shown);

    MergeAddressSource &m_addresses;
    MergeStorage &m_storage;
    MergeWindow &m_window;
    MergeRun m_run;

    QRadioButton *m_option1 = nullptr;
    QRadioButton *m_option2 = nullptr;
    QGroupBox *m_frameTest = nullptr;
    QLabel *m_label3 = nullptr;
    QPushButton *m_commandTest = nullptr;
    QPushButton *m_commandUndoTest = nullptr;
    QPlainTextEdit *m_textSent = nullptr;
    QPushButton *m_commandHide = nullptr;
    QSpinBox *m_spinPause = nullptr;
    QSpinBox *m_spinStopAfter = nullptr;
    QCheckBox *m_checkStopAtFailure = nullptr;
    QPushButton *m_commandStart = nullptr;
    QPushButton *m_commandResume = nullptr;
    QLabel *m_labelResume = nullptr;
    QLabel *m_labelTimeLeft = nullptr;
    QLabel *m_labelSummary = nullptr;
    QPushButton *m_commandSaveResults = nullptr;
    QPushButton *m_commandStop = nullptr;
    QLabel *m_labelNumSent = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command5 = nullptr;
    QPushButton *m_cancelButton = nullptr;
    // The buttons as they were when Stop or Stop Test was pressed: a
    // restore that fails gives them back, so the user can try again.
    QList<bool> m_buttonsBeforeRestore;
    // The unfinished merge of the open book that "&Resume" goes on with.
    std::optional<MergeJournalContent> m_unfinished;
    QTimer m_timeLeftTicker;
};

} // namespace ferrowen
