#include "FixtureServer.h"

#include "platform/web/BrowserPane.h"
#include "BrowserPaneProbe.h"
#include "WaitFor.h"

#include <QWebEngineSettings>
#include <gtest/gtest.h>

#include <functional>

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

const QByteArray sendPage = QByteArrayLiteral(R"html(<!DOCTYPE html>
<html><body>
<form name="Compose" method="post" action="/sent?box=1">
  <input type="hidden" name="state" value="s p&amp;q=1">
  <input name="To" value="ann@example.com">
  <input type="submit" name="Send" value="Send it" id="send">
  <input name="Subj" value="Re: Hello+world 100%">
  <textarea name="Body">line one
line two</textarea>
  <input type="image" name="Go" alt="go" id="go">
  <input type="submit" id="unnamed">
  <input type="checkbox" name="keep" value="1" checked><input type="checkbox" name="drop" value="1">
  <select name="many" multiple><option selected>a</option><option>x</option><option selected>b c</option></select>
  <input name="off" value="disabled" disabled>
  <input type="submit" name="Late" id="late">
</form>
<form name="Cancelled" method="post" action="/sent" onsubmit="return false">
  <input name="To" value="x"><input type="submit" id="cancel">
</form>
<form name="Editor" method="post" action="/sent" onsubmit="this.Body.value = 'from\neditor'">
  <input name="To" value="y"><input type="hidden" name="Body"><input type="submit" id="editorsend">
</form>
<form name="Search" method="get" action="/sent"><input name="q" value="x y"><input type="submit" id="search"></form>
<form name="Scripted" method="post" action="/sent">
  <input name="To" value="z"><button type="button" id="scripted" onclick="this.form.submit()">Send</button>
</form>
<a id="link" href="/other">link</a> <a id="blank" href="/other" target="_blank">new window</a>
</body></html>)html");

class BrowserPaneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.listening());
        server.page(QStringLiteral("/send"), sendPage);
        server.page(QStringLiteral("/sent"), QByteArrayLiteral("<html><body>sent</body></html>"));
        server.page(QStringLiteral("/other"), QByteArrayLiteral("<html><body>other</body></html>"));
        QObject::connect(&pane, &BrowserPane::beforeNavigate, [this] { events << QStringLiteral("before"); });
        QObject::connect(&pane, &BrowserPane::navigateComplete, [this] { events << QStringLiteral("committed"); });
    }

    void load(const QString &path)
    {
        ASSERT_TRUE(loadAndWait(*BrowserPaneProbe::page(pane), server.url(path)));
        before.clear();
        completed.clear();
        events.clear();
    }

    // Does `act`, waits for the next page to finish loading and returns the
    // post data beforeNavigate reported for it, checking that it came once
    // and matches what the server received.
    QByteArray navigateBy(const std::function<void()> &act)
    {
        const qsizetype postsBefore = server.posted.size();
        act();
        if (!completed.wait(15000) || before.size() != 1) {
            ADD_FAILURE() << "beforeNavigate came " << before.size() << " times";
            return {};
        }
        EXPECT_EQ(events.value(0), QStringLiteral("before"));
        const QByteArray postData = before.first().at(1).toByteArray();
        EXPECT_EQ(postData, server.posted.size() > postsBefore ? server.posted.last() : QByteArray());
        return postData;
    }
    // Runs script in the pane's page (in world) and does as navigateBy.
    QByteArray navigateBy(const QString &script, quint32 world = QWebEngineScript::MainWorld)
    {
        SCOPED_TRACE(script.toStdString());
        return navigateBy([&] { BrowserPaneProbe::page(pane)->runJavaScript(script, world); });
    }

    FixtureServer server;
    BrowserPane pane;
    QSignalSpy before{&pane, &BrowserPane::beforeNavigate};
    QSignalSpy completed{&pane, &BrowserPane::documentComplete};
    QStringList events;
};

// The Compose form's data in the order the browser sends it; the button
// that submitted the form goes where it stands in the form.
const QByteArray stateAndTo = "state=s+p%26q%3D1&To=ann%40example.com";
const QByteArray subjectAndBody = "&Subj=Re%3A+Hello%2Bworld+100%25&Body=line+one%0D%0Aline+two";
const QByteArray checkedAndSelected = "&keep=1&many=a&many=b+c";

