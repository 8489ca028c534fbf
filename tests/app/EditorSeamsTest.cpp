// The editor in the real program against the demo site's blog: the body
// goes into the posting form in its nested frames, comes back after an edit
// of the source, and is published by the site; "Earn $$" and the spelling
// dictionary go through the shell.
#include "app/Shell.h"
#include "app/ShellEditorHost.h"
#include "demowebmail/BlogPages.h"
#include "editor/ui/AffiliateDialog.h"
#include "editor/ui/EditorFormatBar.h"
#include "editor/ui/EditorPanel.h"
#include "editor/ui/FormHyperLink.h"
#include "editor/ui/FormImage.h"
#include "editor/ui/InsertTableDlg.h"
#include "platform/EditorDocument.h"
#include "platform/spell/HunspellEngine.h"
#include "platform/web/BrowserPane.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "BrowserPaneProbe.h"
#include "EditorBody.h"
#include "ModalAnswer.h"
#include "ProgramWithDemoSite.h"
#include "ScriptedSpellDialog.h"
#include "WaitFor.h"

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

const QStringList postingFrames{QStringLiteral("inside"), QStringLiteral("blog_form")};

class EditorSeamsTest : public ProgramWithDemoSite
{
protected:
    ScriptedSpellDialog spelling;

    MainController::Options options() override
    {
        MainController::Options withSpelling = ProgramWithDemoSite::options();
        withSpelling.spellDialog = &spelling;
        return withSpelling;
    }

    EditorPanel &editor() { return controller->shell().editorPanel(); }
    WebPage &inbox() { return form().browser(Pane::Inbox).document(); }

    void openBlog()
    {
        form().browser(Pane::Inbox).navigate(siteAddress("/blog"));
        // The posting form is there once both frames have loaded.
        ASSERT_TRUE(waitFor([&] { return postingField() != QStringLiteral("<no form>"); }, 10000));
    }

    QString postingField() { return formFieldValue(inbox(), QStringLiteral("stuffform"), QStringLiteral("txaBody"), postingFrames); }

    void setBody(const QString &body) { ferrowen::testing::setBody(editor().document(), body); }
};

TEST_F(EditorSeamsTest, bodyGoesIntoTheBlogFormAndSourceEditsComeBack)
{
    openBlog();
    setBody(QStringLiteral("<p>Hello <b>blog</b></p>"));
    controller->shell().editorHost().affiliate() = {true, QStringLiteral("A-17"), QStringLiteral("Try it")};

    child<QPushButton>("Command2")->click();
    const QString written = postingField();
    EXPECT_TRUE(written.startsWith(QStringLiteral("<p>Hello <b>blog</b></p><p><small>This Blog was created with <a href=\"")))
        << written.toStdString();
    EXPECT_TRUE(written.contains(QStringLiteral("ref=A-17"))) << written.toStdString();

    // Source mode: the panel goes, the user edits the tags in the page.
    child<QRadioButton>("CheckHTMLSource")->click();
    QFrame *panel = child<QFrame>("PictureBlog");
    EXPECT_FALSE(panel->isVisible());
    const QString footer = written.mid(written.indexOf(QStringLiteral("<p><small>")));
    inbox().frameFormField(postingFrames, QStringLiteral("stuffform"), QStringLiteral("txaBody"))
        .setValue(QStringLiteral("<p>Hello <i>edited</i> blog</p>") + footer);

    // Back to the editor: the edit is there, the footer is not.
    child<QRadioButton>("CheckNormal")->click();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(editor().document().bodyInnerHTML(), QStringLiteral("<p>Hello <i>edited</i> blog</p>"));
    EXPECT_EQ(postingField(), QStringLiteral("<p>Hello <i>edited</i> blog</p>") + footer);

    // The site's own Publish button sends what the program wrote.
    QWebEnginePage *page = BrowserPaneProbe::page(form().browser(Pane::Inbox));
    page->runJavaScript(QStringLiteral("frames['inside'].frames['blog_form'].document.forms['stuffform'].btnPublish.click()"));
    ASSERT_TRUE(waitFor([&] { return !site.blogPosts().isEmpty(); }, 10000));
    EXPECT_EQ(site.blogPosts().first().body, QStringLiteral("<p>Hello <i>edited</i> blog</p>") + footer);
}

