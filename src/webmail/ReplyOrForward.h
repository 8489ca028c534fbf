#pragma once

namespace ferrowen {

class ComposeHost;

// Where the compose filling takes its values from.
enum class ComposeMode : int {
    ReplyWithText = 0,   // saved message in the preview, text quoted
    ReplyBlank = 1,      // saved message, empty body
    Forward = 2,         // saved message, text quoted, no recipient
    SendAgain = 4,       // saved message to the same recipients
    Mailto = 5,          // a link handed over from outside
    InsertTemplate = 10, // template subject and body into the form
    CaptureTemplate = 11 // the form's subject and body into the template
};

// Fills the provider's compose form, switching to the "Compose" tab when
// needed and waiting (cancellably) until the form is there. Failures end it
// silently; the "bug" trace in the settings file tells how far it got.
void ReplyOrForward(ComposeHost &host, ComposeMode mode);

} // namespace ferrowen
