#pragma once

#include "merge/MergeSettings.h"

#include <QString>

namespace ferrowen {

// Where the merges keep their journals and their pace.
class MergeStorage
{
public:
    virtual ~MergeStorage() = default;

    // The folder of the merges' journals ("merges" in the main folder).
    virtual QString mergesFolder() const = 0;
    // The merge's pace, as the settings file keeps it.
    virtual MergeSettings mergeSettings() const = 0;
    virtual void setMergeSettings(const MergeSettings &settings) = 0;
};

} // namespace ferrowen
