#pragma once
// The about box's banner picture, drawn in code so the editor carries no
// binary artwork: a dusk sky over a few isometric tiles, a ball and its
// target ring, and the product name.

#include <QImage>

namespace klv::shell {

inline constexpr int kBannerWidth = 385;
inline constexpr int kBannerHeight = 100;

// A new kBannerWidth x kBannerHeight opaque picture. The same every call,
// apart from how the installed fonts render the name.
QImage DrawBanner();

}  // namespace klv::shell
