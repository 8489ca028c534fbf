#include "editor/ui/EditorFontDialog.h"

#include "editor/EditorLists.h"
#include "editor/RgbString.h"
#include "platform/ColorChooser.h"
#include "platform/ui/NamedWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ferrowen {

EditorFontDialog::EditorFontDialog(const Font &current, ColorChooser &colours, QWidget *parent)
    : QDialog(parent)
    , m_colours(colours)
{
    setObjectName(QStringLiteral("DialogFont"));
    setWindowTitle(tr("Font"));

    m_name = named(new QComboBox, "ComboFontName");
    m_name->setEditable(true);
    m_name->lineEdit()->setAccessibleName(tr("Font"));
    m_name->addItems(editorFontNames());
    m_name->setEditText(current.name);
    m_size = named(new QComboBox, "ComboFontSize");
    m_size->addItem(QString());
    m_size->addItems(editorFontSizes());
    m_size->setCurrentIndex(current.size >= 1 && current.size <= 7 ? current.size : 0);

    m_bold = named(new QCheckBox(tr("&Bold")), "CheckBold");
    m_bold->setChecked(current.bold);
    m_italic = named(new QCheckBox(tr("&Italic")), "CheckItalic");
    m_italic->setChecked(current.italic);
    m_underline = named(new QCheckBox(tr("&Underline")), "CheckUnderline");
    m_underline->setChecked(current.underline);

    auto *colourButton = named(new QPushButton(tr("&Colour...")), "CommandColour");
    m_swatch = named(new QLabel, "LabelColour");
    m_swatch->setMinimumWidth(60);
    connect(colourButton, &QPushButton::clicked, this, &EditorFontDialog::chooseColour);
    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(colourButton);
    colourRow->addWidget(m_swatch, 1);

    auto *styles = new QHBoxLayout;
    styles->addWidget(m_bold);
    styles->addWidget(m_italic);
    styles->addWidget(m_underline);

    auto *form = new QFormLayout;
    form->addRow(tr("&Font:"), m_name);
    form->addRow(tr("&Size:"), m_size);
    form->addRow(tr("Style:"), styles);
    form->addRow(tr("Colour:"), colourRow);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(buttons);
}

void EditorFontDialog::chooseColour()
{
    const auto colour = m_colours.chooseColor(m_colour.value_or(0));
    if (!colour)
        return;
    m_colour = colour;
    const QString text = FormatRGBString(*colour);
    m_swatch->setText(text);
    m_swatch->setStyleSheet(QStringLiteral("QLabel { border-left: 16px solid %1; padding-left: 4px; }").arg(text));
}

EditorFontDialog::Font EditorFontDialog::chosen() const
{
    return {m_name->currentText().trimmed(), m_size->currentIndex(), m_bold->isChecked(), m_italic->isChecked(),
            m_underline->isChecked(), m_colour};
}

} // namespace ferrowen