TEST_F(EditorSeamsTest, sourceEditsComeBackButNotAFormLoadedAgainNorAnEmptiedField)
{
    openBlog();
    setBody(QStringLiteral("<p>Kept <b>text</b></p>"));
    QWebEnginePage *page = BrowserPaneProbe::page(form().browser(Pane::Inbox));
    const auto field = [&] { return inbox().frameFormField(postingFrames, QStringLiteral("stuffform"), QStringLiteral("txaBody")); };

    // The blog's form loads again while the source is edited: its field is
    // empty, and no edit of the user's.
    child<QRadioButton>("CheckHTMLSource")->click();
    ASSERT_EQ(postingField(), QStringLiteral("<p>Kept <b>text</b></p>"));
    page->runJavaScript(QStringLiteral("frames['inside'].frames['blog_form'].location.reload()"));
    ASSERT_TRUE(waitFor([&] { return postingField().isEmpty(); }, 10000));
    child<QRadioButton>("CheckNormal")->click();
    EXPECT_EQ(editor().document().bodyInnerHTML(), QStringLiteral("<p>Kept <b>text</b></p>"));

    // Edited, then "Check S&pam" in source mode: the edit is not overwritten.
    child<QRadioButton>("CheckHTMLSource")->click();
    field().setValue(QStringLiteral("<p>Edited</p>"));
    child<QPushButton>("Command2")->click();
    EXPECT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts().value(0).contains(QStringLiteral("HTML source"))) << boxes.texts().value(0).toStdString();
    EXPECT_EQ(postingField(), QStringLiteral("<p>Edited</p>"));
    // A second click on the source switch copies nothing over it either.
    child<QRadioButton>("CheckHTMLSource")->click();
    EXPECT_EQ(postingField(), QStringLiteral("<p>Edited</p>"));

    // Posted: the form comes back empty, the edit comes back to the editor.
    page->runJavaScript(QStringLiteral("frames['inside'].frames['blog_form'].document.forms['stuffform'].btnPublish.click()"));
    ASSERT_TRUE(waitFor([&] { return !site.blogPosts().isEmpty() && postingField().isEmpty(); }, 10000));
    child<QRadioButton>("CheckNormal")->click();
    EXPECT_EQ(editor().document().bodyInnerHTML(), QStringLiteral("<p>Edited</p>"));

    // Emptied by the user: the editor keeps its text.
    child<QRadioButton>("CheckHTMLSource")->click();
    field().setValue(QString());
    child<QRadioButton>("CheckNormal")->click();
    EXPECT_EQ(editor().document().bodyInnerHTML(), QStringLiteral("<p>Edited</p>"));
}

TEST_F(EditorSeamsTest, theHideKeyFoldsThePanelAwayAndNothingIsWrittenWhileItIsAway)
{
    openBlog();
    setBody(QStringLiteral("<p>in the editor</p>"));
    QFrame *panel = child<QFrame>("PictureBlog");
    child<QPushButton>("Command1")->click();
    ASSERT_TRUE(panel->isVisible());
    const auto typeOnThePage = [&] {
        inbox().frameFormField(postingFrames, QStringLiteral("stuffform"), QStringLiteral("txaBody"))
            .setValue(QStringLiteral("typed on the page"));
    };

    // Leaving the panel the user sees copies the body into the form.
    typeOnThePage();
    Q_EMIT editor().document().pointerLeft();
    EXPECT_EQ(postingField(), QStringLiteral("<p>in the editor</p>"));

    typeOnThePage();
    QAction *hide = editor().formatBar().button("hide");
    ASSERT_TRUE(hide);
    EXPECT_EQ(hide->toolTip(), QStringLiteral("Hide Editor"));
    hide->trigger();
    EXPECT_FALSE(panel->isVisible());
    // The editor losing the focus or the pointer as it goes writes nothing.
    Q_EMIT editor().document().focusLost();
    Q_EMIT editor().document().pointerLeft();
    EXPECT_EQ(postingField(), QStringLiteral("typed on the page"));

    // "Edit Visually" brings it back over the first pane, from any tab.
    form().selectTab(Tab::Settings);
    child<QRadioButton>("CheckNormal")->click();
    EXPECT_EQ(form().selectedTab(), Tab::InboxLogin);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(postingField(), QStringLiteral("typed on the page"));
    EXPECT_EQ(editor().document().bodyInnerHTML(), QStringLiteral("<p>in the editor</p>"));
}

TEST_F(EditorSeamsTest, textSelectedInThePagesFieldIsCheckedThere)
{
    if (HunspellEngine().installedDictionaries().isEmpty())
        GTEST_SKIP() << "no Hunspell dictionary is installed";
    openBlog();
    inbox().frameFormField(postingFrames, QStringLiteral("stuffform"), QStringLiteral("txaBody"))
        .setValue(QStringLiteral("<p>Keep thsi.</p>\n<p>Fix thsi and taht.</p>"));
    // The user selects the second paragraph in the page's field.
    QWebEnginePage *page = BrowserPaneProbe::page(form().browser(Pane::Inbox));
    page->runJavaScript(QStringLiteral("const f = frames['inside'].frames['blog_form'].document.forms['stuffform'].txaBody;"
                                       "f.focus(); f.setSelectionRange(f.value.indexOf('<p>Fix'), f.value.length);"));
    ASSERT_TRUE(waitFor([&] { return !inbox().selectedFieldText().text.isEmpty(); }));
    setBody(QStringLiteral("<p>The editor's own txet.</p>"));

    spelling.answers = {ScriptedSpellDialog::change(QStringLiteral("this")), ScriptedSpellDialog::change(QStringLiteral("that"))};
    editor().formatBar().button("spell")->trigger();
    ASSERT_EQ(spelling.asked.size(), 2);
    EXPECT_EQ(spelling.asked[0].word, QStringLiteral("thsi"));
    EXPECT_EQ(spelling.asked[1].word, QStringLiteral("taht"));
    EXPECT_EQ(postingField(), QStringLiteral("<p>Keep thsi.</p>\n<p>Fix this and that.</p>"));
    EXPECT_EQ(editor().document().bodyInnerHTML(), QStringLiteral("<p>The editor's own txet.</p>"));
}

