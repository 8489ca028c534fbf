#include "editor/ui/ImageMapCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace ferrowen {

using imagemap::MapPointsSet;
using imagemap::Shape;

namespace {

// Smaller shapes are slips of the mouse, not areas.
constexpr int smallestSize = 3;
// How near the first corner a click closes the polygon.
constexpr int closingDistance = 6;

// Bounded for drawing: a far-off rim point from a hand-written map must
// not overflow the painter's numbers.
int radius(QPoint centre, QPoint rim)
{
    const double r = imagemap::circleRadius({{}, centre.x(), centre.y()}, {{}, rim.x(), rim.y()});
    return int(std::lround(std::min(r, 1e6)));
}

void drawArea(QPainter &painter, Shape shape, const QList<QPoint> &points)
{
    switch (shape) {
    case Shape::Rectangle:
        if (points.size() >= 2)
            painter.drawRect(QRect(points[0], points[1]).normalized());
        break;
    case Shape::Circle:
        if (points.size() >= 2) {
            const int r = radius(points[0], points[1]);
            painter.drawEllipse(points[0], r, r);
        }
        break;
    case Shape::Polygon:
        painter.drawPolygon(QPolygon(points));
        break;
    }
}

QList<QPoint> qtPoints(const MapPointsSet &area)
{
    QList<QPoint> points;
    for (const auto &point : area.PointsSet)
        points << QPoint(point.x, point.y);
    return points;
}

} // namespace

ImageMapCanvas::ImageMapCanvas(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setCursor(Qt::CrossCursor);
    setPicture(QString());
}

void ImageMapCanvas::setPicture(const QString &file, QSize sizeWithoutPicture)
{
    m_picture = file.isEmpty() ? QPixmap() : QPixmap(file);
    m_size = m_picture.isNull() ? sizeWithoutPicture : m_picture.size();
    setFixedSize(m_size);
    update();
}

void ImageMapCanvas::setTool(Shape tool)
{
    m_tool = tool;
    m_polygon.clear();
    m_dragging = false;
    update();
}

void ImageMapCanvas::setAreas(const imagemap::MapPointsSets *areas)
{
    m_areas = areas;
    update();
}

void ImageMapCanvas::setHighlighted(int index)
{
    m_highlighted = index;
    update();
}

QSize ImageMapCanvas::sizeHint() const
{
    return m_size;
}

QPoint ImageMapCanvas::clamped(QPoint point) const
{
    return {qBound(0, point.x(), m_size.width() - 1), qBound(0, point.y(), m_size.height() - 1)};
}

void ImageMapCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_picture.isNull()) {
        painter.fillRect(rect(), palette().mid());
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, tr("The picture cannot be shown here."));
    } else {
        painter.drawPixmap(0, 0, m_picture);
    }
    painter.setRenderHint(QPainter::Antialiasing);

    if (m_areas) {
        for (int i = 0; i < m_areas->Count(); ++i) {
            const MapPointsSet *area = m_areas->Item(i);
            const bool highlighted = i == m_highlighted;
            painter.setPen(QPen(highlighted ? Qt::red : Qt::blue, highlighted ? 2 : 1));
            painter.setBrush(QColor(highlighted ? 255 : 0, 0, highlighted ? 0 : 255, 40));
            drawArea(painter, area->shape, qtPoints(*area));
        }
    }

    painter.setPen(QPen(Qt::darkGreen, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    if (m_dragging)
        drawArea(painter, m_tool, {m_dragStart, m_pointer});
    if (!m_polygon.isEmpty())
        painter.drawPolyline(QPolygon(QList<QPoint>(m_polygon) << m_pointer));
}

void ImageMapCanvas::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = clamped(event->position().toPoint());
    m_pointer = at;
    if (m_tool != Shape::Polygon) {
        m_dragging = true;
        m_dragStart = at;
        return;
    }
    if (m_polygon.size() >= 3 && (at - m_polygon.first()).manhattanLength() <= closingDistance) {
        finishPolygon();
        return;
    }
    if (m_polygon.isEmpty() || m_polygon.last() != at)
        m_polygon << at;
    update();
}

void ImageMapCanvas::mouseMoveEvent(QMouseEvent *event)
{
    m_pointer = clamped(event->position().toPoint());
    if (m_dragging || !m_polygon.isEmpty())
        update();
}

void ImageMapCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_dragging)
        return;
    m_dragging = false;
    const QPoint end = clamped(event->position().toPoint());
    update();
    const bool bigEnough = m_tool == Shape::Circle
                               ? radius(m_dragStart, end) >= smallestSize
                               : qAbs(end.x() - m_dragStart.x()) >= smallestSize && qAbs(end.y() - m_dragStart.y()) >= smallestSize;
    if (bigEnough)
        Q_EMIT areaDrawn(m_tool, {m_dragStart, end});
}

void ImageMapCanvas::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_tool == Shape::Polygon && event->button() == Qt::LeftButton) {
        const QPoint at = clamped(event->position().toPoint());
        if (m_polygon.isEmpty() || m_polygon.last() != at)
            m_polygon << at;
        if (m_polygon.size() >= 3)
            finishPolygon();
        return;
    }
    // A double click starts a new drag, as a press does.
    mousePressEvent(event);
}

void ImageMapCanvas::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && (!m_polygon.isEmpty() || m_dragging)) {
        m_polygon.clear();
        m_dragging = false;
        update();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_polygon.size() >= 3) {
        finishPolygon();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ImageMapCanvas::finishPolygon()
{
    const QList<QPoint> corners = m_polygon;
    m_polygon.clear();
    update();
    Q_EMIT areaDrawn(Shape::Polygon, corners);
}

} // namespace ferrowen
