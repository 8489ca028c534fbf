// The table dialogs' rules: counts, the new table's attribute text, the
// TABLE and cell tags read into the dialogs and rewritten from them, and
// which cells a scope changes.
#include "editor/TableAttributes.h"
#include "editor/TableCells.h"
#include "editor/TagValue.h"

#include <gtest/gtest.h>

#include <functional>

using namespace ferrowen;

namespace {

// --- Counts and the new table ------------------------------------------------

TEST(TableCount, positiveNumbersRoundedHalfToEven)
{
    const struct
    {
        const char *text;
        std::optional<int> expected;
    } cases[] = {
        {"2", 2}, {" 3 ", 3}, {"2.5", 2}, {"3.5", 4}, {"1.2", 1}, {"1000", 1000},
        {"0", std::nullopt}, {"-1", std::nullopt}, {"abc", std::nullopt}, {"", std::nullopt},
        {"0.4", std::nullopt}, {"1001", std::nullopt}, {"2x", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(tableCount(QLatin1String(c.text)), c.expected) << c.text;
}

TEST(InsertTable, attributeTextInItsOrder)
{
    const auto with = [](std::function<void(InsertTableChoices &)> change) {
        InsertTableChoices choices;
        change(choices);
        return choices;
    };
    const struct
    {
        const char *name;
        InsertTableChoices choices;
        const char *expected;
    } cases[] = {
        {"defaults", InsertTableChoices{}, " ALIGN=CENTER BORDER=0 CELLPADDING=3 CELLSPACING=0"},
        {"width ticked in percent", with([](auto &c) { c.width.set = true; }),
         " WIDTH=100% ALIGN=CENTER BORDER=0 CELLPADDING=3 CELLSPACING=0"},
        {"150 percent", with([](auto &c) { c.width = {true, QStringLiteral("150"), true}; }),
         " WIDTH=100% ALIGN=CENTER BORDER=0 CELLPADDING=3 CELLSPACING=0"},
        {"pixels, default alignment", with([](auto &c) {
             c.width = {true, QStringLiteral("300"), false};
             c.align = QStringLiteral("Default");
         }),
         " WIDTH=300 BORDER=0 CELLPADDING=3 CELLSPACING=0"},
        {"colours", with([](auto &c) {
             c.align = QStringLiteral("Left");
             c.border = QStringLiteral("2");
             c.background = {true, 0x0000FF, {}, true};
             c.borderColour = {true, 0xFF8000, {}, true};
         }),
         " ALIGN=LEFT BORDER=2 CELLPADDING=3 CELLSPACING=0 BGCOLOR=#FF0000 BORDERCOLOR=#0080FF"},
        {"a colour box not ticked", with([](auto &c) { c.background = {false, 0x0000FF, {}, true}; }),
         " ALIGN=CENTER BORDER=0 CELLPADDING=3 CELLSPACING=0"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(insertTableAttributes(c.choices), QLatin1String(c.expected)) << c.name;
}

TEST(InsertTable, invalidCountsAndWidthsKeepTheDialogOpen)
{
    const QString rows = QStringLiteral("Please specify a positive integer for the number of table rows.");
    const QString columns = QStringLiteral("Please specify a positive integer for the number of table columns.");
    const QString width = QStringLiteral("You must specify a valid width for the table.");
    const struct
    {
        const char *rows;
        const char *columns;
        SizeSetting width;
        QString message;
    } cases[] = {
        {"0", "2", {}, rows},    {"-3", "2", {}, rows},   {"two", "2", {}, rows},
        {"", "2", {}, rows},     {"", "", {}, rows},      {"2", "0", {}, columns},
        {"2", "", {}, columns},  {"2", "2", {true, QStringLiteral("wide"), true}, width},
        {"2", "2", {true, QStringLiteral("-5"), false}, width},
        {"2.5", "1", {true, QStringLiteral("40"), false}, QString()},
    };
    for (const auto &c : cases) {
        InsertTableChoices choices;
        choices.rows = QLatin1String(c.rows);
        choices.columns = QLatin1String(c.columns);
        choices.width = c.width;
        const TableInsertion insertion = planTableInsertion(choices);
        EXPECT_EQ(insertion.message, c.message) << c.rows << " x " << c.columns;
        EXPECT_EQ(insertion.html.isEmpty(), !c.message.isEmpty()) << c.rows << " x " << c.columns;
    }
}

TEST(InsertTable, tableWithCaptionInOneStep)
{
    InsertTableChoices choices;
    choices.rows = QStringLiteral("2.5");
    choices.columns = QStringLiteral("3");
    choices.caption = QStringLiteral("Prices <& terms>");
    EXPECT_EQ(planTableInsertion(choices).html,
              QStringLiteral("<table ALIGN=CENTER BORDER=0 CELLPADDING=3 CELLSPACING=0>"
                             "<caption>Prices &lt;&amp; terms&gt;</caption><tbody>"
                             "<tr><td>&nbsp;</td><td>&nbsp;</td><td>&nbsp;</td></tr>"
                             "<tr><td>&nbsp;</td><td>&nbsp;</td><td>&nbsp;</td></tr></tbody></table>"));
    choices.caption.clear();
    EXPECT_FALSE(planTableInsertion(choices).html.contains(QLatin1String("caption")));
}

// --- Table properties ----------------------------------------------------------

TEST(TableProperties, loading)
{
    const struct
    {
        const char *tag;
        bool widthSet;
        const char *width;
        bool percent;
        const char *align;
        const char *border;
        const char *padding;
        bool background;
        quint32 backgroundColour;
    } cases[] = {
        {"<table width=\"50%\" align=\"middle\" border=\"2\" bgcolor=\"#FF0000\">", true, "50", true,
         "Center", "2", "0", true, 0x0000FF},
        {"<TABLE WIDTH=300 ALIGN=left CELLPADDING=4 BGCOLOR=red>", true, "300", false, "Left", "0", "4", true,
         0x0000FF},
        {"<table align=\"RIGHT\" border=\"3px\">", false, "", true, "Right", "3", "0", false, 0},
        {"<table align=\"justify\">", false, "", true, "justify", "0", "0", false, 0},
        {"<p>x</p><table bgcolor=\"#f00\">", false, "", true, "Default", "0", "0", true, 0x0000FF},
    };
    for (const auto &c : cases) {
        const TableProperties table = readTableProperties(QLatin1String(c.tag));
        EXPECT_EQ(table.width.set, c.widthSet) << c.tag;
        EXPECT_EQ(table.width.value, QLatin1String(c.width)) << c.tag;
        EXPECT_EQ(table.width.percent, c.percent) << c.tag; // a size still to be typed: percent
        EXPECT_EQ(table.align, QLatin1String(c.align)) << c.tag;
        EXPECT_EQ(table.border.shown, QLatin1String(c.border)) << c.tag;
        EXPECT_EQ(table.padding.shown, QLatin1String(c.padding)) << c.tag;
        EXPECT_EQ(table.background.set, c.background) << c.tag;
        EXPECT_EQ(table.background.colour, c.backgroundColour) << c.tag;
    }
}

struct RewriteCase
{
    const char *name;
    const char *before;
    std::function<void(TableProperties &)> change;
    const char *after; // null: refused with message
    const char *message;
};

TEST(TableProperties, okRewritesTheTableTag)
{
    const RewriteCase cases[] = {
        {"nothing changed", "<table width=\"50%\" border=\"1\" bgcolor=\"red\" align=\"middle\"><tbody></tbody></table>",
         [](TableProperties &) {}, "<table width=\"50%\" border=\"1\" bgcolor=\"red\" align=\"middle\"><tbody></tbody></table>",
         nullptr},
        // What the dialog cannot show or write stays while the user leaves it.
        {"values the dialog lacks", "<table width=\"50px\" height=\"33.5%\" align=\"justify\">",
         [](TableProperties &t) { t.padding.value = QStringLiteral("4"); },
         "<table width=\"50px\" height=\"33.5%\" align=\"justify\" CELLPADDING=4>", nullptr},
        {"a changed unit checks the number", "<table width=\"50px\">", [](TableProperties &t) { t.width.percent = true; },
         nullptr, "You must specify a valid width for the table."},
        {"150 percent", "<table width=\"50%\">", [](TableProperties &t) { t.width.value = QStringLiteral("150"); },
         "<table width=100%>", nullptr},
        {"150 pixels", "<table width=\"50%\">",
         [](TableProperties &t) {
             t.width.value = QStringLiteral("150");
             t.width.percent = false;
         },
         "<table width=150>", nullptr},
        {"width unticked", "<table width=\"50%\" border=\"1\">", [](TableProperties &t) { t.width.set = false; },
         "<table  border=\"1\">", nullptr},
        {"alignment back to default", "<table align=\"center\" border=\"1\">",
         [](TableProperties &t) { t.align = QStringLiteral("Default"); }, "<table  border=\"1\">", nullptr},
        {"alignment chosen", "<table>", [](TableProperties &t) { t.align = QStringLiteral("Right"); },
         "<table ALIGN=RIGHT>", nullptr},
        {"short colour kept", "<table bgcolor=\"#f00\">", [](TableProperties &) {}, "<table bgcolor=\"#f00\">", nullptr},
        {"colour picked", "<table bgcolor=\"red\">",
         [](TableProperties &t) {
             t.background.colour = 0x00FF00;
             t.background.picked = true;
         },
         "<table bgcolor=#00FF00>", nullptr},
        {"colour ticked without a pick", "<table>", [](TableProperties &t) { t.borderColour.set = true; },
         "<table BORDERCOLOR=#000000>", nullptr},
        {"missing padding stays missing", "<table border=\"1\">", [](TableProperties &) {}, "<table border=\"1\">",
         nullptr},
        {"padding changed", "<table border=\"1\">", [](TableProperties &t) { t.padding.value = QStringLiteral("4"); },
         "<table border=\"1\" CELLPADDING=4>", nullptr},
        {"background left alone", "<table background=\"file:///tmp/a%20b.gif\">", [](TableProperties &) {},
         "<table background=\"file:///tmp/a%20b.gif\">", nullptr},
        {"background chosen", "<table>",
         [](TableProperties &t) {
             t.backgroundImage.set = true;
             t.backgroundImage.chosenFile = QStringLiteral("/tmp/my pics/sky.gif");
         },
         "<table BACKGROUND=file:///tmp/my%20pics/sky.gif>", nullptr},
        {"background unticked", "<table background=\"sky.gif\" border=\"1\">",
         [](TableProperties &t) { t.backgroundImage.set = false; }, "<table  border=\"1\">", nullptr},
        {"invalid width", "<table width=\"50\">", [](TableProperties &t) { t.width.value = QStringLiteral("-1"); },
         nullptr, "You must specify a valid width for the table."},
        {"empty width", "<table>",
         [](TableProperties &t) {
             t.width.set = true;
             t.width.value.clear();
         },
         nullptr, "You must specify a valid width for the table."},
        {"invalid height", "<table>",
         [](TableProperties &t) { t.height = {true, QStringLiteral("tall"), false}; }, nullptr,
         "You must specify a valid height for the table."},
    };
    for (const auto &c : cases) {
        const QString before = QLatin1String(c.before);
        TableProperties table = readTableProperties(before);
        c.change(table);
        const TagRewrite rewrite = writeTableProperties(before, table);
        if (c.after) {
            EXPECT_EQ(rewrite.text, QLatin1String(c.after)) << c.name;
            EXPECT_TRUE(rewrite.message.isEmpty()) << c.name;
        } else {
            EXPECT_EQ(rewrite.text, before) << c.name;
            EXPECT_EQ(rewrite.message, QLatin1String(c.message)) << c.name;
            EXPECT_NE(rewrite.invalid, TagRewrite::Invalid::None) << c.name;
        }
    }
}

TEST(TableProperties, backgroundShownAsAPlainPath)
{
    EXPECT_EQ(backgroundShown({true, QStringLiteral("file:///tmp/my%20pics/sky.gif"), QString()}),
              QStringLiteral("/tmp/my pics/sky.gif"));
    EXPECT_EQ(backgroundShown({true, QStringLiteral("images/sky.gif"), QString()}), QStringLiteral("images/sky.gif"));
    EXPECT_EQ(backgroundShown({true, QStringLiteral("images/sky.gif"), QStringLiteral("/tmp/new.png")}),
              QStringLiteral("/tmp/new.png"));
}

// --- Cells -------------------------------------------------------------------------

// The source with "|" where the marker stood; the marker position it gives.
std::pair<QString, int> markedSource(const char *withMarker)
{
    QString source = QLatin1String(withMarker);
    const int marker = int(source.indexOf(QLatin1Char('|'))) + 1;
    source.remove(QLatin1Char('|'));
    return {source, marker};
}

// The ids of the cell tags at the positions.
QStringList cellIds(const QString &source, const QList<int> &tags)
{
    QStringList ids;
    for (int tag : tags)
        ids << TagValue(source, tag, QStringLiteral("ID"), QString(), TagValueMode::Read).text;
    return ids;
}

const char grid3x3[] = "<table><tbody>"
                       "<tr><td id=\"a1\">1</td><td id=\"a2\">2</td><td id=\"a3\">3</td></tr>"
                       "<tr><td id=\"b1\">4</td><td id=\"b2\">5</td><td id=\"b3\">6</td></tr>"
                       "<tr><td id=\"c1\">7</td><td id=\"c2\">8</td><td id=\"c3\">9</td></tr>"
                       "</tbody></table>";

QString withMarkerIn(const char *source, const char *cellText)
{
    QString text = QLatin1String(source);
    text.replace(QLatin1String(cellText), QLatin1String(cellText).left(1) + QLatin1Char('|') + QLatin1String(cellText).mid(1));
    return text;
}

TEST(TableCells, scopesFindTheirCells)
{
    const QByteArray grid = withMarkerIn(grid3x3, ">2<").toUtf8();
    const QByteArray gridFirst = withMarkerIn(grid3x3, ">4<").toUtf8();
    const struct
    {
        const char *name;
        const char *source;
        CellScope scope;
        const char *expected; // the cells' ids, comma-separated
    } cases[] = {
        {"cell", grid.constData(), CellScope::Cell, "a2"},
        {"row", grid.constData(), CellScope::Row, "a1,a2,a3"},
        {"column in a 3x3 table", grid.constData(), CellScope::Column, "a2,b2,c2"},
        {"first column", gridFirst.constData(), CellScope::Column, "a1,b1,c1"},
        {"caret inside formatting", "<table><tr><td id=x1>a</td><td id=x2><b>b|old</b></td></tr></table>",
         CellScope::Cell, "x2"},
        {"selection starting with the cell tag", "<table><tr><td id=x1>a</td>|<TD id=x2>b</TD></tr></table>",
         CellScope::Cell, "x2"},
        {"header cells count as cells",
         "<table><thead><tr><th id=h1>A</th><th id=h2>B</th></tr></thead>"
         "<tbody><tr><td id=d1>a</td><td id=d2>|b</td></tr></tbody></table>",
         CellScope::Column, "h2,d2"},
        {"caret in a header cell", "<table><tr><td id=d1>a</td><th id=h1>|B</th></tr></table>", CellScope::Cell,
         {"h1"}},
        {"outer column skips a nested table",
         "<table><tr><td id=o1><table><tr><td id=n1>x</td><td id=n2>y</td></tr></table></td><td id=o2>p</td></tr>"
         "<tr><td id=o3>q</td><td id=o4>|r</td></tr></table>",
         CellScope::Column, "o2,o4"},
        {"outer row skips a nested table",
         "<table><tr><td id=o1><table><tr><td id=n1>x</td><td id=n2>y</td></tr></table></td><td id=o2>|p</td></tr>"
         "</table>",
         CellScope::Row, "o1,o2"},
        {"caret in the nested table",
         "<table><tr><td id=o1><table><tr><td id=n1>x</td><td id=n2>|y</td></tr></table></td><td id=o2>p</td></tr>"
         "</table>",
         CellScope::Row, "n1,n2"},
        {"text after a nested table belongs to the outer cell",
         "<table><tr><td id=o1><table><tr><td id=n1>x</td></tr></table>af|ter</td><td id=o2>p</td></tr></table>",
         CellScope::Cell, "o1"},
        {"a '<td' inside a quoted value or a comment is no cell",
         "<table><tr><td id=o1 title=\"<td id=fake>\">a</td><!-- <td id=gone> --><td id=o2>|b</td></tr></table>",
         CellScope::Row, "o1,o2"},
        {"outside any table", "<p>|text</p><table><tr><td id=a>x</td></tr></table>", CellScope::Cell, ""},
        {"after the table", "<table><tr><td id=a>x</td></tr></table><p>|text</p>", CellScope::Row, ""},
    };
    for (const auto &c : cases) {
        const auto [source, marker] = markedSource(c.source);
        EXPECT_EQ(cellIds(source, cellTagsInScope(source, marker, c.scope)).join(QLatin1Char(',')), QLatin1String(c.expected))
            << c.name;
    }
}

TEST(TableCells, theCellTagIsWhereItsScopeStarts)
{
    const auto [source, marker] = markedSource(withMarkerIn(grid3x3, ">5<").toUtf8().constData());
    EXPECT_EQ(cellTagAt(source, marker), source.indexOf(QLatin1String("<td id=\"b2\"")) + 1);
    EXPECT_EQ(cellTagAt(QStringLiteral("<p>no table</p>"), 3), 0);
}

TEST(CellProperties, loading)
{
    const QString tag = QStringLiteral(
        "<td width=\"40%\" height=\"20\" align=\"middle\" valign=\"center\" nowrap=\"\" rowspan=\"2\" bgcolor=\"#00ff00\">");
    const CellProperties cell = readCellProperties(tag, 1);
    EXPECT_TRUE(cell.width.set && cell.width.percent);
    EXPECT_EQ(cell.width.value, QStringLiteral("40"));
    EXPECT_TRUE(cell.height.set && !cell.height.percent);
    EXPECT_EQ(cell.align, QStringLiteral("Center"));
    EXPECT_EQ(cell.verticalAlign, QStringLiteral("Middle"));
    EXPECT_TRUE(cell.noWrap);
    EXPECT_EQ(cell.rowSpan.shown, QStringLiteral("2"));
    EXPECT_EQ(cell.columnSpan.shown, QStringLiteral("1")); // missing reads as 1
    EXPECT_FALSE(cell.columnSpan.present);
    EXPECT_EQ(cell.background.colour, 0x00FF00u);

    const CellProperties bare = readCellProperties(QStringLiteral("<TD>"), 1);
    EXPECT_FALSE(bare.noWrap);
    EXPECT_EQ(bare.align, QStringLiteral("Default"));
    EXPECT_EQ(bare.verticalAlign, QStringLiteral("Default"));
    EXPECT_EQ(bare.rowSpan.shown, QStringLiteral("1"));
}

TEST(CellProperties, okRewritesTheCellsOfItsScope)
{
    const struct
    {
        const char *name;
        const char *source; // "|" where the marker stood
        CellScope scope;
        std::function<void(CellProperties &)> change;
        const char *expected; // null: refused with message
        const char *message;
    } cases[] = {
        {"nothing changed",
         "<table><tr><td width=\"30\" bgcolor=\"red\" nowrap=\"\" rowspan=\"2\">|a</td><td>b</td></tr></table>",
         CellScope::Cell, [](CellProperties &) {},
         "<table><tr><td width=\"30\" bgcolor=\"red\" nowrap=\"\" rowspan=\"2\">a</td><td>b</td></tr></table>", nullptr},
        {"nowrap on", "<table><tr><td>|a</td></tr></table>", CellScope::Cell,
         [](CellProperties &c) { c.noWrap = true; }, "<table><tr><td NOWRAP>a</td></tr></table>", nullptr},
        {"nowrap off", "<table><tr><td nowrap=\"\">|a</td></tr></table>", CellScope::Cell,
         [](CellProperties &c) { c.noWrap = false; }, "<table><tr><td >a</td></tr></table>", nullptr},
        {"missing spans stay missing", "<table><tr><td>|a</td></tr></table>", CellScope::Cell,
         [](CellProperties &) {}, "<table><tr><td>a</td></tr></table>", nullptr},
        {"a span changed", "<table><tr><td>|a</td></tr></table>", CellScope::Cell,
         [](CellProperties &c) { c.columnSpan.value = QStringLiteral("2"); },
         "<table><tr><td COLSPAN=2>a</td></tr></table>", nullptr},
        {"row scope leaves widths and row spans alone",
         "<table><tr><td width=\"10\" rowspan=\"3\">|a</td><td width=\"20\">b</td></tr><tr><td>c</td></tr></table>",
         CellScope::Row, [](CellProperties &c) { c.align = QStringLiteral("Right"); },
         "<table><tr><td width=\"10\" rowspan=\"3\" ALIGN=RIGHT>a</td><td width=\"20\" ALIGN=RIGHT>b</td></tr>"
         "<tr><td>c</td></tr></table>",
         nullptr},
        {"column scope leaves heights alone",
         "<table><tr><td height=\"10\">|a</td></tr><tr><td height=\"20\">b</td></tr></table>", CellScope::Column,
         [](CellProperties &c) { c.verticalAlign = QStringLiteral("Top"); },
         "<table><tr><td height=\"10\" VALIGN=TOP>a</td></tr><tr><td height=\"20\" VALIGN=TOP>b</td></tr></table>",
         nullptr},
        {"column in a 3x3 table", "<table><tr><td>1</td><td>|2</td><td>3</td></tr><tr><td>4</td><td>5</td><td>6</td>"
                                  "</tr><tr><td>7</td><td>8</td><td>9</td></tr></table>",
         CellScope::Column,
         [](CellProperties &c) {
             c.background.set = true;
             c.background.colour = 0x0000FF;
             c.background.picked = true;
         },
         "<table><tr><td>1</td><td BGCOLOR=#FF0000>2</td><td>3</td></tr><tr><td>4</td><td BGCOLOR=#FF0000>5</td>"
         "<td>6</td></tr><tr><td>7</td><td BGCOLOR=#FF0000>8</td><td>9</td></tr></table>",
         nullptr},
        {"percent clamp", "<table><tr><td>|a</td></tr></table>", CellScope::Cell,
         [](CellProperties &c) { c.width = {true, QStringLiteral("250"), true}; },
         "<table><tr><td WIDTH=100%>a</td></tr></table>", nullptr},
        {"alignment read as middle stays", "<table><tr><td align=\"middle\">|a</td></tr></table>", CellScope::Cell,
         [](CellProperties &) {}, "<table><tr><td align=\"middle\">a</td></tr></table>", nullptr},
        {"what the dialog lacks stays", "<table><tr><td align=\"justify\" width=\"50px\">|a</td></tr></table>",
         CellScope::Cell, [](CellProperties &c) { c.noWrap = true; },
         "<table><tr><td align=\"justify\" width=\"50px\" NOWRAP>a</td></tr></table>", nullptr},
        // A row or column gets only what the user changed, not the clicked
        // cell's other settings.
        {"row scope writes only the change",
         "<table><tr><td bgcolor=\"red\" nowrap=\"\" align=\"left\">|a</td><td bgcolor=\"blue\" align=\"right\">b</td>"
         "</tr></table>",
         CellScope::Row, [](CellProperties &c) { c.verticalAlign = QStringLiteral("Top"); },
         "<table><tr><td bgcolor=\"red\" nowrap=\"\" align=\"left\" VALIGN=TOP>a</td>"
         "<td bgcolor=\"blue\" align=\"right\" VALIGN=TOP>b</td></tr></table>",
         nullptr},
        {"column scope writes only the change",
         "<table><tr><td width=\"40%\" bgcolor=\"red\" nowrap=\"\">|a</td></tr><tr><td width=\"20\">b</td></tr></table>",
         CellScope::Column,
         [](CellProperties &c) {
             c.background.colour = 0x00FF00;
             c.background.picked = true;
         },
         "<table><tr><td width=\"40%\" bgcolor=#00FF00 nowrap=\"\">a</td></tr><tr><td width=\"20\" BGCOLOR=#00FF00>b</td>"
         "</tr></table>",
         nullptr},
        {"invalid width", "<table><tr><td>|a</td></tr></table>", CellScope::Cell,
         [](CellProperties &c) { c.width = {true, QStringLiteral("x"), false}; }, nullptr,
         "You must specify a valid width for the table cell."},
        {"invalid height", "<table><tr><td>|a</td></tr></table>", CellScope::Row,
         [](CellProperties &c) { c.height = {true, QString(), false}; }, nullptr,
         "You must specify a valid height for the table cell."},
        {"an invalid width a scope disables does not count", "<table><tr><td>|a</td></tr></table>", CellScope::Row,
         [](CellProperties &c) { c.width = {true, QStringLiteral("x"), false}; }, "<table><tr><td>a</td></tr></table>",
         nullptr},
    };
    for (const auto &c : cases) {
        const auto [source, marker] = markedSource(c.source);
        const CellProperties loaded = readCellProperties(source, cellTagAt(source, marker));
        CellProperties cell = loaded;
        c.change(cell);
        const TagRewrite rewrite =
            writeCellProperties(source, cellTagsInScope(source, marker, c.scope), loaded, cell, c.scope);
        if (c.expected) {
            EXPECT_EQ(rewrite.text, QLatin1String(c.expected)) << c.name;
            EXPECT_TRUE(rewrite.message.isEmpty()) << c.name;
        } else {
            EXPECT_EQ(rewrite.text, source) << c.name;
            EXPECT_EQ(rewrite.message, QLatin1String(c.message)) << c.name;
        }
    }
}

} // namespace
