#include "view/surface565.h"

#include <algorithm>
#include <cstdlib>

namespace klv {

void Surface565::Resize(std::int32_t width, std::int32_t height) {
    Width = std::max(width, 0);
    Height = std::max(height, 0);
    Pixels.assign(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height), 0);
}

void Surface565::Fill(std::uint16_t value) { std::fill(Pixels.begin(), Pixels.end(), value); }

namespace {

// Coordinates may come from anywhere in 64 bits; their products need more.
__extension__ typedef __int128 Wide;

// floor(num / den) for den > 0, in 64 bits when the numbers allow it.
std::int64_t FloorDivWide(Wide num, Wide den) {
    constexpr Wide kLimit = Wide{1} << 62;
    if (num > -kLimit && num < kLimit && den < kLimit) {
        const auto n = static_cast<std::int64_t>(num), d = static_cast<std::int64_t>(den);
        const std::int64_t q = n / d;
        return (n % d != 0 && n < 0) ? q - 1 : q;
    }
    Wide q = num / den;
    if (num % den != 0 && num < 0) q -= 1;
    return static_cast<std::int64_t>(q);
}

// Minor offset at step i of a line `len` steps long that moves `delta` along
// its minor axis: delta * i / len rounded to nearest, ties to the smaller value.
// |delta| <= len, so the result lies between -i and i.
std::int64_t MinorAt(std::int64_t delta, std::int64_t len, std::int64_t i) {
    // ceil((2 * delta * i - len) / (2 * len)) written as a floor.
    return FloorDivWide(Wide{2} * delta * i + len - 1, Wide{2} * len);
}

// First i in [lo, hi) for which pred(i) holds, pred monotone false -> true;
// hi when there is none.
template <typename Pred>
std::int64_t FirstTrue(std::int64_t lo, std::int64_t hi, Pred pred) {
    while (lo < hi) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        if (pred(mid)) hi = mid;
        else lo = mid + 1;
    }
    return lo;
}

PixelClip CutToSurface(const Surface565& target, const PixelClip& clip) {
    return {std::max(clip.Left, 0), std::max(clip.Top, 0), std::min(clip.Right, target.Width), std::min(clip.Bottom, target.Height)};
}

}  // namespace

void DrawLineClipped(Surface565& target, const PixelClip& clipIn, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                     std::uint16_t color) {
    const PixelClip clip = CutToSurface(target, clipIn);
    if (clip.Empty()) return;
    const std::int64_t dx = x1 - x0, dy = y1 - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t len = xMajor ? std::llabs(dx) : std::llabs(dy);
    if (len == 0) return;  // a line to its own start point lights nothing

    // Every lit pixel lies within half a step of the ideal line, measured
    // along the minor axis: |side(pixel)| <= len / 2 with side(p) = dx (py - y0) - dy (px - x0).
    // When all four corner pixels of the clip lie further out on one side,
    // no pixel of the clip can be lit (most grid lines miss a small clip).
    {
        const auto side = [&](std::int64_t px, std::int64_t py) { return Wide{dx} * (py - y0) - Wide{dy} * (px - x0); };
        const Wide s1 = side(clip.Left, clip.Top), s2 = side(clip.Right - 1, clip.Top);
        const Wide s3 = side(clip.Left, clip.Bottom - 1), s4 = side(clip.Right - 1, clip.Bottom - 1);
        const Wide lo = std::min(std::min(s1, s2), std::min(s3, s4)), hi = std::max(std::max(s1, s2), std::max(s3, s4));
        if (Wide{2} * lo > len || Wide{2} * hi < -Wide{len}) return;
    }

    // Major axis m steps by `step` each pixel; minor axis n follows MinorAt.
    const std::int64_t m0 = xMajor ? x0 : y0, n0 = xMajor ? y0 : x0;
    const std::int64_t step = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const std::int64_t delta = xMajor ? dy : dx;
    const std::int64_t mLo = xMajor ? clip.Left : clip.Top, mHi = xMajor ? clip.Right : clip.Bottom;
    const std::int64_t nLo = xMajor ? clip.Top : clip.Left, nHi = xMajor ? clip.Bottom : clip.Right;

    // Steps whose major coordinate lies inside the clip.
    std::int64_t iLo = 0, iHi = len;
    if (step > 0) {
        iLo = std::max(iLo, mLo - m0);
        iHi = std::min(iHi, mHi - m0);
    } else {
        iLo = std::max(iLo, m0 - mHi + 1);
        iHi = std::min(iHi, m0 - mLo + 1);
    }
    if (iLo >= iHi) return;
    // The minor coordinate is monotone in i: narrow to the steps inside the clip.
    auto minor = [&](std::int64_t i) { return n0 + MinorAt(delta, len, i); };
    if (delta >= 0) {
        const std::int64_t first = FirstTrue(iLo, iHi, [&](std::int64_t i) { return minor(i) >= nLo; });
        const std::int64_t last = FirstTrue(first, iHi, [&](std::int64_t i) { return minor(i) >= nHi; });
        iLo = first;
        iHi = last;
    } else {
        const std::int64_t first = FirstTrue(iLo, iHi, [&](std::int64_t i) { return minor(i) < nHi; });
        const std::int64_t last = FirstTrue(first, iHi, [&](std::int64_t i) { return minor(i) < nLo; });
        iLo = first;
        iHi = last;
    }
    if (iLo >= iHi) return;
    // Step from the first pixel with the remainder of the same division, so
    // every pixel equals MinorAt's without a division per step:
    // minor(i) = n0 + floor(num / den), num = 2 delta i + len - 1, den = 2 len.
    const Wide den = Wide{2} * len;
    const Wide num0 = Wide{2} * delta * iLo + len - 1;
    std::int64_t n = n0 + FloorDivWide(num0, den);
    std::int64_t rem = static_cast<std::int64_t>(num0 - Wide{n - n0} * den);  // 0 <= rem < den
    const std::int64_t den64 = 2 * len, step2 = 2 * delta;                   // |step2| <= den
    std::int64_t m = m0 + step * iLo;
    const std::size_t stride = static_cast<std::size_t>(target.Width);
    for (std::int64_t i = iLo; i < iHi; ++i) {
        const std::int64_t x = xMajor ? m : n, y = xMajor ? n : m;
        target.Pixels[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x)] = color;
        m += step;
        rem += step2;
        if (rem >= den64) {
            rem -= den64;
            ++n;
        } else if (rem < 0) {
            rem += den64;
            --n;
        }
    }
}

void DrawLine(Surface565& target, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::uint16_t color) {
    DrawLineClipped(target, target.Bounds(), x0, y0, x1, y1, color);
}

}  // namespace klv
