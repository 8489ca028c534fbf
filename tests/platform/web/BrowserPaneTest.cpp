#include "FixtureServer.h"

#include "platform/web/BrowserPane.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWebEngineSettings>
#include <gtest/gtest.h>

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
        ASSERT_TRUE(loadAndWait(*pane.page(), server.url(path)));
        before.clear();
        completed.clear();
        events.clear();
    }

    // Runs script in the pane's page (in world), waits for the next page to
    // finish loading and returns the post data beforeNavigate reported for
    // it, checking that it came once and matches what the server received.
    QByteArray navigateBy(const QString &script, quint32 world = QWebEngineScript::MainWorld)
    {
        const qsizetype postsBefore = server.posted.size();
        pane.page()->runJavaScript(script, world);
        if (!completed.wait(15000)) {
            ADD_FAILURE() << "no page loaded after " << qPrintable(script);
            return {};
        }
        if (before.size() != 1) {
            ADD_FAILURE() << "beforeNavigate came " << before.size() << " times";
            return {};
        }
        EXPECT_EQ(events.value(0), QStringLiteral("before"));
        const QByteArray postData = before.first().at(1).toByteArray();
        if (server.posted.size() > postsBefore)
            EXPECT_EQ(postData, server.posted.last());
        else
            EXPECT_EQ(postData, QByteArray());
        return postData;
    }

    FixtureServer server;
    BrowserPane pane;
    QSignalSpy before{&pane, &BrowserPane::beforeNavigate};
    QSignalSpy completed{&pane, &BrowserPane::documentComplete};
    QStringList events;
};

TEST_F(BrowserPaneTest, clickedSubmitPostsWhatTheBrowserSends)
{
    load(QStringLiteral("/send"));
    const QByteArray data = navigateBy(QStringLiteral("document.getElementById('send').click()"));
    EXPECT_EQ(data, QByteArrayLiteral("state=s+p%26q%3D1&To=ann%40example.com&Send=Send+it&Subj=Re%3A+Hello%2Bworld+100%25"
                                      "&Body=line+one%0D%0Aline+two&keep=1&many=a&many=b+c"));
    EXPECT_EQ(before.first().at(0).toUrl(), server.url(QStringLiteral("/sent?box=1")));
}

TEST_F(BrowserPaneTest, everyKindOfSubmitterIsPlacedAsTheBrowserDoes)
{
    load(QStringLiteral("/send"));
    EXPECT_TRUE(navigateBy(QStringLiteral("document.getElementById('go').click()")).contains("&Go.x=0&Go.y=0&"));
    load(QStringLiteral("/send"));
    EXPECT_TRUE(navigateBy(QStringLiteral("document.forms.Compose.requestSubmit(document.getElementById('late'))"))
                    .endsWith("&Late=Submit"));
    load(QStringLiteral("/send"));
    EXPECT_FALSE(navigateBy(QStringLiteral("document.getElementById('unnamed').click()")).contains("Send="));
}

TEST_F(BrowserPaneTest, scriptedSubmissionsAreCapturedOnce)
{
    load(QStringLiteral("/send"));
    EXPECT_TRUE(navigateBy(QStringLiteral("document.forms.Compose.submit()")).startsWith("state="));
    load(QStringLiteral("/send"));
    EXPECT_EQ(navigateBy(QStringLiteral("document.getElementById('scripted').click()")), QByteArrayLiteral("To=z"));
    // An onsubmit handler that fills a field before the form goes.
    load(QStringLiteral("/send"));
    EXPECT_EQ(navigateBy(QStringLiteral("document.getElementById('editorsend').click()")),
              QByteArrayLiteral("To=y&Body=from%0D%0Aeditor"));
}

TEST_F(BrowserPaneTest, automationSubmitAppendsToTheAction)
{
    load(QStringLiteral("/send"));
    const QByteArray posted = [&] {
        const qsizetype postsBefore = server.posted.size();
        pane.document().formField(QStringLiteral("compose"), QStringLiteral("to")).setValue(QStringLiteral("bob@example.com"));
        pane.document().submitForm(QStringLiteral("compose"), QStringLiteral("&SEND"));
        EXPECT_TRUE(completed.wait(15000));
        EXPECT_EQ(server.posted.size(), postsBefore + 1);
        return server.posted.value(postsBefore);
    }();
    ASSERT_EQ(before.size(), 1);
    EXPECT_EQ(before.first().at(0).toUrl(), server.url(QStringLiteral("/sent?box=1&SEND")));
    EXPECT_EQ(before.first().at(1).toByteArray(), posted);
    EXPECT_TRUE(posted.contains("&To=bob%40example.com&"));
}

