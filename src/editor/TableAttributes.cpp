#include "editor/TableAttributes.h"

#include "editor/RgbString.h"
#include "editor/TagValue.h"

#include <QLocale>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace ferrowen {

namespace {

QString readAttribute(const QString &text, int position, const QString &name)
{
    return TagValue(text, position, name, QString(), TagValueMode::Read).text;
}

// An empty value removes the attribute.
QString writeAttribute(const QString &text, int position, const QString &name, const QString &value,
                       TagValueMode mode = TagValueMode::SetValue)
{
    const QString changed = TagValue(text, position, name, value, mode).text;
    return changed.isEmpty() ? text : changed;
}

ColourSetting readColour(const QString &value)
{
    ColourSetting colour;
    colour.set = !value.isEmpty();
    colour.found = value;
    colour.colour = RevFormatRGBString(value).value_or(0);
    return colour;
}

// A colour the user did not pick again is written as it stood: "red" or
// "#f00" would not survive the trip through a colour number unchanged.
QString colourValue(const ColourSetting &colour)
{
    if (!colour.set)
        return {};
    if (colour.picked || colour.found.isEmpty())
        return FormatRGBString(colour.colour);
    return colour.found;
}

BackgroundSetting readBackground(const QString &value)
{
    return {!value.isEmpty(), value, QString()};
}

// A picture chosen in the dialog is written as a file address; one left
// alone as it stood.
QString backgroundValue(const BackgroundSetting &background)
{
    if (!background.set)
        return {};
    if (!background.chosenFile.isEmpty())
        return QUrl::fromLocalFile(background.chosenFile).toString(QUrl::FullyEncoded);
    return background.found;
}

SizeSetting readSize(const QString &value)
{
    SizeSetting size;
    size.set = !value.isEmpty();
    // A size still to be typed is offered in percent.
    size.percent = !size.set || value.contains(QLatin1Char('%'));
    size.value = QString(value).remove(QLatin1Char('%'));
    return size;
}

// The leading digits of a value, as the box shows it ("3px" shows 3).
QString leadingNumber(const QString &value)
{
    int digits = 0;
    const QString text = value.trimmed();
    while (digits < text.size() && text.at(digits).isDigit())
        ++digits;
    return digits == 0 ? QString() : QString::number(text.left(digits).toLongLong());
}

NumberSetting readNumber(const QString &value, const QString &whenMissing)
{
    NumberSetting number;
    number.present = !value.isEmpty();
    const QString digits = leadingNumber(value);
    number.shown = number.present ? (digits.isEmpty() ? QStringLiteral("0") : digits) : whenMissing;
    number.value = number.shown;
    return number;
}

// A number the user did not change stays as it stood, missing included: a
// missing ROWSPAN written as 0 would span to the end of the row group, a
// missing CELLPADDING written as 0 would take the browser's padding away.
std::optional<QString> numberValue(const NumberSetting &number)
{
    if (number.value.trimmed() == number.shown)
        return std::nullopt;
    return leadingNumber(number.value);
}

// An item of the list, or a value the list lacks ("justify") as it stands,
// so that the dialog can show it and leave it alone.
QString readAlignment(const QString &value, const QStringList &items, const QString &alias, const QString &meaning)
{
    const QString upper = value.trimmed().toUpper();
    if (upper.isEmpty())
        return items.first();
    const QString wanted = upper == alias ? meaning : upper;
    for (const QString &item : items) {
        if (item.compare(wanted, Qt::CaseInsensitive) == 0)
            return item;
    }
    return value.trimmed();
}

QString alignmentValue(const QString &item)
{
    return item == QLatin1String("Default") ? QString() : item.toUpper();
}

// What OK writes into every tag it changes: only the settings the user
// changed since the dialog opened. Anything left alone stays as each tag
// has it, so that a row or column keeps the cells' own colours and sizes.
struct TagChanges
{
    std::optional<QString> width;
    std::optional<QString> height;
    std::optional<QString> background;
    std::optional<QString> borderColour;
    std::optional<QString> backgroundImage;
    std::optional<QString> align;
    std::optional<QString> verticalAlign;
    std::optional<QString> noWrap;
};

std::optional<QString> colourChange(const ColourSetting &chosen, const ColourSetting &loaded)
{
    if (chosen.set == loaded.set && !chosen.picked)
        return std::nullopt;
    return colourValue(chosen);
}

std::optional<QString> backgroundChange(const BackgroundSetting &chosen, const BackgroundSetting &loaded)
{
    if (chosen.set == loaded.set && chosen.chosenFile.isEmpty())
        return std::nullopt;
    return backgroundValue(chosen);
}

std::optional<QString> alignmentChange(const QString &chosen, const QString &loaded)
{
    if (chosen == loaded)
        return std::nullopt;
    return alignmentValue(chosen);
}

// Width and height are checked first, so that a refused OK changes nothing.
bool sizeChanges(const SizeSetting &width, const SizeSetting &loadedWidth, const SizeSetting &height,
                 const SizeSetting &loadedHeight, TagChanges &changes, TagRewrite &refusal, const QString &what)
{
    const SizeChange widthChange = sizeChange(width, loadedWidth);
    if (widthChange.refused) {
        refusal.invalid = TagRewrite::Invalid::Width;
        refusal.message = QStringLiteral("You must specify a valid width for the %1.").arg(what);
        return false;
    }
    const SizeChange heightChange = sizeChange(height, loadedHeight);
    if (heightChange.refused) {
        refusal.invalid = TagRewrite::Invalid::Height;
        refusal.message = QStringLiteral("You must specify a valid height for the %1.").arg(what);
        return false;
    }
    changes.width = widthChange.value;
    changes.height = heightChange.value;
    return true;
}

QString writeChange(const QString &text, int position, const QString &name, const std::optional<QString> &value,
                    TagValueMode mode = TagValueMode::SetValue)
{
    return value ? writeAttribute(text, position, name, *value, mode) : text;
}

QString writeNumber(const QString &text, int position, const QString &name, const NumberSetting &number)
{
    return writeChange(text, position, name, numberValue(number));
}

QString tagRewritten(QString text, int position, const TagChanges &changes)
{
    text = writeChange(text, position, QStringLiteral("WIDTH"), changes.width);
    text = writeChange(text, position, QStringLiteral("HEIGHT"), changes.height);
    text = writeChange(text, position, QStringLiteral("BGCOLOR"), changes.background);
    text = writeChange(text, position, QStringLiteral("BORDERCOLOR"), changes.borderColour);
    text = writeChange(text, position, QStringLiteral("BACKGROUND"), changes.backgroundImage);
    text = writeChange(text, position, QStringLiteral("ALIGN"), changes.align);
    text = writeChange(text, position, QStringLiteral("VALIGN"), changes.verticalAlign);
    return writeChange(text, position, QStringLiteral("NOWRAP"), changes.noWrap, TagValueMode::SetFlag);
}

QString cellTagRewritten(QString text, int position, const CellProperties &cell, const TagChanges &changes,
                         const ScopeControls &controls)
{
    text = tagRewritten(text, position, changes);
    if (controls.rowSpan)
        text = writeNumber(text, position, QStringLiteral("ROWSPAN"), cell.rowSpan);
    if (controls.columnSpan)
        text = writeNumber(text, position, QStringLiteral("COLSPAN"), cell.columnSpan);
    return text;
}

} // namespace

