// Addresses from the address book into the compose form, and the clearing
// of that form, through the real program against the demo webmail site,
// for both providers.
#include "addressbook/ui/AddressGrid.h"
#include "addressbook/ui/AddressPane.h"
#include "app/MainController.h"
#include "app/MainForm.h"
#include "app/Shell.h"
#include "app/ShellComposeHost.h"
#include "app/settings/SettingsFile.h"
#include "demowebmail/DemoWebmailSite.h"
#include "platform/web/BrowserPane.h"
#include "webmail/ComposePage.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolBar>

#include <gtest/gtest.h>

#include "ScriptedFileDialogs.h"
#include "ScriptedMessageBoxes.h"
#include "WaitFor.h"

using namespace ferrowen;
using ferrowen::testing::waitFor;

namespace {

// The site's own names for its compose form, as its pages write them.
struct SiteCompose
{
    const char *provider;
    const char *form;
    const char *to;
    const char *cc;
    const char *bcc;
    const char *subject;
    const char *body;
};

const SiteCompose Yahoo{"yahoo", "Compose", "To", "Cc", "Bcc", "Subj", "Body"};
const SiteCompose Hotmail{"hotmail", "composeform", "to", "cc", "bcc", "subject", "body"};

class ComposeFillingTest : public ::testing::TestWithParam<SiteCompose>
{
protected:
    QTemporaryDir dir;
    SettingsFile settings{dir.filePath(QStringLiteral("ferrowen/plinthmere.ini"))};
    DemoWebmailSite site;
    ferrowen::testing::ScriptedMessageBoxes boxes;
    ferrowen::testing::ScriptedFileDialogs fileDialogs;
    std::unique_ptr<MainController> controller;

    void SetUp() override
    {
        ASSERT_TRUE(site.listen(0));
        controller = std::make_unique<MainController>(settings, MainController::Options{false, false, &boxes, &fileDialogs});
        controller->start();
        form().showAddressPane();
        load(1, site.baseUrl().resolved(QUrl(QLatin1String("/%1/inbox").arg(QLatin1String(GetParam().provider)))).toString());
    }

    void TearDown() override
    {
        if (controller)
            controller->window().close();
    }

    MainForm &form() { return controller->window(); }
    AddressPane &pane() { return controller->shell().addressPane(); }
    AddressGrid &grid() { return *pane().parts().grid; }

    void load(int pane, const QString &address)
    {
        QSignalSpy loaded(&form().browser(pane), &BrowserPane::documentComplete);
        form().browser(pane).navigate(address);
        ASSERT_TRUE(loaded.wait(10000)) << address.toStdString();
    }

    void openBook(const QByteArray &text)
    {
        const QString path = dir.filePath(QStringLiteral("book.csv"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        fileDialogs.openAnswers << path;
        pane().Open_CSV();
        ASSERT_EQ(pane().currentPath(), path);
    }

    WebElement field(const char *name)
    {
        return form().browser(3).document().formField(QLatin1String(GetParam().form), QLatin1String(name));
    }

    QString fieldValue(const char *name)
    {
        try {
            return field(name).value();
        } catch (const WebPageError &) {
            return QStringLiteral("<no form>");
        }
    }

    void openComposeTab()
    {
        form().selectTab(2);
        ASSERT_TRUE(waitFor([&] { return fieldValue(GetParam().to) != QStringLiteral("<no form>"); }, 10000));
    }

    // Rows of the grid, counted from 1, as a block from `from` to `to`.
    void selectRows(int from, int to)
    {
        grid().setCurrentCell(from, 0);
        const QModelIndex first = grid().model()->index(std::min(from, to) - 1, 0);
        const QModelIndex last = grid().model()->index(std::max(from, to) - 1, 2);
        grid().selectionModel()->select(QItemSelection(first, last), QItemSelectionModel::Select);
    }

    void trigger(const char *key) { pane().parts().toolbar->findChild<QAction *>(QLatin1String(key))->trigger(); }
};

TEST_P(ComposeFillingTest, selectedBlockGoesIntoTo_addingOnlyWhatIsMissing)
{
    openBook("\"First Name\",\"Last Name\",\"Email\",\"\"\r\n"
             "\"B\",\"\",\"b@example.com\",\"\"\r\n"
             "\"A\",\"\",\"a@example.com\",\"\"\r\n"
             "\"C\",\"\",\"c@example.com\",\"\"\r\n"
             "\"Bob\",\"\",\"bob@example.com\",\"\"\r\n");
    openComposeTab();
    field(GetParam().to).setValue(QStringLiteral("a@example.com"));
    selectRows(3, 1); // selected upwards: still taken top to bottom
    trigger("setto");
    EXPECT_EQ(fieldValue(GetParam().to), QStringLiteral("a@example.com,b@example.com,c@example.com"));

    // bob is not jimbob: he is added.
    field(GetParam().cc).setValue(QStringLiteral("jimbob@example.com"));
    selectRows(4, 4);
    trigger("setcc");
    EXPECT_EQ(fieldValue(GetParam().cc), QStringLiteral("jimbob@example.com,bob@example.com"));
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.texts().join(u'\n').toStdString();
}

TEST_P(ComposeFillingTest, insertionFromTheSavedMessagesTab_arrivesOnceTheComposePageHasLoaded)
{
    openBook("\"First Name\",\"Last Name\",\"Email\",\"\"\r\n\"Di\",\"\",\"di@example.com\",\"\"\r\n");
    form().selectTab(3);
    selectRows(1, 1);
    trigger("setbcc");
    EXPECT_EQ(form().selectedTab(), 2);
    EXPECT_TRUE(waitFor([&] { return fieldValue(GetParam().bcc) == QStringLiteral("di@example.com"); }, 10000));
    EXPECT_FALSE(controller->shell().state().compose.pendingInsert);
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.texts().join(u'\n').toStdString();
}

TEST_P(ComposeFillingTest, paletteChoiceGoesIntoTo)
{
    openBook("\"First Name\",\"Last Name\",\"Email\",\"\"\r\n\"Ed\",\"\",\"ed@example.com\",\"\"\r\n");
    openComposeTab();
    form().findChild<QPushButton *>(QStringLiteral("CommandTo"))->click();
    ASSERT_TRUE(pane().isPaletteOpen());
    auto *list = form().findChild<QWidget *>(QStringLiteral("FormEmail"))->findChild<QComboBox *>(QStringLiteral("Combo1"));
    Q_EMIT list->activated(0);
    EXPECT_EQ(fieldValue(GetParam().to), QStringLiteral("ed@example.com"));
}

TEST_P(ComposeFillingTest, clearingTheComposeForm_emptiesEveryField)
{
    openComposeTab();
    const SiteCompose &site = GetParam();
    for (const char *name : {site.to, site.cc, site.bcc, site.subject, site.body})
        field(name).setValue(QStringLiteral("left over"));

    // A reply's form is kept once.
    controller->shell().state().compose.keepComposeOnce = true;
    ClearComposeForm(controller->shell().compose());
    EXPECT_EQ(fieldValue(site.subject), QStringLiteral("left over"));

    ClearComposeForm(controller->shell().compose());
    for (const char *name : {site.to, site.cc, site.bcc, site.subject, site.body})
        EXPECT_EQ(fieldValue(name), QString()) << name;
    EXPECT_FALSE(form().browser(3).isHidden());
}

INSTANTIATE_TEST_SUITE_P(Providers, ComposeFillingTest, ::testing::Values(Yahoo, Hotmail),
                         [](const auto &info) { return std::string(info.param.provider); });

} // namespace
