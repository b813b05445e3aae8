#include "common/FileAttributes.h"
#include "common/TextFile.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>

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

TEST(TextFile, WriteReplacesAndReadsBackBytes) {
    TempDir dir;
    fs::path file = dir / "settings.txt";
    std::string content("a\r\nb\0c\xFF", 7);
    writeTextFile(file, "old content that is longer");
    writeTextFile(file, content);
    EXPECT_EQ(readTextFile(file), content);
    EXPECT_EQ(fileCount(dir.path()), 1u);
    writeTextFile(file, "");
    EXPECT_EQ(readTextFile(file), "");
}

TEST(TextFile, FailuresReadNothingAndWriteNothing) {
    TempDir dir;
    EXPECT_FALSE(readTextFile(dir / "missing.txt"));
    EXPECT_FALSE(readTextFile(dir.path()));
    EXPECT_THROW(writeTextFile(dir / "no-folder" / "x.txt", "x"), std::runtime_error);
    fs::create_directory(dir / "sub");
    EXPECT_THROW(writeTextFile(dir / "sub", "x"), std::runtime_error);
    try {
        writeTextFile(dir / "no-folder" / "x.txt", "x");
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot write file " + (dir / "no-folder" / "x.txt").string());
    }
    EXPECT_EQ(fileCount(dir.path()), 1u);
}

TEST(TextFile, ReadOnlyFileIsNotReplacedAndPermissionsAreKept) {
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
}

TEST(TextFile, WritingThroughALinkReplacesItsTarget) {
    TempDir dir;
    fs::path real = dir.write("real.txt", "old");
    fs::create_symlink(real, dir / "link.txt");
    writeTextFile(dir / "link.txt", "new");
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_EQ(readTextFile(real), "new");
}

TEST(FileAttributes, ReadOnlyStateFollowsTheOwnerWriteBit) {
    TempDir dir;
    fs::path file = dir.write("a.txt", "x");
    EXPECT_EQ(readOnlyState(file), ReadOnlyState::Writable);
    makeReadOnly(file);
    EXPECT_EQ(readOnlyState(file), ReadOnlyState::ReadOnly);
    EXPECT_TRUE(clearReadOnly(file));
    EXPECT_EQ(readOnlyState(file), ReadOnlyState::Writable);
    EXPECT_EQ(readOnlyState(dir / "missing"), ReadOnlyState::Missing);
    EXPECT_EQ(readOnlyState(dir.path()), ReadOnlyState::Missing);
    EXPECT_FALSE(clearReadOnly(dir / "missing"));
}

TEST(FileAttributes, DeleteIsSilentAndSparesFolders) {
    TempDir dir;
    fs::path file = dir.write("a.txt", "x");
    makeReadOnly(file);
    deleteFileIfPresent(file);
    EXPECT_FALSE(fs::exists(file));
    deleteFileIfPresent(file);
    fs::create_directory(dir / "sub");
    deleteFileIfPresent(dir / "sub");
    EXPECT_TRUE(fs::is_directory(dir / "sub"));
}

TEST(FileAttributes, CopyOverwritesAndMakesTheCopyWritable) {
    TempDir dir;
    fs::path from = dir.write("template.txt", "template");
    fs::path to = dir.write("work.txt", "old work");
    makeReadOnly(from);
    copyFileOverwrite(from, to);
    EXPECT_EQ(readTextFile(to), "template");
    EXPECT_EQ(readOnlyState(to), ReadOnlyState::Writable);
    copyFileOverwrite(from, dir / "new.txt");
    EXPECT_EQ(readTextFile(dir / "new.txt"), "template");
    EXPECT_EQ(fileCount(dir.path()), 3u);
}

TEST(FileAttributes, CopyFailuresNameBothFilesAndLeaveTheTarget) {
    TempDir dir;
    fs::path to = dir.write("work.txt", "old work");
    try {
        copyFileOverwrite(dir / "missing.txt", to);
        ADD_FAILURE() << "copy of a missing file succeeded";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot copy file " + (dir / "missing.txt").string() + " to " + to.string());
    }
    fs::path from = dir.write("template.txt", "template");
    makeReadOnly(to);
    EXPECT_THROW(copyFileOverwrite(from, to), std::runtime_error);
    EXPECT_EQ(readTextFile(to), "old work");
    EXPECT_EQ(fileCount(dir.path()), 2u);
}

} // namespace
} // namespace kinetra
