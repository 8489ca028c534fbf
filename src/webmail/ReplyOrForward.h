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

// How a compose filling ended.
enum class ComposeFillOutcome {
    Filled,  // every field written (or, capturing a template, read)
    Stopped, // ended while waiting for the form, nothing written: the user
             // cancelled, a later filling took over, or the window closed
    Failed   // a page look-up failed; what was written before stays
};

// Fills the provider's compose form, switching to the "Compose" tab when
// needed and waiting (cancellably) until the form is there. A filling
// started while this one waits replaces it. Failures end it silently; the
// "bug" trace in the settings file tells how far it got. While a mail merge
// sends, it tells the user so and writes nothing (Stopped).
ComposeFillOutcome ReplyOrForward(ComposeHost &host, ComposeMode mode);

} // namespace ferrowen
