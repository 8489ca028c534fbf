#include "merge/ui/DialogMerge.h"

#include "merge/MergePreflight.h"
#include "merge/MergeResults.h"
#include "merge/MergeStorage.h"
#include "merge/MergeWindow.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/ui/NamedWidget.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace ferrowen {

namespace {

const QString SentCaption = QStringLiteral("Emails have been sent to:");

QString sentCountText(int count)
{
    return QStringLiteral("Emails Sent: ") + QString::number(count);
}

QLabel *wrappedLabel(const QString &text, const char *name)
{
    auto *label = named(new QLabel(text), name);
    label->setWordWrap(true);
    return label;
}

// A wrapped label keeps the lines of its text: the dialog's height is fixed,
// and a frame would squeeze it to one line otherwise.
void keepLines(QLabel *label, int dialogWidth)
{
    // The frames' margins and the dialog's, on either side.
    constexpr int Margins = 48;
    label->setMinimumHeight(label->text().isEmpty() ? 0 : label->heightForWidth(dialogWidth - Margins));
}

// The dialog's place in twips: left, top, width, height.
constexpr int PlacementTwips[4] = {0, 400, 3585, 7920};
constexpr double TwipsPerInch = 1440.0;

} // namespace

DialogMerge::DialogMerge(MergeRunHost host, MergeStorage &storage, MergeWindow &window, QWidget *parent,
                         MergeRun::Limits limits)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , m_addresses(host.addresses)
    , m_storage(storage)
    , m_window(window)
    , m_run(host, limits)
{
    setObjectName(QStringLiteral("DialogMerge"));
    setWindowTitle(tr("Mail Merge"));
    setModal(false);
    QPixmap noIcon(16, 16);
    noIcon.fill(Qt::transparent);
    setWindowIcon(QIcon(noIcon));

    buildControls();
    setButtons(true, false, true, false);
    m_labelNumSent->setText(sentCountText(0));
    m_run.setJournalFolder(m_storage.mergesFolder());
    place();
    for (QLabel *label : findChildren<QLabel *>()) {
        if (label->wordWrap())
            keepLines(label, width());
    }
    offerResume();

    connect(&m_run, &MergeRun::messageSent, this, [this](int count) { messageSent(count); });
    connect(&m_run, &MergeRun::rowLogged, this, &DialogMerge::rowLogged);
    connect(&m_run, &MergeRun::finished, this, &DialogMerge::runFinished);
    m_timeLeftTicker.setInterval(1000);
    connect(&m_timeLeftTicker, &QTimer::timeout, this, &DialogMerge::showTimeLeft);
}

