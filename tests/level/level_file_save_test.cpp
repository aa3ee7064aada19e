// Saving never leaves a half-written level behind: whatever step fails, the
// previous file stays as it was and no temporary file is left.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <ostream>

#include "model/level_file.h"
#include "tests/level/level_test_support.h"

namespace klv {
namespace {

// A write that takes `budget` bytes in total, then reports a full disk.
FileWriteCalls DiskFullAfter(std::size_t budget) {
    auto left = std::make_shared<std::size_t>(budget);
    FileWriteCalls calls;
    calls.Write = [left](int fd, const std::uint8_t* data, std::size_t size) -> long {
        if (*left == 0) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t n = std::min(size, *left);
        *left -= n;
        return static_cast<long>(::write(fd, data, n));
    };
    return calls;
}

struct SaveFailure {
    const char* name;
    std::function<FileWriteCalls()> calls;
};

// Keeps test names readable and stable: the default printer would dump the
// object's bytes, addresses included.
void PrintTo(const SaveFailure& failure, std::ostream* out) { *out << failure.name; }

const SaveFailure kFailures[] = {
    {"NothingWritten", [] { return DiskFullAfter(0); }},
    {"FirstByteOnly", [] { return DiskFullAfter(1); }},
    {"InsideRecords", [] { return DiskFullAfter(5000); }},
    {"LastByteMissing", [] { return DiskFullAfter(24358); }},
    {"WriteMakesNoProgress", [] {
         FileWriteCalls calls;
         calls.Write = [](int, const std::uint8_t*, std::size_t) -> long { return 0; };
         return calls;
     }},
    {"FlushFails", [] {
         FileWriteCalls calls;
         calls.Sync = [](int) {
             errno = EIO;
             return -1;
         };
         return calls;
     }},
    {"RenameFails", [] {
         FileWriteCalls calls;
         calls.Rename = [](const char*, const char*) {
             errno = EXDEV;
             return -1;
         };
         return calls;
     }},
};

class FailedSave : public ::testing::TestWithParam<SaveFailure> {};

TEST_P(FailedSave, KeepsThePreviousFile) {
    test::ScratchFolder folder;
    const std::string path = folder.File("level.klv");
    const LevelState old = test::ScrambledLevel(3, 1);
    ASSERT_TRUE(WriteLevelFile(path, old).Ok);
    const std::vector<std::uint8_t> oldBytes = test::ReadAll(path);

    const LevelWriteResult result = ReplaceFileContents(path, LevelFileBytes(MakeLevel(15)), GetParam().calls());
    EXPECT_FALSE(result.Ok);
    EXPECT_FALSE(result.Error.empty());
    EXPECT_EQ(test::ReadAll(path), oldBytes);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"level.klv"});
}

INSTANTIATE_TEST_SUITE_P(Steps, FailedSave, ::testing::ValuesIn(kFailures),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(LevelSave, ShortWritesAreContinued) {
    test::ScratchFolder folder;
    FileWriteCalls calls;
    calls.Write = [](int fd, const std::uint8_t* data, std::size_t size) -> long {
        return static_cast<long>(::write(fd, data, std::min<std::size_t>(size, 7)));
    };
    const std::vector<std::uint8_t> bytes = LevelFileBytes(test::ScrambledLevel(2, 4));
    ASSERT_TRUE(ReplaceFileContents(folder.File("a.klv"), bytes, calls).Ok);
    EXPECT_EQ(test::ReadAll(folder.File("a.klv")), bytes);
}

TEST(LevelSave, ReplacedFileKeepsItsPermissions) {
    test::ScratchFolder folder;
    const std::string path = folder.File("level.klv");
    ASSERT_TRUE(WriteLevelFile(path, MakeLevel(1)).Ok);
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteLevelFile(path, MakeLevel(2)).Ok);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(test::ReadAll(path).size(), 59u + 108u * 4u);
}

TEST(LevelSave, ReadOnlyFileIsNotReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write any file, so a read-only file cannot be made here";
    test::ScratchFolder folder;
    const std::string path = folder.File("locked.klv");
    ASSERT_TRUE(WriteLevelFile(path, MakeLevel(1)).Ok);
    ::chmod(path.c_str(), 0444);
    const LevelWriteResult result = WriteLevelFile(path, MakeLevel(2));
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(test::ReadAll(path), LevelFileBytes(MakeLevel(1)));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"locked.klv"});
}

TEST(LevelSave, NewFileGetsTheUsualPermissions) {
    test::ScratchFolder folder;
    const mode_t mask = ::umask(022);
    const bool ok = WriteLevelFile(folder.File("new.klv"), MakeLevel(1)).Ok;
    ::umask(mask);
    ASSERT_TRUE(ok);
    struct stat info {};
    ASSERT_EQ(::stat(folder.File("new.klv").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
}

TEST(LevelSave, SavingThroughALinkKeepsTheLink) {
    test::ScratchFolder folder;
    const std::string real = folder.File("real.klv");
    const std::string link = folder.File("link.klv");
    ASSERT_TRUE(WriteLevelFile(real, MakeLevel(1)).Ok);
    std::filesystem::create_symlink(real, link);
    ASSERT_TRUE(WriteLevelFile(link, MakeLevel(2)).Ok);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(test::ReadAll(real), LevelFileBytes(MakeLevel(2)));
}

TEST(LevelSave, InconsistentLevelIsRefusedBeforeTheDisk) {
    test::ScratchFolder folder;
    LevelState level = MakeLevel(3);
    level.LevelWidth = level.LevelHeight = 4;  // size set, rebuild forgotten
    EXPECT_FALSE(WriteLevelFile(folder.File("a.klv"), level).Ok);
    EXPECT_TRUE(folder.Names().empty());
}

TEST(LevelSave, TargetsThatCannotBeWritten) {
    test::ScratchFolder folder;
    // No such folder: nothing is created anywhere.
    const LevelWriteResult missing = WriteLevelFile(folder.File("no/such/level.klv"), MakeLevel(1));
    EXPECT_FALSE(missing.Ok);
    EXPECT_NE(missing.Error.find("cannot create"), std::string::npos) << missing.Error;
    EXPECT_TRUE(folder.Names().empty());

    // A folder in the way is not replaced, and the temporary file goes.
    std::filesystem::create_directory(folder.File("taken.klv"));
    std::filesystem::create_directory(folder.File("taken.klv/inside"));
    const LevelWriteResult taken = WriteLevelFile(folder.File("taken.klv"), MakeLevel(1));
    EXPECT_FALSE(taken.Ok);
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("taken.klv/inside")));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"taken.klv"});
}

}  // namespace
}  // namespace klv
