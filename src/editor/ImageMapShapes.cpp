#include "editor/ImageMapShapes.h"

#include <cmath>

namespace ferrowen::imagemap {

namespace {

template<typename Collection>
QString nextFreeKey(const Collection &collection, QChar prefix)
{
    for (int n = collection.Count() + 1;; ++n) {
        const QString key = prefix + QString::number(n);
        if (!collection.contains(key))
            return key;
    }
}

} // namespace

double circleRadius(const MapPoint &centre, const MapPoint &rim)
{
    // In floating point: the differences of two ints need not fit an int.
    return std::hypot(double(rim.x) - double(centre.x), double(rim.y) - double(centre.y));
}

void MapPoints::Add(int x, int y)
{
    store(MapPoint{nextFreeKey(*this, QLatin1Char('P')), x, y});
}

bool MapPointsSets::Add(const QString &key, const MapPoints &points, Shape shape)
{
    MapPointsSet set;
    set.KeyID = key;
    set.PointsSet = points;
    set.shape = shape;
    return store(set);
}

QString MapPointsSets::Add(const MapPoints &points, Shape shape)
{
    const QString key = nextFreeKey(*this, QLatin1Char('S'));
    Add(key, points, shape);
    return key;
}

} // namespace ferrowen::imagemap
