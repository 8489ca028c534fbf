#include "editor/ui/TableControls.h"

#include "editor/RgbString.h"
#include "platform/ColorChooser.h"
#include "platform/FileDialogs.h"
#include "platform/ui/NamedWidget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace ferrowen {

ColourControl::ColourControl(const QString &caption, const char *checkName, const char *buttonName,
                             const char *swatchName, ColorChooser &colours, QObject *parent)
    : QObject(parent)
    , m_colours(colours)
    , m_check(named(new QCheckBox(caption), checkName))
    , m_choose(named(new QPushButton(tr("Choose...")), buttonName))
    , m_swatch(named(new QLabel, swatchName))
{
    m_choose->setAccessibleName(caption + QLatin1Char(' ') + m_choose->text());
    m_swatch->setMinimumWidth(90);
    m_swatch->setTextFormat(Qt::RichText);
    connect(m_choose, &QPushButton::clicked, this, &ColourControl::choose);
    showSwatch();
}

void ColourControl::addTo(QGridLayout *grid, int row) const
{
    grid->addWidget(m_check, row, 0);
    grid->addWidget(m_choose, row, 1);
    grid->addWidget(m_swatch, row, 2);
}

void ColourControl::load(const ColourSetting &setting)
{
    m_setting = setting;
    m_check->setChecked(setting.set);
    showSwatch();
}

ColourSetting ColourControl::setting() const
{
    ColourSetting setting = m_setting;
    setting.set = m_check->isChecked();
    return setting;
}

void ColourControl::choose()
{
    const auto colour = m_colours.chooseColor(0);
    if (!colour)
        return;
    m_setting.colour = *colour;
    m_setting.picked = true;
    m_check->setChecked(true);
    showSwatch();
}

void ColourControl::showSwatch()
{
    const bool kept = !m_setting.picked && !m_setting.found.isEmpty();
    const QString text = kept ? m_setting.found : FormatRGBString(m_setting.colour);
    m_swatch->setText(QStringLiteral("<span style=\"background-color:%1\">&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;</span> %2")
                          .arg(FormatRGBString(m_setting.colour), text.toHtmlEscaped()));
}

SizeControl::SizeControl(const QString &caption, const char *checkName, const char *editName,
                         const char *percentName, const char *pixelsName, QObject *parent)
    : QObject(parent)
    , m_check(named(new QCheckBox(caption), checkName))
    , m_edit(named(new QLineEdit, editName))
    , m_percent(named(new QRadioButton(tr("Percent")), percentName))
    , m_pixels(named(new QRadioButton(tr("Pixels")), pixelsName))
{
    m_edit->setAccessibleName(caption);
    auto *units = new QButtonGroup(this);
    units->addButton(m_percent);
    units->addButton(m_pixels);
    m_percent->setChecked(true);
    connect(m_edit, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_check->setChecked(!text.isEmpty());
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
    for (QWidget *control : {static_cast<QWidget *>(m_check), static_cast<QWidget *>(m_edit),
                             static_cast<QWidget *>(m_percent), static_cast<QWidget *>(m_pixels)})
        control->setEnabled(available);
}

BackgroundControl::BackgroundControl(FileDialogs &files, QObject *parent)
    : QObject(parent)
    , m_files(files)
    , m_check(named(new QCheckBox(tr("Use Background Image")), "CheckBkImage"))
    , m_choose(named(new QPushButton(tr("Set Background Image...")), "CommandBkImage"))
    , m_path(named(new QLabel, "LabelBkImage"))
{
    m_path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(m_choose, &QPushButton::clicked, this, &BackgroundControl::choose);
}

void BackgroundControl::addTo(QGridLayout *grid, int row) const
{
    grid->addWidget(m_check, row, 0);
    grid->addWidget(m_choose, row, 1);
    grid->addWidget(m_path, row, 2);
}

void BackgroundControl::load(const BackgroundSetting &setting)
{
    m_setting = setting;
    m_check->setChecked(setting.set);
    m_path->setText(backgroundShown(setting));
}

BackgroundSetting BackgroundControl::setting() const
{
    BackgroundSetting setting = m_setting;
    setting.set = m_check->isChecked();
    return setting;
}

void BackgroundControl::choose()
{
    const QString file = m_files.openFileName(
        tr("Set Background Image"), QString(),
        tr("Pictures (*.gif *.jpg *.jpeg *.png *.bmp *.webp);;GIF Files (*.gif);;Windows bitmap (*.bmp);;All files (*)"));
    if (file.isEmpty())
        return;
    m_setting.chosenFile = file;
    m_check->setChecked(true);
    m_path->setText(backgroundShown(m_setting));
}

NumberControl::NumberControl(const char *editName, int minimum, QObject *parent)
    : QObject(parent)
    , m_box(named(new QSpinBox, editName))
{
    m_box->setRange(minimum, 9999);
}

void NumberControl::load(const NumberSetting &setting)
{
    m_loaded = setting;
    m_box->setValue(setting.shown.toInt());
}

void NumberControl::setAvailable(bool available)
{
    if (available == m_box->isEnabled())
        return;
    if (!available) {
        m_valueWhileAvailable = m_box->value();
        m_box->setValue(1);
    } else {
        m_box->setValue(m_valueWhileAvailable);
    }
    m_box->setEnabled(available);
}

NumberSetting NumberControl::setting() const
{
    NumberSetting setting = m_loaded;
    // A box whose value the user did not touch gives back what it showed,
    // even when that was no number at all.
    const QString now = QString::number(m_box->value());
    setting.value = now == QString::number(m_loaded.shown.toInt()) ? m_loaded.shown : now;
    return setting;
}

} // namespace ferrowen
