#pragma once

#include <QLatin1String>
#include <QStringList>

namespace ferrowen {

class CommandRunner;
class MessageBoxes;

// The desktop entry that hands mail links to the companion.
inline constexpr QLatin1String MailLinkDesktopEntry{"ferrowen-mailto.desktop"};

// "Make Ferrowen the mail link handler": asks first, then has xdg-mime make
// the companion's desktop entry the handler of mailto links, reads the
// setting back, and says in a message whether it worked and, if not, why.
// `applicationFolders` are where the desktop looks for desktop entries; an
// entry that is in none of them would leave links going nowhere, so it is
// not set then. Returns true when the handler was set.
bool MakeMailLinkHandler(MessageBoxes &boxes, CommandRunner &runner, const QStringList &applicationFolders);

} // namespace ferrowen
