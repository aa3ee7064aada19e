// Frame ticks (only the visible part of the draw area is composed, the last
// frame stays while the timer is off), index-fault reports, and presses on
// the draw area with the object-ball rule.

#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

#include "shell/draw_area.h"
#include "shell/ox_button.h"
#include "shell_test_support.h"
#include "view/compositor.h"

using namespace klv::shell;
using namespace klv::shell::testing;

namespace {

// The whole back buffer of the window's level, composed the plain way.
klv::Surface565 WholeFrame(TForm1& w, std::int32_t animFrame) {
    klv::LayerImageSets sets;
    for (std::size_t i = 0; i < sets.Sets.size(); ++i) sets.Sets[i] = &w.PreparedImageLists[i];
    const klv::FrameInputs inputs{w.Level, sets, animFrame, nullptr, {}};
    klv::Surface565 whole;
    klv::ComposeWhole(inputs, whole);
    return whole;
}

// Whether `part`, covering `rect`, equals that rectangle of `whole`.
bool SameAsCrop(const klv::Surface565& part, const klv::DrawRect& rect, const klv::Surface565& whole) {
    if (part.Width != rect.Width || part.Height != rect.Height) return false;
    for (std::int32_t y = 0; y < rect.Height; ++y)
        for (std::int32_t x = 0; x < rect.Width; ++x)
            if (part.At(x, y) != whole.At(rect.Left + x, rect.Top + y)) return false;
    return true;
}

QImage GrabbedImage(QWidget* widget, const QRect& rect) { return widget->grab(rect).toImage().convertToFormat(QImage::Format_RGB32); }

bool GrabMatchesCrop(TForm1& w, const klv::DrawRect& rect, const klv::Surface565& whole) {
    const QImage shown = GrabbedImage(w.DXDraw1, QRect(rect.Left, rect.Top, rect.Width, rect.Height));
    for (std::int32_t y = 0; y < rect.Height; y += 7)
        for (std::int32_t x = 0; x < rect.Width; x += 5)
            if ((shown.pixel(x, y) & 0xFFFFFFu) != klv::RgbFromRgb565(whole.At(rect.Left + x, rect.Top + y)))
                return false;
    return true;
}

void Place(klv::LevelState& level, int a, int b, const char* code, std::int32_t tile, std::int32_t surface = -1) {
    klv::TCellRecord& cell = CellAt(level, a, b);
    cell.LayerCode.assign(code);
    cell.TileIndex = tile;
    cell.SurfaceIndex = surface;
}

}  // namespace

class FramesAndPressesTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void tickComposesTheVisiblePartOnly();
    void lastFrameStaysWhileTheTimerIsOff();
    void indexFaultGivesOneErrorBoxPerFault();
    void leftPressPlacesByLayer_data();
    void leftPressPlacesByLayer();
    void rightPressClearsPieceAndKeepsSurface();
    void middlePressAndMissesChangeNothing();
    void objectBallNeedsItsBall();
    void bothPressesOfADoubleClickAct();

private:
    std::unique_ptr<ProgramFolder> folder_;
    std::unique_ptr<TForm1> window_;
};

