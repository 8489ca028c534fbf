#include "FixtureServer.h"

#include "platform/web/BrowserPane.h"
#include "BrowserPaneProbe.h"
#include "TypeIntoPane.h"
#include "RunInPage.h"
#include "platform/web/EngineWebPage.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

using namespace ferrowen;
using namespace ferrowen::testing;
using namespace std::chrono_literals;

namespace {

// Two forms whose names differ only in case, fields likewise, a radio
// group, and page listeners that show what the page itself sees.
const QByteArray formsPage = QByteArrayLiteral(R"(<!DOCTYPE html>
<html><head><title>forms</title></head><body>
<form name="Compose" action="/sent" method="post">
  <input name="To" value="first-to"><input name="TO" value="upper-to"><input name="to" value="lower-to">
  <textarea name="Body">body text</textarea>
  <input type="radio" name="pick" value="a"><input type="radio" name="pick" value="b" checked>
  <INPUT TYPE="CHECKBOX" name="Mid" value="7" class="box">
  <select name="choice"><option>x</option></select>
  <input name="dup" value="named">
</form>
<form name="compose"><input name="Subj" value="exact-form"></form>
<form id="Other"><input id="Cc" value="by-id"></form>
<p id="dup">by id</p><div id="target"></div>
<span id="echo"></span><span id="changes">0</span><span id="clicks">0</span>
<script>
  const compose = document.forms.Compose;
  compose.To.addEventListener('input', e => { document.getElementById('echo').textContent = e.target.value; });
  let changes = 0;
  compose.addEventListener('change', () => { document.getElementById('changes').textContent = ++changes; });
  let clicks = 0;
  compose.Mid.addEventListener('click', () => { document.getElementById('clicks').textContent = ++clicks; });
</script>
</body></html>)");

class EngineWebPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.listening());
        server.page(QStringLiteral("/forms"), formsPage);
        server.page(QStringLiteral("/other"), QByteArrayLiteral("<html><body><p id=dup>other</p></body></html>"));
        server.page(QStringLiteral("/framed"), QByteArrayLiteral("<html><body><p>outside</p><iframe id=Preview src=/forms></iframe></body></html>"));
    }

    void load(const QString &path) { ASSERT_TRUE(loadAndWait(*BrowserPaneProbe::page(pane), server.url(path))); }

    WebPage &page() { return pane.document(); }

    FixtureServer server;
    BrowserPane pane;
};

TEST_F(EngineWebPageTest, formFieldPrefersExactNamesAndFallsBackIgnoringCase)
{
    load(QStringLiteral("/forms"));
    const std::tuple<const char *, const char *, const char *> fields[] = {
        {"Compose", "To", "first-to"}, {"Compose", "to", "lower-to"},    {"Compose", "tO", "first-to"},
        {"compose", "Subj", "exact-form"}, {"COMPOSE", "body", "body text"}, {"other", "cc", "by-id"},
        {"Compose", "pick", "a"}, // a radio group answers with its first member
    };
    for (const auto &[form, field, value] : fields)
        EXPECT_EQ(page().formField(QString::fromUtf8(form), QString::fromUtf8(field)).value(), QString::fromUtf8(value)) << form << "/" << field;
    EXPECT_EQ(page().namedFormField(QStringLiteral("Compose"), QStringLiteral("TO")).value(), QStringLiteral("upper-to"));
    EXPECT_EQ(page().namedFormField(QStringLiteral("compose"), QStringLiteral("subj")).value(), QStringLiteral("exact-form"));
}

