#include "merge/ui/DialogTemplate.h"

#include "merge/TemplateFolder.h"
#include "merge/TemplateName.h"
#include "platform/MessageBoxes.h"
#include "platform/ui/NamedWidget.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ferrowen {

namespace {

QFont boxFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

// The body box works with "\n"; a template's body has CR LF line ends.
QString withBoxLineEnds(const QString &text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r"));
    QString converted = text;
    return converted.replace(lineEnd, QStringLiteral("\n"));
}

QString withTemplateLineEnds(const QString &text)
{
    QString converted = text;
    return converted.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

// Hidden, it keeps its room, so the dialog does not jump during a wait.
template<typename W>
W *keepsRoomWhenHidden(W *widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
    widget->hide();
    return widget;
}

} // namespace

DialogTemplate::DialogTemplate(TemplateHost &templates, MergeWindow &window, QWidget *parent)
    : QDialog(parent)
    , m_templates(templates)
    , m_window(window)
{
    setObjectName(QStringLiteral("DialogTemplate"));
    setWindowTitle(tr("Email Template"));
    setModal(true);
    QPixmap noIcon(16, 16);
    noIcon.fill(Qt::transparent);
    setWindowIcon(QIcon(noIcon));

    buildControls();
    m_paletteWasOpen = m_window.closeAddressPalette();
    fillTemplateList();
}

void DialogTemplate::buildControls()
{
    m_combo1 = named(new QComboBox, "Combo1");
    m_combo1->setEditable(true);
    m_combo1->setInsertPolicy(QComboBox::NoInsert);
    m_combo1->setMinimumContentsLength(24);
    m_combo1->setAccessibleName(tr("Template name"));
    m_combo1->lineEdit()->setAccessibleName(m_combo1->accessibleName());
    m_command1 = named(new QPushButton(tr("New")), "Command1");
    auto *openFrame = named(new QGroupBox(tr("Open Template")), "FrameOpen");
    auto *openRow = new QHBoxLayout(openFrame);
    openRow->addWidget(m_combo1, 1);
    openRow->addWidget(m_command1);

    const QFont font = boxFont();
    m_text1 = named(new QLineEdit, "Text1");
    m_text1->setFont(font);
    auto *subjectLabel = named(new QLabel(tr("Subject:")), "LabelSubject");
    subjectLabel->setBuddy(m_text1);
    m_text2 = named(new QPlainTextEdit, "Text2");
    m_text2->setFont(font);
    m_text2->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text2->setMinimumSize(QFontMetrics(font).horizontalAdvance(QLatin1Char('0')) * 70, 240);
    auto *bodyLabel = named(new QLabel(tr("Body:")), "LabelBody");
    bodyLabel->setBuddy(m_text2);
    // The column ruler lines up with the body's text.
    const int indent = m_text2->frameWidth() + int(m_text2->document()->documentMargin());
    auto *ruler = new QVBoxLayout;
    ruler->setSpacing(0);
    for (const auto &[name, text] : {std::pair{"LabelRuler1", "0         1         2         3         4         5         6 "},
                                     std::pair{"LabelRuler2", "012345678901234567890123456789012345678901234567890123456789012345"}}) {
        auto *line = named(new QLabel(QLatin1String(text)), name);
        line->setFont(font);
        line->setContentsMargins(indent, 0, 0, 0);
        ruler->addWidget(line);
    }
    auto *editFrame = named(new QGroupBox(tr("Edit")), "FrameEdit");
    auto *editColumn = new QVBoxLayout(editFrame);
    auto *subjectRow = new QHBoxLayout;
    subjectRow->addWidget(subjectLabel);
    subjectRow->addWidget(m_text1, 1);
    editColumn->addLayout(subjectRow);
    editColumn->addWidget(bodyLabel);
    editColumn->addLayout(ruler);
    editColumn->addWidget(m_text2, 1);

    m_command3 = named(new QPushButton(tr("Capture from Form <<  ")), "Command3");
    m_command4 = named(new QPushButton(tr("Insert to Form >> ")), "Command4");
    m_waitLabel = keepsRoomWhenHidden(named(new QLabel(tr("Please wait...")), "LabelTemplateWait"));
    m_cancelWait = keepsRoomWhenHidden(named(new QPushButton(tr("Cancel")), "CommandTemplateCancelWait"));
    m_cancelWait->setToolTip(tr("Stop waiting for the compose form"));
    m_cancelWait->setAccessibleName(m_cancelWait->toolTip());
    auto *composeFrame = named(new QGroupBox(tr("Capture From or Insert to Compose Form")), "FrameCompose");
    auto *composeRow = new QHBoxLayout(composeFrame);
    composeRow->addWidget(m_command3);
    composeRow->addWidget(m_command4);
    composeRow->addStretch(1);
    composeRow->addWidget(m_waitLabel);
    composeRow->addWidget(m_cancelWait);

    m_command2 = named(new QPushButton(tr("&Help")), "Command2");
    m_okButton = named(new QPushButton(tr("&Save")), "OKButton");
    m_cancelButton = named(new QPushButton(tr("&Close")), "CancelButton");
    for (QPushButton *button : {m_command1, m_command3, m_command4, m_cancelWait, m_command2, m_okButton, m_cancelButton})
        button->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_command2);
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    auto *column = new QVBoxLayout(this);
    column->addWidget(openFrame);
    column->addWidget(editFrame, 1);
    column->addWidget(composeFrame);
    column->addLayout(buttons);

