#include "merge/ui/DialogMerge.h"

#include "merge/ui/MergeHost.h"
#include "platform/ui/NamedWidget.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

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

// The dialog's place in twips: left, top, width, height.
constexpr int PlacementTwips[4] = {0, 400, 3585, 7920};
constexpr double TwipsPerInch = 1440.0;

} // namespace

DialogMerge::DialogMerge(MergeHost &host, QWidget *parent, MergeRun::Limits limits)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , m_host(host)
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
    place();

    connect(&m_run, &MergeRun::messageSent, this, &DialogMerge::messageSent);
    connect(&m_run, &MergeRun::finished, this, &DialogMerge::runFinished);
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
    m_commandStop = named(new QPushButton(QStringLiteral("Stop")), "CommandStop");
    m_labelNumSent = named(new QLabel(QStringLiteral("Emails Sent: 0 ")), "LabelNumSent");
    m_command1 = named(new QPushButton(QStringLiteral("Show Log")), "Command1");
    auto *startColumn = new QVBoxLayout(frame3);
    auto *startRow = new QHBoxLayout;
    startRow->addWidget(m_commandStart);
    startRow->addWidget(m_commandStop);
    startColumn->addLayout(startRow);
    auto *countRow = new QHBoxLayout;
    countRow->addWidget(m_labelNumSent, 1);
    countRow->addWidget(m_command1);
    startColumn->addLayout(countRow);

    m_command5 = named(new QPushButton(QStringLiteral("Help")), "Command5");
    m_cancelButton = named(new QPushButton(QStringLiteral("Close")), "CancelButton");
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_command5);
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);

    for (QPushButton *button : {m_commandTest, m_commandUndoTest, m_commandHide, m_commandStart, m_commandStop,
                                m_command1, m_command5, m_cancelButton})
        button->setAutoDefault(false);

    auto *column = new QVBoxLayout(this);
    column->addWidget(label1);
    column->addWidget(frame1);
    column->addWidget(label4);
    column->addWidget(m_frameTest, 1);
    column->addWidget(frame3);
    column->addLayout(buttons);

    connect(m_commandTest, &QPushButton::clicked, this, [this] { startRun(MergeRun::Kind::Test); });
    connect(m_commandUndoTest, &QPushButton::clicked, this, &DialogMerge::stopAndRestore);
    connect(m_commandStart, &QPushButton::clicked, this, [this] { startRun(MergeRun::Kind::Send); });
    connect(m_commandStop, &QPushButton::clicked, this, &DialogMerge::stopAndRestore);
    connect(m_command1, &QPushButton::clicked, this, [this] { showLog(true); });
    connect(m_commandHide, &QPushButton::clicked, this, [this] { showLog(false); });
    connect(m_command5, &QPushButton::clicked, this, [this] { m_host.showMailMergeHelp(); });
    connect(m_cancelButton, &QPushButton::clicked, this, &QWidget::close);
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
        setButtons(false, false, false, true);
        m_textSent->clear();
        m_labelNumSent->setText(sentCountText(0));
    }
    m_run.start(kind, m_option1->isChecked());
}

void DialogMerge::stopAndRestore()
{
    m_buttonsBeforeRestore = {m_commandTest->isEnabled(), m_commandUndoTest->isEnabled(), m_commandStart->isEnabled(),
                              m_commandStop->isEnabled()};
    // Nothing more to press until the message is back in the form.
    setButtons(false, false, false, false);
    m_run.stopAndRestore();
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
}

void DialogMerge::messageSent(int count, const QString &address)
{
    m_labelNumSent->setText(sentCountText(count));
    showLog(true);
    // Newest last.
    m_textSent->appendPlainText(address);
}

void DialogMerge::showLog(bool shown)
{
    m_label3->setVisible(!shown);
    m_textSent->setVisible(shown);
    m_commandHide->setVisible(shown);
    m_frameTest->setTitle(shown ? SentCaption : QString());
}

void DialogMerge::closeEvent(QCloseEvent *event)
{
    // A run goes on without the dialog; "&Mail Merge..." shows it again.
    if (m_run.isRunning()) {
        event->ignore();
        hide();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace ferrowen