TEST_F(EngineWebPageTest, elementsByIdNameAndPositionAndMissingOnesThrow)
{
    load(QStringLiteral("/forms"));
    // An id beats an earlier element of the same name; a name alone works.
    EXPECT_EQ(page().elementById(QStringLiteral("dup")).innerText(), QStringLiteral("by id"));
    WebElement box = page().elementById(QStringLiteral("Mid"));
    EXPECT_EQ(box.type(), QStringLiteral("checkbox"));
    EXPECT_EQ(box.className(), QStringLiteral("box"));
    EXPECT_EQ(box.name(), QStringLiteral("Mid"));

    EXPECT_EQ(page().formElementCount(QStringLiteral("Compose")), 9);

    EXPECT_THROW(page().formField(QStringLiteral("nowhere"), QStringLiteral("To")), WebPageError);
    EXPECT_THROW(page().formField(QStringLiteral("compose"), QStringLiteral("To")), WebPageError);
    EXPECT_THROW(page().namedFormField(QStringLiteral("Compose"), QStringLiteral("Subj")), WebPageError);
    EXPECT_THROW(page().elementById(QStringLiteral("absent")), WebPageError);
    EXPECT_THROW(page().formElementCount(QStringLiteral("absent")), WebPageError);
    EXPECT_THROW(page().elementById(QStringLiteral("target")).setValue(QStringLiteral("x")), WebPageError);
}

ElementWalk walkOf(const char *form, const char *selector, QList<ElementCondition> conditions,
                   QList<ElementProperty> read, bool lastOnly = false, QStringList frames = {})
{
    ElementWalk walk;
    walk.frames = std::move(frames);
    walk.form = QString::fromUtf8(form);
    walk.selector = QString::fromUtf8(selector);
    walk.conditions = std::move(conditions);
    walk.read = std::move(read);
    walk.lastOnly = lastOnly;
    return walk;
}

// What a walk found: each element's values joined by "/", the elements by ",".
QString foundText(const QList<WalkedElement> &found)
{
    QStringList elements;
    for (const WalkedElement &element : found) {
        QStringList values;
        for (const QVariant &value : element.values)
            values << value.toString();
        elements << values.join(u'/');
    }
    return elements.join(u',');
}

TEST_F(EngineWebPageTest, walksFindElementsInDocumentOrderAndReadThem_clickEachClicksAllOrNone)
{
    load(QStringLiteral("/forms"));
    using P = ElementProperty;
    const std::pair<ElementWalk, const char *> walks[] = {
        {walkOf("Compose", "", {}, {P::Type}), "text,text,text,textarea,radio,radio,checkbox,select-one,text"},
        {walkOf("COMPOSE", "", {{P::Type, QStringLiteral("radio")}}, {P::Value, P::Checked}), "a/false,b/true"},
        {walkOf("Compose", "", {{P::Type, QStringLiteral("text")}, {P::Name, QStringLiteral("To"), false}}, {P::Value}),
         "upper-to,lower-to,named"},
        {walkOf("", "", {{P::ClassName, QStringLiteral("box")}}, {P::Name, P::Checked}), "Mid/false"},
        {walkOf("", "", {{P::ClassName, QStringLiteral("box ")}}, {P::Name}), ""},
        {walkOf("", "", {{P::Type, QStringLiteral("text")}}, {P::Value}, true), "by-id"},
        {walkOf("", "#Other input, form[name=compose] input", {}, {P::Value}), "exact-form,by-id"},
        {walkOf("", "", {{P::Name, QStringLiteral("absent")}}, {P::Value}, true), ""},
    };
    for (const auto &[walk, expected] : walks)
        EXPECT_EQ(foundText(page().walk(walk)), QString::fromUtf8(expected)) << expected;
    EXPECT_THROW(page().walk(walkOf("absent", "", {}, {})), WebPageError);
    EXPECT_THROW(page().walk(walkOf("", "p >", {}, {})), WebPageError);

    // Clicked as the user clicks: the page hears each click.
    const QList<WalkedElement> boxes = page().walk(walkOf("Compose", "", {{P::Type, QStringLiteral("checkbox")}}, {}));
    ASSERT_EQ(boxes.size(), 1);
    page().clickEach({boxes[0].ref, boxes[0].ref, boxes[0].ref});
    EXPECT_EQ(page().elementById(QStringLiteral("clicks")).innerText(), QStringLiteral("3"));
    EXPECT_TRUE(page().elementById(QStringLiteral("Mid")).checked());

    const ElementRef box = boxes[0].ref;
    load(QStringLiteral("/forms"));
    const ElementRef fresh = page().walk(walkOf("Compose", "", {{P::Type, QStringLiteral("checkbox")}}, {}))[0].ref;
    EXPECT_THROW(page().clickEach({fresh, box}), WebPageError);
    EXPECT_EQ(page().elementById(QStringLiteral("clicks")).innerText(), QStringLiteral("0"));

    // In a frame of the page's own site, as in its own document.
    load(QStringLiteral("/framed"));
    const QStringList frame = {QStringLiteral("preview")};
    EXPECT_EQ(foundText(page().walk(walkOf("", "p", {}, {P::InnerText}))), QStringLiteral("outside"));
    EXPECT_EQ(foundText(page().walk(walkOf("", "p", {}, {P::InnerText}, false, frame))), QStringLiteral("by id"));
    const QList<WalkedElement> framed =
        page().walk(walkOf("COMPOSE", "", {{P::Type, QStringLiteral("radio")}}, {P::Checked}, false, frame));
    ASSERT_EQ(foundText(framed), QStringLiteral("false,true"));
    page().clickEach({framed[0].ref});
    EXPECT_EQ(foundText(page().walk(walkOf("Compose", "", {{P::Type, QStringLiteral("radio")}}, {P::Checked}, false, frame))),
              QStringLiteral("true,false"));
    EXPECT_THROW(page().walk(walkOf("", "p", {}, {}, false, {QStringLiteral("absent")})), WebPageError);
}

