// Draws the README screenshot with the real editor: opens the main window,
// builds a small level the way a user does (layer button, palette button,
// presses on the draw area), lets it animate, and saves the window as a PNG.
//
//     make_screenshot <output.png> [program folder holding dxg/]
//
// Meant to run on a real display server (scripts/screenshot.sh uses Xvfb).

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <cstdio>
#include <vector>

#include "model/level.h"
#include "shell/application.h"
#include "shell/draw_area.h"
#include "shell/main_window.h"
#include "shell/ox_button.h"

namespace {

using klv::shell::TForm1;

struct Cell {
    int a;
    int b;
};

// One stroke of the picture: a layer button, an image of its palette, and
// the cells to press. A stroke that `fills` covers whatever of its cells the
// scroll box shows; the others expect every cell to be shown.
struct Stroke {
    const char* layerButton;
    const char* paletteScrollBox;
    int image;
    std::vector<Cell> cells;
    bool fills = false;
};

// Cells of a 15 x 15 level by depth (a + b) and sideways place (a - b).
template <typename Keep>
std::vector<Cell> CellsWhere(Keep keep) {
    std::vector<Cell> cells;
    for (int a = 0; a < klv::kStartLevelSize; ++a) {
        for (int b = 0; b < klv::kStartLevelSize; ++b) {
            if (keep(a + b, a - b, a, b)) {
                cells.push_back({a, b});
            }
        }
    }
    return cells;
}

// A meadow near the top corner of the map with a river, a stone road and a
// strip of sand, some blocks, three balls and their targets. Balls come
// before their targets: a target needs its ball on the level.
std::vector<Stroke> Picture() {
    const auto field = [](int depth, int side, int, int) {
        return depth >= 3 && depth <= 17 && side >= -3 && side <= 3;  // what the centred scroll box shows
    };
    const auto river = [field](int depth, int side, int, int b) { return field(depth, side, 0, 0) && b == 7; };
    const auto road = [field](int depth, int side, int a, int) { return field(depth, side, 0, 0) && a == 5; };
    const auto beach = [field](int depth, int side, int, int) { return field(depth, side, 0, 0) && depth >= 16; };
    // Images of the bundled surface set; another set just gives other colours.
    constexpr int kWater = 0;
    constexpr int kMeadow = 2;
    constexpr int kSand = 3;
    constexpr int kStoneTiles = 4;
    return {
        {"oxButton12", "ScrollBox5", kMeadow, CellsWhere(field), true},
        {"oxButton12", "ScrollBox5", kSand, CellsWhere(beach), true},
        {"oxButton12", "ScrollBox5", kWater, CellsWhere(river), true},
        {"oxButton12", "ScrollBox5", kStoneTiles, CellsWhere(road), true},
        {"oxButton3", "ScrollBox1", 0, {{2, 4}, {8, 6}}},
        {"oxButton3", "ScrollBox1", 2, {{4, 2}, {5, 7}}},
        {"oxButton3", "ScrollBox1", 1, {{8, 10}}},
        {"oxButton3", "ScrollBox1", 3, {{10, 7}}},
        {"oxButton4", "ScrollBox2", 0, {{3, 3}}},
        {"oxButton4", "ScrollBox2", 1, {{6, 3}}},
        {"oxButton4", "ScrollBox2", 2, {{7, 5}}},
        {"oxButton10", "ScrollBox4", 0, {{8, 8}}},
        {"oxButton10", "ScrollBox4", 1, {{5, 8}}},
        {"oxButton10", "ScrollBox4", 2, {{9, 7}}},
    };
}

template <typename T>
T* Find(QWidget* root, const QString& name) {
    return root->findChild<T*>(name);
}

void Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
    QTest::qWait(30);
}

// The palette button for `image`, or the palette's first one if the set is
// shorter; scrolled into view like a user would.
QAbstractButton* PaletteButton(TForm1& window, const QString& scrollBoxName, int image) {
    auto* scrollBox = Find<QScrollArea>(&window, scrollBoxName);
    if (scrollBox == nullptr) {
        return nullptr;
    }
    auto* button = Find<QAbstractButton>(scrollBox, scrollBoxName + QStringLiteral("sb%1").arg(image));
    if (button == nullptr) {
        button = Find<QAbstractButton>(scrollBox, scrollBoxName + QStringLiteral("sb0"));
    }
    if (button != nullptr) {
        scrollBox->ensureWidgetVisible(button);
    }
    return button;
}

