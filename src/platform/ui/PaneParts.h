#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include <initializer_list>

namespace ferrowen {

// The widgets a pane makes for the window to place. The window adopts a
// part by giving it a parent and from then on owns it; a part never adopted
// is still the pane's and goes with it. Panes go before the window does, so
// nothing a pane watches is destroyed under it.
class PaneParts
{
public:
    PaneParts() = default;
    PaneParts(const PaneParts &) = delete;
    PaneParts &operator=(const PaneParts &) = delete;
    // Deletes the parts that still have no parent.
    ~PaneParts();

    void add(std::initializer_list<QWidget *> parts);

private:
    QList<QPointer<QWidget>> m_parts;
};

} // namespace ferrowen
