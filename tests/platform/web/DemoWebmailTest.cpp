// The panes against the demo webmail site: the provider pages' own forms,
// names and sending, as the automation meets them.

#include "FixtureServer.h"

#include "demowebmail/DemoWebmailSite.h"
#include "platform/web/BrowserPane.h"
#include "BrowserPaneProbe.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

class DemoWebmailTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const Status listening = site.listen(0);
        ASSERT_TRUE(listening) << qPrintable(listening.error());
    }

    void open(const QString &path) { ASSERT_TRUE(loadAndWait(*BrowserPaneProbe::page(pane), site.baseUrl().resolved(QUrl(path)))); }

    // Sends by running script in the page; returns the post data the pane
    // reported, after checking it is what the site received. Waits for the
    // site's answer to load: the engine may drop a load started while the
    // form's own navigation is still under way.
    QByteArray sendBy(const std::function<void()> &send)
    {
        const QString composeAddress = pane.locationUrl();
        QSignalSpy before(&pane, &BrowserPane::beforeNavigate);
        QSignalSpy sent(&site, &DemoWebmailSite::messageSent);
        QSignalSpy answered(&pane, &BrowserPane::documentComplete);
        send();
        const auto answerLoaded = [&] {
            return std::any_of(answered.cbegin(), answered.cend(), [&](const QList<QVariant> &arguments) {
                return arguments.first().toString() != composeAddress;
            });
        };
        if (!sent.wait(15000) || !waitFor([&] { return !before.isEmpty() && answerLoaded(); }, 15000)) {
            ADD_FAILURE() << "nothing was sent";
            return {};
        }
        const QByteArray postData = before.first().at(1).toByteArray();
        EXPECT_EQ(postData, site.sentMessages().last().rawBody);
        return postData;
    }

    WebPage &page() { return pane.document(); }

    DemoWebmailSite site;
    BrowserPane pane;
};

TEST_F(DemoWebmailTest, yahooComposeIsFilledAndItsSendCaptured)
{
    open(QStringLiteral("/yahoo/compose"));
    // The compose form answers to "compose" as well as to "Compose".
    page().formField(QStringLiteral("compose"), QStringLiteral("To")).setValue(QStringLiteral("ann@example.com"));
    page().formField(QStringLiteral("compose"), QStringLiteral("Subj")).setValue(QStringLiteral("Re: Hello+world"));
    page().formField(QStringLiteral("compose"), QStringLiteral("Body")).setValue(QStringLiteral("one\r\ntwo"));
    EXPECT_THROW(page().elementById(QStringLiteral("plainmsg")), WebPageError);
    EXPECT_EQ(page().namedFormField(QStringLiteral("Compose"), QStringLiteral("PlainMsg")).type(), QStringLiteral("hidden"));

    const QByteArray data = sendBy([this] {
        BrowserPaneProbe::page(pane)->runJavaScript(QStringLiteral("document.forms.Compose.SEND.click()"));
    });
    EXPECT_TRUE(data.contains("&To=ann%40example.com&"));
    EXPECT_TRUE(data.contains("&Subj=Re%3A+Hello%2Bworld&Body=one%0D%0Atwo&"));
    EXPECT_EQ(site.sentMessages().last().body, QStringLiteral("one\r\ntwo"));
}

TEST_F(DemoWebmailTest, hotmailComposeSentByTheImageButtonAndByTheMerge)
{
    open(QStringLiteral("/hotmail/compose"));
    page().formField(QStringLiteral("composeform"), QStringLiteral("to")).setValue(QStringLiteral("bob@example.com"));
    EXPECT_TRUE(sendBy([this] {
        BrowserPaneProbe::page(pane)->runJavaScript(QStringLiteral("document.querySelector(\"input[name=Send]\").click()"));
    }).endsWith("&Send.x=0&Send.y=0"));

    open(QStringLiteral("/hotmail/compose"));
    page().formField(QStringLiteral("composeform"), QStringLiteral("to")).setValue(QStringLiteral("cy@example.com"));
    page().formField(QStringLiteral("composeform"), QStringLiteral("subject")).setValue(QStringLiteral("merged"));
    EXPECT_TRUE(sendBy([this] {
        page().submitForm(QStringLiteral("composeform"), QStringLiteral("&Send.x"));
    }).contains("&to=cy%40example.com&"));
    EXPECT_EQ(site.sentMessages().last().subject, QStringLiteral("merged"));
}

TEST_F(DemoWebmailTest, inboxCheckBoxesAndMessagesAreReachable)
{
    open(QStringLiteral("/yahoo/inbox"));
    const int count = page().formElementCount(QStringLiteral("messageList"));
    int boxes = 0;
    for (int i = 0; i < count; ++i) {
        WebElement element = page().formElementAt(QStringLiteral("messageList"), i);
        if (element.name() == QStringLiteral("Mid")) {
            ++boxes;
            element.setChecked(true);
            EXPECT_TRUE(element.checked());
        }
    }
    EXPECT_GT(boxes, 1);

    open(QStringLiteral("/hotmail/inbox"));
    EXPECT_EQ(page().formField(QStringLiteral("hotmail"), QStringLiteral("allbox")).type(), QStringLiteral("checkbox"));

    open(QStringLiteral("/yahoo/message?id=1"));
    EXPECT_TRUE(page().elementById(QStringLiteral("message")).innerHTML().contains(QStringLiteral("Mill Street")));
    EXPECT_TRUE(page().bodyText().contains(QStringLiteral("Lunch on Thursday?\r\n")));

    open(QStringLiteral("/hotmail/message?id=1"));
    QString body;
    for (int i = 0, n = page().elementCount(); i < n && body.isEmpty(); ++i) {
        WebElement element = page().elementAt(i);
        if (element.className() == QStringLiteral("rmsg"))
            body = element.innerHTML();
    }
    EXPECT_FALSE(body.isEmpty());
}

} // namespace
