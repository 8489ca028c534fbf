#include "platform/ui/ToolButtons.h"

#include <QAction>
#include <QToolBar>

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace ferrowen {

namespace {

using Drawing = std::function<void(QPainter &)>;

// Every drawing is made on a 16 x 16 grid and scaled to the button's size.
class DrawnIconEngine : public QIconEngine
{
public:
    explicit DrawnIconEngine(Drawing drawing)
        : m_drawing(std::move(drawing))
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setRenderHint(QPainter::TextAntialiasing);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.35);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        m_drawing(*painter);
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        QPixmap pixmap(size * scale);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            paint(&painter, QRect(QPoint(0, 0), pixmap.size()), mode, state);
        }
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }

    QIconEngine *clone() const override { return new DrawnIconEngine(m_drawing); }

private:
    Drawing m_drawing;
};

const QColor Outline(0x3a, 0x3f, 0x47);
const QColor Blue(0x2f, 0x6f, 0xc6);
const QColor Green(0x2e, 0x9a, 0x4a);
const QColor Red(0xcc, 0x33, 0x33);
const QColor Amber(0xe8, 0xb3, 0x3a);

QPen pen(const QColor &color, qreal width = 1.0)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A horizontal arrow across a coloured disc; direction +1 right, -1 left.
void arrowDisc(QPainter &p, const QColor &disc, int direction)
{
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.setPen(pen(Qt::white, 2.0));
    p.setBrush(Qt::NoBrush);
    const qreal tip = direction > 0 ? 11.5 : 4.5;
    const qreal tail = direction > 0 ? 4.5 : 11.5;
    const qreal barb = direction > 0 ? 8.5 : 7.5;
    p.drawLine(QPointF(tail, 8), QPointF(tip, 8));
    p.drawPolyline(QPolygonF({QPointF(barb, 5), QPointF(tip, 8), QPointF(barb, 11)}));
}

void plusBadge(QPainter &p, const QColor &color, bool minus = false)
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(QRectF(9, 9, 7, 7));
    p.setPen(pen(Qt::white, 1.5));
    p.drawLine(QPointF(10.8, 12.5), QPointF(14.2, 12.5));
    if (!minus)
        p.drawLine(QPointF(12.5, 10.8), QPointF(12.5, 14.2));
}

void person(QPainter &p)
{
    p.setPen(pen(Outline, 0.8));
    p.setBrush(QColor(0x7a, 0x9c, 0xc9));
    p.drawEllipse(QRectF(3.5, 1.5, 6, 6));
    QPainterPath body;
    body.moveTo(1, 14.5);
    body.cubicTo(1, 9.5, 12, 9.5, 12, 14.5);
    body.closeSubpath();
    p.drawPath(body);
}

void envelope(QPainter &p)
{
    p.setPen(pen(Outline, 0.9));
    p.setBrush(QColor(0xfb, 0xf7, 0xe8));
    p.drawRect(QRectF(1, 3.5, 13, 9));
    p.drawPolyline(QPolygonF({QPointF(1, 3.5), QPointF(7.5, 9), QPointF(14, 3.5)}));
}

void addressBadge(QPainter &p, const QString &text)
{
    envelope(p);
    QFont font;
    font.setPixelSize(text.size() > 2 ? 5 : 6);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::NoPen);
    p.setBrush(Blue);
    p.drawRoundedRect(QRectF(3, 8, 12.5, 7.5), 2, 2);
    p.setPen(Qt::white);
    p.drawText(QRectF(3, 8, 12.5, 7.5), Qt::AlignCenter, text);
}

