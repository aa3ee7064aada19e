#pragma once
// The toolkit's colour identifiers that image-set files use for
// TransparentColor (values 0x00BBGGRR, low byte red).

#include <cstdint>
#include <optional>
#include <string_view>

namespace klv::dxg {

std::optional<std::uint32_t> ColourByName(std::string_view name);
// The identifier the toolkit writes for `colour`, or empty when it has none.
std::string_view NameOfColour(std::uint32_t colour);

}  // namespace klv::dxg
