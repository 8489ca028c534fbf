#pragma once

class QComboBox;
class QString;

namespace ferrowen {

// Selects text in a fixed list. A value the list lacks (a tag's
// "justify") is added at its end, so that the dialog shows what the tag
// holds and OK can leave it alone.
void selectListItem(QComboBox *list, const QString &text);

} // namespace ferrowen
