#pragma once

namespace ferrowen {

class MessageBoxes;
class TemplateHost;

// The main window's template lists: filled at start-up with the templates
// of earlier runs (so saving under a name in use shows it is in use).
void ListSavedTemplates(TemplateHost &host);

// "Use &Template >>": the template chosen in the main window's list goes
// into the compose form. No choice, or a file that has gone, is said so.
void UseChosenTemplate(TemplateHost &host, MessageBoxes &messageBoxes);

} // namespace ferrowen
