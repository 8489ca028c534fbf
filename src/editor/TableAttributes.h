#pragma once

#include "editor/CellScope.h"
#include "editor/SizeSetting.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace ferrowen {

// What the table dialogs show and write, and how a table or cell tag is
// read into them and rewritten from them. OK writes only what the user
// changed since the dialog opened: an attribute left alone stays as it
// stands (or stays missing), even one the dialog cannot show or write
// ("justify", "50px"), so that opening a dialog and pressing OK changes
// nothing, and a row or column keeps its cells' own settings.

// A colour of a table or cell ("Set Background Color:" and its swatch).
struct ColourSetting
{
    bool set = false;
    quint32 colour = 0; // the swatch, 0x00BBGGRR
    QString found;      // the value in the tag when the dialog opened
    bool picked = false; // chosen in the colour dialog since
};

// A background image ("Use Background Image" and the picture chosen with
// "Set Background Image..."), written as BACKGROUND.
struct BackgroundSetting
{
    bool set = false;
    QString found;      // the value in the tag when the dialog opened
    QString chosenFile; // a picture chosen since (a local path)
};

// The picture as the dialog shows it: a file address as a plain path.
QString backgroundShown(const BackgroundSetting &background);

// A number with an up-down control (BORDER, CELLPADDING, ROWSPAN ...).
struct NumberSetting
{
    QString shown;       // what the box showed when the dialog opened
    QString value;       // what it holds now
    bool present = false; // the tag had the attribute
};

struct InsertTableChoices
{
    QString rows = QStringLiteral("2");
    QString columns = QStringLiteral("2");
    QString caption;
    SizeSetting width{false, QStringLiteral("100"), true};
    QString align = QStringLiteral("Center");
    QString border = QStringLiteral("0");
    QString padding = QStringLiteral("3");
    QString spacing = QStringLiteral("0");
    ColourSetting background;
    ColourSetting borderColour;
};

struct TableProperties
{
    SizeSetting width;
    SizeSetting height;
    // An item of horizontalAlignments(), or a value the list lacks.
    QString align = QStringLiteral("Default");
    NumberSetting border;
    NumberSetting padding;
    NumberSetting spacing;
    ColourSetting background;
    ColourSetting borderColour;
    BackgroundSetting backgroundImage;
};

struct CellProperties
{
    SizeSetting width;
    SizeSetting height;
    ColourSetting background;
    ColourSetting borderColour;
    QString align = QStringLiteral("Default");
    QString verticalAlign = QStringLiteral("Default");
    bool noWrap = false;
    NumberSetting rowSpan;
    NumberSetting columnSpan;
    BackgroundSetting backgroundImage;
};

// Which controls a scope of the cell dialog leaves to the user. A control
// it disables leaves its attribute in every cell as it stands.
struct ScopeControls
{
    QString caption;
    bool width = true;
    bool height = true;
    bool rowSpan = true;
    bool columnSpan = true;
};

// The result of OK: the rewritten text, or the message that keeps the
// dialog open (and which box gets the focus) with the text unchanged.
struct TagRewrite
{
    enum class Invalid { None, Width, Height };
    QString text;
    Invalid invalid = Invalid::None;
    QString message;
};

QStringList horizontalAlignments(); // "Default", "Left", "Right", "Center"
QStringList verticalAlignments();   // "Default", "Top", "Middle", "Baseline", "Bottom"

// A number of rows or columns: positive, a fraction rounded to the nearest
// integer with halves going to the even one; none when the text is not
// such a number (or asks for more than the editor can show).
std::optional<int> tableCount(const QString &text);
inline constexpr int MaximumTableCount = 1000;

// The table to insert, or the message that keeps the dialog open.
struct TableInsertion
{
    QString html;
    QString message;
};
TableInsertion planTableInsertion(const InsertTableChoices &choices);

// The attribute text of a new table, each attribute after one blank (the
// width as validated by planTableInsertion).
QString insertTableAttributes(const InsertTableChoices &choices);
// A new table with its caption and empty cells.
QString newTableHtml(int rows, int columns, const QString &attributes, const QString &caption);

// tableHtml starts with (or contains) the TABLE tag.
TableProperties readTableProperties(const QString &tableHtml);
TagRewrite writeTableProperties(const QString &tableHtml, const TableProperties &properties);

ScopeControls scopeControls(CellScope scope);
// The cell tag at tagPosition (1-based) of text.
CellProperties readCellProperties(const QString &text, int tagPosition);
// Rewrites every cell tag at tagPositions (1-based, any order) with what
// changed from loaded (the cell the dialog opened with) to chosen.
TagRewrite writeCellProperties(const QString &text, const QList<int> &tagPositions, const CellProperties &loaded,
                               const CellProperties &chosen, CellScope scope);

} // namespace ferrowen
