// Level files byte for byte: the layout the editor writes, and reading a file
// back into the same level.

#include <gtest/gtest.h>

#include <cstring>

#include "model/byte_io.h"
#include "model/level_file.h"
#include "tests/level/level_test_support.h"

namespace klv {
namespace {

std::int32_t I32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    ByteReader in(bytes.data() + at, 4);
    std::int32_t v = 0;
    in.I32(v);
    return v;
}

TEST(LevelFileLayout, EmptyStartLevel) {
    const std::vector<std::uint8_t> bytes = LevelFileBytes(MakeLevel(15));
    ASSERT_EQ(bytes.size(), 24359u);

    EXPECT_EQ(bytes[0], 17);
    EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 18), "Quarnel Kelvaran2");
    for (std::size_t i = 18; i < 51; ++i) EXPECT_EQ(bytes[i], 0) << i;
    EXPECT_EQ(I32At(bytes, 51), 15);
    EXPECT_EQ(I32At(bytes, 55), 15);

    const std::int32_t first[8] = {690, 0, 644, 21, 690, 42, 736, 21};
    const std::int32_t second[8] = {644, 21, 598, 42, 644, 63, 690, 42};
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(I32At(bytes, 59 + 4 * i), first[i]) << i;
        EXPECT_EQ(I32At(bytes, 59 + 32 + 4 * i), second[i]) << i;
    }

    const std::size_t cells = 59 + 32 * 225;
    for (std::size_t record = 0; record < 225; ++record)
        for (std::size_t i = 0; i < 76; ++i) {
            const bool ones = (i >= 12 && i < 16) || i >= 68;
            ASSERT_EQ(bytes[cells + 76 * record + i], ones ? 0xFF : 0x00) << "record " << record << " byte " << i;
        }
}

TEST(LevelFileLayout, CellRecordFieldOffsets) {
    TCellRecord cell;
    cell.LayerCode.length = 0x0B;
    for (std::size_t i = 0; i < 10; ++i) cell.LayerCode.chars[i] = static_cast<char>(0x20 + i);
    cell.Alignment = 0xA1;
    cell.Reserved1 = 0x04030201;
    cell.Reserved2 = 0xB2;
    for (std::size_t i = 0; i < 51; ++i) cell.Reserved3[i] = static_cast<std::uint8_t>(0x40 + i);
    cell.TileIndex = 0x14131211;
    cell.SurfaceIndex = -2;

    const CellRecordBytesArray bytes = CellRecordBytes(cell);
    EXPECT_EQ(bytes[0], 0x0B);
    EXPECT_EQ(bytes[1], 0x20);
    EXPECT_EQ(bytes[10], 0x29);
    EXPECT_EQ(bytes[11], 0xA1);
    EXPECT_EQ((std::vector<int>{bytes[12], bytes[13], bytes[14], bytes[15]}), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(bytes[16], 0xB2);
    EXPECT_EQ(bytes[17], 0x40);
    EXPECT_EQ(bytes[67], 0x40 + 50);
    EXPECT_EQ((std::vector<int>{bytes[68], bytes[71]}), (std::vector<int>{0x11, 0x14}));
    EXPECT_EQ((std::vector<int>{bytes[72], bytes[73], bytes[74], bytes[75]}), (std::vector<int>{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(CellRecordBytes(CellRecordFromBytes(bytes)), bytes);
}

TEST(LevelFileLayout, ZeroByZeroLevel) {
    const std::vector<std::uint8_t> bytes = LevelFileBytes(MakeLevel(0));
    ASSERT_EQ(bytes.size(), 59u);
    LevelState level = MakeLevel(3);
    test::RecordingDrawArea area;
    ASSERT_EQ(ReadLevelBytes(bytes.data(), bytes.size(), level, area).Outcome, LevelReadOutcome::Read);
    EXPECT_EQ(level.LevelWidth, 0);
    EXPECT_EQ(level.LevelHeight, 0);
    EXPECT_TRUE(level.Cells.empty());
    EXPECT_TRUE(level.CellShapes.empty());
    EXPECT_EQ(area.calls, (std::vector<std::string>{"W2", "H2", "T0", "L0"}));
}

// Sizes from none to the largest: every byte survives write, read, write.
TEST(LevelFileLayout, RoundTripKeepsEveryRecordByte) {
    for (const std::int32_t size : {1, 4, 15, 99}) {
        const LevelState original = test::ScrambledLevel(size, static_cast<unsigned>(size));
        const std::vector<std::uint8_t> bytes = LevelFileBytes(original);
        ASSERT_EQ(bytes.size(), 59u + 108u * static_cast<std::size_t>(size * size));

        LevelState read = MakeLevel(2);
        read.SelectedTile = "5";
        test::RecordingDrawArea area;
        const LevelReadResult result = ReadLevelBytes(bytes.data(), bytes.size(), read, area);
        ASSERT_EQ(result.Outcome, LevelReadOutcome::Read) << size;
        EXPECT_TRUE(result.Detail.empty()) << result.Detail;
        EXPECT_EQ(LevelFileBytes(read), bytes) << size;
        EXPECT_EQ(read.SelectedTile, "0");
        EXPECT_EQ(read.MapPixelWidth, size * 92 + 1);
        EXPECT_EQ(area.calls.front(), "W" + std::to_string(size * 92 + 2));
        // Stored diamonds replace computed ones.
        EXPECT_EQ(read.CellShapes[0][0], original.CellShapes[0][0]);
    }
}

TEST(LevelFileLayout, SignatureTailAndTrailingBytesAreNotKept) {
    const LevelState original = test::ScrambledLevel(3, 5);
    std::vector<std::uint8_t> bytes = LevelFileBytes(original);
    const std::vector<std::uint8_t> clean = bytes;
    for (std::size_t i = 18; i < 51; ++i) bytes[i] = static_cast<std::uint8_t>(i);
    bytes.insert(bytes.end(), {1, 2, 3});

    LevelState read;
    const LevelReadResult result = ReadLevelBytes(bytes.data(), bytes.size(), read);
    ASSERT_EQ(result.Outcome, LevelReadOutcome::Read);
    EXPECT_NE(result.Detail.find("3 bytes after"), std::string::npos) << result.Detail;
    EXPECT_EQ(LevelFileBytes(read), clean);
}

TEST(LevelFileLayout, ReadsAndWritesThroughDisk) {
    test::ScratchFolder folder;
    const std::string path = folder.File("castle.klv");
    const LevelState original = test::ScrambledLevel(6, 9);
    ASSERT_TRUE(WriteLevelFile(path, original).Ok);
    EXPECT_EQ(test::ReadAll(path), LevelFileBytes(original));

    LevelState read;
    ASSERT_EQ(ReadLevelFile(path, read).Outcome, LevelReadOutcome::Read);
    EXPECT_EQ(LevelFileBytes(read), LevelFileBytes(original));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"castle.klv"});
}

}  // namespace
}  // namespace klv
