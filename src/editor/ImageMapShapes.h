#pragma once

#include <QList>
#include <QString>

// The shapes of an image map: points, the vertices of one area, and the
// areas of one map, in the map editor's model (designed as QPoint, QPoints,
// QPointsSet and QPointsSets; named so here that none hides Qt's QPoint).
namespace ferrowen::imagemap {

// One vertex, in pixels of the picture (QPoint).
struct MapPoint
{
    QString KeyID;
    int x = 0;
    int y = 0;
};

// A keyed collection: items keep the order in which they were added and
// are reached by 0-based index or by key. Keys are unique.
template<typename T>
class KeyedCollection
{
public:
    int Count() const { return int(m_items.size()); }
    bool contains(const QString &key) const { return indexOf(key) >= 0; }

    // nullptr when there is no such item.
    T *Item(int index) { return index >= 0 && index < Count() ? &m_items[index] : nullptr; }
    const T *Item(int index) const { return index >= 0 && index < Count() ? &m_items[index] : nullptr; }
    T *Item(const QString &key) { return Item(indexOf(key)); }
    const T *Item(const QString &key) const { return Item(indexOf(key)); }

    bool Remove(int index)
    {
        if (index < 0 || index >= Count())
            return false;
        m_items.removeAt(index);
        return true;
    }
    bool Remove(const QString &key) { return Remove(indexOf(key)); }

    auto begin() const { return m_items.cbegin(); }
    auto end() const { return m_items.cend(); }

protected:
    // Stores item under its key; false (and nothing stored) when the key
    // is taken or empty.
    bool store(const T &item)
    {
        if (item.KeyID.isEmpty() || contains(item.KeyID))
            return false;
        m_items.append(item);
        return true;
    }

private:
    int indexOf(const QString &key) const
    {
        for (int i = 0; i < Count(); ++i) {
            if (m_items[i].KeyID == key)
                return i;
        }
        return -1;
    }

    QList<T> m_items;
};

// The vertices of one area.
class MapPoints : public KeyedCollection<MapPoint>
{
public:
    bool Add(const QString &key, int x, int y) { return store(MapPoint{key, x, y}); }
    // Adds under the next free key "P1", "P2", ...
    void Add(int x, int y);
};

enum class Shape {
    Rectangle, // two opposite corners
    Circle,    // the centre, then a point on the rim
    Polygon,   // the vertices in order, three or more
};

// The distance from a circle's centre to its rim point, in pixels; any
// two points, however far apart, give a finite number.
double circleRadius(const MapPoint &centre, const MapPoint &rim);

// One area of the map: its vertices, what it is, where it leads.
struct MapPointsSet
{
    QString KeyID;
    MapPoints PointsSet;
    Shape shape = Shape::Rectangle;
    QString address;
    QString alternateText;
};

// The areas of one map, in the order they were drawn (the first one
// listed wins where areas overlap).
class MapPointsSets : public KeyedCollection<MapPointsSet>
{
public:
    bool Add(const QString &key, const MapPoints &points, Shape shape);
    // Adds under the next free key "S1", "S2", ...; returns the key.
    QString Add(const MapPoints &points, Shape shape);
};

} // namespace ferrowen::imagemap