TEST_F(EditorSeamsTest, aPageWithoutThePostingFormIsLeftAloneAndCheckSpamSaysSo)
{
    openInbox("/yahoo/compose");
    setBody(QStringLiteral("<p>not for this page</p>"));
    child<QPushButton>("Command2")->click();
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral(
                                 "The page in the \"Inbox/Login\" tab has no blog posting form, so the editor's text was "
                                 "not copied. Open the blog's page for a new post there first.")});
    EXPECT_EQ(inbox().formField(QStringLiteral("compose"), QStringLiteral("Body")).value(), QString());
    // Leaving the editor says nothing.
    Q_EMIT editor().document().pointerLeft();
    EXPECT_EQ(boxes.texts().size(), 1);
}

// The editor's placement and "Earn $$" reach the settings file at exit
// through the editor's host.
TEST_F(EditorSeamsTest, earnButtonOpensTheAffiliateDialogAndItsAnswerIsWrittenAtExit)
{
    controller->shell().editorHost().placement().EditorHeight = 4321;
    answerNextModal<AffiliateDialog>([](AffiliateDialog &dialog) {
        dialog.findChild<QCheckBox *>(QStringLiteral("CheckAffiliate"))->setChecked(true);
        dialog.findChild<QLineEdit *>(QStringLiteral("TextAffiliateId"))->setText(QStringLiteral("B-9"));
        dialog.accept();
    });
    child<QPushButton>("CommandAffiliate")->click();
    form().close();
    const auto get = [&](const char *key) {
        return settings.GetIni(QStringLiteral("Settings"), QLatin1String(key), QStringLiteral("<none>"));
    };
    EXPECT_EQ(get("do_affiliate"), QStringLiteral("1"));
    EXPECT_EQ(get("affID"), QStringLiteral("B-9"));
    EXPECT_EQ(get("ed_ht"), QStringLiteral("4321"));
}

TEST_F(EditorSeamsTest, theDictionaryPickedInTheSpellingDialogIsKept)
{
    const QStringList installed = HunspellEngine().installedDictionaries();
    if (installed.isEmpty())
        GTEST_SKIP() << "no Hunspell dictionary is installed";
    setBody(QStringLiteral("<p>A wrod here.</p>"));
    spelling.answers = {{SpellAnswer::Action::UseDictionary, {}, installed.first()},
                        ScriptedSpellDialog::of(SpellAnswer::Action::Ignore)};
    editor().formatBar().button("spell")->trigger();
    ASSERT_FALSE(spelling.asked.isEmpty());
    EXPECT_EQ(spelling.asked.first().word, QStringLiteral("wrod"));
    EXPECT_EQ(settings.GetIni(QStringLiteral("Locations"), QStringLiteral("main dictionary"), QString()), installed.first());
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("The spelling check is complete.")});
}

TEST_F(EditorSeamsTest, tableLinkAndPictureDialogsOpenFromTheToolbarAndPostTheirResult)
{
    openBlog();
    setBody(QStringLiteral("<p>see here</p>"));
    EditorDocument &document = editor().document();
    const int start = int(document.bodyText().indexOf(QStringLiteral("here")));
    document.select({start, start + 4});

    QAction *link = editor().formatBar().button("link");
    ASSERT_TRUE(link->isEnabled());
    answerNextModal<FormHyperLink>([](FormHyperLink &dialog) {
        dialog.findChild<QLineEdit *>(QStringLiteral("EditExtURL"))->setText(QStringLiteral("http://example.com/"));
        dialog.accept();
    });
    link->trigger();

    document.select({start + 4, start + 4});
    answerNextModal<InsertTableDlg>([](InsertTableDlg &dialog) {
        dialog.findChild<QLineEdit *>(QStringLiteral("Cols"))->setText(QStringLiteral("1"));
        dialog.findChild<QLineEdit *>(QStringLiteral("Rows"))->setText(QStringLiteral("1"));
        dialog.accept();
    });
    editor().formatBar().button("table")->trigger();

    // The picture dialog opens from its button too; cancelled, it adds nothing.
    bool imageDialogShown = false;
    answerNextModal<FormImage>([&imageDialogShown](FormImage &dialog) {
        imageDialogShown = true;
        dialog.reject();
    });
    QAction *image = editor().formatBar().button("image");
    ASSERT_TRUE(image->isEnabled());
    image->trigger();
    EXPECT_TRUE(imageDialogShown);

    child<QPushButton>("Command2")->click();
    EXPECT_EQ(postingField(), QStringLiteral("<p>see <a href=\"http://example.com/\">here</a></p>"
                                             "<table align=\"CENTER\" border=\"0\" cellpadding=\"3\" cellspacing=\"0\">"
                                             "<tbody><tr><td>&nbsp;</td></tr></tbody></table>"));
}

} // namespace
