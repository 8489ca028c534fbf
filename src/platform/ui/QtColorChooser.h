#pragma once

#include "platform/ColorChooser.h"

#include <QPointer>
#include <QWidget>

namespace ferrowen {

// Qt's colour dialog, modal to the given window.
class QtColorChooser : public ColorChooser
{
public:
    explicit QtColorChooser(QWidget *window);

    std::optional<quint32> chooseColor(quint32 initial) override;

private:
    QPointer<QWidget> m_window;
};

} // namespace ferrowen
