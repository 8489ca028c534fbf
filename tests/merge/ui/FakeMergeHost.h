#pragma once

#include "../FakeMergeSite.h"
#include "ScriptedFileDialogs.h"
#include "ScriptedMessageBoxes.h"
#include "merge/MergeStorage.h"
#include "merge/MergeWindow.h"
#include "merge/TemplateHost.h"

#include <QEventLoop>
#include <QTimer>

namespace ferrowen::testing {

// The rest of the program as the template dialog sees it: the main
// window's template list, the palette, and a compose form that is either
// there at once or never comes (the wait then lasts until it is cancelled);
// for the mail merge, the compose pane and site of FakeMergeSite, with this
// host's flag and boxes.
class FakeMergeHost : public TemplateHost, public MergeWindow, public MergeStorage, public MergeSession
{
public:
    MergeRunHost runHost() { return {site, site, *this}; }

    QString folder;
    QStringList listed;   // ComboTemplate after "Saved"
    QString chosen;       // ComboTemplate's choice
    QStringList added;    // names added to the main window's lists
    TemplateText carried; // TemplateSubject / TemplateBody
    bool formThere = true;
    TemplateText form;    // the compose form's subject and body
    int fills = 0;
    int cancels = 0;
    bool paletteOpen = false;
    int paletteShows = 0;
    int templateHelps = 0;
    bool merging = false;
    int mergeHelps = 0;
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs files;
    FakeMergeSite site;
    QString merges;          // the journals' folder
    MergeSettings settings;  // as the settings file keeps them

    TemplateText templateText() const override { return carried; }
    void setTemplateText(const TemplateText &text) override { carried = text; }
    FormFill insertTemplateIntoComposeForm() override
    {
        const FormFill outcome = waitForForm();
        if (outcome == FormFill::Done)
            form = carried;
        return outcome;
    }
    FormFill captureTemplateFromComposeForm() override
    {
        const FormFill outcome = waitForForm();
        if (outcome == FormFill::Done)
            carried = form;
        return outcome;
    }
    void cancelComposeWait() override
    {
        ++cancels;
        if (m_wait)
            m_wait->quit();
    }
    QString templatesFolder() const override { return folder; }
    QStringList templateNames() const override { return listed; }
    QString chosenTemplateName() const override { return chosen; }
    void addTemplateName(const QString &fileName) override
    {
        added << fileName;
        listed << fileName;
    }
    bool closeAddressPalette() override { return std::exchange(paletteOpen, false); }
    void showAddressPalette() override
    {
        paletteOpen = true;
        ++paletteShows;
    }
    bool mergeInProgress() const override { return merging; }
    void setMergeInProgress(bool inProgress) override { merging = inProgress; }
    void showMailMergeHelp() override { ++mergeHelps; }
    QString mergesFolder() const override { return merges; }
    MergeSettings mergeSettings() const override { return settings; }
    void setMergeSettings(const MergeSettings &kept) override { settings = kept; }
    FileDialogs &fileDialogs() override { return files; }
    void showTemplateHelp() override { ++templateHelps; }
    MessageBoxes &messageBoxes() override { return boxes; }

private:
    FormFill waitForForm()
    {
        ++fills;
        if (formThere)
            return FormFill::Done;
        QEventLoop wait;
        m_wait = &wait;
        // A wait nobody cancels fails the test rather than hanging it.
        QTimer::singleShot(10000, &wait, &QEventLoop::quit);
        wait.exec();
        m_wait = nullptr;
        return FormFill::Stopped;
    }

    QEventLoop *m_wait = nullptr;
};

} // namespace ferrowen::testing
