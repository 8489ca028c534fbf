#pragma once

#include "demowebmail/InboxMessage.h"

#include <QList>
#include <QString>

#include <optional>

namespace ferrowen::demowebmail {

class FormFields;

// How large a mailbox page is asked to be, for benchmarks and tests of
// pages as large as real webmail pages: "rows=N" lists N messages in the
// inbox (the seeded ones first, then older generated ones), "pad=N" puts N
// elements of page furniture (a folder tree, menus kept hidden until
// opened, offers) around the page's own content, half before it and half
// after it. Both are capped; a missing or bad value asks for nothing.
struct PageSize
{
    static constexpr int MaxRows = 10000;
    static constexpr int MaxPadding = 100000;

    int rows = 0;
    int padding = 0;

    static PageSize fromQuery(const FormFields &query);
};

// The furniture of `elements` elements, each part a block of its own. None
// of its text holds a colon or a "|", so no header label can be read in it.
struct PagePadding
{
    QString before;
    QString after;
};
PagePadding pagePadding(int elements);

// The inbox with `rows` messages: `seeded` first, then generated ones
// with the following ids, each older than the one before. Fewer rows than
// seeded messages keep them all.
QList<InboxMessage> inboxOfRows(const QList<InboxMessage> &seeded, int rows);
// A generated message of the inbox after `seeded` (its id counts on from
// the last seeded one); none for an id that no inbox of MaxRows holds.
std::optional<InboxMessage> generatedMessage(const QList<InboxMessage> &seeded, int id);

} // namespace ferrowen::demowebmail
