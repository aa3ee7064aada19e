// Measures the real editor window: time from start to the first presented
// frame, CPU use of the idle window at 15 x 15 and at 99 x 99 (a filled level
// opened through the OpenLevel command with its dialog answered here), and
// peak memory. Usage: measure_editor [seconds per phase] [--screenshot file.png]

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "model/level_file.h"
#include "shell/application.h"
#include "shell/draw_area.h"
#include "shell/file_dialogs.h"
#include "shell/frame_timer.h"
#include "shell/main_window.h"
#include "shell/ox_button.h"

namespace {

class AnsweredDialogs final : public klv::shell::FileDialogs {
public:
    QString OpenPath;
    QString GetSaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString GetOpenFileName(QWidget*, const QString&, const QString&) override { return OpenPath; }
};

// utime + stime of this process, in clock ticks.
long long CpuTicks() {
    std::ifstream stat("/proc/self/stat");
    std::string content((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto close = content.rfind(')');
    std::istringstream fields(content.substr(close + 2));
    std::string field;
    long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) utime = std::stoll(field);
        if (i == 15) stime = std::stoll(field);
    }
    return utime + stime;
}

std::string StatusLine(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0) return line;
    return {};
}

// Runs the event loop for `seconds` and returns the CPU use in percent of one
// core, and the frames presented meanwhile.
std::pair<double, int> IdlePhase(klv::shell::TForm1& window, int seconds) {
    QElapsedTimer wall;
    const int framesBefore = window.DXDraw1->PresentCount();
    const long long before = CpuTicks();
    wall.start();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    const double elapsed = static_cast<double>(wall.elapsed()) / 1000.0;
    const double cpu = static_cast<double>(CpuTicks() - before) / static_cast<double>(sysconf(_SC_CLK_TCK));
    return {100.0 * cpu / elapsed, window.DXDraw1->PresentCount() - framesBefore};
}

// A 99 x 99 level with something in every cell, drawn from the loaded sets.
klv::LevelState FilledLevel(const klv::shell::TForm1& window) {
    klv::LevelState level = klv::MakeLevel(99);
    const auto count = [](const klv::ImageSet& set) { return static_cast<std::int32_t>(set.Items.size()); };
    const std::int32_t lands = count(window.DXImageList1), balls = count(window.DXImageList2);
    const std::int32_t others = count(window.DXImageList3), surfaces = count(window.DXImageList5);
    for (std::int32_t a = 0; a < 99; ++a) {
        for (std::int32_t b = 0; b < 99; ++b) {
            klv::TCellRecord& cell = level.Cells[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
            const std::int32_t k = a * 99 + b;
            if (surfaces > 0 && k % 3 == 0) cell.SurfaceIndex = k % surfaces;
            if (k % 5 == 0 && others > 0) {
                cell.LayerCode.assign("2");
                cell.TileIndex = k % others;
            } else if (k % 7 == 0 && balls > 0) {
                cell.LayerCode.assign("1");
                cell.TileIndex = k % balls;
            } else if (k % 2 == 0 && lands > 0) {
                cell.LayerCode.assign("0");
                cell.TileIndex = k % lands;
            }
        }
    }
    return level;
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    klv::shell::EditorApplication app(argc, argv);
    int seconds = 20;
    QString screenshot;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QStringLiteral("--screenshot") && i + 1 < argc)
            screenshot = QString::fromLocal8Bit(argv[++i]);
        else
            seconds = std::max(1, arg.toInt());
    }

    auto dialogs = std::make_shared<AnsweredDialogs>();
    klv::shell::TForm1 window({QString(), dialogs});
    qint64 firstFrameMs = -1;
    QObject::connect(window.DXDraw1, &klv::shell::DrawArea::presented, &window, [&] {
        if (firstFrameMs < 0) firstFrameMs = sinceStart.elapsed();
    });
    // Without a window manager nothing makes the application active, and
    // ticks run only while it is; the ticks are what is measured here.
    window.DXTimer1->SetApplicationActiveOverride(true);
    window.show();
    window.activateWindow();
    while (firstFrameMs < 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const bool activeByItself = QGuiApplication::applicationState() == Qt::ApplicationActive;

    std::printf("platform: %s; application active by itself: %s\n", qPrintable(QGuiApplication::platformName()),
                activeByItself ? "yes" : "no (ticks run as if it were)");
    std::printf("tick interval: %d ms\n", window.DXTimer1->IntervalMs());
    std::printf("start to first presented frame: %lld ms\n", static_cast<long long>(firstFrameMs));

    const auto [cpuSmall, framesSmall] = IdlePhase(window, seconds);
    std::printf("idle at 15 x 15 for %d s: CPU %.1f %% of one core, %d frames\n", seconds, cpuSmall, framesSmall);

    if (!screenshot.isEmpty()) window.grab().save(QStringLiteral("start-") + screenshot);

    QTemporaryDir temp;
    const QString levelPath = temp.path() + QStringLiteral("/measure99.klv");
    const klv::LevelWriteResult written =
        klv::WriteLevelFile(QFile::encodeName(levelPath).toStdString(), FilledLevel(window));
    if (!written.Ok) {
        std::fprintf(stderr, "cannot write the test level: %s\n", written.Error.c_str());
        return 1;
    }
    dialogs->OpenPath = levelPath;
    window.oxButton6->click();
    std::printf("opened: %s (%dx%d)\n", qPrintable(window.windowTitle()), window.Level.LevelWidth,
                window.Level.LevelHeight);

    const auto [cpuLarge, framesLarge] = IdlePhase(window, seconds);
    std::printf("idle at 99 x 99 for %d s: CPU %.1f %% of one core, %d frames\n", seconds, cpuLarge, framesLarge);
    std::printf("%s\n%s\n", StatusLine("VmHWM").c_str(), StatusLine("VmRSS").c_str());

    if (!screenshot.isEmpty()) {
        window.ScrollBox110->horizontalScrollBar()->setValue(4300);
        window.ScrollBox110->verticalScrollBar()->setValue(1900);
        QEventLoop show;
        QTimer::singleShot(300, &show, &QEventLoop::quit);
        show.exec();
        window.grab().save(screenshot);
    }
    return 0;
}