void FramesAndPressesTest::init() {
    folder_ = std::make_unique<ProgramFolder>();
    QVERIFY(FillWithMadeSets(*folder_));
    window_ = MakeWindow(*folder_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void FramesAndPressesTest::cleanup() {
    window_.reset();
    folder_.reset();
}

void FramesAndPressesTest::tickComposesTheVisiblePartOnly() {
    TForm1& w = *window_;
    Place(w.Level, 0, 14, "0", 2, 1);
    Place(w.Level, 1, 13, "2", 0);
    Place(w.Level, 5, 5, "1", 1);
    const int start = w.DXDraw1->PresentCount();
    QTRY_VERIFY(w.DXDraw1->PresentCount() > start);

    klv::DrawRect visible = w.VisibleDrawRect();
    QCOMPARE(visible.Left, 0);
    QCOMPARE(visible.Top, 0);
    QCOMPARE(visible.Width, w.ScrollBox110->viewport()->width());
    QCOMPARE(visible.Height, w.ScrollBox110->viewport()->height());
    QVERIFY(visible.Width < 1382 && visible.Height < 632);
    w.DXTimer1->SetEnabled(false);
    klv::DrawRect presented = w.DXDraw1->PresentedRect();
    QCOMPARE(presented.Width, visible.Width);
    QCOMPARE(presented.Height, visible.Height);
    QVERIFY(SameAsCrop(w.DXDraw1->Frame(), presented, WholeFrame(w, w.LastComposedAnimFrame())));

    // Scrolled: the next tick composes the newly visible part.
    w.ScrollBox110->horizontalScrollBar()->setValue(500);
    w.ScrollBox110->verticalScrollBar()->setValue(100);
    w.DXTimer1->SetEnabled(true);
    const int before = w.DXDraw1->PresentCount();
    QTRY_VERIFY(w.DXDraw1->PresentCount() > before);
    w.DXTimer1->SetEnabled(false);
    presented = w.DXDraw1->PresentedRect();
    QCOMPARE(presented.Left, 500);
    QCOMPARE(presented.Top, 100);
    const klv::Surface565 whole = WholeFrame(w, w.LastComposedAnimFrame());
    QVERIFY(SameAsCrop(w.DXDraw1->Frame(), presented, whole));
    QVERIFY(GrabMatchesCrop(w, presented, whole));
}

void FramesAndPressesTest::lastFrameStaysWhileTheTimerIsOff() {
    TForm1& w = *window_;
    const int start = w.DXDraw1->PresentCount();
    QTRY_VERIFY(w.DXDraw1->PresentCount() > start);
    w.DXTimer1->SetEnabled(false);
    const klv::AnimationCounters counters = w.Animation;
    const klv::Surface565 before = WholeFrame(w, w.LastComposedAnimFrame());
    const int presents = w.DXDraw1->PresentCount();

    // A change made now shows only at the next tick.
    Place(w.Level, 0, 14, "0", 0);
    QTest::qWait(80);
    QCOMPARE(w.DXDraw1->PresentCount(), presents);
    QVERIFY(GrabMatchesCrop(w, {0, 250, 120, 120}, before));

    // A part scrolled into view meanwhile is composed on demand, with the
    // last pattern and without advancing the animation.
    w.ScrollBox110->horizontalScrollBar()->setValue(600);
    QCoreApplication::processEvents();
    const klv::DrawRect visible = w.VisibleDrawRect();
    QCOMPARE(visible.Left, 600);
    QVERIFY(GrabMatchesCrop(w, visible, WholeFrame(w, w.LastComposedAnimFrame())));
    QCOMPARE(w.Animation.AnimTick, counters.AnimTick);
    QCOMPARE(w.Animation.AnimFrame, counters.AnimFrame);
    QCOMPARE(w.DXDraw1->PresentCount(), presents);
}

void FramesAndPressesTest::indexFaultGivesOneErrorBoxPerFault() {
    TForm1& w = *window_;
    std::vector<SeenBox> seen;
    bool ticksHeldWhileOpen = false;
    auto closer = CloseNextMessageBox(&seen, [&] { ticksHeldWhileOpen = !w.DXTimer1->Running(); });
    Place(w.Level, 0, 14, "0", 99);
    QTRY_COMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].Caption, QStringLiteral("Kelvaran2 LevelEditor"));
    QCOMPARE(seen[0].Text, QStringLiteral("List index out of bounds (99)"));
    QCOMPARE(seen[0].Icon, QMessageBox::Critical);
    QCOMPARE(seen[0].ButtonCount, 1);
    QVERIFY(ticksHeldWhileOpen);
    QVERIFY(w.DXTimer1->Enabled());
    QVERIFY(w.DXTimer1->Running());

    // The same fault again and again: no second box while frames go on.
    const int presents = w.DXDraw1->PresentCount();
    ModalAnswerer repeat([](QWidget* modal) { modal->close(); }, 300);
    QTest::qWait(350);
    repeat.Stop();
    QVERIFY(!repeat.Done());
    QVERIFY(w.DXDraw1->PresentCount() > presents);

    // A fault outside the visible part is reported too.
    auto second = CloseNextMessageBox(&seen);
    Place(w.Level, 14, 0, "1", 7);
    QTRY_COMPARE(seen.size(), std::size_t{2});
    QCOMPARE(seen[1].Text, QStringLiteral("List index out of bounds (7)"));

    // A new level reports afresh.
    w.oxButton1->click();
    auto third = CloseNextMessageBox(&seen);
    Place(w.Level, 0, 14, "0", 99);
    QTRY_COMPARE(seen.size(), std::size_t{3});
    QCOMPARE(seen[2].Text, QStringLiteral("List index out of bounds (99)"));
}

