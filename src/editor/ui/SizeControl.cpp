#include "editor/ui/SizeControl.h"

#include "platform/ui/NamedWidget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>

namespace ferrowen {

namespace {

struct SizeNames
{
    const char *check;
    const char *edit;
    const char *percent;
    const char *pixels;
};

SizeNames sizeNames(SizeControl::Dimension dimension)
{
    if (dimension == SizeControl::Dimension::Width)
        return {"CheckSetWidth", "EditWidth", "OptionWidthPct", "OptionWidthPix"};
    return {"CheckSetHeight", "EditHeight", "OptionHeightPct", "OptionHeightPix"};
}

} // namespace

SizeControl::SizeControl(Dimension dimension, Unit unit, QObject *parent)
    : QObject(parent)
{
    const SizeNames names = sizeNames(dimension);
    const QString caption = dimension == Dimension::Width ? tr("Set Width") : tr("Set Height");
    m_check = named(new QCheckBox(caption), names.check);
    m_edit = named(new QLineEdit, names.edit);
    m_percent = named(new QRadioButton(tr("Percent")), names.percent);
    m_pixels = named(new QRadioButton(tr("Pixels")), names.pixels);
    m_edit->setAccessibleName(caption);
    auto *units = new QButtonGroup(this);
    units->addButton(m_percent);
    units->addButton(m_pixels);
    (unit == Unit::Percent ? m_percent : m_pixels)->setChecked(true);
    connect(m_edit, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_check->setChecked(!text.trimmed().isEmpty());
    });
}

void SizeControl::addTo(QGridLayout *grid, int row) const
{
    grid->addWidget(m_check, row, 0);
    grid->addWidget(m_edit, row, 1);
    auto *units = new QHBoxLayout;
    units->addWidget(m_percent);
    units->addWidget(m_pixels);
    grid->addLayout(units, row, 2);
}

QWidget *SizeControl::row() const
{
    auto *row = new QWidget;
    m_edit->setMaximumWidth(60);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget *widget : std::initializer_list<QWidget *>{m_check, m_edit, m_percent, m_pixels})
        layout->addWidget(widget);
    layout->addStretch();
    return row;
}

void SizeControl::load(const SizeSetting &setting)
{
    m_check->setChecked(setting.set);
    m_edit->setText(setting.value);
    (setting.percent ? m_percent : m_pixels)->setChecked(true);
}

SizeSetting SizeControl::setting() const
{
    return {m_check->isChecked(), m_edit->text(), m_percent->isChecked()};
}

void SizeControl::setAvailable(bool available)
{
    if (available == m_check->isEnabled())
        return;
    if (!available) {
        m_tickedWhileAvailable = m_check->isChecked();
        m_check->setChecked(false);
    } else {
        m_check->setChecked(m_tickedWhileAvailable);
    }
    for (QWidget *control : std::initializer_list<QWidget *>{m_check, m_edit, m_percent, m_pixels})
        control->setEnabled(available);
}

} // namespace ferrowen
