#pragma once

#include <QString>

namespace ferrowen::demowebmail {

// The frame around every page: header, mailbox navigation, footer.
struct PageFrame
{
    QString title;
    QString brand;
    QString theme;      // "yahoo" or "hotmail" colours; empty for the neutral look
    QString page;       // marks the current entry of the navigation
    QString navSegment; // the mailbox whose navigation is shown; empty for none
    QString script;     // address of a page script; empty for none
    QString charset = QStringLiteral("utf-8"); // the encoding the page is sent in

    QString wrap(const QString &content) const;
};

} // namespace ferrowen::demowebmail
