#pragma once

#include "editor/ImageMapShapes.h"

#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QWidget>

namespace ferrowen {

// The picture with the map's areas over it, on which the user draws a new
// area with the mouse: a rectangle or a circle by dragging from corner to
// corner or from the centre out, a polygon by clicking its corners and
// then its first corner again (or double-clicking the last one). Points
// are in the picture's pixels, shown at their real size.
class ImageMapCanvas : public QWidget
{
    Q_OBJECT

public:
    explicit ImageMapCanvas(QWidget *parent = nullptr);

    // The picture to draw on; a file that cannot be shown leaves an empty
    // area of the given size.
    void setPicture(const QString &file, QSize sizeWithoutPicture = QSize(400, 300));
    bool hasPicture() const { return !m_picture.isNull(); }
    void setTool(imagemap::Shape tool);
    imagemap::Shape tool() const { return m_tool; }
    // The areas shown; the canvas keeps the pointer, the owner the areas.
    void setAreas(const imagemap::MapPointsSets *areas);
    void setHighlighted(int index);

    QSize sizeHint() const override;

Q_SIGNALS:
    // A new area was drawn: its vertices as the shape model takes them.
    void areaDrawn(imagemap::Shape shape, const QList<QPoint> &points);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPoint clamped(QPoint point) const;
    void finishPolygon();

    QPixmap m_picture;
    QSize m_size;
    imagemap::Shape m_tool = imagemap::Shape::Rectangle;
    const imagemap::MapPointsSets *m_areas = nullptr;
    int m_highlighted = -1;

    bool m_dragging = false;
    QPoint m_dragStart;
    QPoint m_pointer;
    QList<QPoint> m_polygon; // corners of the polygon being drawn
};

} // namespace ferrowen
