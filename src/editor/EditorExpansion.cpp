#include "editor/EditorExpansion.h"

namespace ferrowen {

int expandedEditorHeight(int firstPaneHeight, int margin)
{
    return firstPaneHeight - margin - 50;
}

int contractedEditorHeight(int normalHeight, int designedHeight)
{
    int height = normalHeight;
    if (height < 1500)
        height = designedHeight;
    if (height < 1000)
        height = 2500;
    return height;
}

} // namespace ferrowen
