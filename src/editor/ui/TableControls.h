#pragma once

#include "editor/TableAttributes.h"
#include "editor/ui/ListChoice.h"
#include "editor/ui/SizeControl.h"

#include <QComboBox>
#include <QObject>

class QCheckBox;
class QDialog;
class QFormLayout;
class QGridLayout;
class QLayout;
class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;

namespace ferrowen {

class ColorChooser;
class FileDialogs;
class MessageBoxes;

// A colour row of the table dialogs: "Set Background Color:" (or "Set
// Border Color:"), "Choose..." and the swatch. A colour chosen ticks the
// box; one cancelled changes nothing.
class ColourControl : public QObject
{
    Q_OBJECT

public:
    ColourControl(const QString &caption, const char *checkName, const char *buttonName, const char *swatchName,
                  ColorChooser &colours, QObject *parent);

    void addTo(QGridLayout *grid, int row) const;
    void load(const ColourSetting &setting);
    ColourSetting setting() const;

private:
    void choose();
    void showSwatch();

    ColorChooser &m_colours;
    QCheckBox *m_check;
    QPushButton *m_choose;
    QLabel *m_swatch;
    ColourSetting m_setting;
};

// "Use Background Image" with "Set Background Image..." and the picture's
// path. A picture chosen ticks the box.
class BackgroundControl : public QObject
{
    Q_OBJECT

public:
    BackgroundControl(FileDialogs &files, QObject *parent);

    void addTo(QGridLayout *grid, int row) const;
    void load(const BackgroundSetting &setting);
    BackgroundSetting setting() const;

private:
    void choose();

    FileDialogs &m_files;
    QCheckBox *m_check;
    QPushButton *m_choose;
    QLabel *m_path;
    BackgroundSetting m_setting;
};

// A number with an up-down control (BORDER, CELLPADDING, ROWSPAN ...).
class NumberControl : public QObject
{
    Q_OBJECT

public:
    NumberControl(const char *editName, int minimum, QObject *parent);

    QSpinBox *box() const { return m_box; }
    void load(const NumberSetting &setting);
    NumberSetting setting() const;
    // A scope that leaves the number alone shows 1, disabled; available
    // again, the box shows what it held.
    void setAvailable(bool available);

private:
    int m_valueWhileAvailable = 0;
    QSpinBox *m_box;
    NumberSetting m_loaded;
};

// The rows the table and the cell dialogs share: width, height, the
// horizontal alignment (ComboHoriz), the background and border colours and
// the background picture, with their layout and the OK and Cancel buttons.
struct SharedTableRows
{
    SharedTableRows(ColorChooser &colours, FileDialogs &files, QDialog *dialog);

    // Lays the dialog out: `top` (may be null), the sizes, `fields` (which
    // the alignment opens under alignCaption), the colours and the picture,
    // `bottom` (may be null), then OK and Cancel.
    void layOut(QLayout *top, const QString &alignCaption, QFormLayout *fields, QWidget *bottom) const;

    template<typename Properties>
    void load(const Properties &properties)
    {
        width->load(properties.width);
        height->load(properties.height);
        selectListItem(align, properties.align);
        background->load(properties.background);
        borderColour->load(properties.borderColour);
        backgroundImage->load(properties.backgroundImage);
    }
    template<typename Properties>
    void store(Properties &properties) const
    {
        properties.width = width->setting();
        properties.height = height->setting();
        properties.align = align->currentText();
        properties.background = background->setting();
        properties.borderColour = borderColour->setting();
        properties.backgroundImage = backgroundImage->setting();
    }
    // When the rewrite refused a size: says why and puts the focus in it.
    bool refusedSize(const TagRewrite &rewrite, MessageBoxes &boxes, const QString &title = QString()) const;

    QDialog *dialog;
    SizeControl *width;
    SizeControl *height;
    QComboBox *align;
    ColourControl *background;
    ColourControl *borderColour;
    BackgroundControl *backgroundImage;
};

} // namespace ferrowen
