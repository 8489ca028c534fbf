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

double circleRadius(const QPoint &centre, const QPoint &rim)
{
    // In floating point: the differences of two ints need not fit an int.
    return std::hypot(double(rim.x) - double(centre.x), double(rim.y) - double(centre.y));
}

void QPoints::Add(int x, int y)
{
    store(QPoint{nextFreeKey(*this, QLatin1Char('P')), x, y});
}

bool QPointsSets::Add(const QString &key, const QPoints &points, Shape shape)
{
    QPointsSet set;
    set.KeyID = key;
    set.PointsSet = points;
    set.shape = shape;
    return store(set);
}

QString QPointsSets::Add(const QPoints &points, Shape shape)
{
    const QString key = nextFreeKey(*this, QLatin1Char('S'));
    Add(key, points, shape);
    return key;
}

} // namespace ferrowen::imagemap
