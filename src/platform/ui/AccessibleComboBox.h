#pragma once

namespace ferrowen {

// Makes screen readers name every combo box by its accessible name, or else
// by the label it is the buddy of, as they name every other control. Qt on
// Linux names a combo box by its current text, so an address box would be
// read out as the address in it. Its current text stays its value.
// Installed once for the whole program; later calls do nothing.
void installAccessibleComboBoxes();

} // namespace ferrowen
