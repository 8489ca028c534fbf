#include "demowebmail/CalendarWeeks.h"

namespace ferrowen::demowebmail {

QList<QList<QDate>> calendarWeeks(QDate dayInMonth)
{
    const QDate first(dayInMonth.year(), dayInMonth.month(), 1);
    const QDate last = first.addMonths(1).addDays(-1);
    QDate day = first.addDays(1 - first.dayOfWeek()); // back to Monday

    QList<QList<QDate>> weeks;
    while (day <= last) {
        QList<QDate> week;
        for (int i = 0; i < 7; ++i, day = day.addDays(1))
            week.append(day);
        weeks.append(week);
    }
    return weeks;
}

} // namespace ferrowen::demowebmail