void FramesAndPressesTest::leftPressPlacesByLayer_data() {
    QTest::addColumn<QString>("layerButton");
    QTest::addColumn<QString>("paletteButton");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("layerCode");
    QTest::addColumn<int>("tile");
    QTest::addColumn<int>("surface");
    QTest::newRow("land") << "oxButton3" << "ScrollBox1sb2" << 0 << "0" << 2 << -1;
    QTest::newRow("land with Shift") << "oxButton3" << "ScrollBox1sb2" << int(Qt::ShiftModifier) << "0" << 2 << -1;
    QTest::newRow("ball with Ctrl+Alt") << "oxButton4" << "ScrollBox2sb1" << int(Qt::ControlModifier | Qt::AltModifier)
                                        << "1" << 1 << -1;
    QTest::newRow("other") << "oxButton5" << "ScrollBox3sb0" << 0 << "2" << 0 << -1;
    QTest::newRow("surface keeps the piece") << "oxButton12" << "ScrollBox5sb1" << 0 << "1" << 0 << 1;
    QTest::newRow("layer chosen, nothing picked: image 0") << "oxButton4" << "" << 0 << "1" << 0 << -1;
}

void FramesAndPressesTest::leftPressPlacesByLayer() {
    QFETCH(QString, layerButton);
    QFETCH(QString, paletteButton);
    QFETCH(int, modifiers);
    QFETCH(QString, layerCode);
    QFETCH(int, tile);
    QFETCH(int, surface);
    TForm1& w = *window_;
    Place(w.Level, 0, 14, "1", 0);
    w.findChild<OxButton*>(layerButton)->click();
    if (!paletteButton.isEmpty()) w.findChild<QToolButton*>(paletteButton)->click();
    QTest::mouseClick(w.DXDraw1, Qt::LeftButton, Qt::KeyboardModifiers(modifiers), CellPressPoint(w.Level, 0, 14));
    const klv::TCellRecord& cell = CellAt(w.Level, 0, 14);
    QCOMPARE(QString::fromStdString(std::string(cell.LayerCode.text())), layerCode);
    QCOMPARE(cell.TileIndex, tile);
    QCOMPARE(cell.SurfaceIndex, surface);
    // Only the pressed cell changes.
    QCOMPARE(CellAt(w.Level, 0, 13).LayerCode.length, 0);
    QCOMPARE(CellAt(w.Level, 1, 14).SurfaceIndex, -1);
}

void FramesAndPressesTest::rightPressClearsPieceAndKeepsSurface() {
    TForm1& w = *window_;
    Place(w.Level, 0, 13, "0", 2, 1);
    w.oxButton4->click();
    QTest::mouseClick(w.DXDraw1, Qt::RightButton, {}, CellPressPoint(w.Level, 0, 13));
    const klv::TCellRecord& cell = CellAt(w.Level, 0, 13);
    QCOMPARE(cell.LayerCode.length, 0);
    QCOMPARE(cell.TileIndex, -1);
    QCOMPARE(cell.SurfaceIndex, 1);
    QCOMPARE(cell.LayerCode.chars[0], '0');  // clearing writes only the length
}

