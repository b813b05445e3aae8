#include "shell/AppFolders.h"

#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace kinetra {
namespace {

TEST(SplitFilePath, NameAndExtensionAfterEitherSeparator) {
    struct Case {
        const char* path;
        const char* name;
        const char* ext;
    };
    for (const Case& c :
         {Case{"/home/x/gri30.mdb", "gri30.mdb", "mdb"},
          Case{"D:\\mech\\GRI.MDB", "GRI.MDB", "MDB"}, Case{"  /a/b.c/readme  ", "readme", ""},
          Case{"/a/archive.tar.gz", "archive.tar.gz", "gz"}, Case{"name.", "name.", ""},
          Case{"", "", ""}}) {
        SplitPath s = SplitFilePath(c.path);
        EXPECT_EQ(s.name, c.name) << c.path;
        EXPECT_EQ(s.extension, c.ext) << c.path;
    }
}

TEST(CheckReadOnly, CodesAndMessage) {
    testing::TempDir dir;
    fs::path p = dir.write("f.txt", "x");
    EXPECT_EQ(CheckReadOnly(p, false).code, 0);
    EXPECT_EQ(CheckReadOnly(dir / "missing.txt", true).code, 9999);
    EXPECT_EQ(CheckReadOnly("", true).code, 9999);

    fs::permissions(p, fs::perms::owner_write, fs::perm_options::remove);
    ReadOnlyCheck kept = CheckReadOnly(p, false);
    EXPECT_EQ(kept.code, 1);
    EXPECT_EQ(kept.message, "File " + p.string() +
                                " is read-only, remove this attribute. The program has been "
                                "terminated. ");
    ReadOnlyCheck cleared = CheckReadOnly(p, true);
    EXPECT_EQ(cleared.code, 32);
    EXPECT_TRUE(cleared.message.empty());
    EXPECT_EQ(CheckReadOnly(p, false).code, 0);
}

TEST(AppFolders, SupportFolderSitsInTheApplicationFolder) {
    AppFolders f = AppFolders::fromAppDir("/opt/kinetra");
    EXPECT_EQ(f.support("OPTIONS.txt"), fs::path("/opt/kinetra/AssistFiles/OPTIONS.txt"));
    EXPECT_EQ(f.quickStartThermo(), fs::path("/opt/kinetra/QuickStart/THERMO_h2.mdb"));
}

} // namespace
} // namespace kinetra
