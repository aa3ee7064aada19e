// Files the reader refuses leave the level and the draw area alone; files
// that end early are read as far as they go.

#include <gtest/gtest.h>

#include <ostream>

#include <functional>
#include <limits>

#include "model/byte_io.h"
#include "model/level_file.h"
#include "tests/level/level_test_support.h"

namespace klv {
namespace {

std::vector<std::uint8_t> ValidFile() { return LevelFileBytes(test::ScrambledLevel(2, 3)); }

void PutI32(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t v) {
    std::vector<std::uint8_t> le;
    ByteWriter(le).I32(v);
    std::copy(le.begin(), le.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

struct Refusal {
    const char* name;
    std::function<void(std::vector<std::uint8_t>&)> damage;
};

// Readable, stable test names instead of the object's bytes.
void PrintTo(const Refusal& refusal, std::ostream* out) { *out << refusal.name; }

const Refusal kRefusals[] = {
    {"SignatureCharacter", [](auto& f) { f[9] = 'k'; }},
    {"SignatureLastCharacter", [](auto& f) { f[17] = '3'; }},
    {"SignatureCase", [](auto& f) { f[1] = 'q'; }},
    {"LengthByteShort", [](auto& f) { f[0] = 16; }},
    {"LengthByteLong", [](auto& f) { f[0] = 18; }},
    {"Empty", [](auto& f) { f.clear(); }},
    {"EndsInsideSignature", [](auto& f) { f.resize(17); }},
    {"WholeSignatureOnly", [](auto& f) { f.resize(18); }},
    {"EndsInsideHeight", [](auto& f) { f.resize(58); }},
    {"UnequalSizes", [](auto& f) { PutI32(f, 55, 3); }},
    {"NegativeSizes", [](auto& f) { PutI32(f, 51, -1); PutI32(f, 55, -1); }},
    {"SizesAbove99", [](auto& f) { PutI32(f, 51, 100); PutI32(f, 55, 100); }},
    {"HugeSizes", [](auto& f) {
         PutI32(f, 51, std::numeric_limits<std::int32_t>::max());
         PutI32(f, 55, std::numeric_limits<std::int32_t>::max());
     }},
    {"MostNegativeSizes", [](auto& f) {
         PutI32(f, 51, std::numeric_limits<std::int32_t>::min());
         PutI32(f, 55, std::numeric_limits<std::int32_t>::min());
     }},
};

class LevelFileRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(LevelFileRefusal, LeavesLevelAndDrawAreaAsTheyWere) {
    std::vector<std::uint8_t> file = ValidFile();
    GetParam().damage(file);

    LevelState level = test::ScrambledLevel(4, 21);
    level.SelectedTile = "6";
    level.ViewOffsetX = 12;
    const LevelState before = level;
    test::RecordingDrawArea area;
    const LevelReadResult result = ReadLevelBytes(file.data(), file.size(), level, area);
    EXPECT_EQ(result.Outcome, LevelReadOutcome::NotALevelFile);
    EXPECT_FALSE(result.Detail.empty());
    test::ExpectSameLevel(before, level);
    EXPECT_TRUE(area.calls.empty());

    // The same through a file on disk.
    test::ScratchFolder folder;
    test::WriteAll(folder.File("x.klv"), file);
    EXPECT_EQ(ReadLevelFile(folder.File("x.klv"), level, area).Outcome, LevelReadOutcome::NotALevelFile);
    test::ExpectSameLevel(before, level);
    EXPECT_TRUE(area.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(Damage, LevelFileRefusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(LevelFileRead, SignatureFieldTailIsNotLookedAt) {
    std::vector<std::uint8_t> file = ValidFile();
    for (std::size_t i = 18; i < 51; ++i) file[i] = 0xEE;
    LevelState level;
    EXPECT_EQ(ReadLevelBytes(file.data(), file.size(), level).Outcome, LevelReadOutcome::Read);
}

TEST(LevelFileRead, PathsThatCannotBeOpened) {
    test::ScratchFolder folder;
    LevelState level = MakeLevel(2);
    const LevelState before = level;
    EXPECT_EQ(ReadLevelFile(folder.File("missing.klv"), level).Outcome, LevelReadOutcome::CannotOpen);
    EXPECT_EQ(ReadLevelFile(folder.Path().string(), level).Outcome, LevelReadOutcome::CannotOpen);
    test::ExpectSameLevel(before, level);
}

// A file cut at any byte past its header reads as the bytes it holds laid over
// the level that RebuildLevel makes from the previous one; the cut record
// keeps its rebuilt tail.
TEST(LevelFileRead, FileCutAnywhereInItsRecords) {
    const std::vector<std::uint8_t> full = LevelFileBytes(test::ScrambledLevel(2, 8));
    const LevelState previous = test::ScrambledLevel(3, 13);
    LevelState rebuilt = previous;
    rebuilt.LevelWidth = rebuilt.LevelHeight = 2;
    RebuildLevel(rebuilt);
    const std::vector<std::uint8_t> rebuiltBytes = LevelFileBytes(rebuilt);
    ASSERT_EQ(rebuiltBytes.size(), full.size());

    for (std::size_t cut = kLevelHeaderSize; cut < full.size(); ++cut) {
        LevelState level = previous;
        const LevelReadResult result = ReadLevelBytes(full.data(), cut, level);
        ASSERT_EQ(result.Outcome, LevelReadOutcome::Read) << cut;
        EXPECT_NE(result.Detail.find("ends"), std::string::npos) << cut;
        std::vector<std::uint8_t> expected = rebuiltBytes;
        std::copy(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut), expected.begin());
        ASSERT_EQ(LevelFileBytes(level), expected) << "cut at " << cut;
    }
}

}  // namespace
}  // namespace klv
