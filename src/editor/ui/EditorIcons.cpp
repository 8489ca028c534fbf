#include "editor/ui/EditorIcons.h"

#include "platform/ui/ToolButtons.h"

#include <QPainter>

namespace ferrowen {

namespace {

const QColor Ink(0x2b, 0x30, 0x38);
const QColor Blue(0x2f, 0x6f, 0xc6);
const QColor Paper(0xfb, 0xfb, 0xf7);

QPen pen(const QColor &color, qreal width = 1.0)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void letter(QPainter &p, const QString &text, bool bold, bool italic, bool underline)
{
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(13);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    p.setFont(font);
    p.setPen(Ink);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
}

// Four lines of text, each line's left and right edges given.
void lines(QPainter &p, const QList<QPair<qreal, qreal>> &edges)
{
    p.setPen(pen(Ink, 1.4));
    qreal y = 3;
    for (const auto &edge : edges) {
        p.drawLine(QPointF(edge.first, y), QPointF(edge.second, y));
        y += 3.3;
    }
}

void page(QPainter &p, const QRectF &rect)
{
    p.setPen(pen(Ink, 0.9));
    p.setBrush(Paper);
    p.drawRect(rect);
}

void verticalArrows(QPainter &p, bool outwards)
{
    p.setPen(pen(Blue, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(8, 2), QPointF(8, 14));
    const qreal top = outwards ? 1.5 : 6;
    const qreal bottom = outwards ? 14.5 : 10;
    const qreal sign = outwards ? 1 : -1;
    p.drawPolyline(QPolygonF({QPointF(4.5, top + 3.5 * sign), QPointF(8, top), QPointF(11.5, top + 3.5 * sign)}));
    p.drawPolyline(QPolygonF({QPointF(4.5, bottom - 3.5 * sign), QPointF(8, bottom), QPointF(11.5, bottom - 3.5 * sign)}));
}

std::function<void(QPainter &)> drawingFor(QStringView key)
{
    if (key == u"cut")
        return [](QPainter &p) {
            p.setPen(pen(Ink, 1.3));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(1.5, 10, 4.5, 4.5));
            p.drawEllipse(QRectF(10, 10, 4.5, 4.5));
            p.drawLine(QPointF(5, 10.5), QPointF(11.5, 1.5));
            p.drawLine(QPointF(11, 10.5), QPointF(4.5, 1.5));
        };
    if (key == u"copy")
        return [](QPainter &p) {
            page(p, QRectF(1.5, 1.5, 8.5, 10));
            page(p, QRectF(6, 4.5, 8.5, 10));
        };
    if (key == u"paste")
        return [](QPainter &p) {
            p.setPen(pen(Ink, 0.9));
            p.setBrush(QColor(0xc9, 0x9a, 0x5b));
            p.drawRoundedRect(QRectF(2, 2.5, 10, 12.5), 1.5, 1.5);
            p.setBrush(QColor(0x9a, 0xa3, 0xad));
            p.drawRect(QRectF(4.5, 1, 5, 3));
            page(p, QRectF(7, 7, 7.5, 8.5));
        };
    if (key == u"Bold")
        return [](QPainter &p) { letter(p, QStringLiteral("B"), true, false, false); };
    if (key == u"Italic")
        return [](QPainter &p) { letter(p, QStringLiteral("I"), false, true, false); };
    if (key == u"Underline")
        return [](QPainter &p) { letter(p, QStringLiteral("U"), false, false, true); };
    if (key == u"Color")
        return [](QPainter &p) {
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPixelSize(11);
            font.setBold(true);
            p.setFont(font);
            p.setPen(Ink);
            p.drawText(QRectF(0, 0, 16, 12), Qt::AlignCenter, QStringLiteral("A"));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xd0, 0x21, 0x2b));
            p.drawRect(QRectF(2, 12.5, 12, 3));
        };
    if (key == u"LeftJustify")
        return [](QPainter &p) { lines(p, {{1.5, 14.5}, {1.5, 10}, {1.5, 14.5}, {1.5, 8}}); };
    if (key == u"Center")
        return [](QPainter &p) { lines(p, {{1.5, 14.5}, {4, 12}, {1.5, 14.5}, {5, 11}}); };
    if (key == u"RightJustify")
        return [](QPainter &p) { lines(p, {{1.5, 14.5}, {6, 14.5}, {1.5, 14.5}, {8, 14.5}}); };
    if (key == u"Numbers" || key == u"Bullets") {
        const bool numbers = key == u"Numbers";
        return [numbers](QPainter &p) {
            lines(p, {{6, 14.5}, {6, 14.5}, {6, 14.5}, {6, 14.5}});
            if (numbers) {
                QFont font(QStringLiteral("DejaVu Sans"));
                font.setPixelSize(4);
                p.setFont(font);
                for (int i = 0; i < 4; ++i)
                    p.drawText(QRectF(0, 0.5 + 3.3 * i, 5, 5), Qt::AlignCenter, QString::number(i + 1));
            } else {
                p.setPen(Qt::NoPen);
                p.setBrush(Blue);
                for (int i = 0; i < 4; ++i)
                    p.drawEllipse(QPointF(2.5, 3 + 3.3 * i), 1.2, 1.2);
            }
        };
    }
    if (key == u"Outdent" || key == u"Indent") {
        const bool in = key == u"Indent";
        return [in](QPainter &p) {
            lines(p, {{1.5, 14.5}, {7, 14.5}, {7, 14.5}, {1.5, 14.5}});
            p.setPen(Qt::NoPen);
            p.setBrush(Blue);
            if (in)
                p.drawPolygon(QPolygonF({QPointF(1.5, 5), QPointF(5, 7.8), QPointF(1.5, 10.6)}));
            else
                p.drawPolygon(QPolygonF({QPointF(5, 5), QPointF(1.5, 7.8), QPointF(5, 10.6)}));
        };
    }
    if (key == u"link")
        return [](QPainter &p) {
            p.setPen(pen(Blue, 1.6));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(1, 5, 8, 6), 3, 3);
            p.drawRoundedRect(QRectF(7, 5, 8, 6), 3, 3);
        };
    if (key == u"image")
        return [](QPainter &p) {
            p.setPen(pen(Ink, 0.9));
            p.setBrush(QColor(0xd8, 0xea, 0xfb));
            p.drawRect(QRectF(1.5, 2.5, 13, 11));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x3d, 0x8b, 0x4a));
            p.drawPolygon(QPolygonF({QPointF(2, 13), QPointF(6.5, 7), QPointF(10, 11), QPointF(12, 9), QPointF(14, 13)}));
            p.setBrush(QColor(0xe8, 0xb3, 0x3a));
            p.drawEllipse(QPointF(11.5, 5.5), 1.5, 1.5);
        };
    if (key == u"table")
        return [](QPainter &p) {
            p.setPen(pen(Ink, 1.0));
            p.setBrush(Paper);
            p.drawRect(QRectF(1.5, 2.5, 13, 11));
            for (qreal x : {5.8, 10.2})
                p.drawLine(QPointF(x, 2.5), QPointF(x, 13.5));
            for (qreal y : {6.2, 9.8})
                p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
        };
    if (key == u"spell")
        return [](QPainter &p) {
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPixelSize(6);
            font.setBold(true);
            p.setFont(font);
            p.setPen(Ink);
            p.drawText(QRectF(0, 0, 16, 8), Qt::AlignCenter, QStringLiteral("ABC"));
            p.setPen(pen(QColor(0x2e, 0x9a, 0x4a), 1.8));
            p.drawPolyline(QPolygonF({QPointF(3, 11), QPointF(6.5, 14.5), QPointF(13.5, 8.5)}));
        };
    if (key == u"expand")
        return [](QPainter &p) { verticalArrows(p, true); };
    if (key == u"contract")
        return [](QPainter &p) { verticalArrows(p, false); };
    if (key == u"hide")
        return [](QPainter &p) {
            // Folded down to a line.
            p.setPen(pen(Blue, 1.8));
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(QPolygonF({QPointF(4, 5), QPointF(8, 9.5), QPointF(12, 5)}));
            p.setPen(pen(Ink, 1.8));
            p.drawLine(QPointF(3, 13), QPointF(13, 13));
        };
    return {};
}

} // namespace

QIcon editorIcon(QStringView key)
{
    if (key == u"open" || key == u"save")
        return toolIcon(key);
    auto drawing = drawingFor(key);
    return drawing ? drawnIcon(std::move(drawing)) : QIcon();
}

} // namespace ferrowen
