#include "editor/ui/ListChoice.h"

#include <QComboBox>

namespace ferrowen {

void selectListItem(QComboBox *list, const QString &text)
{
    int index = list->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (index < 0 && !text.isEmpty()) {
        list->addItem(text);
        index = list->count() - 1;
    }
    if (index >= 0)
        list->setCurrentIndex(index);
}

} // namespace ferrowen