TEST_F(BrowserPaneTest, cancelledGetAndLinkNavigationsCarryNoData)
{
    load(QStringLiteral("/send"));
    pane.page()->runJavaScript(QStringLiteral("document.getElementById('cancel').click()"));
    EXPECT_EQ(navigateBy(QStringLiteral("document.getElementById('link').click()")), QByteArray());
    EXPECT_EQ(before.first().at(0).toUrl(), server.url(QStringLiteral("/other")));
    EXPECT_TRUE(server.posted.isEmpty());

    load(QStringLiteral("/send"));
    EXPECT_EQ(navigateBy(QStringLiteral("document.getElementById('search').click()")), QByteArray());
    EXPECT_EQ(before.first().at(0).toUrl().query(), QStringLiteral("q=x+y"));
}

TEST_F(BrowserPaneTest, pageScriptsOffStillCaptureSubmissions)
{
    pane.page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    load(QStringLiteral("/send"));
    const QByteArray data = navigateBy(QStringLiteral("document.getElementById('send').click()"),
                                       QWebEngineScript::ApplicationWorld);
    EXPECT_TRUE(data.contains("&Send=Send+it&"));
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
}

TEST_F(BrowserPaneTest, newWindowsOpenInThePane)
{
    load(QStringLiteral("/send"));
    EXPECT_EQ(navigateBy(QStringLiteral("document.getElementById('blank').click()")), QByteArray());
    EXPECT_EQ(pane.locationUrl(), server.url(QStringLiteral("/other")).toString());
}

TEST_F(BrowserPaneTest, navigationOperationsAndEvents)
{
    QSignalSpy progress(&pane, &BrowserPane::progressChange);
    QSignalSpy committed(&pane, &BrowserPane::navigateComplete);
    pane.navigate(server.url(QStringLiteral("/send")).toString());
    EXPECT_TRUE(pane.isBusy());
    ASSERT_TRUE(completed.wait(15000));
    EXPECT_FALSE(pane.isBusy());
    EXPECT_EQ(completed.last().at(0).toString(), server.url(QStringLiteral("/send")).toString());
    EXPECT_EQ(committed.last().at(0).toString(), server.url(QStringLiteral("/send")).toString());
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last(), (QList<QVariant>{100, 100}));

    pane.navigate(server.url(QStringLiteral("/other")).toString());
    ASSERT_TRUE(completed.wait(15000));
    pane.goBack();
    ASSERT_TRUE(completed.wait(15000));
    EXPECT_EQ(pane.locationUrl(), server.url(QStringLiteral("/send")).toString());
    pane.goForward();
    ASSERT_TRUE(completed.wait(15000));
    EXPECT_EQ(pane.locationUrl(), server.url(QStringLiteral("/other")).toString());

    // Addresses that name nothing leave the pane where it is.
    pane.navigate(QString());
    pane.navigate(QStringLiteral("not a url"));
    EXPECT_FALSE(pane.isBusy());
    EXPECT_EQ(pane.locationUrl(), server.url(QStringLiteral("/other")).toString());
}

TEST_F(BrowserPaneTest, hoveringALinkShowsItsAddress)
{
    pane.resize(640, 480);
    pane.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    load(QStringLiteral("/send"));
    const QVariantList centre = runInPage(*pane.page(), QStringLiteral(
        "const r = document.getElementById('link').getBoundingClientRect(); [r.x + r.width / 2, r.y + r.height / 2]")).toList();
    ASSERT_EQ(centre.size(), 2);
    QSignalSpy status(&pane, &BrowserPane::statusTextChange);
    QWidget *surface = pane.focusProxy();
    ASSERT_NE(surface, nullptr);
    QTest::mouseMove(surface, QPoint(centre[0].toInt(), centre[1].toInt()));
    ASSERT_TRUE(status.wait(5000));
    EXPECT_EQ(status.last().at(0).toString(), server.url(QStringLiteral("/other")).toString());
    QTest::mouseMove(surface, QPoint(600, 460));
    ASSERT_TRUE(QTest::qWaitFor([&] { return status.last().at(0).toString().isEmpty(); }, 5000));
}

TEST_F(BrowserPaneTest, relativeLocalPathsOpenAsFiles)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("html")));
    QFile start(folder.filePath(QStringLiteral("html/index.html")));
    ASSERT_TRUE(start.open(QIODevice::WriteOnly));
    start.write("<html><body><p id=start>start page</p></body></html>");
    start.close();

    pane.setLocalBase(folder.path());
    pane.navigate(QStringLiteral("html\\index.html"));
    ASSERT_TRUE(completed.wait(15000));
    EXPECT_EQ(pane.locationUrl(), QUrl::fromLocalFile(start.fileName()).toString());
    EXPECT_EQ(pane.document().elementById(QStringLiteral("start")).innerText(), QStringLiteral("start page"));
}

} // namespace
