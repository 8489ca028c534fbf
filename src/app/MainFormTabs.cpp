// The main window's tabs, its browser toolbar and the handlers of the
// browser panes' events.
#include "app/MainForm.h"

#include "app/InboxFramesBand.h"
#include "app/SettingsPanel.h"
#include "platform/web/BrowserPane.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTreeView>

namespace ferrowen {

Tab MainForm::selectedTab() const
{
    return static_cast<Tab>(m_tabStrip2->currentIndex() + 1);
}

void MainForm::selectTab(Tab tab)
{
    {
        const QSignalBlocker blocker(m_tabStrip2);
        m_tabStrip2->setCurrentIndex(static_cast<int>(tab) - 1);
    }
    handleTabChange(tab);
}

QWidget *MainForm::tabPaneWidget(layout::TabPane pane) const
{
    switch (pane) {
    case layout::TabPane::WebBrowser1:
        return m_webBrowser[0];
    case layout::TabPane::WebBrowser2:
        return m_webBrowser[1];
    case layout::TabPane::WebBrowser3:
        return m_webBrowser[2];
    case layout::TabPane::WebBrowser4:
        return m_webBrowser[3];
    case layout::TabPane::ListMsg:
        return m_savedFolders.list;
    case layout::TabPane::Picture2:
        return m_savedFolders.folders;
    case layout::TabPane::Picture3:
        return m_savedFolders.buttons;
    case layout::TabPane::PictureSettings:
        return m_settings;
    }
    return nullptr;
}

void MainForm::handleTabChange(Tab tab)
{
    m_band->messageSavedLabel()->hide();
    setStatusPanelText(2, QString());
    m_settings->closeSpamEditor();

    const QList<layout::TabPane> shown = layout::panesShownOnTab(tab);
    for (layout::TabPane pane : {layout::TabPane::WebBrowser1, layout::TabPane::WebBrowser2,
                                 layout::TabPane::WebBrowser3, layout::TabPane::WebBrowser4, layout::TabPane::ListMsg,
                                 layout::TabPane::Picture2, layout::TabPane::Picture3,
                                 layout::TabPane::PictureSettings}) {
        if (QWidget *widget = tabPaneWidget(pane))
            widget->setVisible(shown.contains(pane));
    }

    // The editor panel lies over the first pane and goes with it.
    Q_EMIT editorPlaceShown(isEditorPlaceShown());

    switch (tab) {
    case Tab::Compose:
        Q_EMIT composeTabSelected();
        break;
    case Tab::SavedFolders:
        Q_EMIT savedFoldersTabSelected();
        break;
    case Tab::Calendar:
        Q_EMIT calendarTabSelected();
        break;
    case Tab::InboxLogin:
    case Tab::Settings:
        break;
    }
}

void MainForm::runBrowserTool(const QString &key)
{
    BrowserPane *inbox = m_webBrowser[0];
    BrowserPane *compose = m_webBrowser[2];
    if (key == u"go") {
        inbox->navigate(m_addressCombo->currentText());
        if (selectedTab() != Tab::InboxLogin)
            selectTab(Tab::InboxLogin);
    } else if (key == u"back") {
        inbox->goBack();
    } else if (key == u"forward") {
        inbox->goForward();
    } else if (key == u"refresh") {
        inbox->refresh();
        compose->refresh();
    } else if (key == u"stop") {
        inbox->stop();
        compose->stop();
    }
}

void MainForm::connectPaneEvents()
{
    for (BrowserPane *pane : m_webBrowser) {
        // Only the pane the user sees may speak in the status bar.
        connect(pane, &BrowserPane::statusTextChange, this, [this, pane](const QString &text) {
            if (!pane->isHidden())
                setStatusPanelText(3, text);
        });
    }

    BrowserPane *inbox = m_webBrowser[0];
    connect(inbox, &BrowserPane::progressChange, this, [this](int progress, int maximum) {
        if (layout::progressShown(progress, maximum))
            showProgress(progress, maximum);
        else
            hideProgress();
    });
    // The pane's own address, not the event's: frames loading inside the
    // page must not change what the address box shows.
    connect(inbox, &BrowserPane::navigateComplete, this,
            [this, inbox](const QString &) { m_addressCombo->setEditText(inbox->locationUrl()); });
}

} // namespace ferrowen
