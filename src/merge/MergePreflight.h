#pragma once

#include "merge/MergeSettings.h"

#include <QString>
#include <QtGlobal>

namespace ferrowen {

// What a run is about to do, told to the user before anything is sent.
struct MergePlan
{
    int toSend = 0;
    int withoutAddress = 0;
    int doneBefore = 0; // rows a resumed run finds done
    int notSentAgain = 0; // rows in doubt the user chose not to send again
    QString firstAddress;
    QString firstSubject;
    QString firstBody;
};

// The question asked before a run sends: how many messages, which rows are
// skipped and why, how the pace stretches the run, and the first message.
QString mergePreflightText(const MergePlan &plan, const MergeSettings &settings);

// "45 s", "3 min 20 s", "2 h 5 min".
QString mergeDurationText(qint64 milliseconds);

} // namespace ferrowen