void DialogMerge::buildControls()
{
    auto *label1 = wrappedLabel(
        QStringLiteral("Mail Merge lets you send personalized email to a list of people. You must enter the body of "
                       "your email message into the Compose form. You can use \"Merge  Fields\" to insert "
                       "personalized information such as names from your address book.  "),
        "Label1");

    auto *frame1 = named(new QGroupBox(QStringLiteral("Merge Settings")), "Frame1");
    m_option2 = named(new QRadioButton(QStringLiteral("All addresses in your address book")), "Option2");
    m_option1 = named(new QRadioButton(QStringLiteral("Only the selected addresses ")), "Option1");
    m_option2->setChecked(true);
    auto *settings = new QVBoxLayout(frame1);
    settings->addWidget(named(new QLabel(QStringLiteral("Send Mail To:")), "Label2"));
    settings->addWidget(m_option2);
    settings->addWidget(m_option1);

    auto *label4 = wrappedLabel(
        QStringLiteral("For detailed instructions on how to use this feature, please  click the Help button."), "Label4");

    m_frameTest = named(new QGroupBox(QStringLiteral("Test")), "FrameTest");
    m_label3 = wrappedLabel(
        QStringLiteral("The test feature will create one email based on the first address in your list and will "
                       "display it in the Compose form. The email will not be sent. After checking the test email to "
                       "make sure it is correct, click the Stop Test button go return to your original email "
                       "template."),
        "Label3");
    m_commandTest = named(new QPushButton(QStringLiteral("Test")), "CommandTest");
    m_commandUndoTest = named(new QPushButton(QStringLiteral("Stop Test")), "CommandUndoTest");
    m_textSent = named(new QPlainTextEdit, "TextSent");
    m_textSent->setReadOnly(true);
    m_textSent->setAccessibleName(SentCaption);
    m_textSent->hide();
    m_commandHide = named(new QPushButton(QStringLiteral("X")), "CommandHide");
    m_commandHide->setToolTip(QStringLiteral("Hide the log"));
    m_commandHide->hide();
    auto *testColumn = new QVBoxLayout(m_frameTest);
    testColumn->addWidget(m_label3);
    testColumn->addWidget(m_textSent, 1);
    auto *testRow = new QHBoxLayout;
    testRow->addWidget(m_commandTest);
    testRow->addWidget(m_commandUndoTest);
    testRow->addStretch(1);
    testRow->addWidget(m_commandHide);
    testColumn->addLayout(testRow);

    auto *frame3 = named(new QGroupBox(QStringLiteral("Start Merge: Press Start to begin sending")), "Frame3");
    m_commandStart = named(new QPushButton(QStringLiteral("Start")), "CommandStart");
    m_commandResume = named(new QPushButton(QStringLiteral("&Resume")), "CommandResume");
    m_commandResume->setAccessibleName(QStringLiteral("Resume"));
    m_commandStop = named(new QPushButton(QStringLiteral("Stop")), "CommandStop");
    m_labelResume = wrappedLabel(QString(), "LabelResume");
    m_labelNumSent = named(new QLabel(QStringLiteral("Emails Sent: 0 ")), "LabelNumSent");
    m_command1 = named(new QPushButton(QStringLiteral("Show Log")), "Command1");
    m_labelTimeLeft = named(new QLabel, "LabelTimeLeft");
    m_labelSummary = wrappedLabel(QString(), "LabelSummary");
    m_commandSaveResults = named(new QPushButton(QStringLiteral("Save Results...")), "CommandSaveResults");
    m_commandSaveResults->setEnabled(false);
    auto *startColumn = new QVBoxLayout(frame3);
    auto *startRow = new QHBoxLayout;
    startRow->addWidget(m_commandStart);
    startRow->addWidget(m_commandResume);
    startRow->addWidget(m_commandStop);
    startColumn->addLayout(startRow);
    startColumn->addWidget(m_labelResume);
    auto *countRow = new QHBoxLayout;
    countRow->addWidget(m_labelNumSent, 1);
    countRow->addWidget(m_command1);
    startColumn->addLayout(countRow);
    startColumn->addWidget(m_labelTimeLeft);
    startColumn->addWidget(m_labelSummary);
    m_labelTimeLeft->hide();
    m_labelSummary->hide();
    startColumn->addWidget(m_commandSaveResults, 0, Qt::AlignLeft);

    m_command5 = named(new QPushButton(QStringLiteral("Help")), "Command5");
    m_cancelButton = named(new QPushButton(QStringLiteral("Close")), "CancelButton");
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_command5);
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);

    for (QPushButton *button : {m_commandTest, m_commandUndoTest, m_commandHide, m_commandStart, m_commandResume,
                                m_commandStop, m_command1, m_commandSaveResults, m_command5, m_cancelButton})
        button->setAutoDefault(false);

    auto *column = new QVBoxLayout(this);
    column->addWidget(label1);
    column->addWidget(frame1);
    column->addWidget(buildPace());
    column->addWidget(label4);
    column->addWidget(m_frameTest, 1);
    column->addWidget(frame3);
    column->addLayout(buttons);

    // Starting is page work: put off while a page call waits, and dropped
    // if by then its button is off (Test ran first, or a run started).
    const auto putOff = [this](QPushButton *button, std::function<void()> start) {
        connect(button, &QPushButton::clicked, this, [this, button, start = std::move(start)] {
            m_window.startPageWork(this, [button, start] {
                if (button->isEnabled())
                    start();
            });
        });
    };
    putOff(m_commandTest, [this] { startRun(MergeRun::Kind::Test); });
    connect(m_commandUndoTest, &QPushButton::clicked, this, &DialogMerge::stopAndRestore);
    putOff(m_commandStart, [this] { startRun(MergeRun::Kind::Send); });
    putOff(m_commandResume, [this] { resume(); });
    connect(m_commandStop, &QPushButton::clicked, this, &DialogMerge::stopAndRestore);
    connect(m_commandSaveResults, &QPushButton::clicked, this, &DialogMerge::saveResults);
    connect(m_command1, &QPushButton::clicked, this, [this] { showLog(true); });
    connect(m_commandHide, &QPushButton::clicked, this, [this] { showLog(false); });
    connect(m_command5, &QPushButton::clicked, this, [this] { m_window.showMailMergeHelp(); });
    connect(m_cancelButton, &QPushButton::clicked, this, &QWidget::close);
}

