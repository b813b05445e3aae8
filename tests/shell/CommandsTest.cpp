#include "shell/Commands.h"

#include "shell/AppFolders.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kinetra {
namespace {

namespace fs = std::filesystem;

const MenuItem* findItem(const std::vector<MenuItem>& items, const std::string& name) {
    for (const auto& item : items) {
        if (item.name == name)
            return &item;
        if (const MenuItem* inner = findItem(item.children, name))
            return inner;
    }
    return nullptr;
}

// One caption per menu level: a renamed or lost item at any depth shows up here.
TEST(Commands, MenuCaptionsAndToolbarOperations) {
    EXPECT_EQ(mainMenus().size(), 4u);
    for (const auto& [name, caption] : {std::pair{"FILE", "File"},
                                        {"MDI_NEWREAC", "Reaction Database"},
                                        {"MDI_StBarShow", "Hide"},
                                        {"WIN_CLOSEALL", "Close All"}}) {
        const MenuItem* item = findItem(mainMenus(), name);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->caption, caption) << name;
    }
    EXPECT_EQ(toolbarOperation(1, "SAVE_MENU"), ToolbarOperation::Save);
    EXPECT_EQ(toolbarOperation(5, "SAVE_MENU"), std::nullopt);
    // Keys are case-sensitive: "Find" belongs to the tables, "FIND" to text documents.
    EXPECT_EQ(toolbarOperation(1, "Find"), ToolbarOperation::Find);
    EXPECT_EQ(toolbarOperation(5, "FIND"), ToolbarOperation::FindReplace);
    EXPECT_EQ(toolbarOperation(1, "FIND"), std::nullopt);
    // Every button of the four toolbars names an operation.
    for (int mode : kToolbarModes)
        for (const ToolbarButton& button : toolbarButtons(mode))
            EXPECT_TRUE(button.operation.has_value()) << button.key;
    EXPECT_EQ(toolbarVisibility(4), (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(toolbarVisibility(3), std::nullopt);
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

TEST(SplitFilePath, NameAndExtensionAfterEitherSeparator) {
    EXPECT_EQ(SplitFilePath("D:\\mech\\GRI.MDB").name, "GRI.MDB");
    EXPECT_EQ(SplitFilePath("D:\\mech\\GRI.MDB").extension, "MDB");
    EXPECT_EQ(SplitFilePath("  /a/b.c/readme  ").name, "readme");
    EXPECT_EQ(SplitFilePath("  /a/b.c/readme  ").extension, "");
    EXPECT_EQ(SplitFilePath("/a/archive.tar.gz").extension, "gz");
}

TEST(CheckReadOnly, CodesAndMessage) {
    testing::TempDir dir;
    fs::path p = dir.write("f.txt", "x");
    EXPECT_EQ(CheckReadOnly(dir / "missing.txt", true).code, 9999);

    fs::permissions(p, fs::perms::owner_write, fs::perm_options::remove);
    ReadOnlyCheck kept = CheckReadOnly(p, false);
    EXPECT_EQ(kept.code, 1);
    EXPECT_EQ(kept.message, "File " + p.string() +
                                " is read-only, remove this attribute. The program has been "
                                "terminated. ");
    ReadOnlyCheck cleared = CheckReadOnly(p, true);
    EXPECT_EQ(cleared.code, 32);
    EXPECT_EQ(CheckReadOnly(p, false).code, 0);
}

} // namespace
} // namespace kinetra
