#pragma once

namespace ferrowen {

class ComposeHost;

// While a mail merge sends through the compose form, nothing else may write
// it: a message of the merge would go to the wrong person. Tells the user
// and answers true then; false when no merge is sending.
bool refusedWhileMerging(ComposeHost &host);

} // namespace ferrowen