QGroupBox *DialogMerge::buildPace()
{
    auto *frame = named(new QGroupBox(QStringLiteral("Pace")), "FramePace");
    m_spinPause = named(new QSpinBox, "SpinPause");
    m_spinPause->setRange(0, 3600);
    m_spinPause->setSuffix(QStringLiteral(" s"));
    m_spinStopAfter = named(new QSpinBox, "SpinStopAfter");
    m_spinStopAfter->setRange(0, 1000000);
    m_spinStopAfter->setSpecialValueText(QStringLiteral("none"));
    m_checkStopAtFailure = named(new QCheckBox(QStringLiteral("Stop at the first failure")), "CheckStopAtFailure");
    const MergeSettings stored = m_storage.mergeSettings();
    m_spinPause->setValue(stored.pauseSeconds);
    m_spinStopAfter->setValue(stored.stopAfter);
    m_checkStopAtFailure->setChecked(stored.stopAtFirstFailure);
    auto *form = new QFormLayout(frame);
    form->addRow(QStringLiteral("Pause between messages:"), m_spinPause);
    form->addRow(QStringLiteral("Stop after N messages:"), m_spinStopAfter);
    form->addRow(m_checkStopAtFailure);
    connect(m_spinPause, &QSpinBox::valueChanged, this, &DialogMerge::settingsChanged);
    connect(m_spinStopAfter, &QSpinBox::valueChanged, this, &DialogMerge::settingsChanged);
    connect(m_checkStopAtFailure, &QCheckBox::toggled, this, &DialogMerge::settingsChanged);
    return frame;
}

void DialogMerge::settingsChanged()
{
    MergeSettings settings;
    settings.pauseSeconds = m_spinPause->value();
    settings.stopAfter = m_spinStopAfter->value();
    settings.stopAtFirstFailure = m_checkStopAtFailure->isChecked();
    m_storage.setMergeSettings(settings);
    // A run in progress takes the new pace from its next message on.
    m_run.setSettings(settings);
}

void DialogMerge::offerResume()
{
    m_unfinished = findUnfinishedMergeJournal(m_storage.mergesFolder(), m_addresses.addressesToMerge(false).bookPath);
    const bool offered = m_unfinished.has_value() && !m_run.isRunning();
    m_commandResume->setVisible(offered);
    m_labelResume->setVisible(offered);
    m_commandResume->setEnabled(offered && m_commandStart->isEnabled());
    if (!offered)
        return;
    const int planned = int(m_unfinished->planned.size());
    const int done = m_unfinished->doneCount();
    m_labelResume->setText(QStringLiteral("An unfinished merge of this address book (\"%1\"): %2 of %3 rows done, "
                                          "%4 remain.")
                               .arg(m_unfinished->header.subject)
                               .arg(done)
                               .arg(planned)
                               .arg(planned - done));
    keepLines(m_labelResume, width());
    m_commandSaveResults->setEnabled(true);
}

void DialogMerge::resume()
{
    if (!m_unfinished)
        return;
    showSendingStarts();
    m_run.resume(m_unfinished->path);
}

void DialogMerge::showSendingStarts()
{
    setButtons(false, false, false, true);
    m_commandResume->setEnabled(false);
    m_textSent->clear();
    m_labelNumSent->setText(sentCountText(0));
    m_labelSummary->clear();
    m_labelSummary->hide();
    settingsChanged();
    m_timeLeftTicker.start();
}

