#include "shell/Commands.h"

#include <gtest/gtest.h>

namespace kinetra {
namespace {

const MenuItem* findItem(const std::vector<MenuItem>& items, const std::string& name) {
    for (const auto& item : items) {
        if (item.name == name)
            return &item;
        if (const MenuItem* inner = findItem(item.children, name))
            return inner;
    }
    return nullptr;
}

TEST(MainMenus, NamesAndCaptionsAreExact) {
    const std::pair<const char*, const char*> expected[] = {
        {"FILE", "File"},
        {"MDI_NEW", "New"},
        {"MDI_TEXT", "Text Document"},
        {"MDI_NEWREAC", "Reaction Database"},
        {"OPEN", "Open..."},
        {"CLOSE", "Close"},
        {"THERMODB", "THERMO Database"},
        {"THERMOSHOW", "Show"},
        {"THERMOOPEN", "Connect"},
        {"THERMONEW", "New"},
        {"SAVE", "Save"},
        {"SAVEAS", "Save as..."},
        {"EXIT", "Exit"},
        {"MDI_Setti", "Settings "},
        {"MDI_PhysCon", "Physical Constants"},
        {"NDIColours", "Colors"},
        {"MDI_StatusBar", "Status Bar"},
        {"MDI_StBarhow", "Status Bar"},
        {"MDI_StBarShow", "Hide"},
        {"MDIHELP", "Help"},
        {"MAIN_UEGUIG", "About"},
    };
    for (const auto& [name, caption] : expected) {
        const MenuItem* item = findItem(mainMenus(), name);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->caption, caption) << name;
    }
    EXPECT_EQ(mainMenus().size(), 3u);
}

TEST(Toolbars, KeysTooltipsAndOperations) {
    EXPECT_EQ(toolbarButtons(1).size(), 15u);
    EXPECT_EQ(toolbarButtons(2).size(), 17u);
    EXPECT_EQ(toolbarButtons(4).size(), 10u);
    EXPECT_EQ(toolbarButtons(5).size(), 8u);
    EXPECT_TRUE(toolbarButtons(3).empty());
    EXPECT_EQ(toolbarButtons(1)[1].tooltip, "Show/Hide Polynomials ");
    EXPECT_EQ(toolbarButtons(2)[9].tooltip, "Filter Dialog ");
    EXPECT_EQ(toolbarButtons(4)[2].tooltip, "Cut ");
    EXPECT_EQ(toolbarOperation(1, "SAVE_MENU"), "SAVETRM");
    EXPECT_EQ(toolbarOperation(5, "RICH_REDO"), "Rich_Redo");
    EXPECT_EQ(toolbarOperation(5, "SAVE_MENU"), "");
    // Keys are case-sensitive: "Find" belongs to the tables, "FIND" to text documents.
    EXPECT_EQ(toolbarOperation(1, "Find"), "FindSp");
    EXPECT_EQ(toolbarOperation(1, "FIND"), "");
}

TEST(Toolbars, ModeShowsExactlyItsToolbar) {
    EXPECT_EQ(toolbarVisibility(0), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(toolbarVisibility(1), (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(toolbarVisibility(4), (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(toolbarVisibility(5), (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(toolbarVisibility(3), std::nullopt);
    EXPECT_EQ(toolbarVisibility(-1), std::nullopt);
}

TEST(TextDocNumbering, TakesTheLowestFreeNumber) {
    EXPECT_EQ(nextTextDocCaption({}), "Text Doc1");
    EXPECT_EQ(nextTextDocCaption({"Text Doc1", "Text Doc2", "Text Doc4"}), "Text Doc3");
    EXPECT_EQ(nextTextDocCaption({"Text Doc10", "gri.mdb", "Text Doc 1"}), "Text Doc1");
    std::vector<std::string> all;
    for (int i = 1; i <= 100; ++i)
        all.push_back("Text Doc" + std::to_string(i));
    EXPECT_EQ(nextTextDocCaption(all), std::nullopt);
}

} // namespace
} // namespace kinetra
