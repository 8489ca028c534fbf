#pragma once

namespace ferrowen {

class MessageBoxes;

// What a merge tells the rest of the program while it runs, and how it asks
// the user.
class MergeSession
{
public:
    virtual ~MergeSession() = default;

    // Set while a merge sends through the compose form: nothing else may
    // write the form, and sent copies are not kept.
    virtual bool mergeInProgress() const = 0;
    virtual void setMergeInProgress(bool inProgress) = 0;

    virtual MessageBoxes &messageBoxes() = 0;
};

} // namespace ferrowen
