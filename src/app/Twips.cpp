#include "app/Twips.h"

#include <QtGlobal>

namespace ferrowen {

Twips::Twips(double logicalDpi)
    : m_perPixel(perInch / (logicalDpi > 0 ? logicalDpi : 96.0))
{
}

int Twips::toPixels(int twips) const
{
    return qRound(twips / m_perPixel);
}

int Twips::toTwips(int pixels) const
{
    return qRound(pixels * m_perPixel);
}

QRect Twips::toPixels(const QRect &twips) const
{
    return QRect(toPixels(twips.x()), toPixels(twips.y()),
                 qMax(0, toPixels(twips.width())), qMax(0, toPixels(twips.height())));
}

QRect Twips::toTwips(const QRect &pixels) const
{
    return QRect(toTwips(pixels.x()), toTwips(pixels.y()), toTwips(pixels.width()), toTwips(pixels.height()));
}

} // namespace ferrowen
