#pragma once

#include "editor/AffiliateSettings.h"
#include "editor/EditorPlacement.h"
#include "editor/SpellCheckEditor.h"

#include <functional>

class QObject;

namespace ferrowen {

class ColorChooser;
class FileDialogs;
class MessageBoxes;
class SettingsAccess;
class SpellDialog;
class SpellEngine;
class WebPage;

// What the HTML editor needs from the rest of the program: its panel's
// placement and the affiliate settings (both read at start-up and written
// back at exit by the shell), the settings file, the common dialogs and
// message boxes, the spelling engine and its dialog, and the page in the
// first browser pane that the editor posts into.
class EditorHost
{
public:
    virtual ~EditorHost() = default;

    virtual EditorPlacement &placement() = 0;
    virtual AffiliateSettings &affiliate() = 0;
    virtual SettingsAccess &settings() = 0;
    virtual MessageBoxes &messageBoxes() = 0;
    virtual FileDialogs &fileDialogs() = 0;
    virtual ColorChooser &colorChooser() = 0;

    // The document of the first browser pane (the blog's posting page).
    virtual WebPage &inboxPage() = 0;
    // Runs work the user started that reaches a browser pane's page: at
    // once, or, while a page call waits for its answer, once none does (the
    // program puts it off, so the two never mix). Dropped when `context` is
    // gone by then.
    virtual void startPageWork(QObject *context, std::function<void()> work)
    {
        (void)context;
        work();
    }

    virtual SpellEngine &spellEngine() = 0;
    virtual SpellDialog &spellDialog() = 0;
    // The dictionaries the settings file names.
    virtual SpellDictionaries dictionaries() const = 0;
    // The user picked another dictionary: it stays the main dictionary.
    virtual void setMainDictionary(const QString &wordFile) = 0;

    // The editor panel's height and the first pane's, in twips.
    virtual int editorPanelHeight() const = 0;
    virtual void setEditorPanelHeight(int height) = 0;
    virtual int firstPaneHeight() const = 0;
    // The hide key: the window folds the panel away at the first pane's
    // top; it shows again when unfolded. The panel hears of both through
    // EditorPanel::setPlaceShown.
    virtual void foldEditorPanel() = 0;
    // "Edit Visually": the panel over the first pane, with its tab shown.
    virtual void unfoldEditorPanel() = 0;
};

} // namespace ferrowen