struct NavigationCase
{
    const char *name;
    const char *script;
    QByteArray postData;
    const char *target;
};

class BrowserPaneNavigationTest : public BrowserPaneTest, public ::testing::WithParamInterface<NavigationCase>
{
};

TEST_P(BrowserPaneNavigationTest, beforeNavigateCarriesExactlyWhatIsPosted)
{
    const NavigationCase &row = GetParam();
    load(QStringLiteral("/send"));
    EXPECT_EQ(navigateBy(QString::fromUtf8(row.script)), row.postData);
    EXPECT_EQ(before.value(0).value(2).toString(), row.postData.isEmpty() ? QString() : QStringLiteral("UTF-8"));
    EXPECT_EQ(before.value(0).value(0).toUrl(), server.url(QString::fromUtf8(row.target)));
    EXPECT_EQ(pane.locationUrl(), server.url(QString::fromUtf8(row.target)).toString()); // never a new window
}

INSTANTIATE_TEST_SUITE_P(Submitters, BrowserPaneNavigationTest, ::testing::Values(
    NavigationCase{"clickedSubmit", "document.getElementById('send').click()",
                   stateAndTo + "&Send=Send+it" + subjectAndBody + checkedAndSelected, "/sent?box=1"},
    NavigationCase{"imageButton", "document.getElementById('go').click()",
                   stateAndTo + subjectAndBody + "&Go.x=0&Go.y=0" + checkedAndSelected, "/sent?box=1"},
    NavigationCase{"requestSubmitWithLastButton", "document.forms.Compose.requestSubmit(document.getElementById('late'))",
                   stateAndTo + subjectAndBody + checkedAndSelected + "&Late=Submit", "/sent?box=1"},
    NavigationCase{"unnamedButton", "document.getElementById('unnamed').click()", stateAndTo + subjectAndBody + checkedAndSelected, "/sent?box=1"},
    NavigationCase{"scriptSubmit", "document.forms.Compose.submit()", stateAndTo + subjectAndBody + checkedAndSelected, "/sent?box=1"},
    NavigationCase{"buttonCallingSubmit", "document.getElementById('scripted').click()", "To=z", "/sent"},
    NavigationCase{"onsubmitFillsAField", "document.getElementById('editorsend').click()", "To=y&Body=from%0D%0Aeditor", "/sent"},
    NavigationCase{"getForm", "document.getElementById('search').click()", QByteArray(), "/sent?q=x+y"},
    NavigationCase{"cancelledSubmitThenLink", "document.getElementById('cancel').click(); document.getElementById('link').click()",
                   QByteArray(), "/other"},
    NavigationCase{"linkToANewWindow", "document.getElementById('blank').click()", QByteArray(), "/other"}),
    [](const ::testing::TestParamInfo<NavigationCase> &info) { return std::string(info.param.name); });

// The mail merge sends the form this way, naming the button in the action.
TEST_F(BrowserPaneTest, submitForm_postsTheFormToItsActionWithTheSuffix)
{
    load(QStringLiteral("/send"));
    EXPECT_EQ(navigateBy([this] { pane.document().submitForm(QStringLiteral("Compose"), QStringLiteral("&SEND")); }),
              stateAndTo + subjectAndBody + checkedAndSelected);
    EXPECT_EQ(pane.locationUrl(), server.url(QStringLiteral("/sent?box=1&SEND")).toString());
}

// A dialog the page opens while the program's own step acts in it has no
// one to answer it: it is declined at once, and the step goes on.
TEST_F(BrowserPaneTest, dialogsOpenedByTheProgramsOwnStepAreDeclinedAtOnce)
{
    server.page(QStringLiteral("/ask"),
                QByteArrayLiteral("<html><body><button id=ask onclick=\"alert('Careful'); "
                                  "document.title = confirm('Send it?') + '/' + prompt('Name?', 'x')\">Send</button>"
                                  "</body></html>"));
    load(QStringLiteral("/ask"));
    pane.document().elementById(QStringLiteral("ask")).click();
    EXPECT_TRUE(waitFor([&] { return BrowserPaneProbe::page(pane)->title() == QStringLiteral("false/null"); }, 5000))
        << BrowserPaneProbe::page(pane)->title().toStdString();
}

