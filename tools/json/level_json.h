#pragma once
// The JSON twin of a level file, and a short summary of a level.
//
// Twin layout (one object per cell, in file order, every key present):
//   {"width": W, "height": H,
//    "cells": [{"a": 0, "b": 0,
//               "shape": [tx, ty, lx, ly, bx, by, rx, ry],
//               "layerCode": "1", "tileIndex": 2, "surfaceIndex": -1,
//               "record": "<152 hex digits: the cell's 76 bytes>"}, ...]}
//
// "layerCode" is a string when the stored length is 0..10 and the text it
// names is plain ASCII; otherwise it is {"length": n, "bytes": "<hex>"}, with
// n the stored length byte (0..255) and the hex holding the min(n, 10)
// character bytes after it. Reading applies, for each listed cell and each key
// present, "record" first, then "shape", "layerCode" (its length byte and the
// characters it names; the other character bytes stay), "tileIndex" and
// "surfaceIndex", on top of the level RebuildLevel makes for W x H. Cells not
// listed stay as rebuilt. Unknown keys are refused, so a misspelt key cannot
// pass silently.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "model/level.h"

namespace klv {

std::string LevelToJsonText(const LevelState& level);

struct LevelFromJsonResult {
    bool Ok = false;
    std::string Error;  // what is wrong, when not Ok
};

// Builds a level from its JSON twin. `level` is replaced only on success.
LevelFromJsonResult LevelFromJsonText(std::string_view text, LevelState& level);

// What a level holds, counted over its cells.
struct LevelSummary {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int64_t CellCount = 0;
    std::int64_t EmptyCells = 0;             // LayerCode of length 0
    std::int64_t UnreadableLayerCodes = 0;   // stored length above 10
    std::map<std::string, std::int64_t> LayerCodes;  // other codes, non-printable bytes as \xNN
    std::int64_t Surfaces = 0;               // SurfaceIndex other than -1
};

LevelSummary SummarizeLevel(const LevelState& level);
std::string LevelSummaryText(const LevelSummary& summary);
std::string LevelSummaryJsonText(const LevelSummary& summary);

// Lower-case hex of bytes, and back (either case); false on a bad digit or an
// odd count.
std::string HexOf(const std::uint8_t* data, std::size_t size);
bool BytesFromHex(std::string_view hex, std::vector<std::uint8_t>& out);

}  // namespace klv