TEST_F(EngineWebPageTest, writesShowInThePageAsTyping)
{
    load(QStringLiteral("/forms"));
    const QString text = QStringLiteral("Ann \"<a>\" \\ \u2028 é ' ${x} */");
    WebElement to = page().formField(QStringLiteral("Compose"), QStringLiteral("To"));
    to.setValue(text);
    EXPECT_EQ(to.value(), text);
    EXPECT_EQ(page().elementById(QStringLiteral("echo")).innerText(), text);
    EXPECT_EQ(page().elementById(QStringLiteral("changes")).innerText(), QStringLiteral("1"));

    WebElement box = page().elementById(QStringLiteral("Mid"));
    box.setChecked(true);
    EXPECT_TRUE(box.checked());
    EXPECT_TRUE(runInPage(*BrowserPaneProbe::page(pane), QStringLiteral("document.forms.Compose.Mid.checked")).toBool());
    EXPECT_EQ(page().elementById(QStringLiteral("changes")).innerText(), QStringLiteral("2"));
    EXPECT_EQ(page().elementById(QStringLiteral("clicks")).innerText(), QStringLiteral("0"));

    // A click is heard as a click and a change, and toggles the box.
    box.click();
    EXPECT_FALSE(box.checked());
    EXPECT_EQ(page().elementById(QStringLiteral("clicks")).innerText(), QStringLiteral("1"));
    EXPECT_EQ(page().elementById(QStringLiteral("changes")).innerText(), QStringLiteral("3"));

    // What a textarea shows is what it posts.
    WebElement body = page().formField(QStringLiteral("Compose"), QStringLiteral("Body"));
    body.setInnerHTML(QStringLiteral("a &lt;b&gt;"));
    EXPECT_EQ(body.value(), QStringLiteral("a <b>"));
    EXPECT_EQ(runInPage(*BrowserPaneProbe::page(pane), QStringLiteral("document.forms.Compose.Body.value")).toString(), QStringLiteral("a <b>"));

    WebElement target = page().elementById(QStringLiteral("target"));
    target.setInnerHTML(QStringLiteral("<b>bold</b>"));
    EXPECT_EQ(target.innerHTML(), QStringLiteral("<b>bold</b>"));
}

