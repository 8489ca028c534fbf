#include "app/ShellEditorHost.h"

#include "app/MainForm.h"
#include "app/ShellState.h"
#include "platform/web/BrowserPane.h"
#include "platform/web/PageCallWaits.h"
#include "settings/SettingsFile.h"

namespace ferrowen {

ShellEditorHost::ShellEditorHost(MainForm &form, ShellState &state, SettingsAccess &settings, Services services)
    : m_form(form)
    , m_state(state)
    , m_settings(settings)
    , m_services(services)
{
}

EditorPlacement &ShellEditorHost::placement()
{
    return m_state.editor;
}

AffiliateSettings &ShellEditorHost::affiliate()
{
    return m_state.affiliate;
}

WebPage &ShellEditorHost::inboxPage()
{
    return m_form.browser(Pane::Inbox).document();
}

void ShellEditorHost::startPageWork(QObject *context, std::function<void()> work)
{
    PageCallWaits::instance().whenNoneWaits(context, std::move(work));
}

SpellDictionaries ShellEditorHost::dictionaries() const
{
    return m_state.dictionaries;
}

void ShellEditorHost::setMainDictionary(const QString &wordFile)
{
    m_state.dictionaries.mainSetting = wordFile;
    if (Status written = writeSetting(m_settings, SettingKeys::MainDictionary, wordFile); !written)
        qWarning("the chosen dictionary was not saved: %s", qPrintable(written.error()));
}

int ShellEditorHost::editorPanelHeight() const
{
    return m_form.editorHeight();
}

void ShellEditorHost::setEditorPanelHeight(int height)
{
    m_form.setEditorHeight(height);
}

int ShellEditorHost::firstPaneHeight() const
{
    return m_form.webBrowser1Geometry().height();
}

void ShellEditorHost::foldEditorPanel()
{
    m_form.collapseEditor();
}

void ShellEditorHost::unfoldEditorPanel()
{
    if (m_form.selectedTab() != Tab::InboxLogin)
        m_form.selectTab(Tab::InboxLogin);
    m_form.placeEditorOverFirstPane();
}

} // namespace ferrowen
