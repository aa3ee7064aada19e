#pragma once
// The about box's three lines.

#include <QString>

namespace klv::shell {

inline QString AboutProductLine() {
    return QStringLiteral("Kelvaran2 LevelEditor " KLV_VERSION);
}

inline QString AboutRightsLine() {
    return QStringLiteral("Copyright \u00A9 2026");
}

inline QString AboutContactLine() {
    return QStringLiteral("Contact: leveleditor@kelvaran2.example");
}

}  // namespace klv::shell
