#pragma once

#include <functional>

class QObject;

namespace ferrowen {

class FileDialogs;
class MessageBoxes;

// What the template and merge dialogs ask of the main window around them.
class MergeWindow
{
public:
    virtual ~MergeWindow() = default;

    // The e-mail address palette, a topmost window, would cover a dialog:
    // closes it and tells whether it was open.
    virtual bool closeAddressPalette() = 0;
    virtual void showAddressPalette() = 0;

    virtual MessageBoxes &messageBoxes() = 0;
    virtual FileDialogs &fileDialogs() = 0;

    virtual void showMailMergeHelp() = 0;
    virtual void showTemplateHelp() = 0;

    // Runs work the user started that reaches a browser pane's page: at
    // once, or, while a page call waits for its answer, once none does (the
    // program puts it off, so the two never mix). Dropped when `context` is
    // gone by then.
    virtual void startPageWork(QObject *context, std::function<void()> work)
    {
        (void)context;
        work();
    }
};

} // namespace ferrowen
