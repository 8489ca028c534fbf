#include "platform/ui/PaneParts.h"

#include <QFrame>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

using ferrowen::PaneParts;

// A pane's parts: the window owns those it adopted, the pane the others.
TEST(PaneParts, deletesOnlyThePartsNoWindowAdopted)
{
    QFrame window;
    QPointer<QWidget> adopted = new QLabel;
    QPointer<QWidget> kept = new QLabel;
    {
        PaneParts parts;
        parts.add({adopted, kept, nullptr});
        adopted->setParent(&window);
    }
    EXPECT_TRUE(adopted);
    EXPECT_FALSE(kept);

    // A part deleted before the pane is not deleted again (a crash, or a
    // memory error under the sanitizers).
    {
        PaneParts parts;
        auto *gone = new QLabel;
        parts.add({gone});
        delete gone;
    }
}

} // namespace