// Centre of cell [a][b] in draw-area coordinates, if the scroll box shows
// the whole diamond.
bool VisibleCellCentre(const TForm1& window, Cell cell, QPoint& centre) {
    const klv::LevelState& level = window.Level;
    if (cell.a < 0 || cell.b < 0 || cell.a >= level.LevelWidth || cell.b >= level.LevelHeight) {
        return false;
    }
    const klv::TCellShape& shape =
        level.CellShapes[static_cast<std::size_t>(cell.a)][static_cast<std::size_t>(cell.b)];
    // Picking adds the view offsets, so a press lands at map point - offset.
    const QRect diamond(QPoint(shape.Left.x, shape.Top.y) - QPoint(level.ViewOffsetX, level.ViewOffsetY),
                        QPoint(shape.Right.x, shape.Bottom.y) - QPoint(level.ViewOffsetX, level.ViewOffsetY));
    const klv::DrawRect shown = window.VisibleDrawRect();
    const QRect visible(shown.Left, shown.Top, shown.Width, shown.Height);
    if (!visible.contains(diamond)) {
        return false;
    }
    centre = diamond.center();
    return true;
}

void CentreTheMap(TForm1& window) {
    QScrollBar* bar = window.ScrollBox110->horizontalScrollBar();
    const int viewport = window.ScrollBox110->viewport()->width();
    bar->setValue((window.DXDraw1->width() - viewport) / 2);
    QTest::qWait(50);
}

int Paint(TForm1& window) {
    int missed = 0;
    for (const Stroke& stroke : Picture()) {
        auto* layer = Find<klv::shell::OxButton>(&window, QLatin1String(stroke.layerButton));
        QAbstractButton* image = PaletteButton(window, QLatin1String(stroke.paletteScrollBox), stroke.image);
        if (layer == nullptr || image == nullptr) {
            std::fprintf(stderr, "make_screenshot: no %s / %s palette button\n", stroke.layerButton,
                         stroke.paletteScrollBox);
            ++missed;
            continue;
        }
        Click(layer);
        Click(image);
        for (const Cell cell : stroke.cells) {
            QPoint at;
            if (!VisibleCellCentre(window, cell, at)) {
                if (!stroke.fills) {
                    std::fprintf(stderr, "make_screenshot: cell [%d][%d] is not shown whole\n", cell.a, cell.b);
                    ++missed;
                }
                continue;
            }
            QTest::mouseClick(window.DXDraw1, Qt::LeftButton, Qt::NoModifier, at);
            QTest::qWait(5);
        }
    }
    return missed;
}

// Runs the event loop until the draw area has presented `frames` more
// frames (or a generous number of rounds has passed).
void LetItAnimate(TForm1& window, int frames) {
    const int start = window.DXDraw1->PresentCount();
    for (int round = 0; round < 500 && window.DXDraw1->PresentCount() - start < frames; ++round) {
        QTest::qWait(10);
    }
}

QImage GrabWindow(TForm1& window) {
    if (QScreen* screen = window.screen()) {
        const QImage shot = screen->grabWindow(window.winId()).toImage();
        if (!shot.isNull() && shot.size() == window.size()) {
            return shot;
        }
    }
    return window.grab().toImage();
}

}  // namespace

int main(int argc, char** argv) {
    klv::shell::EditorApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_screenshot <output.png> [program folder holding dxg/]\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    klv::shell::MainWindowSetup setup;
    setup.ProgramFolder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QCoreApplication::applicationDirPath();
    // Without its image sets the editor shows a modal error box at start;
    // nobody would be there to close it.
    for (const char* set : {"land.dxg", "ball.dxg", "anm.dxg", "objectball.dxg", "surface.dxg"}) {
        if (!QFileInfo::exists(QDir(setup.ProgramFolder).filePath(QStringLiteral("dxg/") + QLatin1String(set)))) {
            std::fprintf(stderr, "make_screenshot: %s/dxg/%s is missing\n", qPrintable(setup.ProgramFolder), set);
            return 1;
        }
    }

    TForm1 window(setup);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "make_screenshot: the window never reached the screen\n");
        return 1;
    }
    window.activateWindow();
    LetItAnimate(window, 3);
    CentreTheMap(window);

    const int missed = Paint(window);
    if (missed > 0) {
        std::fprintf(stderr, "make_screenshot: %d presses skipped (cell not shown or no button)\n", missed);
    }
    // Park the palette on the land page, the one a user starts with.
    if (auto* land = Find<klv::shell::OxButton>(&window, QStringLiteral("oxButton3"))) {
        Click(land);
    }
    LetItAnimate(window, 40);

    const QImage shot = GrabWindow(window);
    if (shot.isNull() || !shot.save(output)) {
        std::fprintf(stderr, "make_screenshot: could not save %s\n", qPrintable(output));
        return 1;
    }
    std::printf("make_screenshot: %dx%d window saved to %s\n", shot.width(), shot.height(), qPrintable(output));
    return 0;
}