Drawing drawingFor(QStringView key)
{
    if (key == u"back")
        return [](QPainter &p) { arrowDisc(p, Blue, -1); };
    if (key == u"forward")
        return [](QPainter &p) { arrowDisc(p, Blue, +1); };
    if (key == u"go")
        return [](QPainter &p) { arrowDisc(p, Green, +1); };
    if (key == u"refresh")
        return [](QPainter &p) {
            p.setPen(pen(Green, 2.0));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(2.5, 2.5, 11, 11), 60 * 16, 290 * 16);
            p.setPen(Qt::NoPen);
            p.setBrush(Green);
            p.drawPolygon(QPolygonF({QPointF(9.5, 0.5), QPointF(14, 3.5), QPointF(9.5, 6.5)}));
        };
    if (key == u"stop")
        return [](QPainter &p) {
            QPolygonF octagon;
            for (const auto &pt : {QPointF(5, 1), QPointF(11, 1), QPointF(15, 5), QPointF(15, 11), QPointF(11, 15),
                                   QPointF(5, 15), QPointF(1, 11), QPointF(1, 5)})
                octagon << pt;
            p.setPen(Qt::NoPen);
            p.setBrush(Red);
            p.drawPolygon(octagon);
            p.setPen(pen(Qt::white, 2.0));
            p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
            p.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
        };
    if (key == u"new")
        return [](QPainter &p) {
            p.setPen(pen(Outline, 0.9));
            p.setBrush(Qt::white);
            p.drawPolygon(QPolygonF({QPointF(2.5, 0.5), QPointF(9.5, 0.5), QPointF(12.5, 3.5), QPointF(12.5, 15.5),
                                     QPointF(2.5, 15.5)}));
            p.drawPolyline(QPolygonF({QPointF(9.5, 0.5), QPointF(9.5, 3.5), QPointF(12.5, 3.5)}));
            plusBadge(p, Green);
        };
    if (key == u"open")
        return [](QPainter &p) {
            p.setPen(pen(Outline, 0.9));
            p.setBrush(Amber.darker(115));
            p.drawPolygon(QPolygonF({QPointF(0.5, 3), QPointF(5.5, 3), QPointF(7, 4.5), QPointF(14.5, 4.5),
                                     QPointF(14.5, 13.5), QPointF(0.5, 13.5)}));
            p.setBrush(Amber);
            p.drawPolygon(QPolygonF({QPointF(2.5, 7), QPointF(15.5, 7), QPointF(14, 13.5), QPointF(0.5, 13.5)}));
        };
    if (key == u"save")
        return [](QPainter &p) {
            p.setPen(pen(Outline, 0.9));
            p.setBrush(Blue);
            p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4, 1.5, 8, 5));
            p.setBrush(QColor(0xdd, 0xe6, 0xf3));
            p.drawRect(QRectF(3.5, 9, 9, 5.5));
        };
    if (key == u"add")
        return [](QPainter &p) { person(p); plusBadge(p, Green); };
    if (key == u"remove")
        return [](QPainter &p) { person(p); plusBadge(p, Red, true); };
    if (key == u"find")
        return [](QPainter &p) {
            p.setPen(pen(Outline, 1.6));
            p.setBrush(QColor(0xe3, 0xef, 0xfb));
            p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
            p.setPen(pen(Outline, 2.6));
            p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
        };
    if (key == u"addmsg")
        return [](QPainter &p) { envelope(p); plusBadge(p, Green); };
    if (key == u"setto")
        return [](QPainter &p) { addressBadge(p, QStringLiteral("To")); };
    if (key == u"setcc")
        return [](QPainter &p) { addressBadge(p, QStringLiteral("Cc")); };
    if (key == u"setbcc")
        return [](QPainter &p) { addressBadge(p, QStringLiteral("Bcc")); };
    if (key == u"expand")
        return [](QPainter &p) {
            p.setPen(pen(Blue, 1.8));
            p.setBrush(Qt::NoBrush);
            p.drawLine(QPointF(2, 8), QPointF(14, 8));
            p.drawPolyline(QPolygonF({QPointF(5, 4.5), QPointF(1.5, 8), QPointF(5, 11.5)}));
            p.drawPolyline(QPolygonF({QPointF(11, 4.5), QPointF(14.5, 8), QPointF(11, 11.5)}));
        };
    return {};
}

} // namespace

QIcon drawnIcon(std::function<void(QPainter &)> drawing)
{
    return QIcon(new DrawnIconEngine(std::move(drawing)));
}

QIcon toolIcon(QStringView key)
{
    Drawing drawing = drawingFor(key);
    if (!drawing)
        return QIcon();
    return drawnIcon(std::move(drawing));
}

QAction *addToolButton(QToolBar *toolbar, const char *key, const QString &toolTip)
{
    const QString name = QLatin1String(key);
    // The tool tip is also the button's text, which screen readers announce.
    QAction *action = toolbar->addAction(toolIcon(name), toolTip);
    action->setObjectName(name);
    action->setData(name);
    action->setToolTip(toolTip);
    return action;
}

} // namespace ferrowen