QString backgroundShown(const BackgroundSetting &background)
{
    if (!background.chosenFile.isEmpty())
        return background.chosenFile;
    const QUrl address(background.found);
    return address.isLocalFile() ? address.toLocalFile() : background.found;
}

QStringList horizontalAlignments()
{
    return {QStringLiteral("Default"), QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Center")};
}

QStringList verticalAlignments()
{
    return {QStringLiteral("Default"), QStringLiteral("Top"), QStringLiteral("Middle"), QStringLiteral("Baseline"),
            QStringLiteral("Bottom")};
}

std::optional<int> tableCount(const QString &text)
{
    bool isNumber = false;
    const double number = QLocale::c().toDouble(text.trimmed(), &isNumber);
    if (!isNumber || !(number > 0) || number > MaximumTableCount)
        return std::nullopt;
    // std::rint rounds halves to the even integer.
    const int count = int(std::rint(number));
    if (count < 1)
        return std::nullopt;
    return count;
}

QString insertTableAttributes(const InsertTableChoices &choices)
{
    QString text;
    if (const auto width = sizeAttributeValue(choices.width); width && !width->isEmpty())
        text += QStringLiteral(" WIDTH=") + *width;
    if (const QString align = alignmentValue(choices.align); !align.isEmpty())
        text += QStringLiteral(" ALIGN=") + align;
    text += QStringLiteral(" BORDER=") + leadingNumber(choices.border);
    text += QStringLiteral(" CELLPADDING=") + leadingNumber(choices.padding);
    text += QStringLiteral(" CELLSPACING=") + leadingNumber(choices.spacing);
    if (choices.background.set)
        text += QStringLiteral(" BGCOLOR=") + FormatRGBString(choices.background.colour);
    if (choices.borderColour.set)
        text += QStringLiteral(" BORDERCOLOR=") + FormatRGBString(choices.borderColour.colour);
    return text;
}

TableInsertion planTableInsertion(const InsertTableChoices &choices)
{
    TableInsertion insertion;
    const auto rows = tableCount(choices.rows);
    if (!rows) {
        insertion.message = QStringLiteral("Please specify a positive integer for the number of table rows.");
        return insertion;
    }
    const auto columns = tableCount(choices.columns);
    if (!columns) {
        insertion.message = QStringLiteral("Please specify a positive integer for the number of table columns.");
        return insertion;
    }
    if (!sizeAttributeValue(choices.width)) {
        insertion.message = QStringLiteral("You must specify a valid width for the table.");
        return insertion;
    }
    insertion.html = newTableHtml(*rows, *columns, insertTableAttributes(choices), choices.caption);
    return insertion;
}

QString newTableHtml(int rows, int columns, const QString &attributes, const QString &caption)
{
    QString html = QStringLiteral("<table") + attributes + QLatin1Char('>');
    if (!caption.isEmpty())
        html += QStringLiteral("<caption>") + caption.toHtmlEscaped() + QStringLiteral("</caption>");
    html += QStringLiteral("<tbody>");
    const QString row = QStringLiteral("<tr>") + QStringLiteral("<td>&nbsp;</td>").repeated(columns) + QStringLiteral("</tr>");
    html += row.repeated(rows);
    return html + QStringLiteral("</tbody></table>");
}

TableProperties readTableProperties(const QString &tableHtml)
{
    TableProperties table;
    const int at = int(tableHtml.indexOf(QLatin1String("<TABLE"), 0, Qt::CaseInsensitive)) + 1;
    if (at == 0)
        return table;
    table.background = readColour(readAttribute(tableHtml, at, QStringLiteral("BGCOLOR")));
    table.borderColour = readColour(readAttribute(tableHtml, at, QStringLiteral("BORDERCOLOR")));
    table.backgroundImage = readBackground(readAttribute(tableHtml, at, QStringLiteral("BACKGROUND")));
    table.width = readSize(readAttribute(tableHtml, at, QStringLiteral("WIDTH")));
    table.height = readSize(readAttribute(tableHtml, at, QStringLiteral("HEIGHT")));
    table.align = readAlignment(readAttribute(tableHtml, at, QStringLiteral("ALIGN")), horizontalAlignments(),
                                QStringLiteral("MIDDLE"), QStringLiteral("CENTER"));
    const QString zero = QStringLiteral("0");
    table.border = readNumber(readAttribute(tableHtml, at, QStringLiteral("BORDER")), zero);
    table.padding = readNumber(readAttribute(tableHtml, at, QStringLiteral("CELLPADDING")), zero);
    table.spacing = readNumber(readAttribute(tableHtml, at, QStringLiteral("CELLSPACING")), zero);
    return table;
}

TagRewrite writeTableProperties(const QString &tableHtml, const TableProperties &table)
{
    TagRewrite result;
    result.text = tableHtml;
    const int at = int(tableHtml.indexOf(QLatin1String("<TABLE"), 0, Qt::CaseInsensitive)) + 1;
    if (at == 0)
        return result;
    const TableProperties loaded = readTableProperties(tableHtml);
    TagChanges changes;
    if (!sizeChanges(table.width, loaded.width, table.height, loaded.height, changes, result, QStringLiteral("table")))
        return result;
    changes.background = colourChange(table.background, loaded.background);
    changes.borderColour = colourChange(table.borderColour, loaded.borderColour);
    changes.backgroundImage = backgroundChange(table.backgroundImage, loaded.backgroundImage);
    changes.align = alignmentChange(table.align, loaded.align);
    QString text = tagRewritten(tableHtml, at, changes);
    text = writeNumber(text, at, QStringLiteral("BORDER"), table.border);
    text = writeNumber(text, at, QStringLiteral("CELLPADDING"), table.padding);
    text = writeNumber(text, at, QStringLiteral("CELLSPACING"), table.spacing);
    result.text = text;
    return result;
}

ScopeControls scopeControls(CellScope scope)
{
    switch (scope) {
    case CellScope::Row:
        return {QStringLiteral("Row Properties"), false, true, false, true};
    case CellScope::Column:
        return {QStringLiteral("Column Properties"), true, false, true, false};
    case CellScope::Cell:
        break;
    }
    return {QStringLiteral("Cell Properties"), true, true, true, true};
}

CellProperties readCellProperties(const QString &text, int tagPosition)
{
    CellProperties cell;
    if (tagPosition < 1)
        return cell;
    cell.background = readColour(readAttribute(text, tagPosition, QStringLiteral("BGCOLOR")));
    cell.borderColour = readColour(readAttribute(text, tagPosition, QStringLiteral("BORDERCOLOR")));
    cell.backgroundImage = readBackground(readAttribute(text, tagPosition, QStringLiteral("BACKGROUND")));
    cell.width = readSize(readAttribute(text, tagPosition, QStringLiteral("WIDTH")));
    cell.height = readSize(readAttribute(text, tagPosition, QStringLiteral("HEIGHT")));
    cell.align = readAlignment(readAttribute(text, tagPosition, QStringLiteral("ALIGN")), horizontalAlignments(),
                               QStringLiteral("MIDDLE"), QStringLiteral("CENTER"));
    cell.verticalAlign = readAlignment(readAttribute(text, tagPosition, QStringLiteral("VALIGN")), verticalAlignments(),
                                       QStringLiteral("CENTER"), QStringLiteral("MIDDLE"));
    cell.noWrap = readAttribute(text, tagPosition, QStringLiteral("NOWRAP")) == QLatin1String("<ON>");
    const QString one = QStringLiteral("1");
    cell.rowSpan = readNumber(readAttribute(text, tagPosition, QStringLiteral("ROWSPAN")), one);
    cell.columnSpan = readNumber(readAttribute(text, tagPosition, QStringLiteral("COLSPAN")), one);
    return cell;
}

TagRewrite writeCellProperties(const QString &text, const QList<int> &tagPositions, const CellProperties &loaded,
                               const CellProperties &cell, CellScope scope)
{
    TagRewrite result;
    result.text = text;
    const ScopeControls controls = scopeControls(scope);
    TagChanges changes;
    // A size the scope leaves alone is neither checked nor written.
    if (!sizeChanges(controls.width ? cell.width : loaded.width, loaded.width,
                     controls.height ? cell.height : loaded.height, loaded.height, changes, result,
                     QStringLiteral("table cell")))
        return result;
    changes.background = colourChange(cell.background, loaded.background);
    changes.borderColour = colourChange(cell.borderColour, loaded.borderColour);
    changes.backgroundImage = backgroundChange(cell.backgroundImage, loaded.backgroundImage);
    changes.align = alignmentChange(cell.align, loaded.align);
    changes.verticalAlign = alignmentChange(cell.verticalAlign, loaded.verticalAlign);
    if (cell.noWrap != loaded.noWrap)
        changes.noWrap = cell.noWrap ? QStringLiteral("1") : QStringLiteral("0");
    // From the last tag to the first, so that the positions of the earlier
    // tags stay where they were.
    QList<int> positions = tagPositions;
    std::sort(positions.begin(), positions.end(), std::greater<int>());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    QString changed = text;
    for (int position : positions) {
        if (position >= 1)
            changed = cellTagRewritten(changed, position, cell, changes, controls);
    }
    result.text = changed;
    return result;
}

} // namespace ferrowen