void DialogMerge::saveResults()
{
    QByteArray csv;
    if (m_run.hasResults()) {
        csv = m_run.resultsCsv();
    } else if (m_unfinished) {
        const MergeAddresses book = m_addresses.addressesToMerge(false);
        csv = mergeResultsCsv(book, mergeRowKeys(book), m_unfinished->latest);
    } else {
        return;
    }
    (void)QDir().mkpath(m_storage.mergesFolder());
    const QString bookPath = m_addresses.addressesToMerge(false).bookPath;
    const QString suggested = QDir(m_storage.mergesFolder())
                                  .filePath(QFileInfo(bookPath).completeBaseName() + QStringLiteral(" results.csv"));
    const QString path = m_window.fileDialogs().saveFileName(QStringLiteral("Save Results"), suggested,
                                                           QStringLiteral("Comma-separated values (*.csv)"));
    if (path.isEmpty())
        return;
    if (const Status saved = writeMergeResults(path, csv); !saved)
        m_window.messageBoxes().show(saved.error(), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
}

void DialogMerge::showTimeLeft()
{
    const qint64 left = m_run.estimatedMsLeft();
    m_labelTimeLeft->setText(m_run.isRunning() && left > 0 ? QStringLiteral("Time left: about ") + mergeDurationText(left)
                                                           : QString());
    // Empty lines would push Help and Close off a small screen.
    m_labelTimeLeft->setVisible(!m_labelTimeLeft->text().isEmpty());
}

void DialogMerge::place()
{
    const QScreen *shownOn = screen();
    const double dpiX = shownOn ? shownOn->logicalDotsPerInchX() : 96.0;
    const double dpiY = shownOn ? shownOn->logicalDotsPerInchY() : 96.0;
    const auto pixels = [](int twips, double dpi) { return int(twips * dpi / TwipsPerInch + 0.5); };
    const int left = shownOn ? shownOn->availableGeometry().left() : 0;
    const int top = shownOn ? shownOn->availableGeometry().top() : 0;
    // Never so small that a wrapped text is cut (fonts differ from screen
    // to screen).
    const int width = std::max(pixels(PlacementTwips[2], dpiX), minimumSizeHint().width());
    const int height = std::max(pixels(PlacementTwips[3], dpiY), layout()->totalHeightForWidth(width));
    resize(width, height);
    move(left + pixels(PlacementTwips[0], dpiX), top + pixels(PlacementTwips[1], dpiY));
}

void DialogMerge::setButtons(bool test, bool undoTest, bool start, bool stop)
{
    m_commandTest->setEnabled(test);
    m_commandUndoTest->setEnabled(undoTest);
    m_commandStart->setEnabled(start);
    m_commandStop->setEnabled(stop);
}

void DialogMerge::startRun(MergeRun::Kind kind)
{
    if (kind == MergeRun::Kind::Test) {
        setButtons(false, true, false, false);
    } else {
        showSendingStarts();
    }
    m_run.start(kind, m_option1->isChecked());
}

void DialogMerge::stopAndRestore()
{
    m_buttonsBeforeRestore = {m_commandTest->isEnabled(), m_commandUndoTest->isEnabled(), m_commandStart->isEnabled(),
                              m_commandStop->isEnabled()};
    // Nothing more to press until the message is back in the form.
    setButtons(false, false, false, false);
    // A run hears Stop at once; putting the message back after a test is
    // page work of its own.
    if (m_run.isRunning())
        m_run.stopAndRestore();
    else
        m_window.startPageWork(this, [this] { m_run.stopAndRestore(); });
}

void DialogMerge::runFinished(MergeRun::Ending ending)
{
    switch (ending) {
    case MergeRun::Ending::TestShown:
        setButtons(false, true, false, false);
        break;
    case MergeRun::Ending::Failed:
        // As they were when the error came; after a failed restore, as
        // before it, so Stop (or Stop Test) can be pressed again.
        if (!m_commandTest->isEnabled() && !m_commandUndoTest->isEnabled() && !m_commandStart->isEnabled()
            && !m_commandStop->isEnabled() && m_buttonsBeforeRestore.size() == 4)
            setButtons(m_buttonsBeforeRestore[0], m_buttonsBeforeRestore[1], m_buttonsBeforeRestore[2],
                       m_buttonsBeforeRestore[3]);
        break;
    case MergeRun::Ending::Completed:
    case MergeRun::Ending::Stopped:
    case MergeRun::Ending::Restored:
    case MergeRun::Ending::Declined:
        setButtons(true, false, true, false);
        break;
    }
    m_buttonsBeforeRestore.clear();
    m_timeLeftTicker.stop();
    showTimeLeft();
    if (ending != MergeRun::Ending::TestShown && ending != MergeRun::Ending::Restored)
        m_labelSummary->setText(m_run.summaryText());
    keepLines(m_labelSummary, width());
    m_labelSummary->setVisible(!m_labelSummary->text().isEmpty());
    m_commandSaveResults->setEnabled(m_run.hasResults());
    offerResume();
}

void DialogMerge::messageSent(int count)
{
    m_labelNumSent->setText(sentCountText(count));
}

void DialogMerge::rowLogged(const QString &line)
{
    showLog(true);
    // Newest last.
    m_textSent->appendPlainText(line);
}

void DialogMerge::showLog(bool shown)
{
    m_label3->setVisible(!shown);
    m_textSent->setVisible(shown);
    m_commandHide->setVisible(shown);
    m_frameTest->setTitle(shown ? SentCaption : QString());
}

void DialogMerge::reject()
{
    // A run goes on without the dialog; "&Mail Merge..." shows it again.
    if (m_run.isRunning()) {
        hide();
        return;
    }
    // The form shows the test's message: the user's own goes back first.
    if (m_commandUndoTest->isEnabled() && m_run.hasCapturedTemplates()) {
        hide();
        stopAndRestore();
        return;
    }
    QDialog::reject();
}

void DialogMerge::closeEvent(QCloseEvent *event)
{
    reject();
    // Kept while something still runs (it may be shown again), else gone.
    if (m_run.isRunning())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace ferrowen
