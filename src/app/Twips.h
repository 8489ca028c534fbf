#pragma once

#include <QRect>

namespace ferrowen {

// Converts between twips, the unit every window layout rule is written in
// (1440 twips to the logical inch), and pixels of one screen. Positions are
// rounded to the nearest pixel.
class Twips
{
public:
    static constexpr int perInch = 1440;

    // logicalDpi: the screen's logical dots per inch (96 on most desktops,
    // giving 15 twips per pixel). A value of 0 or less counts as 96.
    explicit Twips(double logicalDpi);

    double perPixel() const { return m_perPixel; }

    int toPixels(int twips) const;
    int toTwips(int pixels) const;
    // A rectangle in twips placed on the pixel grid. Negative sizes become 0:
    // a layout rule may compute a negative width for a window too narrow to
    // hold it, which no widget can take.
    QRect toPixels(const QRect &twips) const;
    QRect toTwips(const QRect &pixels) const;

private:
    double m_perPixel;
};

} // namespace ferrowen
