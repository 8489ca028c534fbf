#include "addressbook/ui/DialogNewAddrBook.h"

namespace ferrowen {

DialogNewAddrBook::DialogNewAddrBook(Create create, QWidget *parent)
    : NewNameDialog({"DialogNewAddrBook", tr("New Address Book"), tr("Address Book Name:")}, std::move(create), parent)
{
}

} // namespace ferrowen