TEST_F(BrowserPaneTest, pageScriptsOff_lookupsWritesAndCaptureStillWork)
{
    BrowserPaneProbe::page(pane)->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    load(QStringLiteral("/send"));
    pane.document().formField(QStringLiteral("COMPOSE"), QStringLiteral("tO")).setValue(QStringLiteral("typed"));
    EXPECT_EQ(navigateBy(QStringLiteral("document.getElementById('send').click()"), QWebEngineScript::ApplicationWorld),
              "state=s+p%26q%3D1&To=typed&Send=Send+it" + subjectAndBody + checkedAndSelected);
}

TEST_F(BrowserPaneTest, singleByteCharsetPagesPostSingleBytes)
{
    server.page(QStringLiteral("/latin"),
                QByteArrayLiteral("<html><body><form method=post action=/sent><input name=n value='caf\xe9 \x80'>"
                                  "<input type=submit id=s></form></body></html>"),
                QByteArrayLiteral("text/html; charset=windows-1252"));
    load(QStringLiteral("/latin"));
    EXPECT_EQ(navigateBy(QStringLiteral("document.forms[0].n.value += '\\u0100'; document.getElementById('s').click()")),
              QByteArrayLiteral("n=caf%E9+%80%26%23256%3B"));
    EXPECT_EQ(before.value(0).value(2).toString(), QStringLiteral("windows-1252"));
}

TEST_F(BrowserPaneTest, navigationOperationsAndEvents)
{
    const QString send = server.url(QStringLiteral("/send")).toString();
    const QString other = server.url(QStringLiteral("/other")).toString();
    QSignalSpy progress(&pane, &BrowserPane::progressChange);
    QSignalSpy committed(&pane, &BrowserPane::navigateComplete);
    pane.navigate(send);
    EXPECT_TRUE(pane.isBusy());
    ASSERT_TRUE(completed.wait(15000));
    EXPECT_FALSE(pane.isBusy());
    EXPECT_EQ(completed.last().at(0).toString(), send);
    EXPECT_EQ(committed.last().at(0).toString(), send);
    EXPECT_EQ(progress.value(progress.size() - 1), (QList<QVariant>{100, 100}));

    pane.navigate(other);
    ASSERT_TRUE(completed.wait(15000));
    pane.goBack();
    ASSERT_TRUE(completed.wait(15000));
    EXPECT_EQ(pane.locationUrl(), send);
    pane.goForward();
    ASSERT_TRUE(completed.wait(15000));
    EXPECT_EQ(pane.locationUrl(), other);

    // Addresses that name nothing leave the pane where it is.
    pane.navigate(QString());
    pane.navigate(QStringLiteral("not a url"));
    EXPECT_FALSE(pane.isBusy());
    EXPECT_EQ(pane.locationUrl(), other);
}

TEST_F(BrowserPaneTest, hoveringALinkShowsItsAddress)
{
    pane.resize(640, 480);
    pane.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    load(QStringLiteral("/send"));
    const QVariantList centre = runInPage(*BrowserPaneProbe::page(pane), QStringLiteral(
        "const r = document.getElementById('link').getBoundingClientRect(); [r.x + r.width / 2, r.y + r.height / 2]")).toList();
    ASSERT_EQ(centre.size(), 2);
    QSignalSpy status(&pane, &BrowserPane::statusTextChange);
    QWidget *surface = pane.focusProxy();
    ASSERT_NE(surface, nullptr);
    QTest::mouseMove(surface, QPoint(centre[0].toInt(), centre[1].toInt()));
    ASSERT_TRUE(status.wait(5000));
    EXPECT_EQ(status.last().at(0).toString(), server.url(QStringLiteral("/other")).toString());
    QTest::mouseMove(surface, QPoint(600, 460));
    ASSERT_TRUE(waitFor([&] { return status.last().at(0).toString().isEmpty(); }, 5000));
}

} // namespace
