#include "editor/ui/FormHyperLink.h"

#include "editor/EditorCommands.h"
#include "editor/HyperlinkRules.h"
#include "editor/TagValue.h"
#include "platform/MessageBoxes.h"
#include "platform/ui/NamedWidget.h"
#include "platform/web/BrowserPane.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <functional>

namespace ferrowen {

namespace {

const QString linkTag = QStringLiteral("a");

// A list filled just before it drops down.
class FilledOnDropDown : public QComboBox
{
public:
    std::function<void()> fill;

    void showPopup() override
    {
        if (fill)
            fill();
        QComboBox::showPopup();
    }
};

QString tagValue(const QString &html, const char *name)
{
    return TagValue(html, 1, QLatin1String(name), QString(), TagValueMode::Read).text;
}

} // namespace

FormHyperLink::FormHyperLink(EditorCommands &commands, MessageBoxes &boxes, QWidget *parent)
    : QDialog(parent)
    , m_commands(commands)
    , m_document(commands.document())
    , m_boxes(boxes)
{
    setObjectName(QStringLiteral("FormHyperLink"));
    setWindowTitle(tr("Insert/Edit HyperLink"));

    auto *external = named(new QRadioButton(tr("External URL")), "OptionExtURL");
    external->setChecked(true);
    m_address = named(new QLineEdit, "EditExtURL");
    m_address->setAccessibleName(external->text());
    auto *bookmarks = new FilledOnDropDown;
    bookmarks->fill = [this] { fillBookmarks(); };
    m_bookmark = named(static_cast<QComboBox *>(bookmarks), "ComboBookmark");
    m_bookmark->setEditable(true);
    m_target = named(new QComboBox, "ComboTarget");
    m_target->setEditable(true);
    m_target->addItems({QStringLiteral("_top"), QStringLiteral("_blank"), QStringLiteral("_parent"), QStringLiteral("_self")});
    // Screen readers meet the text box of an editable list on its own.
    m_bookmark->lineEdit()->setAccessibleName(tr("Bookmark"));
    m_target->lineEdit()->setAccessibleName(tr("Window/Frame Target"));

    auto *linkPage = new QWidget;
    auto *fields = new QFormLayout(linkPage);
    fields->addRow(external, m_address);
    fields->addRow(tr("&Bookmark"), m_bookmark);
    fields->addRow(tr("Window/Frame &Target"), m_target);
    auto *hint = new QLabel(tr("Click the Preview tab above to see a preview of the target page before inserting the link. "));
    hint->setWordWrap(true);
    fields->addRow(hint);

    m_previewTab = new QWidget;
    new QVBoxLayout(m_previewTab);
    m_tabs = named(new QTabWidget, "TabStrip1");
    m_tabs->addTab(linkPage, tr("Hyperlink"));
    m_tabs->addTab(m_previewTab, tr("Preview"));
    connect(m_tabs, &QTabWidget::currentChanged, this, &FormHyperLink::showTab);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto *remove = named(buttons->addButton(tr("&Remove Link"), QDialogButtonBox::ResetRole), "CommandRemoveLink");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(remove, &QPushButton::clicked, this, &FormHyperLink::removeLink);
    auto *column = new QVBoxLayout(this);
    column->addWidget(m_tabs);
    column->addWidget(buttons);
    resize(480, 300);

    readSelection();
}

void FormHyperLink::readSelection()
{
    m_linkHtml = m_document.enclosingElementHtml(linkTag);
    m_href = tagValue(m_linkHtml, "HREF");
    const EditorSelection selection = m_document.selection();
    m_existing = !m_href.isEmpty() || selection.type == SelectionType::Control;
    if (!m_existing) {
        TextRange range = selection.range;
        QString text = m_document.rangeText(range);
        // "word " links "word".
        if (const int blank = trailingBlankLength(text); blank > 0) {
            range.end -= blank;
            text.chop(blank);
            m_document.select(range);
        }
        m_nothingToLink = text.isEmpty();
    }
    const LinkFields link = linkFields(m_href);
    m_address->setText(link.address);
    m_bookmark->setEditText(link.bookmark);
    m_target->setEditText(tagValue(m_linkHtml, "TARGET"));
}

int FormHyperLink::exec()
{
    if (m_nothingToLink) {
        m_boxes.show(QStringLiteral("You must select some text to make into a link"));
        return QDialog::Rejected;
    }
    return QDialog::exec();
}

void FormHyperLink::fillBookmarks()
{
    const QString chosen = m_bookmark->currentText();
    m_bookmark->clear();
    (void)m_document.waitWhileBusy();
    m_bookmark->addItems(bookmarkNames(m_document.DocumentHTML()));
    m_bookmark->setEditText(chosen);
}

void FormHyperLink::accept()
{
    QString address = linkAddress(m_address->text(), m_bookmark->currentText());
    // A link whose address the dialog cannot show ("#" alone) keeps it.
    if (address.isEmpty())
        address = m_href;
    if (address.isEmpty()) {
        m_boxes.show(QStringLiteral("Please type an address or choose a bookmark for the link."),
                     MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
        m_address->setFocus();
        return;
    }
    if (address != m_href)
        m_commands.ExecCommand(EditorCommand::Hyperlink, ExecOption::DontPromptUser, address);
    const QString link = m_document.enclosingElementHtml(linkTag);
    if (!link.isEmpty()) {
        const QString targeted = linkWithTarget(link, m_target->currentText());
        if (targeted != link) {
            // The link itself is made; only its target is missing.
            const Status replaced = m_document.replaceEnclosingElement(linkTag, link, targeted);
            if (!replaced)
                m_boxes.show(QStringLiteral("The link's target could not be set: ") + replaced.error(),
                             MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
        }
    }
    QDialog::accept();
}

void FormHyperLink::removeLink()
{
    m_commands.ExecCommand(EditorCommand::Unlink);
    done(QDialog::Accepted);
}

void FormHyperLink::showTab(int index)
{
    if (m_tabs->widget(index) != m_previewTab)
        return;
    const QString address = linkAddress(m_address->text(), QString());
    if (address.isEmpty())
        return;
    if (!m_preview) {
        m_preview = named(new BrowserPane(m_previewTab), "WebPreview");
        m_previewTab->layout()->addWidget(m_preview);
    }
    m_preview->navigate(address);
}

} // namespace ferrowen
