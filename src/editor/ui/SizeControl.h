#pragma once

#include "editor/TableAttributes.h"

#include <QObject>

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace ferrowen {

// A width or height row of the picture and table dialogs: "Set Width" (or
// "Set Height") with its box and "Percent" / "Pixels", named
// CheckSetWidth, EditWidth, OptionWidthPct, OptionWidthPix (Height for
// the height). Typing a size ticks the box; emptying it clears the tick.
class SizeControl : public QObject
{
    Q_OBJECT

public:
    enum class Dimension { Width, Height };
    enum class Unit { Percent, Pixels };

    // unit: the one chosen until a size is loaded.
    SizeControl(Dimension dimension, Unit unit, QObject *parent);

    // In three columns of a grid: the box, the size, the units.
    void addTo(QGridLayout *grid, int row) const;
    // As one row, for a form.
    QWidget *row() const;

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

} // namespace ferrowen
