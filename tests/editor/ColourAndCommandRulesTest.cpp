#include "editor/BodyTextOffsets.h"
#include "editor/EditorCommand.h"
#include "editor/EditorContextMenu.h"
#include "editor/EditorExpansion.h"
#include "editor/RgbString.h"

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

TEST(FormatRGBString, writesRedGreenBlueFromTheColourNumber)
{
    const struct
    {
        quint32 colour;
        const char *text;
    } cases[] = {
        {0, "#000000"},          {0xFFFFFF, "#FFFFFF"}, {0x0080FF, "#FF8000"},
        {255, "#FF0000"},        {0xFF0000, "#0000FF"}, {0x00AB12, "#12AB00"},
        // Only the colour's 24 bits count.
        {0x800000FF, "#FF0000"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatRGBString(c.colour), QLatin1String(c.text)) << c.colour;
}

TEST(RevFormatRGBString, readsTheColourNumberBackOrNothing)
{
    const struct
    {
        const char *text;
        std::optional<quint32> colour;
    } cases[] = {
        {"#FF0000", 255},
        {"#FF8000", 0x0080FF},
        {"FF8000", 0x0080FF},
        {"##ff8000", 0x0080FF},
        {"#f80", 0x0088FF},
        {"rgb(255, 128, 0)", 0x0080FF},
        {"rgba(0, 0, 255, 0.5)", 0xFF0000},
        {"Red", 255},
        {" navy ", 0x800000},
        {"", std::nullopt},
        {"#12345", std::nullopt},
        {"#GG0000", std::nullopt},
        {"rgb(300, 0, 0)", std::nullopt},
        {"reddish", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(RevFormatRGBString(QLatin1String(c.text)), c.colour) << c.text;
}

TEST(RgbStrings, roundTripEveryChannel)
{
    for (quint32 colour : {0x000001u, 0x000100u, 0x010000u, 0x123456u, 0xFEDCBAu})
        EXPECT_EQ(RevFormatRGBString(FormatRGBString(colour)), colour);
}

TEST(CheckedTextOffsets, eachLineBreakCountsOnceInTheBody)
{
    const QString body = QStringLiteral("one\ntwo\n\n\nthree");
    const QString checked = toCheckedText(body);
    EXPECT_EQ(checked, QStringLiteral("one\r\ntwo\r\n\r\n\r\nthree"));
    for (const char *word : {"one", "two", "three"}) {
        const int inChecked = int(checked.indexOf(QLatin1String(word)));
        EXPECT_EQ(bodyOffset(checked, inChecked), body.indexOf(QLatin1String(word))) << word;
    }
}

TEST(EditorCommandTable, everyCommandHasARoute)
{
    for (EditorCommand command : allEditorCommands())
        EXPECT_FALSE(commandRoute(command).command.name.isEmpty()) << int(command);
    EXPECT_EQ(commandRoute(EditorCommand::Cut).command.route, EditingCommand::Route::ViewAction);
    EXPECT_EQ(commandRoute(EditorCommand::InsertRow).command.route, EditingCommand::Route::Dom);
    EXPECT_EQ(commandRoute(EditorCommand::GetFontSize).use, CommandRoute::Use::ReadValue);
}

TEST(EditorCommandTable, statusFromTheEngineState)
{
    EXPECT_EQ(commandStatusOf({false, true, true, {}}), CommandStatus::NotSupported);
    EXPECT_EQ(commandStatusOf({true, false, true, {}}), CommandStatus::Disabled);
    EXPECT_EQ(commandStatusOf({true, true, false, {}}), CommandStatus::Enabled);
    EXPECT_EQ(commandStatusOf({true, true, true, {}}), CommandStatus::Latched);
}

TEST(EditorCommandTable, styleNamesAndFontLists)
{
    EXPECT_EQ(blockFormatTag(QStringLiteral("Normal")), QStringLiteral("p"));
    EXPECT_EQ(blockFormatTag(QStringLiteral("Heading 1")), QStringLiteral("h1"));
    EXPECT_EQ(blockFormatTag(QStringLiteral("Heading 6")), QStringLiteral("h6"));
    EXPECT_EQ(blockFormatTag(QStringLiteral("Heading 7")), QStringLiteral("Heading 7"));
    EXPECT_EQ(firstFontFamily(QStringLiteral("\"Times New Roman\", serif")), QStringLiteral("Times New Roman"));
    EXPECT_EQ(firstFontFamily(QStringLiteral("Arial")), QStringLiteral("Arial"));
    EXPECT_EQ(firstFontFamily(QStringLiteral("'Courier New'")), QStringLiteral("Courier New"));
}

constexpr CommandStatus On = CommandStatus::Enabled;
constexpr CommandStatus Off = CommandStatus::Disabled;

// Statuses in the order of contextMenuQueries(): make absolute, send to
// back, insert row, cut, copy, paste, select all, font.
QList<CommandStatus> menuStatuses(CommandStatus makeAbsolute, CommandStatus sendToBack, CommandStatus insertRow,
                                  CommandStatus cut = On)
{
    return {makeAbsolute, sendToBack, insertRow, cut, On, On, On, On};
}

TEST(EditorContextMenu, groupsAndNumbering)
{
    const struct
    {
        QList<CommandStatus> statuses;
        int count;
        int lastIndexOf; // of "Table Properties", -1 when absent
        int insertRowAt;
        const char *positioningText;
    } cases[] = {
        {menuStatuses(Off, Off, Off), 7, -1, -1, nullptr},
        {menuStatuses(Off, Off, On), 18, 17, 8, nullptr},
        {menuStatuses(On, Off, Off), 9, -1, -1, "Make 2D"},
        {menuStatuses(On, On, On), 20, 19, 10, "Make 1D"},
    };
    for (const auto &c : cases) {
        const ContextMenuItems menu = buildContextMenu(c.statuses);
        ASSERT_EQ(menu.texts.size(), c.count);
        ASSERT_EQ(menu.states.size(), c.count);
        EXPECT_EQ(menu.layout.itemCount(), c.count);
        EXPECT_EQ(menu.texts.indexOf(QStringLiteral("Table Properties")), c.lastIndexOf);
        EXPECT_EQ(menu.texts.indexOf(QStringLiteral("Insert Row")), c.insertRowAt);
        if (c.positioningText) {
            EXPECT_EQ(menu.texts.value(8), QLatin1String(c.positioningText));
        }
        // Every item's action matches its text.
        for (int i = 0; i < c.count; ++i) {
            const ContextMenuAction action = contextMenuAction(menu.layout, i);
            EXPECT_EQ(menu.texts[i].isEmpty(), action == ContextMenuAction::None) << i;
        }
        EXPECT_EQ(contextMenuAction(menu.layout, c.count), ContextMenuAction::None);
    }
}

TEST(EditorContextMenu, itemsAtTheirNumbers)
{
    const ContextMenuLayout both = buildContextMenu(menuStatuses(On, On, On)).layout;
    EXPECT_EQ(contextMenuAction(both, 8), ContextMenuAction::MakeAbsolute);
    EXPECT_EQ(contextMenuAction(both, 10), ContextMenuAction::InsertRow);
    EXPECT_EQ(contextMenuAction(both, 11), ContextMenuAction::InsertColumn);
    EXPECT_EQ(contextMenuAction(both, 13), ContextMenuAction::DeleteRow);
    EXPECT_EQ(contextMenuAction(both, 14), ContextMenuAction::DeleteColumn);
    EXPECT_EQ(contextMenuAction(both, 16), ContextMenuAction::CellProperties);
    EXPECT_EQ(contextMenuAction(both, 17), ContextMenuAction::RowProperties);
    EXPECT_EQ(contextMenuAction(both, 18), ContextMenuAction::ColumnProperties);
    EXPECT_EQ(contextMenuAction(both, 19), ContextMenuAction::TableProperties);
    const ContextMenuLayout table = buildContextMenu(menuStatuses(Off, Off, On)).layout;
    EXPECT_EQ(contextMenuAction(table, 8), ContextMenuAction::InsertRow);
    EXPECT_EQ(contextMenuAction(table, 17), ContextMenuAction::TableProperties);
}

TEST(EditorContextMenu, unavailableBasicItemsAreGreyed)
{
    const ContextMenuItems menu = buildContextMenu(menuStatuses(Off, Off, Off, CommandStatus::Disabled));
    EXPECT_EQ(menu.states, (QList<int>{2, 0, 0, 0, 0, 0, 0}));
    const ContextMenuItems notSupported = buildContextMenu(menuStatuses(Off, Off, Off, CommandStatus::NotSupported));
    EXPECT_EQ(notSupported.states.value(0), 2);
}

TEST(EditorExpansion, heightsOfTheExpandKey)
{
    EXPECT_EQ(expandedEditorHeight(8000, 950), 7000);
    EXPECT_EQ(contractedEditorHeight(3030, 3030), 3030);
    EXPECT_EQ(contractedEditorHeight(1499, 3030), 3030);
    EXPECT_EQ(contractedEditorHeight(1500, 3030), 1500);
    EXPECT_EQ(contractedEditorHeight(1200, 900), 2500);
}

} // namespace
