#include "editor/ui/TableControls.h"

#include "editor/RgbString.h"
#include "platform/ColorChooser.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/ui/NamedWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

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

SharedTableRows::SharedTableRows(ColorChooser &colours, FileDialogs &files, QDialog *dialog)
    : dialog(dialog)
    , width(new SizeControl(SizeControl::Dimension::Width, SizeControl::Unit::Percent, dialog))
    , height(new SizeControl(SizeControl::Dimension::Height, SizeControl::Unit::Percent, dialog))
    , align(named(new QComboBox, "ComboHoriz"))
    , background(new ColourControl(QObject::tr("Set Background Color:"), "CheckSetBkColor", "CommandBkColor",
                                   "ShapeBkColor", colours, dialog))
    , borderColour(new ColourControl(QObject::tr("Set Border Color:"), "CheckSetBorderColor", "CommandBorderColor",
                                     "ShapeBorderColor", colours, dialog))
    , backgroundImage(new BackgroundControl(files, dialog))
{
    align->addItems(horizontalAlignments());
}

void SharedTableRows::layOut(QLayout *top, const QString &alignCaption, QFormLayout *fields, QWidget *bottom) const
{
    auto *grid = new QGridLayout;
    width->addTo(grid, 0);
    height->addTo(grid, 1);
    fields->insertRow(0, alignCaption, align);
    grid->addLayout(fields, 2, 0, 1, 3);
    background->addTo(grid, 3);
    borderColour->addTo(grid, 4);
    backgroundImage->addTo(grid, 5);
    if (bottom)
        grid->addWidget(bottom, 6, 0, 1, 3);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    auto *column = new QVBoxLayout(dialog);
    if (top)
        column->addLayout(top);
    column->addLayout(grid);
    column->addWidget(buttons);
}

bool SharedTableRows::refusedSize(const TagRewrite &rewrite, MessageBoxes &boxes, const QString &title) const
{
    if (rewrite.invalid == TagRewrite::Invalid::None)
        return false;
    boxes.show(rewrite.message, MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning, title);
    (rewrite.invalid == TagRewrite::Invalid::Width ? width : height)->edit()->setFocus();
    return true;
}

} // namespace ferrowen
