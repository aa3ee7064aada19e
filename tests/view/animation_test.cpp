// The animation counters over frame ticks, what the animated layers show in
// each frame, and the tick's not-ready path.

#include <gtest/gtest.h>

#include "view/frame_tick.h"
#include "view_test_support.h"

namespace klv {
namespace {

AnimationCounters Started() { return AnimationCounters{0, 0, 11}; }

TEST(Animation, PatternZeroForSixTicksThenOneToTenForeverNeverZeroAgain) {
    AnimationCounters counters = Started();
    std::vector<std::int32_t> shown;
    for (int tick = 0; tick < 6 + 6 * 10 * 3; ++tick) {
        shown.push_back(counters.AnimFrame);
        AdvanceAnimation(counters);
        ASSERT_GE(counters.AnimTick, 0);
        ASSERT_LE(counters.AnimTick, 5);
    }
    for (int tick = 0; tick < 6; ++tick) EXPECT_EQ(shown[static_cast<std::size_t>(tick)], 0);
    for (std::size_t tick = 6; tick < shown.size(); ++tick) EXPECT_EQ(shown[tick], 1 + static_cast<std::int32_t>((tick - 6) / 6 % 10)) << tick;
}

TEST(Animation, TheWrapTestRunsOnEveryTick) {
    // A frame already past the limit goes to 1 at the next tick, not after six.
    AnimationCounters counters{25, 2, 11};
    AdvanceAnimation(counters);
    EXPECT_EQ(counters.AnimFrame, 1);
    EXPECT_EQ(counters.AnimTick, 3);
    // Before the window sets the limit every frame is past it.
    AnimationCounters unset{0, 0, 0};
    AdvanceAnimation(unset);
    EXPECT_EQ(unset.AnimFrame, 1);
}

TEST(FrameTick, ComposesWithTheFrameBeforeTheAdvanceThenPresents) {
    AnimationCounters counters{3, 5, 11};
    std::vector<std::string> calls;
    FrameTickHooks hooks;
    hooks.IsReady = [&] { calls.push_back("ready?"); return true; };
    hooks.Compose = [&](std::int32_t frame) {
        calls.push_back("compose " + std::to_string(frame));
        EXPECT_EQ(counters.AnimFrame, 3);  // not advanced yet
    };
    hooks.Present = [&] {
        calls.push_back("present");
        EXPECT_EQ(counters.AnimFrame, 4);
    };
    EXPECT_TRUE(RunFrameTick(counters, hooks));
    EXPECT_EQ(calls, (std::vector<std::string>{"ready?", "compose 3", "present"}));
    EXPECT_EQ(counters.AnimTick, 0);
}

TEST(FrameTick, NotReadyDrawsNothingPresentsNothingAndKeepsTheCounters) {
    AnimationCounters counters{7, 4, 11};
    bool composed = false, presented = false;
    FrameTickHooks hooks;
    hooks.IsReady = [] { return false; };
    hooks.Compose = [&](std::int32_t) { composed = true; };
    hooks.Present = [&] { presented = true; };
    for (int i = 0; i < 10; ++i) EXPECT_FALSE(RunFrameTick(counters, hooks));
    EXPECT_FALSE(composed);
    EXPECT_FALSE(presented);
    EXPECT_EQ(counters.AnimFrame, 7);
    EXPECT_EQ(counters.AnimTick, 4);
    // When ready again the animation goes on from where it stopped.
    hooks.IsReady = [] { return true; };
    EXPECT_TRUE(RunFrameTick(counters, hooks));
    EXPECT_EQ(counters.AnimTick, 5);
}

// Eleven 10 x 10 patterns in a row, pattern n filled with colour n + 1.
ImageItem Strip(std::int32_t patterns) {
    ImageItem item = test::MakeImage(10 * patterns, 10, [](std::int32_t x, std::int32_t) { return static_cast<std::uint32_t>(x / 10 + 1) << 3; });
    item.PatternWidth = 10;
    item.PatternHeight = 10;
    return item;
}

TEST(FrameTick, AnimatedLayersShowTheirPatternEachTickAndVanishWhereTheyLackIt) {
    LevelState level = MakeLevel(2);
    test::SetBundle sets;
    sets[LayerSlot::Other].Items = {Strip(11)};
    sets[LayerSlot::ObjectBall].Items = {Strip(4)};
    sets[LayerSlot::Land].Items = {Strip(11)};  // not animated: always pattern 0
    sets.Prepare();
    test::PutLayer(level, 0, 0, "2", 0);
    test::PutLayer(level, 1, 1, "3", 0);
    test::PutLayer(level, 0, 1, "0", 0);
    const auto pixelOf = [&](const Surface565& f, std::int32_t a, std::int32_t b) {
        return f.At(92 + 46 * (a - b) + 1 - 46 + 2, 21 * (a + b) + 1 + 42 - 10 + 2);
    };
    AnimationCounters counters = Started();
    Surface565 frame;
    FrameTickHooks hooks;
    hooks.Compose = [&](std::int32_t animFrame) { ComposeWhole(test::Inputs(level, sets.Sets, animFrame), frame); };
    for (int tick = 0; tick < 6 + 60 * 2; ++tick) {
        const std::int32_t expected = tick < 6 ? 0 : 1 + (tick - 6) / 6 % 10;
        ASSERT_TRUE(RunFrameTick(counters, hooks));
        EXPECT_EQ(pixelOf(frame, 0, 0), Rgb565FromRgb(static_cast<std::uint32_t>(expected + 1) << 3)) << tick;
        EXPECT_EQ(pixelOf(frame, 1, 1), expected < 4 ? Rgb565FromRgb(static_cast<std::uint32_t>(expected + 1) << 3) : 0) << tick;
        EXPECT_EQ(pixelOf(frame, 0, 1), Rgb565FromRgb(1u << 3)) << tick;
    }
}

}  // namespace
}  // namespace klv
