#include "platform/ui/FlowLayout.h"

#include <QWidget>

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

struct Item
{
    int width;
    int height;
    bool hidden = false;
};

struct Case
{
    const char *name;
    QList<Item> items;
    int areaWidth;
    // Each item's place as "x,y", ";"-separated; "-" for one given no room.
    const char *places;
    int height;
};

// Lays the items out in an area of the given width (no margins, 6 pixels
// between items, 4 between rows) and reports where each went.
QString layOut(const Case &c, int *height)
{
    QWidget parent;
    auto *flow = new FlowLayout(&parent, 6, 4);
    flow->setContentsMargins(0, 0, 0, 0);
    QList<QWidget *> widgets;
    for (const Item &item : c.items) {
        auto *widget = new QWidget(&parent);
        widget->setFixedSize(item.width, item.height);
        widget->setHidden(item.hidden);
        widget->move(-1, -1);
        flow->addWidget(widget);
        widgets << widget;
    }
    *height = flow->heightForWidth(c.areaWidth);
    flow->setGeometry(QRect(0, 0, c.areaWidth, *height));
    QStringList places;
    for (QWidget *widget : widgets)
        places << (widget->pos() == QPoint(-1, -1) ? QStringLiteral("-")
                                                   : QStringLiteral("%1,%2").arg(widget->x()).arg(widget->y()));
    return places.join(u';');
}

TEST(FlowLayoutTest, placesItemsInRowsThatFitTheWidth)
{
    const Case cases[] = {
        {"all fit in one row", {{100, 20}, {100, 20}, {100, 20}}, 400, "0,0;106,0;212,0", 20},
        {"exactly fits", {{100, 20}, {100, 20}}, 206, "0,0;106,0", 20},
        {"one pixel short wraps", {{100, 20}, {100, 20}}, 205, "0,0;0,24", 44},
        {"wraps into rows", {{100, 20}, {100, 20}, {100, 20}}, 250, "0,0;106,0;0,24", 44},
        {"a row is as tall as its tallest item, items centred in it",
         {{100, 20}, {100, 40}, {100, 10}}, 250, "0,10;106,0;0,44", 54},
        {"an item wider than the area still gets a row of its own", {{300, 20}, {100, 20}}, 200, "0,0;0,24", 44},
        {"a hidden item takes no room", {{100, 20}, {100, 20, true}, {100, 20}}, 210, "0,0;-;106,0", 20},
        {"an empty item takes no room", {{100, 20}, {0, 0}, {100, 20}}, 210, "0,0;-;106,0", 20},
    };
    for (const Case &c : cases) {
        int height = 0;
        EXPECT_EQ(layOut(c, &height), QLatin1String(c.places)) << c.name;
        EXPECT_EQ(height, c.height) << c.name;
    }
}

TEST(FlowLayoutTest, asksForOneRowButAcceptsTheWidestItem)
{
    QWidget parent;
    auto *flow = new FlowLayout(&parent, 6, 4);
    flow->setContentsMargins(2, 3, 2, 3);
    for (int width : {120, 80, 200}) {
        auto *widget = new QWidget(&parent);
        widget->setFixedSize(width, 30);
        flow->addWidget(widget);
    }
    EXPECT_EQ(flow->sizeHint(), QSize(2 + 120 + 6 + 80 + 6 + 200 + 2, 3 + 30 + 3));
    EXPECT_EQ(flow->minimumSize(), QSize(2 + 200 + 2, 3 + 30 + 3));
    EXPECT_TRUE(flow->hasHeightForWidth());
    EXPECT_EQ(flow->heightForWidth(2 + 200 + 2), 3 + 30 + 4 + 30 + 4 + 30 + 3);
}

} // namespace