// One step for many places: each goes to the first target the page has,
// an optional one without any is skipped, and a required one missing
// leaves the page as it was. Only what the user types counts as typed,
// until the program writes over it.
TEST_F(EngineWebPageTest, writeAllFillsEveryPlaceOrNothing_andOnlyTheUsersTypingCountsAsTyped)
{
    pane.resize(640, 480);
    pane.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    load(QStringLiteral("/forms"));
    const auto field = [](const char *form, const char *name) {
        return WriteTarget{WriteTarget::Kind::FormField, QLatin1String(form), QLatin1String(name), ElementProperty::Value};
    };
    const WriteTarget missing{WriteTarget::Kind::ElementById, QString(), QStringLiteral("nowhere"), ElementProperty::InnerHtml};
    const WriteTarget target{WriteTarget::Kind::ElementById, QString(), QStringLiteral("target"), ElementProperty::InnerHtml};
    const WriteTarget upperTo{WriteTarget::Kind::NamedFormField, QStringLiteral("Compose"), QStringLiteral("TO"),
                              ElementProperty::Value};
    page().writeAll({{{field("Compose", "To")}, QStringLiteral("ann"), false},
                     {{missing, upperTo}, QStringLiteral("upper"), false},
                     {{missing}, QStringLiteral("skipped"), true},
                     {{target}, QStringLiteral("<i>x</i>"), false}});
    EXPECT_EQ(page().formField(QStringLiteral("Compose"), QStringLiteral("To")).value(), QStringLiteral("ann"));
    EXPECT_EQ(page().namedFormField(QStringLiteral("Compose"), QStringLiteral("TO")).value(), QStringLiteral("upper"));
    EXPECT_EQ(page().elementById(QStringLiteral("target")).innerHTML(), QStringLiteral("<i>x</i>"));
    EXPECT_EQ(page().elementById(QStringLiteral("echo")).innerText(), QStringLiteral("ann")) << "heard as typing";

    EXPECT_THROW(page().writeAll({{{field("Compose", "To")}, QStringLiteral("lost"), false}, {{missing}, QString(), false}}),
                 WebPageError);
    EXPECT_EQ(page().writeAllIfPresent({{{field("Compose", "To")}, QStringLiteral("lost"), false}, {{missing}, QString(), false}}),
              std::nullopt);
    EXPECT_EQ(page().writeAllIfPresent({{{missing}, QString(), true}, {{field("compose", "Subj")}, QStringLiteral("s"), false}}),
              std::optional<bool>(true));
    EXPECT_EQ(page().formField(QStringLiteral("compose"), QStringLiteral("Subj")).value(), QStringLiteral("s"));
    EXPECT_EQ(page().formField(QStringLiteral("Compose"), QStringLiteral("To")).value(), QStringLiteral("ann"));

    runInPage(*BrowserPaneProbe::page(pane), QStringLiteral("document.forms.Compose.Body.value = 'by the page'; "
                                                            "document.forms.Compose.Body.focus(); 1"));
    EXPECT_EQ(page().typedFieldNames(), QStringList());
    ferrowen::testing::typeIntoPane(pane, QStringLiteral(" and me"));
    ASSERT_TRUE(waitFor([&] { return page().typedFieldNames() == QStringList{QStringLiteral("Body")}; }, 5000))
        << page().typedFieldNames().join(u',').toStdString();
    page().writeAll({{{field("Compose", "Body")}, QStringLiteral("replaced"), false}});
    EXPECT_EQ(page().typedFieldNames(), QStringList());
}

TEST_F(EngineWebPageTest, pageScriptsNeitherSeeNorSpoofTheAutomation)
{
    load(QStringLiteral("/forms"));
    WebElement to = page().formField(QStringLiteral("Compose"), QStringLiteral("To"));
    runInPage(*BrowserPaneProbe::page(pane), QStringLiteral(
        "Object.defineProperty(HTMLInputElement.prototype, 'value', { get() { return 'spoofed'; } });"
        "document.forms.namedItem = () => null; 1"));
    EXPECT_EQ(to.value(), QStringLiteral("first-to"));
    EXPECT_EQ(page().formField(QStringLiteral("Compose"), QStringLiteral("TO")).value(), QStringLiteral("upper-to"));
    EXPECT_EQ(runInPage(*BrowserPaneProbe::page(pane), QStringLiteral("typeof ferrowenPageAccess + ',' + typeof ferrowenFormCapture")).toString(),
              QStringLiteral("undefined,undefined"));
}

