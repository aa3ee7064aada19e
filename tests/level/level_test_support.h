#pragma once
// Small helpers the level tests share: a scratch folder, whole-file reads and
// writes, a draw area that records what it is asked, level comparison.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "model/level.h"
#include "model/level_file.h"

namespace klv::test {

// A fresh folder per test, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("klv-level-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename().string());
        return names;
    }

private:
    std::filesystem::path path_;
};

inline std::vector<std::uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Records every call in order, e.g. "W94", "H44", "T0", "L0".
class RecordingDrawArea final : public DrawAreaGeometry {
public:
    void SetWidth(std::int32_t w) override { calls.push_back("W" + std::to_string(w)); width = w; }
    void SetHeight(std::int32_t h) override { calls.push_back("H" + std::to_string(h)); height = h; }
    void SetTop(std::int32_t t) override { calls.push_back("T" + std::to_string(t)); }
    void SetLeft(std::int32_t l) override { calls.push_back("L" + std::to_string(l)); }
    std::int32_t Width() const override { return width + widthAdjust; }
    std::int32_t Height() const override { return height; }
    std::vector<std::string> calls;
    std::int32_t width = 0, height = 0;
    std::int32_t widthAdjust = 0;  // a draw area that takes another width than asked
};

// Every byte of the level that a file would hold, plus the state around it.
inline void ExpectSameLevel(const LevelState& expected, const LevelState& actual) {
    EXPECT_EQ(LevelFileBytes(expected), LevelFileBytes(actual));
    EXPECT_EQ(expected.MapPixelWidth, actual.MapPixelWidth);
    EXPECT_EQ(expected.MapPixelHeight, actual.MapPixelHeight);
    EXPECT_EQ(expected.ViewOffsetX, actual.ViewOffsetX);
    EXPECT_EQ(expected.ViewOffsetY, actual.ViewOffsetY);
    EXPECT_EQ(expected.SelectedTile, actual.SelectedTile);
}

// A level whose every record byte is arbitrary: odd diamonds, layer-code
// lengths above 10, characters past the length, reserved bytes.
inline LevelState ScrambledLevel(std::int32_t size, unsigned seed) {
    LevelState level = MakeLevel(size);
    std::mt19937 random(seed);
    for (auto& column : level.Cells)
        for (auto& cell : column) {
            CellRecordBytesArray bytes{};
            for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
            cell = CellRecordFromBytes(bytes);
        }
    for (auto& column : level.CellShapes)
        for (auto& shape : column) {
            ShapeRecordBytes bytes{};
            for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
            shape = ShapeFromRecordBytes(bytes);
        }
    return level;
}

}  // namespace klv::test
