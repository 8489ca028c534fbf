#include "platform/ui/PaneParts.h"

namespace ferrowen {

PaneParts::~PaneParts()
{
    for (const QPointer<QWidget> &part : std::as_const(m_parts)) {
        if (part && !part->parent())
            delete part.data();
    }
}

void PaneParts::add(std::initializer_list<QWidget *> parts)
{
    for (QWidget *part : parts) {
        if (part)
            m_parts.append(part);
    }
}

} // namespace ferrowen
