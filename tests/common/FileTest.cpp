#include "common/FileAttributes.h"
#include "common/TextFile.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/stat.h>

namespace kinetra {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

void makeReadOnly(const fs::path& path) {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

// Only the target should be left in the folder: no temporary file may survive a write.
std::size_t fileCount(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(TextFile, WriteReplacesBytesAndFailuresWriteNothing) {
    TempDir dir;
    fs::path file = dir / "settings.txt";
    std::string content("a\r\nb\0c\xFF", 7);
    writeTextFile(file, "old content that is longer");
    writeTextFile(file, content);
    EXPECT_EQ(readTextFile(file), content);

    EXPECT_FALSE(readTextFile(dir / "missing.txt"));
    try {
        writeTextFile(dir / "no-folder" / "x.txt", "x");
        ADD_FAILURE() << "write into a missing folder succeeded";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot write file " + (dir / "no-folder" / "x.txt").string());
    }
    EXPECT_EQ(fileCount(dir.path()), 1u);
}

// In place the file itself is written again: the same inode, shorter content leaves no tail,
// a read-only file and a missing folder still refuse.
TEST(TextFile, InPlaceWriteKeepsTheFile) {
    TempDir dir;
    const fs::path file = dir / "input.txt";
    writeTextFile(file, "a longer first content\r\n", Durability::InPlace);
    const auto inode = [&] {
        struct stat info {};
        ::stat(file.c_str(), &info);
        return info.st_ino;
    };
    const auto first = inode();
    writeTextFile(file, "short", Durability::InPlace);
    EXPECT_EQ(readTextFile(file), "short");
    EXPECT_EQ(inode(), first);
    EXPECT_EQ(fileCount(dir.path()), 1u);
    makeReadOnly(file);
    EXPECT_THROW(writeTextFile(file, "lost?", Durability::InPlace), std::runtime_error);
    EXPECT_EQ(readTextFile(file), "short");
    EXPECT_THROW(writeTextFile(dir / "no-folder" / "x.txt", "x", Durability::InPlace),
                 std::runtime_error);
}

TEST(TextFile, PermissionsAndLinksAreKept) {
    TempDir dir;
    fs::path file = dir.write("mech.txt", "original");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    writeTextFile(file, "changed");
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    makeReadOnly(file);
    EXPECT_THROW(writeTextFile(file, "lost?"), std::runtime_error);
    EXPECT_EQ(readTextFile(file), "changed");
    EXPECT_EQ(fileCount(dir.path()), 1u);

    fs::create_symlink(file, dir / "link.txt");
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    writeTextFile(dir / "link.txt", "new");
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_EQ(readTextFile(file), "new");
}

TEST(FileAttributes, ReadOnlyStateClearAndDelete) {
    TempDir dir;
    fs::path file = dir.write("a.txt", "x");
    makeReadOnly(file);
    EXPECT_EQ(readOnlyState(file), ReadOnlyState::ReadOnly);
    EXPECT_TRUE(clearReadOnly(file));
    EXPECT_EQ(readOnlyState(file), ReadOnlyState::Writable);
    EXPECT_EQ(readOnlyState(dir / "missing"), ReadOnlyState::Missing);

    makeReadOnly(file);
    deleteFileIfPresent(file);
    EXPECT_FALSE(fs::exists(file));
    deleteFileIfPresent(file);
    fs::create_directory(dir / "sub");
    deleteFileIfPresent(dir / "sub");
    EXPECT_TRUE(fs::is_directory(dir / "sub"));
}

TEST(FileAttributes, CopyOverwritesMakesTheCopyWritableAndFailsWithoutHarm) {
    TempDir dir;
    fs::path from = dir.write("template.txt", "template");
    fs::path to = dir.write("work.txt", "old work");
    makeReadOnly(from);
    copyFileOverwrite(from, to);
    EXPECT_EQ(readTextFile(to), "template");
    EXPECT_EQ(readOnlyState(to), ReadOnlyState::Writable);

    try {
        copyFileOverwrite(dir / "missing.txt", to);
        ADD_FAILURE() << "copy of a missing file succeeded";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot copy file " + (dir / "missing.txt").string() + " to " + to.string());
    }
    EXPECT_THROW(copyFileOverwrite(dir / "work.txt", dir / "template.txt"), std::runtime_error);
    EXPECT_EQ(readTextFile(from), "template");
    EXPECT_EQ(fileCount(dir.path()), 2u);
}

} // namespace
} // namespace kinetra