    connect(m_combo1, &QComboBox::activated, this, &DialogTemplate::templateChosen);
    connect(m_combo1->lineEdit(), &QLineEdit::textEdited, this, [this](const QString &text) { m_nameBeforeChoice = text; });
    connect(m_text1, &QLineEdit::textChanged, this, [this] { m_changed = true; });
    connect(m_text2, &QPlainTextEdit::textChanged, this, [this] { m_changed = true; });
    connect(m_command1, &QPushButton::clicked, this, &DialogTemplate::startNewTemplate);
    connect(m_command3, &QPushButton::clicked, this, [this] { m_window.startPageWork(this, [this] { captureFromForm(); }); });
    connect(m_command4, &QPushButton::clicked, this, [this] { m_window.startPageWork(this, [this] { insertIntoForm(); }); });
    connect(m_cancelWait, &QPushButton::clicked, this, [this] { m_templates.cancelComposeWait(); });
    connect(m_command2, &QPushButton::clicked, this, [this] { m_window.showTemplateHelp(); });
    connect(m_okButton, &QPushButton::clicked, this, [this] { (void)save(); });
    connect(m_cancelButton, &QPushButton::clicked, this, &DialogTemplate::closeDialog);
}

void DialogTemplate::fillTemplateList()
{
    {
        const QSignalBlocker blocker(m_combo1);
        for (const QString &name : m_templates.templateNames()) {
            if (!name.isEmpty())
                m_combo1->addItem(name);
        }
    }
    setNameText(QString());
    // The template chosen in the main window, found by its name.
    const QString chosen = m_templates.chosenTemplateName();
    if (!chosen.isEmpty() && m_combo1->findText(chosen, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0)
        openTemplate(chosen);
}

void DialogTemplate::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *shownOn = screen())
        move(shownOn->availableGeometry().left(), y());
}

void DialogTemplate::templateChosen(int index)
{
    const QString chosen = m_combo1->itemText(index);
    if (m_changed) {
        // A save asked for now goes under the name the changes belong to.
        setNameText(m_nameBeforeChoice);
        if (!settleChanges())
            return;
    }
    openTemplate(chosen);
}

void DialogTemplate::openTemplate(const QString &fileName)
{
    StatusOr<TemplateText> text = readTemplateFile(m_templates.templatesFolder(), fileName);
    if (!text) {
        setNameText(m_nameBeforeChoice);
        m_window.messageBoxes().show(text.error());
        return;
    }
    showInBoxes(*text);
    m_changed = false;
    setNameText(fileName);
}

