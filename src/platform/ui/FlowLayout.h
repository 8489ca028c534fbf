#pragma once

#include <QLayout>
#include <QList>

namespace ferrowen {

// Lays its items out left to right and starts a new row when the next item
// would not fit, so a band of controls stays whole on a narrow window
// instead of forcing the window wider. Each row is as tall as its tallest
// item; the items are centred in it. Items with nothing to show (hidden, or
// with an empty size hint) take no room.
class FlowLayout : public QLayout
{
public:
    explicit FlowLayout(QWidget *parent = nullptr, int horizontalSpacing = 6, int verticalSpacing = 4);
    ~FlowLayout() override;

    void addItem(QLayoutItem *item) override;
    int count() const override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;

    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    // All items in one row.
    QSize sizeHint() const override;
    // The widest item: narrower than that, nothing can wrap any more.
    QSize minimumSize() const override;
    void setGeometry(const QRect &rect) override;

private:
    // Places the items in rect (or only measures, when apply is false) and
    // gives the height used.
    int arrange(const QRect &rect, bool apply) const;
    QList<QLayoutItem *> shownItems() const;

    QList<QLayoutItem *> m_items;
    int m_horizontalSpacing;
    int m_verticalSpacing;
};

} // namespace ferrowen
