#pragma once

#include "settings/SettingsAccess.h"
#include "editor/ui/EditorHost.h"
#include "platform/ColorChooser.h"

#include <QHash>

#include "FakeSpellEngine.h"
#include "FakeWebPage.h"
#include "ScriptedFileDialogs.h"
#include "ScriptedMessageBoxes.h"
#include "ScriptedSpellDialog.h"

namespace ferrowen::testing {

class MemorySettings : public SettingsAccess
{
public:
    QHash<QString, QString> values;

    QString GetIni(const QString &section, const QString &key, const QString &defaultValue) const override
    {
        return values.value(section + QLatin1Char('/') + key, defaultValue);
    }
    Status SetIni(const QString &section, const QString &key, const QString &value) override
    {
        values.insert(section + QLatin1Char('/') + key, value);
        return Status::success();
    }
};

class ScriptedColorChooser : public ColorChooser
{
public:
    QList<std::optional<quint32>> answers;

    std::optional<quint32> chooseColor(quint32) override
    {
        return answers.isEmpty() ? std::nullopt : answers.takeFirst();
    }
};

// Everything the editor panel asks of the program, answered by the test.
class TestEditorHost : public EditorHost
{
public:
    EditorPlacement placementValue;
    AffiliateSettings affiliateValue;
    MemorySettings settingsValue;
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs files;
    ScriptedColorChooser colours;
    FakeWebPage page;
    FakeSpellEngine engine;
    ScriptedSpellDialog spelling;
    SpellDictionaries dictionariesValue;
    QString chosenDictionary;
    int panelHeight = 3030;
    int paneHeight = 9000;
    int folds = 0;
    int unfolds = 0;

    EditorPlacement &placement() override { return placementValue; }
    AffiliateSettings &affiliate() override { return affiliateValue; }
    SettingsAccess &settings() override { return settingsValue; }
    MessageBoxes &messageBoxes() override { return boxes; }
    FileDialogs &fileDialogs() override { return files; }
    ColorChooser &colorChooser() override { return colours; }
    WebPage &inboxPage() override { return page; }
    SpellEngine &spellEngine() override { return engine; }
    SpellDialog &spellDialog() override { return spelling; }
    SpellDictionaries dictionaries() const override { return dictionariesValue; }
    void setMainDictionary(const QString &wordFile) override { chosenDictionary = wordFile; }
    int editorPanelHeight() const override { return panelHeight; }
    void setEditorPanelHeight(int height) override { panelHeight = height; }
    int firstPaneHeight() const override { return paneHeight; }
    void foldEditorPanel() override { ++folds; }
    void unfoldEditorPanel() override { ++unfolds; }
};

} // namespace ferrowen::testing
