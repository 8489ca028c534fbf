#pragma once

#include "platform/ui/NewNameDialog.h"

namespace ferrowen {

// "New Address Book": asks for the new book's name (Text1). OK hands the
// name to `create`, which makes and opens the book; the dialog closes when
// it succeeded and stays open otherwise.
class DialogNewAddrBook : public NewNameDialog
{
    Q_OBJECT

public:
    explicit DialogNewAddrBook(Create create, QWidget *parent = nullptr);
};

} // namespace ferrowen
