#pragma once

#include "webmail/ComposeRequest.h"

namespace ferrowen {

class ComposeHost;

// Reads what a filling of this mode writes: from the saved message in the
// preview (once the preview shows the message chosen last), from the mail
// link taken last, or from the template text. Throws WebPageError when the
// preview lacks an element.
ComposeDraft gatherDraft(ComposeHost &host, ComposeMode mode);

} // namespace ferrowen