TEST_F(EngineWebPageTest, elementOfAnEarlierDocumentIsStale)
{
    load(QStringLiteral("/forms"));
    WebElement dup = page().elementById(QStringLiteral("dup"));
    load(QStringLiteral("/other"));
    EXPECT_THROW(dup.innerText(), WebPageError);
    EXPECT_EQ(page().elementById(QStringLiteral("dup")).innerText(), QStringLiteral("other"));
    load(QStringLiteral("/other"));
    EXPECT_THROW(dup.innerText(), WebPageError);
}

TEST_F(EngineWebPageTest, bodyTextShowsRenderedLinesWithCrLf)
{
    const std::pair<const char *, const char *> cases[] = {
        {"line<br>next", "line\r\nnext"},
        {"<p>one</p><p>two</p>", "one\r\n\r\ntwo"},
        {"<div>a<br></div><div>b</div>", "a\r\nb"},
        {"<div><span>a<br></span></div><div>b</div>", "a\r\nb"},
        {"<div>a</div><div><br></div><div>b</div>", "a\r\n\r\nb"},
        {"<div>a<br><br></div><div>b</div>", "a\r\n\r\nb"},
        {"<b>From:</b> Ann<br>\n<b>To:</b> Bob<br>\n", "From: Ann\r\nTo: Bob"},
        {"<table><tr><td>x</td><td>y</td></tr><tr><td></td><td>z</td></tr></table>", "x\ty\r\n\tz"},
        {"a&nbsp;b<span style='display:none'>hidden</span>", "a\u00a0b"},
        {"<pre>x\ny</pre>", "x\r\ny"},
    };
    for (const auto &[html, text] : cases) {
        QSignalSpy loaded(BrowserPaneProbe::page(pane), &QWebEnginePage::loadFinished);
        BrowserPaneProbe::page(pane)->setHtml(QString::fromUtf8(html), server.url(QStringLiteral("/")));
        ASSERT_TRUE(loaded.wait(10000));
        EXPECT_EQ(page().bodyText(), QString::fromUtf8(text)) << html;
    }
    // Reading hides surplus breaks only for the moment of the reading.
    EXPECT_EQ(runInPage(*BrowserPaneProbe::page(pane), QStringLiteral("document.querySelectorAll('[style]').length")).toInt(), 0);
}

// A bare engine page that loaded before anyone asked it anything: the
// automation installs itself, and a page that stops answering or goes away
// fails the call instead of hanging it.
TEST(BareEnginePageTest, answersThenTimesOutThenFailsOnceClosed)
{
    FixtureServer server;
    server.page(QStringLiteral("/forms"), formsPage);
    auto enginePage = std::make_unique<QWebEnginePage>();
    ASSERT_TRUE(loadAndWait(*enginePage, server.url(QStringLiteral("/forms"))));
    EngineWebPage page(enginePage.get());
    EXPECT_EQ(page.formField(QStringLiteral("Compose"), QStringLiteral("To")).value(), QStringLiteral("first-to"));
    EXPECT_EQ(page.walk(walkOf("Compose", "", {}, {})).size(), 9) << "the walks come with the library";
    EXPECT_EQ(page.location(), server.url(QStringLiteral("/forms")).toString());

    // Keeps the page busy for 1.5 s; scripts sent to a page run in the order
    // they were sent, so the next call waits behind this one.
    enginePage->runJavaScript(QStringLiteral("{ const end = Date.now() + 1500; while (Date.now() < end); }"));
    page.setTimeout(200ms);
    EXPECT_THROW(page.bodyText(), WebPageError);

    page.setTimeout(10s);
    QTimer::singleShot(100, [&enginePage] { enginePage.reset(); });
    try {
        page.bodyText();
        ADD_FAILURE() << "no error";
    } catch (const WebPageError &error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QStringLiteral("closed"))) << error.what();
    }
    EXPECT_THROW(page.location(), WebPageError);
}

} // namespace
