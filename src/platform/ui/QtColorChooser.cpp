#include "platform/ui/QtColorChooser.h"

#include <QColorDialog>

namespace ferrowen {

QtColorChooser::QtColorChooser(QWidget *window)
    : m_window(window)
{
}

std::optional<quint32> QtColorChooser::chooseColor(quint32 initial)
{
    // Colour numbers keep red in the lowest byte.
    const QColor start(int(initial & 0xFF), int((initial >> 8) & 0xFF), int((initial >> 16) & 0xFF));
    const QColor chosen = QColorDialog::getColor(start, m_window);
    if (!chosen.isValid())
        return std::nullopt;
    return quint32(chosen.red()) | (quint32(chosen.green()) << 8) | (quint32(chosen.blue()) << 16);
}

} // namespace ferrowen
