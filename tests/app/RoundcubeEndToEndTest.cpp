// The program against a real webmail: Roundcube, Dovecot and Postfix of the
// Roundcube lab (scripts/roundcube-lab.sh), started once for this program.
// Mail comes in by SMTP and is read in the program's first pane through its
// own page access; mail written in its compose pane and sent with the
// page's own send command arrives in the recipient's Maildir.
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>

#include <gmock/gmock.h>

#include "BrowserPaneProbe.h"
#include "LabMail.h"
#include "ProgramWithDemoSite.h"
#include "RoundcubeLab.h"
#include "RoundcubeSignIn.h"
#include "RunInPage.h"
#include "WaitFor.h"

using namespace ferrowen;
using namespace ferrowen::testing;
using ::testing::HasSubstr;

namespace {

const auto *const labEnvironment = ::testing::AddGlobalTestEnvironment(new RoundcubeLabEnvironment);

// Roundcube is slower than the demo site: pages load their parts by XHR
// from a PHP server, and the machine may be busy.
constexpr int pageTimeoutMs = 30000;

class RoundcubeEndToEndTest : public ProgramWithDemoSite
{
protected:
    RoundcubeLab &lab = roundcubeLab();

    QString labAddress(const QString &query) const { return lab.url().toString() + query; }

    void loadPane(int pane, const QString &address)
    {
        QSignalSpy loaded(&form().browser(pane), &BrowserPane::documentComplete);
        form().browser(pane).navigate(address);
        ASSERT_TRUE(loaded.wait(pageTimeoutMs)) << address.toStdString();
    }

    // What the program's page access reads: the text of an element, or
    // "" while it is missing.
    QString textOf(int pane, const QString &id)
    {
        try {
            return form().browser(pane).document().elementById(id).innerText();
        } catch (const WebPageError &) {
            return {};
        }
    }

    QVariant runInPane(int pane, const QString &script) { return runInPage(*BrowserPaneProbe::page(form().browser(pane)), script); }

