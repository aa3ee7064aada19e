#include "shell/banner.h"

#include <array>
#include <cstdint>

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

namespace klv::shell {

namespace {

// Tile geometry: the level's 92 x 42 diamond at a bit under half size.
constexpr double kTileW = 40.0;
constexpr double kTileH = 19.0;
constexpr double kTileDepth = 5.0;  // visible thickness of a floor tile
constexpr int kGrid = 4;
constexpr double kGridTopX = 298.0;  // top vertex of tile (0, 0)
constexpr double kGridTopY = 16.0;

QPointF tileTop(int a, int b) {
    return {kGridTopX + (a - b) * kTileW / 2.0, kGridTopY + (a + b) * kTileH / 2.0};
}

QPointF tileCentre(int a, int b) {
    return tileTop(a, b) + QPointF(0.0, kTileH / 2.0);
}

void drawSky(QPainter& p) {
    QLinearGradient sky(0, 0, 0, kBannerHeight);
    sky.setColorAt(0.00, QColor(12, 14, 48));
    sky.setColorAt(0.45, QColor(58, 36, 104));
    sky.setColorAt(0.75, QColor(168, 78, 104));
    sky.setColorAt(1.00, QColor(246, 160, 92));
    p.fillRect(QRect(0, 0, kBannerWidth, kBannerHeight), sky);

    // A low sun behind the tiles.
    QRadialGradient glow(QPointF(300, 92), 120);
    glow.setColorAt(0.0, QColor(255, 214, 140, 190));
    glow.setColorAt(0.35, QColor(255, 150, 110, 90));
    glow.setColorAt(1.0, QColor(255, 120, 120, 0));
    p.fillRect(QRect(0, 0, kBannerWidth, kBannerHeight), glow);

    // Stars from a fixed linear congruential sequence: the same sky every time.
    std::uint32_t seed = 20261211u;
    auto next = [&seed](std::uint32_t range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 46; ++i) {
        const auto x = static_cast<double>(next(kBannerWidth));
        const auto y = static_cast<double>(next(52));
        const int alpha = 90 + static_cast<int>(next(150)) - static_cast<int>(y * 1.5);
        const double r = next(5) == 0 ? 1.1 : 0.6;
        p.setBrush(QColor(255, 250, 230, std::max(alpha, 30)));
        p.drawEllipse(QPointF(x, y), r, r);
    }
}

// One floor tile with its two visible sides; `lift` raises a block.
void drawTile(QPainter& p, int a, int b, double lift, const QColor& top) {
    const QPointF t = tileTop(a, b) - QPointF(0, lift);
    const QPointF l = t + QPointF(-kTileW / 2, kTileH / 2);
    const QPointF r = t + QPointF(kTileW / 2, kTileH / 2);
    const QPointF btm = t + QPointF(0, kTileH);
    const QPointF down(0, kTileDepth + lift);

    p.setPen(Qt::NoPen);
    p.setBrush(top.darker(170));
    p.drawPolygon(QPolygonF({l, btm, btm + down, l + down}));
    p.setBrush(top.darker(230));
    p.drawPolygon(QPolygonF({btm, r, r + down, btm + down}));

    QLinearGradient face(l, r);
    face.setColorAt(0.0, top.lighter(125));
    face.setColorAt(1.0, top);
    p.setBrush(face);
    p.setPen(QPen(top.lighter(160), 0.8));
    p.drawPolygon(QPolygonF({t, r, btm, l}));
}

void drawFloor(QPainter& p) {
    // Back to front, as the editor itself draws a level.
    const std::array<QColor, 2> checker{QColor(44, 124, 132), QColor(36, 104, 120)};
    for (int sum = 0; sum <= 2 * (kGrid - 1); ++sum) {
        for (int a = 0; a < kGrid; ++a) {
            const int b = sum - a;
            if (b < 0 || b >= kGrid) {
                continue;
            }
            const bool block = (a == 0 && b == 2) || (a == 3 && b == 0);
            drawTile(p, a, b, block ? 12.0 : 0.0,
                     block ? QColor(150, 104, 64) : checker[static_cast<std::size_t>((a + b) % 2)]);
        }
    }
}

// The glowing ring an object ball sits in.
void drawTarget(QPainter& p, QPointF centre) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 230, 120, 90), 4.0));
    p.drawEllipse(centre, 11.0, 5.2);
    p.setPen(QPen(QColor(255, 236, 150), 1.4));
    p.drawEllipse(centre, 11.0, 5.2);
}

void drawBall(QPainter& p, QPointF restingOn, double radius, const QColor& colour) {
    p.setPen(Qt::NoPen);
    QRadialGradient shadow(restingOn, radius * 1.2);
    shadow.setColorAt(0.0, QColor(0, 0, 0, 120));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setBrush(shadow);
    p.drawEllipse(restingOn, radius * 1.2, radius * 0.55);

    const QPointF centre = restingOn - QPointF(0, radius * 0.9);
    QRadialGradient shade(centre, radius, centre + QPointF(-radius * 0.4, -radius * 0.45));
    shade.setColorAt(0.0, QColor(255, 255, 255));
    shade.setColorAt(0.25, colour.lighter(130));
    shade.setColorAt(0.8, colour.darker(150));
    shade.setColorAt(1.0, colour.darker(260));
    p.setBrush(shade);
    p.drawEllipse(centre, radius, radius);
}

// The name, shrunk if the installed bold font runs wide.
void drawName(QPainter& p) {
    constexpr int kLeft = 16;
    constexpr int kMaxWidth = 190;
    const QString name = QStringLiteral("Kelvaran2");
    QFont big(QStringLiteral("Arial"));
    big.setStyleHint(QFont::SansSerif);
    big.setBold(true);
    big.setPixelSize(36);
    while (big.pixelSize() > 20 && QFontMetrics(big).horizontalAdvance(name) > kMaxWidth) {
        big.setPixelSize(big.pixelSize() - 1);
    }
    const QFontMetrics bigMetrics(big);
    const int baseline = 54;

    QPainterPath path;
    path.addText(kLeft, baseline, big, name);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawPath(path.translated(2, 2));
    QLinearGradient fill(0, baseline - bigMetrics.ascent(), 0, baseline);
    fill.setColorAt(0.0, QColor(255, 255, 255));
    fill.setColorAt(1.0, QColor(255, 214, 150));
    p.setBrush(fill);
    p.setPen(QPen(QColor(70, 30, 60), 0.8));
    p.drawPath(path);

    QFont small(QStringLiteral("Arial"));
    small.setStyleHint(QFont::SansSerif);
    small.setPixelSize(14);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 2.5);
    p.setFont(small);
    p.setPen(QColor(166, 202, 240));
    p.drawText(QPointF(kLeft + 2, baseline + 22), QStringLiteral("LEVEL EDITOR"));

    p.setPen(QPen(QColor(166, 202, 240, 120), 1.0));
    p.drawLine(QPointF(kLeft + 2, baseline + 7), QPointF(kLeft + 2 + bigMetrics.horizontalAdvance(name), baseline + 7));
}

}  // namespace

QImage DrawBanner() {
    QImage image(kBannerWidth, kBannerHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawSky(p);
    drawFloor(p);
    drawTarget(p, tileCentre(2, 3));
    drawBall(p, tileCentre(1, 1), 10.0, QColor(220, 52, 40));
    drawBall(p, tileCentre(2, 2) + QPointF(0, 1), 8.0, QColor(60, 150, 230));
    drawName(p);
    return image;
}

}  // namespace klv::shell
