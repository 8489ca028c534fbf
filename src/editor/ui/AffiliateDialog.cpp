#include "editor/ui/AffiliateDialog.h"

#include "platform/ui/NamedWidget.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ferrowen {

AffiliateDialog::AffiliateDialog(const AffiliateSettings &settings, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("DialogAffiliate"));
    setWindowTitle(tr("Earn $$"));

    auto *about = new QLabel(tr("Blogs you post from the editor can end with a short credit that links to the "
                                "Drovenel editor with your affiliate identifier."));
    about->setWordWrap(true);
    m_enabled = named(new QCheckBox(tr("&Add the affiliate credit to my blog posts")), "CheckAffiliate");
    m_enabled->setChecked(settings.enabled);
    m_id = named(new QLineEdit(settings.id), "TextAffiliateId");
    m_text = named(new QLineEdit(settings.text), "TextAffiliateText");
    m_text->setMinimumWidth(320);

    auto *form = new QFormLayout;
    form->addRow(tr("Affiliate &identifier:"), m_id);
    form->addRow(tr("Credit &text:"), m_text);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *column = new QVBoxLayout(this);
    column->addWidget(about);
    column->addWidget(m_enabled);
    column->addLayout(form);
    column->addWidget(buttons);

    // The credit goes out only with both an identifier and a text: say so
    // by not letting it be switched on without them.
    for (QLineEdit *edit : {m_id, m_text})
        connect(edit, &QLineEdit::textChanged, this, &AffiliateDialog::updateOkButton);
    connect(m_enabled, &QCheckBox::toggled, this, &AffiliateDialog::updateOkButton);
    updateOkButton();
}

void AffiliateDialog::updateOkButton()
{
    auto *buttons = findChild<QDialogButtonBox *>();
    const bool complete = !m_enabled->isChecked()
                          || (!m_id->text().trimmed().isEmpty() && !m_text->text().trimmed().isEmpty());
    buttons->button(QDialogButtonBox::Ok)->setEnabled(complete);
}

AffiliateSettings AffiliateDialog::settings() const
{
    return {m_enabled->isChecked(), m_id->text().trimmed(), m_text->text().trimmed()};
}

} // namespace ferrowen