bool DialogTemplate::save()
{
    const QString entered = m_combo1->currentText();
    const TemplateText text = boxesText();
    if (const std::optional<TemplateSaveProblem> problem = checkTemplateBeforeSaving(entered, text)) {
        m_window.messageBoxes().show(problem->message);
        focusBox(problem->box);
        return false;
    }
    const QString fileName = templateFileName(entered);
    if (const Status written = writeTemplateFile(m_templates.templatesFolder(), fileName, text); !written) {
        m_window.messageBoxes().show(written.error());
        return false;
    }
    if (m_combo1->findText(fileName, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
        m_templates.addTemplateName(fileName);
        const QSignalBlocker blocker(m_combo1);
        m_combo1->addItem(fileName);
    }
    setNameText(fileName);
    m_changed = false;
    return true;
}

bool DialogTemplate::settleChanges()
{
    if (!m_changed)
        return true;
    switch (m_window.messageBoxes().show(tr("Do you want to save your changes to this email template?"),
                                       MessageBoxes::Buttons::YesNoCancel, MessageBoxes::Icon::Question)) {
    case MessageBoxes::Answer::Cancel:
        return false;
    case MessageBoxes::Answer::Yes:
        // A refused save keeps the changes and the dialog as they are.
        return save();
    default:
        return true;
    }
}

void DialogTemplate::startNewTemplate()
{
    if (!settleChanges())
        return;
    setNameText(QString());
    // Emptying boxes that held text is a change, as typing would be.
    showInBoxes(TemplateText());
    m_combo1->setFocus();
}

void DialogTemplate::captureFromForm()
{
    m_templates.setTemplateText(TemplateText());
    if (whileWaitingForForm([this] { return m_templates.captureTemplateFromComposeForm(); }) != TemplateHost::FormFill::Done)
        return;
    showInBoxes(m_templates.templateText());
}

void DialogTemplate::insertIntoForm()
{
    m_templates.setTemplateText(boxesText());
    // A wait cancelled leaves the dialog open: nothing was inserted.
    if (whileWaitingForForm([this] { return m_templates.insertTemplateIntoComposeForm(); }) == TemplateHost::FormFill::Stopped)
        return;
    if (!settleChanges())
        return;
    m_changed = false;
    accept();
}

void DialogTemplate::closeDialog()
{
    if (m_waiting) {
        m_templates.cancelComposeWait();
        return;
    }
    if (!settleChanges())
        return;
    m_changed = false;
    QDialog::reject();
}

void DialogTemplate::reject()
{
    closeDialog();
}

void DialogTemplate::done(int result)
{
    QDialog::done(result);
    if (m_paletteWasOpen) {
        m_paletteWasOpen = false;
        m_window.showAddressPalette();
    }
}

TemplateHost::FormFill DialogTemplate::whileWaitingForForm(const std::function<TemplateHost::FormFill()> &fill)
{
    const QList<QWidget *> controls{m_combo1,   m_command1, m_text1,    m_text2,       m_command3,
                                    m_command4, m_command2, m_okButton, m_cancelButton};
    for (QWidget *control : controls)
        control->setEnabled(false);
    m_waitLabel->show();
    m_cancelWait->show();
    m_cancelWait->setFocus();
    m_waiting = true;

    const QPointer<DialogTemplate> alive(this);
    const TemplateHost::FormFill outcome = fill();
    if (!alive)
        return TemplateHost::FormFill::Stopped;

    m_waiting = false;
    m_waitLabel->hide();
    m_cancelWait->hide();
    for (QWidget *control : controls)
        control->setEnabled(true);
    return outcome;
}

TemplateText DialogTemplate::boxesText() const
{
    return {m_text1->text(), withTemplateLineEnds(m_text2->toPlainText())};
}

void DialogTemplate::showInBoxes(const TemplateText &text)
{
    const TemplateText before = boxesText();
    {
        const QSignalBlocker subjectBlocker(m_text1);
        const QSignalBlocker bodyBlocker(m_text2);
        m_text1->setText(text.subject);
        m_text2->setPlainText(withBoxLineEnds(text.body));
    }
    if (!(boxesText() == before))
        m_changed = true;
}

void DialogTemplate::setNameText(const QString &name)
{
    const QSignalBlocker blocker(m_combo1);
    m_combo1->setCurrentIndex(m_combo1->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive));
    m_combo1->setEditText(name);
    m_nameBeforeChoice = name;
}

void DialogTemplate::focusBox(TemplateBox box)
{
    switch (box) {
    case TemplateBox::Name: m_combo1->setFocus(); break;
    case TemplateBox::Subject: m_text1->setFocus(); break;
    case TemplateBox::Body: m_text2->setFocus(); break;
    }
}

} // namespace ferrowen
