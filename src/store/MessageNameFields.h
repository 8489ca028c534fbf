#pragma once

#include <QString>

#include <optional>

namespace ferrowen {

// What a saved message's file name tells, read back for the message list.
struct MessageNameFields
{
    QString first;    // the sender (a sent copy: its recipient)
    QString subject;  // as stored, leading spaces removed
    QString dateText; // the date token turned back into text
    QString fourth;   // the recipient (a sent copy: "sent message")
};

// Kept between an "&" of a field and an "&" beside it in a file name, so
// the two never read as the separator "&&".
inline constexpr QChar NameFieldJoiner{0x2060};

// The four parts of a file name as they stand in it: the last four
// characters (the extension) are dropped and the rest is split at every
// "&&". A name of fewer than four parts is no saved message: none. Parts
// after the fourth are ignored; in names written before fields kept their
// "&" apart, a subject that held "&&" shifts the fields of its own name.
// The views point into `fileName`.
struct MessageNameParts
{
    QStringView first;
    QStringView subject;
    QStringView dateToken;
    QStringView fourth;
};
std::optional<MessageNameParts> messageNameParts(QStringView fileName);

// The text of a part as its field was written: the word joiners beside an
// "&" are taken out.
QString nameFieldText(QStringView part);

// The fields of the name: the parts' texts, with leading spaces removed
// from the subject, the date text and the fourth part, and the date token
// turned back into text ("^" to ":", "#" to "/").
std::optional<MessageNameFields> messageNameFields(QStringView fileName);

// Leading spaces dropped, as the fields of a name are read.
QString withoutLeadingSpaces(QStringView text);
// The date text of a date token: leading spaces dropped, "^" back to ":"
// and "#" back to "/".
QString dateTextOfToken(QStringView dateToken);

// The subject as the list shows it: every "re " becomes "re: ", then every
// "Re " "Re: ", then every "RE " "RE: ", anywhere in the subject. This gives
// back the colon of a reply prefix that the file name turned into a space.
QString displaySubject(QString subject);

// The date without its time of day: "12/5/2026 7:50:16 PM" gives
// "12/5/2026", "Sat, 5 Dec 2026 19:50:16" gives "Sat, 5 Dec 2026". A text
// holding ":" is cut after the first ":" and then before the last space
// (trailing spaces removed); a text without ":" stays whole.
QString displayDate(const QString &dateText);

} // namespace ferrowen
