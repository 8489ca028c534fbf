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
    Waiting, // nothing written yet: it waits in the window's notice, for a
             // compose page to reach or put aside beside the user's message
    Stopped, // ended while waiting for the form, nothing written: the user
             // cancelled, a later filling took over, or the window closed
    Failed   // a page look-up failed; nothing was written
};

// Fills the provider's compose form, switching to the "Compose" tab when
// needed and waiting (cancellably) while its page loads. A filling started
// while this one waits replaces it. With no compose page to reach (the
// user has not signed in) the filling waits in the window's notice and is
// written as soon as one can be reached; a mail link is never dropped. A
// message the user typed is replaced only when the user agrees; otherwise
// the filling is put aside. Failures end it silently; the "bug" trace in
// the settings file tells how far it got. While a mail merge sends, it
// tells the user so and writes nothing (Stopped).
ComposeFillOutcome ReplyOrForward(ComposeHost &host, ComposeMode mode);

} // namespace ferrowen
