// The interfaces through which the saved-message pane, the address books,
// the templates and merge, and the editor reach the rest of the program,
// driven through the real program against the demo webmail site.
#include "app/Shell.h"
#include "app/ShellComposeHost.h"
#include "app/SubsystemHosts.h"
#include "store/SaveMessage.h"
#include "store/SavedMessage.h"
#include "store/ui/SavedFoldersPane.h"

#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>

#include <gtest/gtest.h>

#include "ProgramWithDemoSite.h"
#include "WaitFor.h"

using namespace ferrowen;
using ferrowen::testing::waitFor;

namespace {

class ShellSeamsTest : public ferrowen::testing::ProgramWithDemoSite
{
protected:
    void SetUp() override
    {
        ProgramWithDemoSite::SetUp();
        if (!HasFatalFailure())
            openInbox("/yahoo/inbox");
    }

    Shell &shell() { return controller->shell(); }
    void click(const char *button) { form().findChild<QPushButton *>(QLatin1String(button))->click(); }
};

TEST_F(ShellSeamsTest, savedMessageButtons_fillTheComposeFormFromThePreview)
{
    const SavedMessage message{QStringLiteral("ann@example.com"), QStringLiteral("Hello"), QStringLiteral("d"),
                               QStringLiteral("me@example.com"), {}, {}, QStringLiteral("See you"), false};
    ASSERT_TRUE(writeSavedMessage(mainPath("savedmgs/Saved"), message));
    form().selectTab(3);
    QSignalSpy listed(&shell().savedFolders(), &SavedFoldersPane::folderListed);
    form().findChild<QListWidget *>(QStringLiteral("ComboFolders2"))->setCurrentRow(0);
    ASSERT_TRUE(listed.wait(5000));
    QSignalSpy previewed(&form().browser(2), &BrowserPane::documentComplete);
    QTreeView *list = shell().savedFolders().parts().list;
    list->setCurrentIndex(list->model()->index(0, 0));
    ASSERT_TRUE(previewed.wait(10000));

    click("CommandReplyNoText");
    // The caption and the non-breaking space after it are gone.
    EXPECT_TRUE(waitFor([&] { return composeField("To") == QStringLiteral("ann@example.com"); }, 10000));
    EXPECT_EQ(composeField("Subj"), QStringLiteral("RE: Hello"));
    EXPECT_EQ(form().selectedTab(), 2);

    // Back on the tab, the message is still chosen and previewed.
    form().selectTab(3);
    EXPECT_EQ(list->currentIndex().row(), 0);
    EXPECT_EQ(listed.size(), 1);
    click("CommandForward");
    EXPECT_TRUE(waitFor([&] { return composeField("Subj") == QStringLiteral("FWD: Hello"); }, 10000));
    EXPECT_EQ(composeField("To"), QString());
    EXPECT_TRUE(composeField("Body").endsWith(QStringLiteral(">See you")));
}

// One program start for the template, address book and editor seams.
TEST_F(ShellSeamsTest, templatesGoIntoTheComposeFormAndComeBack_insertionWithoutABookSaysSo_editorChangesAreWrittenAtExit)
{
    ShellMergeHost &merge = shell().mergeHost();
    merge.setTemplateText({QStringLiteral("Offer"), QStringLiteral("Dear all")});
    merge.insertTemplateIntoComposeForm();
    EXPECT_TRUE(waitFor([&] { return composeField("Subj") == QStringLiteral("Offer"); }, 10000));
    EXPECT_EQ(composeField("Body"), QStringLiteral("Dear all"));

    form().browser(3).document().formField(QStringLiteral("compose"), QStringLiteral("Body")).setValue(QStringLiteral("Edited"));
    merge.captureTemplateFromComposeForm();
    EXPECT_EQ(merge.templateText().subject, QStringLiteral("Offer"));
    EXPECT_EQ(merge.templateText().body, QStringLiteral("Edited"));

    // The merge's flag is the one the compose automation consults.
    merge.setMergeInProgress(true);
    EXPECT_TRUE(shell().compose().mergeInProgress());
    merge.setMergeInProgress(false);

    // No address book is open.
    form().selectTab(2);
    ASSERT_TRUE(waitFor([&] { return composeField("To") != QStringLiteral("<no form>"); }, 10000));
    form().findChild<QAction *>(QStringLiteral("setto"))->trigger();
    EXPECT_EQ(boxes.texts(),
              QStringList{QStringLiteral("Unable to insert address. Are you sure the Compose screen is displayed in your browser?")});

    ShellEditorHost &editor = shell().editorHost();
    editor.placement().EditorHeight = 4321;
    editor.affiliate() = {true, QStringLiteral("A-17"), QStringLiteral("Made with care")};
    form().close();
    QStringList written;
    for (const char *key : {"ed_ht", "do_affiliate", "affID", "afftext"})
        written << settings.GetIni(QStringLiteral("Settings"), QLatin1String(key), QStringLiteral("<none>"));
    EXPECT_EQ(written, QStringList({QStringLiteral("4321"), QStringLiteral("1"), QStringLiteral("A-17"),
                                    QStringLiteral("Made with care")}));
}

} // namespace