void FramesAndPressesTest::middlePressAndMissesChangeNothing() {
    TForm1& w = *window_;
    Place(w.Level, 0, 13, "0", 2);
    QTest::mouseClick(w.DXDraw1, Qt::MiddleButton, {}, CellPressPoint(w.Level, 0, 13));
    QTest::mouseClick(w.DXDraw1, Qt::BackButton, {}, CellPressPoint(w.Level, 0, 13));
    QCOMPARE(CellAt(w.Level, 0, 13).TileIndex, 2);
    // The top-left corner of the map lies outside every diamond.
    const klv::LevelState before = w.Level;
    QTest::mouseClick(w.DXDraw1, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(w.DXDraw1, Qt::RightButton, {}, QPoint(5, 5));
    for (int a = 0; a < 15; ++a)
        for (int b = 0; b < 15; ++b) {
            QCOMPARE(CellAt(w.Level, a, b).TileIndex, CellAt(before, a, b).TileIndex);
            QCOMPARE(CellAt(w.Level, a, b).LayerCode.length, CellAt(before, a, b).LayerCode.length);
        }
}

void FramesAndPressesTest::objectBallNeedsItsBall() {
    TForm1& w = *window_;
    w.oxButton10->click();
    w.findChild<QToolButton*>(QStringLiteral("ScrollBox4sb2"))->click();

    // No ball 2 on the level: the warning, and the cell stays empty. Frames
    // go on while the warning is open.
    std::vector<SeenBox> seen;
    int framesWhileOpen = 0;
    auto closer = CloseNextMessageBox(&seen, [&] {
        const int before = w.DXDraw1->PresentCount();
        QTest::qWait(100);
        framesWhileOpen = w.DXDraw1->PresentCount() - before;
    });
    QTest::mouseClick(w.DXDraw1, Qt::LeftButton, {}, CellPressPoint(w.Level, 0, 14));
    QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].Caption, QStringLiteral("Warning"));
    QCOMPARE(seen[0].Text, QStringLiteral("please place the ball before placing target."));
    QCOMPARE(seen[0].Icon, QMessageBox::Warning);
    QCOMPARE(seen[0].ButtonCount, 1);
    QVERIFY(framesWhileOpen > 0);
    QCOMPARE(CellAt(w.Level, 0, 14).LayerCode.length, 0);

    // With ball 2 placed, target 2 goes on an empty cell...
    Place(w.Level, 0, 12, "1", 2);
    QTest::mouseClick(w.DXDraw1, Qt::LeftButton, {}, CellPressPoint(w.Level, 0, 14));
    QCOMPARE(CellAt(w.Level, 0, 14).LayerCode.text(), std::string_view("3"));
    QCOMPARE(CellAt(w.Level, 0, 14).TileIndex, 2);
    // ...and on the ball's own cell, replacing the ball.
    QTest::mouseClick(w.DXDraw1, Qt::LeftButton, {}, CellPressPoint(w.Level, 0, 12));
    QCOMPARE(CellAt(w.Level, 0, 12).LayerCode.text(), std::string_view("3"));

    // No ball 1, on a cell holding a piece: nothing changes, no message.
    w.findChild<QToolButton*>(QStringLiteral("ScrollBox4sb1"))->click();
    Place(w.Level, 1, 14, "0", 0);
    ModalAnswerer none([](QWidget* modal) { modal->close(); }, 200);
    QTest::mouseClick(w.DXDraw1, Qt::LeftButton, {}, CellPressPoint(w.Level, 1, 14));
    QTest::qWait(250);
    none.Stop();
    QVERIFY(!none.Done());
    QCOMPARE(CellAt(w.Level, 1, 14).LayerCode.text(), std::string_view("0"));
}

void FramesAndPressesTest::bothPressesOfADoubleClickAct() {
    TForm1& w = *window_;
    w.oxButton10->click();
    std::vector<SeenBox> seen;
    std::unique_ptr<ModalAnswerer> second;
    auto first = CloseNextMessageBox(&seen, [&] { second = CloseNextMessageBox(&seen); });
    // What a double click delivers: press, release, double-click, release.
    const QPoint at = CellPressPoint(w.Level, 0, 14);
    QTest::mouseClick(w.DXDraw1, Qt::LeftButton, {}, at);
    QTest::mouseDClick(w.DXDraw1, Qt::LeftButton, {}, at);
    QTest::mouseRelease(w.DXDraw1, Qt::LeftButton, {}, at);
    QTRY_COMPARE(seen.size(), std::size_t{2});
    QCOMPARE(seen[1].Text, QStringLiteral("please place the ball before placing target."));
}

QTEST_MAIN(FramesAndPressesTest)
#include "test_frames_and_presses.moc"
