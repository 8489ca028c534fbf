#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

namespace ferrowen {

// The date a sent copy carries: the local time in the general date format
// "12/5/2026 7:50:16 PM" (month first, as the webmail pages show dates).
QString sentCopyDateText(const QDateTime &when);

// The calendar date of a date text as webmail pages and sent copies write
// it, or none. Takes, with or without a leading weekday:
//   "12/5/2026" (month first; day first when the first number is above 12,
//     two-digit years meaning 1930 to 2029), "5.12.2026" (day first),
//   "2026-12-05" (anything may follow),
//   "5 Dec 2026", "Dec 5, 2026", full month names too, in English or in the
//     language of the system.
// Text after the date (a time) is ignored. Fast enough for a folder of
// 100,000 messages: no allocation on the common paths.
std::optional<QDate> parseMessageDate(QStringView text);

} // namespace ferrowen
