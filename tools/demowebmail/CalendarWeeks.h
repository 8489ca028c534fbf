#pragma once

#include <QDate>
#include <QList>

namespace ferrowen::demowebmail {

// The weeks a month page shows, Monday first: whole weeks from the one that
// holds the month's first day to the one that holds its last day.
QList<QList<QDate>> calendarWeeks(QDate dayInMonth);

} // namespace ferrowen::demowebmail
