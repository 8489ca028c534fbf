#include "editor/ImageMapHtml.h"

#include "editor/TagValue.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <limits>
#include <optional>

namespace ferrowen {

using imagemap::MapPoints;
using imagemap::MapPointsSet;
using imagemap::MapPointsSets;
using imagemap::Shape;

namespace {

QString attributeText(const QString &value)
{
    QString escaped = value;
    escaped.replace(QLatin1Char('&'), QLatin1String("&amp;"))
        .replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString shapeName(Shape shape)
{
    switch (shape) {
    case Shape::Rectangle: return QStringLiteral("rect");
    case Shape::Circle: return QStringLiteral("circle");
    case Shape::Polygon: return QStringLiteral("poly");
    }
    return {};
}

// The COORDS text of an area; empty when it has too few points.
QString coordinates(const MapPointsSet &area)
{
    const MapPoints &points = area.PointsSet;
    QList<qint64> numbers;
    switch (area.shape) {
    case Shape::Rectangle: {
        if (points.Count() < 2)
            return {};
        const auto *a = points.Item(0);
        const auto *b = points.Item(1);
        numbers = {qMin(a->x, b->x), qMin(a->y, b->y), qMax(a->x, b->x), qMax(a->y, b->y)};
        break;
    }
    case Shape::Circle: {
        if (points.Count() < 2)
            return {};
        const auto *centre = points.Item(0);
        const auto *rim = points.Item(1);
        numbers = {centre->x, centre->y, std::llround(imagemap::circleRadius(*centre, *rim))};
        break;
    }
    case Shape::Polygon:
        if (points.Count() < 3)
            return {};
        for (const auto &point : points)
            numbers << point.x << point.y;
        break;
    }
    QStringList texts;
    for (qint64 number : numbers)
        texts << QString::number(number);
    return texts.join(QLatin1Char(','));
}

std::optional<Shape> shapeOf(const QString &name)
{
    const QString lower = name.trimmed().toLower();
    if (lower.isEmpty() || lower == QLatin1String("rect") || lower == QLatin1String("rectangle"))
        return Shape::Rectangle;
    if (lower == QLatin1String("circle") || lower == QLatin1String("circ"))
        return Shape::Circle;
    if (lower == QLatin1String("poly") || lower == QLatin1String("polygon"))
        return Shape::Polygon;
    return std::nullopt;
}

QString readAttribute(const QString &text, int tagStart, const QString &name)
{
    return TagValue(text, tagStart + 1, name, {}, TagValueMode::Read).text;
}

// The vertices an area's COORDS stand for, or nothing when they do not
// fit its shape.
std::optional<MapPoints> pointsOf(Shape shape, const QString &coords)
{
    QList<int> numbers;
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    for (const QString &part : coords.split(separators, Qt::SkipEmptyParts)) {
        bool ok = false;
        const double number = std::round(part.toDouble(&ok));
        // A number no picture has a pixel for makes the area unreadable.
        if (!ok || !std::isfinite(number) || number < std::numeric_limits<int>::min()
            || number > std::numeric_limits<int>::max())
            return std::nullopt;
        numbers << int(number);
    }
    MapPoints points;
    switch (shape) {
    case Shape::Rectangle:
        if (numbers.size() != 4)
            return std::nullopt;
        points.Add(numbers[0], numbers[1]);
        points.Add(numbers[2], numbers[3]);
        break;
    case Shape::Circle:
        if (numbers.size() != 3)
            return std::nullopt;
    {
        // The rim point lies on the side of the centre where it still fits
        // an int; either side gives the same radius back.
        const qint64 right = qint64(numbers[0]) + numbers[2];
        const qint64 rimX = right <= std::numeric_limits<int>::max() && right >= std::numeric_limits<int>::min()
                                ? right
                                : qint64(numbers[0]) - numbers[2];
        points.Add(numbers[0], numbers[1]);
        points.Add(int(rimX), numbers[1]);
        break;
    }
    case Shape::Polygon:
        if (numbers.size() < 6 || numbers.size() % 2 != 0)
            return std::nullopt;
        for (int i = 0; i < numbers.size(); i += 2)
            points.Add(numbers[i], numbers[i + 1]);
        break;
    }
    return points;
}

} // namespace

QString mapNameFor(const QString &requested, const QString &pictureFile)
{
    if (!requested.isEmpty() && requested != QLatin1String(UseFileMapName))
        return requested;
    // The picture may be an address: its last segment names it.
    QString base = QFileInfo(pictureFile.section(QLatin1Char('/'), -1)).completeBaseName();
    static const QRegularExpression notAllowed(QStringLiteral("[^A-Za-z0-9_-]"));
    base.replace(notAllowed, QStringLiteral("_"));
    return base.isEmpty() ? QStringLiteral("map") : base;
}

QString unusedMapName(const QString &base, const QStringList &taken)
{
    QString name = base;
    for (int n = 2; taken.contains(name); ++n)
        name = base + QLatin1Char('_') + QString::number(n);
    return name;
}

bool isValidMapName(const QString &name)
{
    static const QRegularExpression blank(QStringLiteral("\\s"));
    return !name.isEmpty() && !name.contains(blank) && name != QLatin1String(UseFileMapName);
}

QString mapReference(const QString &name)
{
    return QLatin1Char('#') + name;
}

QString mapNameOfReference(const QString &reference)
{
    const QString trimmed = reference.trimmed();
    return trimmed.startsWith(QLatin1Char('#')) ? trimmed.mid(1) : trimmed;
}

QString MapHtml(const QString &name, const MapPointsSets &areas)
{
    QString html = QStringLiteral("<map name=") + attributeText(name) + QLatin1Char('>');
    for (const MapPointsSet &area : areas) {
        const QString coords = coordinates(area);
        if (coords.isEmpty())
            continue;
        html += QStringLiteral("<area shape=\"") + shapeName(area.shape) + QStringLiteral("\" coords=\"") + coords
                + QLatin1Char('"');
        if (!area.address.isEmpty())
            html += QStringLiteral(" href=") + attributeText(area.address);
        html += QStringLiteral(" alt=") + attributeText(area.alternateText) + QLatin1Char('>');
    }
    return html + QStringLiteral("</map>");
}

ParsedMap parseMapHtml(const QString &mapHtml)
{
    ParsedMap map;
    const int mapStart = int(mapHtml.indexOf(QLatin1String("<map"), 0, Qt::CaseInsensitive));
    if (mapStart < 0)
        return map;
    map.name = readAttribute(mapHtml, mapStart, QStringLiteral("NAME"));
    static const QRegularExpression areaTag(QStringLiteral("<area\\b"), QRegularExpression::CaseInsensitiveOption);
    for (auto match = areaTag.globalMatch(mapHtml, mapStart); match.hasNext();) {
        const int at = int(match.next().capturedStart());
        const auto shape = shapeOf(readAttribute(mapHtml, at, QStringLiteral("SHAPE")));
        if (!shape)
            continue;
        const auto points = pointsOf(*shape, readAttribute(mapHtml, at, QStringLiteral("COORDS")));
        if (!points)
            continue;
        MapPointsSet *area = map.areas.Item(map.areas.Add(*points, *shape));
        area->address = readAttribute(mapHtml, at, QStringLiteral("HREF"));
        area->alternateText = readAttribute(mapHtml, at, QStringLiteral("ALT"));
    }
    return map;
}

} // namespace ferrowen
