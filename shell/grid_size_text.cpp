#include "shell/grid_size_text.h"

namespace klv::shell {

std::optional<std::int32_t> ParseGridSize(QStringView text) {
    QStringView rest = text;
    while (!rest.isEmpty() && rest.front() == u' ') {
        rest = rest.sliced(1);
    }
    while (!rest.isEmpty() && rest.back() == u' ') {
        rest.chop(1);
    }
    if (!rest.isEmpty() && rest.front() == u'+') {
        rest = rest.sliced(1);
    }
    if (rest.isEmpty()) {
        return std::nullopt;
    }
    std::int32_t value = 0;
    for (const QChar c : rest) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c.unicode() - u'0');
        if (value > kMaxGridSize) {
            return std::nullopt;  // also stops overflow on long texts
        }
    }
    return value;
}

}  // namespace klv::shell
