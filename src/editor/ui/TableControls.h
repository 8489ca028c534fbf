#pragma once

#include "editor/TableAttributes.h"

#include <QObject>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace ferrowen {

class ColorChooser;
class FileDialogs;

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

// A width or height row: "Set Width" with its box and "Percent" /
// "Pixels". Typing a size ticks the box; emptying it clears the tick.
class SizeControl : public QObject
{
    Q_OBJECT

public:
    SizeControl(const QString &caption, const char *checkName, const char *editName, const char *percentName,
                const char *pixelsName, QObject *parent);

    void addTo(QGridLayout *grid, int row) const;
    void load(const SizeSetting &setting);
    SizeSetting setting() const;
    // A scope that leaves the size alone: unticked and disabled; available
    // again, the box is ticked as it was.
    void setAvailable(bool available);
    QLineEdit *edit() const { return m_edit; }

private:
    bool m_tickedWhileAvailable = false;
    QCheckBox *m_check;
    QLineEdit *m_edit;
    QRadioButton *m_percent;
    QRadioButton *m_pixels;
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

} // namespace ferrowen