    // The message of that subject in the user's Maildir, once it is there.
    std::optional<MaildirMessage> arrived(const QString &user, const QString &subject)
    {
        std::optional<MaildirMessage> found;
        waitFor([&] {
            for (const MaildirMessage &message : readMaildir(lab.maildir(user))) {
                if (message.header(QStringLiteral("Subject")) == subject)
                    found = message;
            }
            return found.has_value();
        }, pageTimeoutMs);
        return found;
    }
};

TEST_F(RoundcubeEndToEndTest, mailDeliveredToAliceShowsInTheFirstPane_andMailSentFromTheComposePaneReachesBob)
{
    // No mail leaves the lab: the SMTP server refuses every other domain.
    EXPECT_THAT(deliverMail(lab.smtpPort(), {lab.address(QStringLiteral("carol")), {QStringLiteral("someone@elsewhere.example")}, {},
                                             QStringLiteral("Out"), QStringLiteral("x"), {}})
                    .toStdString(),
                HasSubstr("Relay access denied"));

    // In by SMTP, decoded back out of alice's Maildir.
    const LabMessage incoming{QStringLiteral("Carol Lab <carol@example.test>"),
                              {lab.address(QStringLiteral("alice"))},
                              {lab.address(QStringLiteral("bob"))},
                              QStringLiteral("Quarterly figures – für Alice"),
                              QStringLiteral("Dear Alice,\n\nthe café = open.\nA long line: %1\n").arg(QString(90, u'x')),
                              QStringLiteral("<p>Dear <b>Alice</b>,</p><p>the caf\u00e9 is <i>open</i>.</p>")};
    ASSERT_EQ(deliverMail(lab.smtpPort(), incoming), QString());
    const auto delivered = arrived(QStringLiteral("alice"), incoming.subject);
    ASSERT_TRUE(delivered.has_value());
    EXPECT_EQ(delivered->header(QStringLiteral("From")), incoming.from);
    EXPECT_EQ(delivered->header(QStringLiteral("Cc")), lab.address(QStringLiteral("bob")));
    EXPECT_EQ(delivered->plainBody, incoming.plainBody);
    EXPECT_EQ(delivered->htmlBody, incoming.htmlBody);

    // The user types the lab's address into the first pane and signs in.
    loadPane(1, lab.url().toString());
    ASSERT_TRUE(signInToRoundcube(form().browser(1), QStringLiteral("alice"), lab.password(QStringLiteral("alice")),
                                  pageTimeoutMs));

    // The inbox row, as the program's page access reads it.
    ASSERT_TRUE(waitFor([&] { return textOf(1, QStringLiteral("messagelist")).contains(incoming.subject); }, pageTimeoutMs))
        << textOf(1, QStringLiteral("messagelist")).toStdString();
    EXPECT_THAT(textOf(1, QStringLiteral("messagelist")).toStdString(), HasSubstr("Carol Lab"));

    // A click on the row (the list listens to the mouse buttons going down
    // and up) opens the message in the preview frame.
    const QString subject = QString::fromUtf8(QJsonDocument(QJsonArray{incoming.subject}).toJson(QJsonDocument::Compact));
    ASSERT_TRUE(runInPane(1, QStringLiteral("(function ([subject]) {"
                                            "  const row = Array.from(document.querySelectorAll('#messagelist tr.message'))"
                                            "    .find(r => r.textContent.includes(subject));"
                                            "  if (!row) return false;"
                                            "  for (const type of ['mousedown', 'mouseup'])"
                                            "    row.querySelector('td.subject').dispatchEvent(new MouseEvent(type,"
                                            "      {bubbles: true, cancelable: true, button: 0, view: window}));"
                                            "  return true;"
                                            "})(%1)")
                                 .arg(subject))
                    .toBool());
    WebPage &inbox = form().browser(1).document();
    const auto previewAddress = [&] {
        try {
            return inbox.frameLocation({QStringLiteral("messagecontframe")});
        } catch (const WebPageError &) {
            return QString();
        }
    };
    ASSERT_TRUE(waitFor([&] { return previewAddress().contains(QLatin1String("_action=preview")); }, pageTimeoutMs))
        << previewAddress().toStdString();

    // The preview's document, read by the program's page access: the
    // headers in its text, the HTML part as the body.
    loadPane(1, previewAddress());
    const std::string previewText = inbox.bodyText().toStdString();
    EXPECT_THAT(previewText, HasSubstr(incoming.subject.toStdString()));
    EXPECT_THAT(previewText, HasSubstr("From Carol Lab"));
    EXPECT_THAT(inbox.elementById(QStringLiteral("messagebody")).innerHTML().toStdString(), HasSubstr("Dear <b>Alice</b>"));

    // Out through Roundcube's compose page in the program's compose pane:
    // filled through the program's page access, sent by the page's own
    // send command.
    loadPane(3, labAddress(QStringLiteral("?_task=mail&_action=compose")));
    const auto composeReady = [&] {
        return runInPane(3, QStringLiteral("!!document.querySelector('button.send') && !document.querySelector('button.send').disabled"))
            .toBool();
    };
    ASSERT_TRUE(waitFor(composeReady, pageTimeoutMs)) << form().browser(3).locationUrl().toStdString();
    WebPage &compose = form().browser(3).document();
    const QString composeForm = QStringLiteral("form");
    compose.formField(composeForm, QStringLiteral("_to")).setValue(lab.address(QStringLiteral("bob")));
    const QString outgoingSubject = QStringLiteral("Re: figures – Grüße from the lab");
    compose.formField(composeForm, QStringLiteral("_subject")).setValue(outgoingSubject);
    compose.formField(composeForm, QStringLiteral("_message")).setValue(QStringLiteral("Hello Bob,\nthe figures are in: ä ö ü.\n"));
    // The recipient widget rebuilt itself from the field.
    EXPECT_EQ(runInPane(3, QStringLiteral("Array.from(document.getElementById('_to').parentElement.querySelectorAll('li.recipient'))"
                                          ".map(li => li.textContent.trim()).join(' ')"))
                  .toString(),
              QString(lab.address(QStringLiteral("bob")) + QLatin1Char(',')));

    ASSERT_TRUE(runInPane(3, QStringLiteral("rcmail.command('send', '')")).toBool());
    // The page goes back to the mailbox once the server has sent it.
    EXPECT_TRUE(waitFor([&] { return !form().browser(3).locationUrl().contains(QLatin1String("_action=compose")); }, pageTimeoutMs))
        << form().browser(3).locationUrl().toStdString();
    const auto sent = arrived(QStringLiteral("bob"), outgoingSubject);
    ASSERT_TRUE(sent.has_value());
    EXPECT_EQ(sent->header(QStringLiteral("From")), lab.address(QStringLiteral("alice")));
    EXPECT_EQ(sent->header(QStringLiteral("To")), lab.address(QStringLiteral("bob")));
    EXPECT_THAT(sent->plainBody.toStdString(), HasSubstr("Hello Bob,\nthe figures are in: ä ö ü."));
}

} // namespace
