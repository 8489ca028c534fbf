// The picture's tag, its source text, the map element in the document and
// the shapes of a map, as tables of cases.
#include "editor/ImageAttributes.h"
#include "editor/ImageMapDocument.h"
#include "editor/ImageMapHtml.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace ferrowen;

namespace {

// --- Writing the IMG tag ---------------------------------------------------

struct WriteCase
{
    const char *name;
    const char *tag;
    ImageSettings settings;
    const char *expected; // the tag, or the message when it starts with "You"
};

ImageSettings settings(const char *source, const char *alt = "", const char *align = "Default",
                       SizeSetting width = {}, SizeSetting height = {}, const char *map = "")
{
    ImageSettings s;
    s.source = QString::fromUtf8(source);
    s.alternateText = QString::fromUtf8(alt);
    s.border = QStringLiteral("0");
    s.hspace = QStringLiteral("2");
    s.vspace = QStringLiteral("3");
    s.align = QString::fromUtf8(align);
    s.width = width;
    s.height = height;
    s.mapReference = QString::fromUtf8(map);
    return s;
}

SizeSetting pct(const char *value) { return {true, QString::fromUtf8(value), true}; }
SizeSetting px(const char *value) { return {true, QString::fromUtf8(value), false}; }

const WriteCase writeCases[] = {
    // A new picture from a file: a file address, the spacing boxes, no ALIGN.
    {"newPictureFromFile", "<IMG SRC=X>", settings("/home/ann/pics/cat.png"),
     "<IMG SRC=file:///home/ann/pics/cat.png BORDER=0 HSPACE=2 VSPACE=3>"},
    {"pathWithBlankIsEncoded", "<IMG SRC=X>", settings("/home/ann/my pics/cat.png"),
     "<IMG SRC=file:///home/ann/my%20pics/cat.png BORDER=0 HSPACE=2 VSPACE=3>"},
    {"addressStaysAsTyped", "<IMG SRC=X>", settings("http://example.org/a.gif"),
     "<IMG SRC=http://example.org/a.gif BORDER=0 HSPACE=2 VSPACE=3>"},
    {"altWithBlanksIsQuoted", "<IMG SRC=X>", settings("/a.png", "a cat"),
     "<IMG SRC=file:///a.png ALT=\"a cat\" BORDER=0 HSPACE=2 VSPACE=3>"},
    {"emptyAltIsRemoved", "<img src=\"/a.png\" alt=\"old\">", settings("/a.png"),
     "<img src=\"/a.png\"  BORDER=0 HSPACE=2 VSPACE=3>"},
    {"alignWritten", "<IMG SRC=X>", settings("/a.png", "", "absmiddle"),
     "<IMG SRC=file:///a.png BORDER=0 HSPACE=2 VSPACE=3 ALIGN=absmiddle>"},
    {"defaultAlignRemoves", "<IMG SRC=X ALIGN=left>", settings("/a.png"),
     "<IMG SRC=file:///a.png  BORDER=0 HSPACE=2 VSPACE=3>"},
    // A width of 150 percent is written as 100%.
    {"percentClampedTo100", "<IMG SRC=X>", settings("/a.png", "", "Default", pct("150")),
     "<IMG SRC=file:///a.png BORDER=0 HSPACE=2 VSPACE=3 WIDTH=100%>"},
    {"pixelsAsTyped", "<IMG SRC=X>", settings("/a.png", "", "Default", px("150"), px("40")),
     "<IMG SRC=file:///a.png BORDER=0 HSPACE=2 VSPACE=3 WIDTH=150 HEIGHT=40>"},
    {"untickedSizeRemoved", "<IMG SRC=X WIDTH=20 HEIGHT=30>", settings("/a.png"),
     "<IMG SRC=file:///a.png   BORDER=0 HSPACE=2 VSPACE=3>"},
    {"emptyWidthRefused", "<IMG SRC=X>", settings("/a.png", "", "Default", px("")),
     "You must specify a valid width for the image."},
    {"negativeWidthRefused", "<IMG SRC=X>", settings("/a.png", "", "Default", px("-5")),
     "You must specify a valid width for the image."},
    {"wordHeightRefused", "<IMG SRC=X>", settings("/a.png", "", "Default", px("5"), pct("tall")),
     "You must specify a valid height for the image."},
    {"mapReferenceWritten", "<IMG SRC=X>", settings("/a.png", "", "Default", {}, {}, "#cat"),
     "<IMG SRC=file:///a.png BORDER=0 HSPACE=2 VSPACE=3 USEMAP=#cat>"},
    // Attributes the dialog does not show stay.
    {"otherAttributesKept", "<img src=\"b.png\" title=\"T\" usemap=\"#old\">", settings("b.png"),
     "<img src=\"b.png\" title=\"T\"  BORDER=0 HSPACE=2 VSPACE=3>"},
    // What the user leaves as the tag had it stays, even what the dialog
    // could not write; a size typed with decimals is a size.
    {"untouchedStays", "<img src=\"a.png\" border=\"0\" hspace=\"2\" vspace=\"3\" width=\"50px\" height=\"33.5%\" align=\"justify\">",
     settings("a.png", "", "justify", px("50px"), pct("33.5")),
     "<img src=\"a.png\" border=\"0\" hspace=\"2\" vspace=\"3\" width=\"50px\" height=\"33.5%\" align=\"justify\">"},
    {"decimalPercent", "<IMG SRC=X>", settings("/a.png", "", "Default", pct("33.5")),
     "<IMG SRC=file:///a.png BORDER=0 HSPACE=2 VSPACE=3 WIDTH=33.5%>"},
};

TEST(WriteImageTag, writesTheSettingsIntoTheTagOrRefusesABadSize)
{
    for (const WriteCase &c : writeCases) {
        SCOPED_TRACE(c.name);
        const ImageTagResult result = writeImageTag(QString::fromUtf8(c.tag), c.settings);
        const QString expected = QString::fromUtf8(c.expected);
        if (expected.startsWith(QLatin1String("You"))) {
            EXPECT_EQ(result.error, expected);
            EXPECT_EQ(result.invalid, expected.contains(QLatin1String("width")) ? ImageTagResult::Invalid::Width
                                                                                : ImageTagResult::Invalid::Height);
            EXPECT_TRUE(result.tag.isEmpty());
        } else {
            EXPECT_EQ(result.invalid, ImageTagResult::Invalid::Nothing) << result.error.toStdString();
            EXPECT_EQ(result.tag, expected);
        }
    }
}

// --- Reading the IMG tag ---------------------------------------------------

TEST(ReadImageTag, fillsEverySettingAndShowsFileAddressesAsPaths)
{
    const ImageSettings s = readImageTag(QStringLiteral(
        "<img src=\"file:///home/ann/my%20pics/cat.png\" alt=\"a cat\" border=\"2\" hspace=\"4\" vspace=\"5\" "
        "align=\"MIDDLE\" width=\"50%\" height=\"80\" usemap=\"#cat\">"));
    EXPECT_EQ(s.source, QStringLiteral("/home/ann/my pics/cat.png"));
    EXPECT_EQ(s.alternateText, QStringLiteral("a cat"));
    EXPECT_EQ(QStringList({s.border, s.hspace, s.vspace}), QStringList({QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("5")}));
    EXPECT_EQ(s.align, QStringLiteral("middle"));
    EXPECT_TRUE(s.width.set && s.width.percent);
    EXPECT_EQ(s.width.value, QStringLiteral("50"));
    EXPECT_TRUE(s.height.set && !s.height.percent);
    EXPECT_EQ(s.height.value, QStringLiteral("80"));
    EXPECT_EQ(s.mapReference, QStringLiteral("#cat"));

    EXPECT_EQ(readImageTag(QStringLiteral("<img align=\"justify\">")).align, QStringLiteral("justify"));
    // A spacing box shows a value's number and gives the value back while
    // the user leaves the box alone.
    EXPECT_EQ(spacingShown(QStringLiteral("3px")), 3);
    EXPECT_EQ(spacingChosen(3, QStringLiteral("3px")), QStringLiteral("3px"));
    EXPECT_EQ(spacingChosen(4, QStringLiteral("3px")), QStringLiteral("4"));
    EXPECT_EQ(spacingChosen(0, QString()), QStringLiteral("0"));

    const ImageSettings fresh = readImageTag(newImageTag());
    EXPECT_EQ(fresh.source, QStringLiteral("X"));
    EXPECT_FALSE(fresh.width.set || fresh.height.set);
    EXPECT_EQ(fresh.align, QStringLiteral("Default"));
}

struct SourceCase
{
    const char *name;
    const char *src;
    const char *shown;
    bool empty;
};

const SourceCase sourceCases[] = {
    {"fileAddress", "file:///tmp/a.gif", "/tmp/a.gif", false},
    {"encodedFileAddress", "file:///tmp/a%20b.gif", "/tmp/a b.gif", false},
    {"webAddress", "http://example.org/a.gif", "http://example.org/a.gif", false},
    {"relative", "pics/a.gif", "pics/a.gif", false},
    {"nothing", "", "http://", true},
    {"onlyTheStartAddress", "http://", "http://", true},
};

TEST(ImageSource, isShownAsAPathOrAddressAndEmptyWithoutOne)
{
    for (const SourceCase &c : sourceCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(shownImageSource(QString::fromUtf8(c.src)), QString::fromUtf8(c.shown));
        EXPECT_EQ(isEmptyImageSource(shownImageSource(QString::fromUtf8(c.src))), c.empty);
    }
}

TEST(ImageFileTypes, offerOnlyWhatTheEngineShowsAndStartWithGifAndJpeg)
{
    QStringList captions;
    QStringList patterns;
    for (const ImageFileType &type : imageFileTypes()) {
        captions << type.caption;
        patterns << type.patterns;
    }
    EXPECT_FALSE(patterns.contains(QStringLiteral("*.wmf")));
    EXPECT_TRUE(patterns.contains(QStringLiteral("*.png")));
    EXPECT_EQ(imageFileTypes().at(defaultImageFileType()).patterns,
              QStringList({QStringLiteral("*.gif"), QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")}));
}

TEST(LinkedImage, wrapsTheTagInALinkWithTheAddressQuoted)
{
    EXPECT_EQ(linkedImageHtml(QStringLiteral(" http://example.org/?a=1&b=\"2\" "), QStringLiteral("<IMG SRC=a.png>")),
              QStringLiteral("<A href =\"http://example.org/?a=1&amp;b=&quot;2&quot;\"><IMG SRC=a.png></A>"));
}

TEST(ImageTagAfter, findsTheWholeTagEvenWithAGreaterSignInAValue)
{
    const QString text = QStringLiteral("<p>xMARK<img alt=\"a > b\" src=\"c.png\">y</p>");
    EXPECT_EQ(imageTagAfter(text, int(text.indexOf(QLatin1String("MARK")))),
              QStringLiteral("<img alt=\"a > b\" src=\"c.png\">"));
    EXPECT_EQ(imageTagAfter(QStringLiteral("<p>no picture</p>"), 0), QString());
}

TEST(LinkAddressAround, isTheAddressOfTheLinkHoldingThePosition)
{
    const QString text = QStringLiteral("<p><a href=\"x.html\">one</a> two <A HREF=y.html><b>|three</b></A></p>");
    EXPECT_EQ(linkAddressAround(text, int(text.indexOf(QLatin1Char('|')))), QStringLiteral("y.html"));
    EXPECT_EQ(linkAddressAround(text, int(text.indexOf(QLatin1String("two")))), QString());
    EXPECT_EQ(linkAddressAround(text, int(text.indexOf(QLatin1String("one")))), QStringLiteral("x.html"));
    // An abbreviation element is not a link.
    EXPECT_EQ(linkAddressAround(QStringLiteral("<abbr title=t>|</abbr>"), 15), QString());
}

// --- The map in the document -----------------------------------------------

struct MapStringCase
{
    const char *name;
    const char *document;
    const char *expected;
};

const MapStringCase mapStringCases[] = {
    {"plainBody", "<html><body><p>x</p></body></html>", "<html><body><MAP><p>x</p></body></html>"},
    {"bodyWithAttributes", "<html><BODY bgcolor=\"#ffffff\" text=black><p>x</p></BODY></html>",
     "<html><BODY bgcolor=\"#ffffff\" text=black><MAP><p>x</p></BODY></html>"},
    {"greaterSignInQuotedValue", "<body title=\"a>b\">x</body>", "<body title=\"a>b\"><MAP>x</body>"},
    {"greaterSignInBraces", "<body style={a>b}>x</body>", "<body style={a>b}><MAP>x</body>"},
    {"tbodyIsNotTheBody", "<html><body class=\"tbody\"><table><tbody><tr><td>1</td></tr></tbody></table></body></html>",
     "<html><body class=\"tbody\"><MAP><table><tbody><tr><td>1</td></tr></tbody></table></body></html>"},
    {"noBody", "<p>no body</p>", "<p>no body</p>"},
    {"unclosedBody", "<html><body class=\"x", "<html><body class=\"x"},
};

TEST(InsertMapString, putsTheMapRightAfterTheBodyTag)
{
    for (const MapStringCase &c : mapStringCases)
        EXPECT_EQ(InsertMapString(QString::fromUtf8(c.document), QStringLiteral("<MAP>")), QString::fromUtf8(c.expected)) << c.name;
}

TEST(MapElements, foundByExactNameAndReplacedRatherThanAdded)
{
    const QString document = QStringLiteral(
        "<html><body><map name=\"Cat\"><area shape=\"rect\" coords=\"1,1,2,2\"></map>"
        "<p>x</p><MAP NAME=cat><AREA SHAPE=circle COORDS=5,5,3></MAP></body></html>");
    const MapElement found = findMapElement(document, QStringLiteral("cat"));
    EXPECT_EQ(found.html, QStringLiteral("<MAP NAME=cat><AREA SHAPE=circle COORDS=5,5,3></MAP>"));
    EXPECT_EQ(findMapElement(document, QStringLiteral("dog")).start, -1);
    EXPECT_EQ(mapNamesIn(document), QStringList({QStringLiteral("Cat"), QStringLiteral("cat")}));

    const QString once = placeMapElement(document, QStringLiteral("cat"), QStringLiteral("<map name=\"cat\"></map>"));
    EXPECT_EQ(once, QStringLiteral("<html><body><map name=\"cat\"></map><map name=\"Cat\"><area shape=\"rect\" "
                                   "coords=\"1,1,2,2\"></map><p>x</p></body></html>"));
    // A second OK with the same name still leaves one map of that name.
    const QString twice = placeMapElement(once, QStringLiteral("cat"), QStringLiteral("<map name=\"cat\"><area></map>"));
    EXPECT_EQ(twice.count(QLatin1String("name=\"cat\"")), 1);
    EXPECT_TRUE(twice.contains(QLatin1String("<map name=\"cat\"><area></map>")));
    EXPECT_EQ(placeMapElement(QStringLiteral("<p>x</p>"), QStringLiteral("cat"), QStringLiteral("<map></map>")),
              QStringLiteral("<p>x</p>"));
}

// --- The map's shapes and its HTML -----------------------------------------

using namespace ferrowen::imagemap;

TEST(ImageMapShapes, keyedCollectionsAddFindAndRemove)
{
    MapPoints points;
    EXPECT_TRUE(points.Add(QStringLiteral("a"), 1, 2));
    EXPECT_FALSE(points.Add(QStringLiteral("a"), 3, 4)); // keys are unique
    points.Add(5, 6);
    ASSERT_EQ(points.Count(), 2);
    EXPECT_EQ(points.Item(1)->KeyID, QStringLiteral("P2"));
    EXPECT_EQ(points.Item(QStringLiteral("a"))->y, 2);
    EXPECT_EQ(points.Item(2), nullptr);
    EXPECT_TRUE(points.Remove(QStringLiteral("a")));
    EXPECT_FALSE(points.Remove(QStringLiteral("a")));
    EXPECT_EQ(points.Item(0)->x, 5);

    MapPointsSets sets;
    EXPECT_EQ(sets.Add(points, Shape::Polygon), QStringLiteral("S1"));
    EXPECT_EQ(sets.Add(points, Shape::Circle), QStringLiteral("S2"));
    EXPECT_TRUE(sets.Remove(0));
    // The next key is one not taken, not one already used.
    EXPECT_EQ(sets.Add(points, Shape::Rectangle), QStringLiteral("S3"));
    QStringList keys;
    for (const MapPointsSet &set : sets)
        keys << set.KeyID;
    EXPECT_EQ(keys, QStringList({QStringLiteral("S2"), QStringLiteral("S3")}));
}

MapPoints pointsOf(std::initializer_list<std::pair<int, int>> list)
{
    MapPoints points;
    for (const auto &[x, y] : list)
        points.Add(x, y);
    return points;
}

TEST(ImageMapHtml, writesEachShapeAndReadsItBack)
{
    MapPointsSets areas;
    areas.Item(areas.Add(pointsOf({{40, 30}, {10, 5}}), Shape::Rectangle))->address = QStringLiteral("http://a.example/");
    MapPointsSet *circle = areas.Item(areas.Add(pointsOf({{50, 50}, {53, 54}}), Shape::Circle));
    circle->address = QStringLiteral("b.html?x=1&y=\"2\"");
    circle->alternateText = QStringLiteral("round one");
    areas.Add(pointsOf({{0, 0}, {9, 0}, {5, 7}}), Shape::Polygon);
    areas.Add(pointsOf({{0, 0}, {9, 0}}), Shape::Polygon); // too few vertices: left out

    const QString html = MapHtml(QStringLiteral("cat"), areas);
    EXPECT_EQ(html, QStringLiteral(
                        "<map name=\"cat\">"
                        "<area shape=\"rect\" coords=\"10,5,40,30\" href=\"http://a.example/\" alt=\"\">"
                        "<area shape=\"circle\" coords=\"50,50,5\" href=\"b.html?x=1&amp;y=&quot;2&quot;\" alt=\"round one\">"
                        "<area shape=\"poly\" coords=\"0,0,9,0,5,7\" alt=\"\">"
                        "</map>"));

    const ParsedMap parsed = parseMapHtml(html);
    EXPECT_EQ(parsed.name, QStringLiteral("cat"));
    ASSERT_EQ(parsed.areas.Count(), 3);
    EXPECT_EQ(parsed.areas.Item(1)->address, QStringLiteral("b.html?x=1&y=\"2\""));
    EXPECT_EQ(parsed.areas.Item(1)->alternateText, QStringLiteral("round one"));
    // Written again, the parsed map is the same map.
    EXPECT_EQ(MapHtml(parsed.name, parsed.areas), html);
}

TEST(ImageMapHtml, readsTheEnginesWritingAndSkipsWhatItCannotDraw)
{
    const ParsedMap parsed = parseMapHtml(QStringLiteral(
        "<MAP NAME=m><AREA SHAPE=RECT COORDS=\"1, 2, 3, 4\" HREF=x.html><area shape=default href=y.html>"
        "<area shape=circle coords=\"1,2\"><area coords=\"5,6,7,8\" alt=z></MAP>"));
    EXPECT_EQ(parsed.name, QStringLiteral("m"));
    ASSERT_EQ(parsed.areas.Count(), 2);
    EXPECT_EQ(parsed.areas.Item(0)->address, QStringLiteral("x.html"));
    EXPECT_EQ(parsed.areas.Item(1)->alternateText, QStringLiteral("z")); // no SHAPE is a rectangle
    EXPECT_EQ(parsed.areas.Item(1)->PointsSet.Item(1)->x, 7);

    // Circles at the edge of the numbers keep their radius both ways; a
    // coordinate beyond them leaves its area out.
    const char *circles[] = {"2147483000,7,2147483000", "-2147483000,7,2147483000"};
    const ParsedMap far = parseMapHtml(QStringLiteral("<map name=f><area shape=circle coords=\"%1\">"
                                                      "<area shape=circle coords=\"%2\"><area coords=\"0,0,1,9999999999\"></map>")
                                           .arg(QLatin1String(circles[0]), QLatin1String(circles[1])));
    ASSERT_EQ(far.areas.Count(), 2);
    for (int i = 0; i < 2; ++i) {
        const auto *centre = far.areas.Item(i)->PointsSet.Item(0);
        const auto *rim = far.areas.Item(i)->PointsSet.Item(1);
        EXPECT_EQ(std::hypot(double(rim->x) - double(centre->x), double(rim->y) - double(centre->y)), 2147483000.0) << i;
        EXPECT_TRUE(MapHtml(far.name, far.areas).contains(QLatin1String(circles[i]))) << i;
    }
}

struct MapNameCase
{
    const char *name;
    const char *requested;
    const char *picture;
    const char *expected;
};

const MapNameCase mapNameCases[] = {
    {"givenName", "shop", "/pics/cat.png", "shop"},
    {"useFile", "USEFILE", "/pics/cat.png", "cat"},
    {"nothingSet", "", "/pics/cat.png", "cat"},
    {"fileWithBlanks", "USEFILE", "/pics/my cat.v2.png", "my_cat_v2"},
    {"address", "USEFILE", "http://example.org/img/logo.gif", "logo"},
    {"noFile", "USEFILE", "", "map"},
};

TEST(MapNameFor, namesTheMapAsAskedOrAfterThePicture)
{
    for (const MapNameCase &c : mapNameCases)
        EXPECT_EQ(mapNameFor(QString::fromUtf8(c.requested), QString::fromUtf8(c.picture)), QString::fromUtf8(c.expected)) << c.name;
}

TEST(MapReferences, goBothWays)
{
    EXPECT_EQ(mapReference(QStringLiteral("cat")), QStringLiteral("#cat"));
    EXPECT_EQ(mapNameOfReference(QStringLiteral("#cat")), QStringLiteral("cat"));
    EXPECT_EQ(mapNameOfReference(QStringLiteral("cat")), QStringLiteral("cat"));
    EXPECT_FALSE(isValidMapName(QStringLiteral("two words")));
    EXPECT_FALSE(isValidMapName(QString()));
    EXPECT_TRUE(isValidMapName(QStringLiteral("cat-1")));
    EXPECT_EQ(unusedMapName(QStringLiteral("cat"), {}), QStringLiteral("cat"));
    EXPECT_EQ(unusedMapName(QStringLiteral("cat"), {QStringLiteral("cat"), QStringLiteral("cat_2")}), QStringLiteral("cat_3"));
}

} // namespace
