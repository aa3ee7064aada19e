#pragma once
// The level as the editor holds it in memory: grid size, one content record
// and one diamond per cell, the map's pixel size and the view offsets.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace klv {

// A counted text of at most 10 single-byte characters, kept exactly as stored:
// the length byte and all ten character bytes, including those past the
// length, survive a load/save round trip.
struct ShortString10 {
    static constexpr int kCapacity = 10;
    std::uint8_t length = 0;
    std::array<char, kCapacity> chars{};

    // The text the length names. A stored length above 10 names no text we can
    // trust, so it reads as a code no layer uses (see IsLayer).
    std::string_view text() const;
    // True when the stored length is 0..10 and the text is exactly `code`.
    bool equals(std::string_view code) const;
    // Writes the length byte and the first characters; the bytes after them keep
    // what they held. Texts longer than 10 characters are cut at 10.
    void assign(std::string_view code);
    // Empties the text by writing only the length byte.
    void clear() { length = 0; }
};

struct TCellRecord {
    ShortString10 LayerCode;          // bytes 0..10
    std::uint8_t Alignment = 0;       // byte 11, no meaning, kept as stored
    std::int32_t Reserved1 = 0;       // bytes 12..15
    std::uint8_t Reserved2 = 0;       // byte 16
    std::array<std::uint8_t, 51> Reserved3{};  // bytes 17..67
    std::int32_t TileIndex = 0;       // bytes 68..71
    std::int32_t SurfaceIndex = 0;    // bytes 72..75
};

struct TPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// The four vertices of a cell's diamond, in stored order.
struct TCellShape {
    TPoint Top;
    TPoint Left;
    TPoint Bottom;
    TPoint Right;
    friend bool operator==(const TCellShape&, const TCellShape&) = default;
};

// Geometry of the diamond grid, in map pixels.
inline constexpr std::int32_t kCellWidth = 92;
inline constexpr std::int32_t kCellHeight = 42;
inline constexpr std::int32_t kHalfCellWidth = 46;
inline constexpr std::int32_t kHalfCellHeight = 21;
inline constexpr std::int32_t kMaxLevelSize = 99;
inline constexpr std::int32_t kStartLevelSize = 15;

// The level state the main window owns. Cells[a][b]: a is the first index
// (0..LevelWidth-1), b the second (0..LevelHeight-1). LevelWidth always
// equals LevelHeight.
struct LevelState {
    std::int32_t LevelWidth = kStartLevelSize;
    std::int32_t LevelHeight = kStartLevelSize;
    std::vector<std::vector<TCellRecord>> Cells;
    std::vector<std::vector<TCellShape>> CellShapes;
    std::int32_t MapPixelWidth = 0;
    std::int32_t MapPixelHeight = 0;
    std::int32_t ViewOffsetX = 0;
    std::int32_t ViewOffsetY = 0;
    std::string SelectedTile = "0";
};

// What RebuildLevel needs of the draw area: it sets the size and place, then
// reads the size back to derive the view offsets. The window implements this
// with its real draw area; without one, RebuildLevel uses a plain holder.
class DrawAreaGeometry {
public:
    virtual ~DrawAreaGeometry() = default;
    virtual void SetWidth(std::int32_t width) = 0;
    virtual void SetHeight(std::int32_t height) = 0;
    virtual void SetTop(std::int32_t top) = 0;
    virtual void SetLeft(std::int32_t left) = 0;
    virtual std::int32_t Width() const = 0;
    virtual std::int32_t Height() const = 0;
};

// A draw area that only remembers its geometry.
class PlainDrawArea final : public DrawAreaGeometry {
public:
    void SetWidth(std::int32_t width) override { width_ = width; }
    void SetHeight(std::int32_t height) override { height_ = height; }
    void SetTop(std::int32_t top) override { top_ = top; }
    void SetLeft(std::int32_t left) override { left_ = left; }
    std::int32_t Width() const override { return width_; }
    std::int32_t Height() const override { return height_; }
    std::int32_t Top() const { return top_; }
    std::int32_t Left() const { return left_; }

private:
    std::int32_t width_ = 0, height_ = 0, top_ = 0, left_ = 0;
};

// Draw-area size that a level of the given grid size gets.
inline constexpr std::int32_t DrawAreaWidthFor(std::int32_t levelWidth) { return levelWidth * kCellWidth + 2; }
inline constexpr std::int32_t DrawAreaHeightFor(std::int32_t levelHeight) { return levelHeight * kCellHeight + 2; }

// Gives the arrays the current size (LevelWidth x LevelHeight, set by the
// caller, equal, 0..99), resets every cell, sizes the draw area, derives the
// view offsets and recomputes every diamond. Cells inside both the old and the
// new size keep the bytes a reset does not touch.
void RebuildLevel(LevelState& level, DrawAreaGeometry& drawArea);
void RebuildLevel(LevelState& level);

// Recomputes every diamond from LevelWidth, LevelHeight and MapPixelWidth.
void BuildCellShapes(LevelState& level);

// The diamond BuildCellShapes gives cell [a][b] of a level of width `levelWidth`.
TCellShape ComputedCellShape(std::int32_t levelWidth, std::int32_t a, std::int32_t b);

// Resets one cell the way RebuildLevel does.
void ResetCell(TCellRecord& cell);

// A level of the given size, rebuilt without a window.
LevelState MakeLevel(std::int32_t size);

}  // namespace klv
