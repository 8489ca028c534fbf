#pragma once

#include <QtGlobal>

#include <optional>

namespace ferrowen {

// The colour dialog, behind an interface so tests can answer it. Colours
// are numbers 0x00BBGGRR (red in the lowest byte); no answer means the
// user cancelled.
class ColorChooser
{
public:
    virtual ~ColorChooser() = default;

    virtual std::optional<quint32> chooseColor(quint32 initial) = 0;
};

} // namespace ferrowen
