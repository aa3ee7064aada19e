// The five palettes built by the show handler, its failures, and the layer
// and palette buttons.

#include <QIcon>
#include <QImage>
#include <QScrollArea>
#include <QStackedWidget>
#include <QToolButton>
#include <QtTest>

#include "model/imageset/dxg_file.h"
#include "shell/draw_area.h"
#include "shell/ox_button.h"
#include "shell_test_support.h"

using namespace klv::shell;
using namespace klv::shell::testing;

namespace {

QList<QToolButton*> PaletteButtons(QScrollArea* box) {
    QList<QToolButton*> buttons = box->widget()->findChildren<QToolButton*>();
    std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->y() < b->y(); });
    return buttons;
}

QStringList Captions(QScrollArea* box) {
    QStringList captions;
    for (QToolButton* button : PaletteButtons(box)) captions << button->text();
    return captions;
}

QToolButton* PaletteButton(TForm1& w, QScrollArea* box, int index) {
    return w.findChild<QToolButton*>(box->objectName() + QStringLiteral("sb") + QString::number(index));
}

std::size_t NamedCount(const QString& path) {
    klv::ImageSet set;
    if (!klv::LoadImageSetFile(QFile::encodeName(path).toStdString(), set).Ok) return 0;
    return static_cast<std::size_t>(std::count_if(set.Items.begin(), set.Items.end(),
                                                  [](const klv::ImageItem& item) { return !item.Name.empty(); }));
}

}  // namespace

class PalettesTest : public QObject {
    Q_OBJECT
private slots:
    void buttonsForNamedImagesOnly();
    void fixtureSetsGiveThumbnailButtons();
    void bundledSetsFillEveryPalette();
    void failingSetStopsTheShowHandler_data();
    void failingSetStopsTheShowHandler();
    void layerButtons_data();
    void layerButtons();
    void pressedButtonPerPaletteSurvivesLayerChanges();
    void paletteButtonsAndScrollBoxesTakeNoFocus();
};

void PalettesTest::buttonsForNamedImagesOnly() {
    ProgramFolder folder;
    QVERIFY(FillWithMadeSets(folder));
    auto window = MakeWindow(folder);
    TForm1& w = *window;
    w.show();
    // land: named, unnamed, named.
    QCOMPARE(Captions(w.ScrollBox1), (QStringList{"0", "2"}));
    QCOMPARE(Captions(w.ScrollBox2), (QStringList{"0", "1", "2"}));
    QCOMPARE(Captions(w.ScrollBox3), (QStringList{"0"}));
    QCOMPARE(Captions(w.ScrollBox5), (QStringList{"0", "1"}));
    QToolButton* second = PaletteButton(w, w.ScrollBox1, 2);
    QVERIFY(second);
    QCOMPARE(second->geometry(), QRect(6, 86, 92, 70));
    QCOMPARE(PaletteButton(w, w.ScrollBox1, 0)->geometry(), QRect(6, 6, 92, 70));
    QCOMPARE(second->iconSize(), QSize(64, 64));
    QVERIFY(second->isCheckable());
    for (QScrollArea* box : {w.ScrollBox1, w.ScrollBox2, w.ScrollBox3, w.ScrollBox4, w.ScrollBox5})
        for (QToolButton* button : PaletteButtons(box)) QVERIFY(!button->isChecked());
    // The scratch set was reloaded with the land images at the end.
    QCOMPARE(w.DXImageList1.Items[0].Name, std::string("grass"));
    QCOMPARE(w.DXImageList2.Items[0].Name, std::string("red"));
}

void PalettesTest::fixtureSetsGiveThumbnailButtons() {
    if (!FixturesPresent()) QSKIP("the shared fixture folder with tileset1.dxg and font.dxg is absent");
    ProgramFolder folder;
    QVERIFY(FillWithFixtureSets(folder));
    auto window = MakeWindow(folder);
    TForm1& w = *window;
    w.show();
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelvaran2 LevelEditor--Untitled"));
    // tileset1.dxg: image 0 is unnamed, 1 to 3 are named.
    QCOMPARE(Captions(w.ScrollBox1), (QStringList{"1", "2", "3"}));
    QCOMPARE(PaletteButton(w, w.ScrollBox1, 1)->geometry(), QRect(6, 6, 92, 70));
    QCOMPARE(PaletteButton(w, w.ScrollBox1, 3)->geometry(), QRect(6, 166, 92, 70));
    QCOMPARE(Captions(w.ScrollBox3), (QStringList{"0"}));
    QCOMPARE(w.DXImageList1.Items.size(), std::size_t{4});
    QCOMPARE(w.DXImageList3.Items.size(), std::size_t{1});

    // Image 1 is 64 x 64 with a black top-left pixel: painted into the
    // thumbnail, while the unpainted white bottom row shows the face.
    const QImage glyph = PaletteButton(w, w.ScrollBox1, 1)->icon().pixmap(64, 64).toImage();
    QCOMPARE(glyph.size(), QSize(64, 64));
    QCOMPARE(qAlpha(glyph.pixel(0, 0)), 255);
    QCOMPARE(glyph.pixel(0, 0) & 0xFFFFFFu, 0u);
    QCOMPARE(qAlpha(glyph.pixel(0, 63)), 0);
    QCOMPARE(qAlpha(glyph.pixel(63, 0)), 0);
    // The 64 x 64 picture fills 44 x 44 of the thumbnail; the rest is white.
    QCOMPARE(qAlpha(glyph.pixel(50, 50)), 0);
}

void PalettesTest::bundledSetsFillEveryPalette() {
    if (!QFile::exists(BundledSet(QStringLiteral("land.dxg"))))
        QSKIP("the bundled image sets have not been built into bin/dxg");
    ProgramFolder folder;
    for (const QString& name : kSetFiles) QVERIFY(folder.CopySet(BundledSet(name), name));
    auto window = MakeWindow(folder);
    TForm1& w = *window;
    ModalAnswerer unexpected([](QWidget* modal) { modal->close(); }, 300);
    w.show();
    QTest::qWait(350);
    unexpected.Stop();
    QVERIFY(!unexpected.Done());
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelvaran2 LevelEditor--Untitled"));
    const QList<QScrollArea*> boxes = {w.ScrollBox1, w.ScrollBox2, w.ScrollBox3, w.ScrollBox4, w.ScrollBox5};
    for (int i = 0; i < 5; ++i) {
        const std::size_t named = NamedCount(BundledSet(kSetFiles[i]));
        QVERIFY(named > 0);
        QCOMPARE(static_cast<std::size_t>(PaletteButtons(boxes[i]).size()), named);
    }
}

void PalettesTest::failingSetStopsTheShowHandler_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("failure");  // "missing", "damaged", "jpeg"
    QTest::addColumn<int>("paletteCountBuilt");
    QTest::newRow("land missing") << "land.dxg" << "missing" << 0;
    QTest::newRow("anm missing") << "anm.dxg" << "missing" << 2;
    QTest::newRow("surface missing") << "surface.dxg" << "missing" << 4;
    QTest::newRow("ball damaged") << "ball.dxg" << "damaged" << 1;
    QTest::newRow("objectball with a picture that is no bitmap") << "objectball.dxg" << "jpeg" << 3;
}

void PalettesTest::failingSetStopsTheShowHandler() {
    QFETCH(QString, file);
    QFETCH(QString, failure);
    QFETCH(int, paletteCountBuilt);
    ProgramFolder folder;
    QVERIFY(FillWithMadeSets(folder));
    QString expectedText;
    if (failure == QStringLiteral("missing")) {
        QVERIFY(QFile::remove(folder.DxgPath(file)));
        expectedText = QStringLiteral("Cannot open file ") + folder.DxgPath(file) + QStringLiteral(".");
    } else if (failure == QStringLiteral("damaged")) {
        QVERIFY(folder.WriteBytes(file, QByteArray("not an image set at all")));
    } else {
        klv::ImageSet set;
        klv::ImageItem item = NamedImage("photo");
        item.Picture = klv::Picture{};
        item.Picture.GraphicClass = "TJPEGImage";
        item.Picture.RawData = {4, 0, 0, 0, 0xFF, 0xD8, 0xFF, 0xD9};
        set.Items = {NamedImage("fine"), item};
        QVERIFY(folder.WriteSet(set, file));
        expectedText = QStringLiteral("Bitmap image is not valid.");
    }

    auto window = MakeWindow(folder);
    TForm1& w = *window;
    std::vector<SeenBox> seen;
    auto closer = CloseNextMessageBox(&seen);
    w.show();
    QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].Caption, QStringLiteral("Kelvaran2 LevelEditor"));
    QCOMPARE(seen[0].Icon, QMessageBox::Critical);
    QCOMPARE(seen[0].ButtonCount, 1);
    if (!expectedText.isEmpty()) QCOMPARE(seen[0].Text, expectedText);
    QVERIFY(!seen[0].Text.isEmpty());

    // The rest of the show handler is skipped.
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelvaran2 LevelEditor"));
    QCOMPARE(w.ActivePageCaption(), QStringLiteral("0"));
    QCOMPARE(w.Animation.AnimFrameLimit, 11);
    const QList<QScrollArea*> boxes = {w.ScrollBox1, w.ScrollBox2, w.ScrollBox3, w.ScrollBox4, w.ScrollBox5};
    for (int i = paletteCountBuilt + (failure == QStringLiteral("jpeg") ? 1 : 0); i < 5; ++i)
        QVERIFY2(PaletteButtons(boxes[i]).isEmpty(), qPrintable(boxes[i]->objectName()));
    for (int i = 0; i < paletteCountBuilt; ++i) QVERIFY(!PaletteButtons(boxes[i]).isEmpty());
    for (const klv::ImageSet* list : {&w.DXImageList2, &w.DXImageList3, &w.DXImageList4, &w.DXImageList5})
        QVERIFY(list->Items.empty());
    if (file == QStringLiteral("anm.dxg")) {
        // The scratch set still holds the last set read: the balls.
        QCOMPARE(w.DXImageList1.Items[0].Name, std::string("red"));
    }
    if (file == QStringLiteral("land.dxg")) QVERIFY(w.DXImageList1.Items.empty());

    // The window works on: the draw area starts and a press places.
    QVERIFY(w.DXTimer1->Enabled());
    QTest::mouseClick(w.DXDraw1, Qt::LeftButton, {}, CellPressPoint(w.Level, 0, 14));
    QCOMPARE(CellAt(w.Level, 0, 14).LayerCode.text(), std::string_view("0"));
}

void PalettesTest::layerButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("resetsSelection");
    QTest::newRow("Land") << "oxButton3" << "0" << true;
    QTest::newRow("Ball") << "oxButton4" << "1" << true;
    QTest::newRow("Other (hidden)") << "oxButton5" << "2" << false;
    QTest::newRow("Object Ball") << "oxButton10" << "3" << true;
    QTest::newRow("Surface") << "oxButton12" << "4" << true;
}

void PalettesTest::layerButtons() {
    QFETCH(QString, button);
    QFETCH(QString, page);
    QFETCH(bool, resetsSelection);
    ProgramFolder folder;
    QVERIFY(FillWithMadeSets(folder));
    auto window = MakeWindow(folder);
    TForm1& w = *window;
    w.show();
    w.oxButton12->click();
    PaletteButton(w, w.ScrollBox5, 1)->click();
    QCOMPARE(w.Level.SelectedTile, std::string("1"));
    w.findChild<OxButton*>(button)->click();
    QCOMPARE(w.ActivePageCaption(), page);
    QCOMPARE(w.Notebook1->currentWidget()->windowTitle(), page);
    QCOMPARE(w.Level.SelectedTile, std::string(resetsSelection ? "0" : "1"));
    QVERIFY(PaletteButton(w, w.ScrollBox5, 1)->isChecked());
}

void PalettesTest::pressedButtonPerPaletteSurvivesLayerChanges() {
    ProgramFolder folder;
    QVERIFY(FillWithMadeSets(folder));
    auto window = MakeWindow(folder);
    TForm1& w = *window;
    w.show();
    QToolButton* land2 = PaletteButton(w, w.ScrollBox1, 2);
    QToolButton* land0 = PaletteButton(w, w.ScrollBox1, 0);
    QTest::mouseClick(land2, Qt::LeftButton);
    QCOMPARE(w.Level.SelectedTile, std::string("2"));
    QVERIFY(land2->isChecked());
    // Clicking the pressed button keeps it pressed.
    QTest::mouseClick(land2, Qt::LeftButton);
    QVERIFY(land2->isChecked());
    QCOMPARE(w.Level.SelectedTile, std::string("2"));
    QTest::mouseClick(land0, Qt::LeftButton);
    QVERIFY(land0->isChecked());
    QVERIFY(!land2->isChecked());
    QTest::mouseClick(land2, Qt::LeftButton);

    w.oxButton4->click();
    QCOMPARE(w.Level.SelectedTile, std::string("0"));
    QVERIFY(land2->isChecked());
    QToolButton* ball1 = PaletteButton(w, w.ScrollBox2, 1);
    QTest::mouseClick(ball1, Qt::LeftButton);
    QVERIFY(ball1->isChecked());
    QVERIFY(land2->isChecked());
    QCOMPARE(w.Level.SelectedTile, std::string("1"));

    w.oxButton3->click();
    QCOMPARE(w.Level.SelectedTile, std::string("0"));
    QVERIFY(land2->isChecked());
    // A new level resets the selection, not the pressed buttons or the page.
    QTest::mouseClick(land2, Qt::LeftButton);
    w.oxButton1->click();
    QCOMPARE(w.Level.SelectedTile, std::string("0"));
    QVERIFY(land2->isChecked());
    QVERIFY(ball1->isChecked());
    QCOMPARE(w.ActivePageCaption(), QStringLiteral("0"));
}

void PalettesTest::paletteButtonsAndScrollBoxesTakeNoFocus() {
    ProgramFolder folder;
    QVERIFY(FillWithMadeSets(folder));
    auto window = MakeWindow(folder);
    TForm1& w = *window;
    w.show();
    const QList<QScrollArea*> boxes = {w.ScrollBox1, w.ScrollBox2, w.ScrollBox3,
                                       w.ScrollBox4, w.ScrollBox5, w.ScrollBox110};
    for (QScrollArea* box : boxes) {
        QCOMPARE(box->focusPolicy(), Qt::NoFocus);
        for (QToolButton* button : box->findChildren<QToolButton*>())
            QVERIFY2(button->focusPolicy() == Qt::NoFocus, qPrintable(button->objectName()));
    }
    QVERIFY(!PaletteButtons(w.ScrollBox1).isEmpty());

    // Tab goes round the push buttons only; a click on a palette button
    // leaves the focus where it was.
    QWidget* next = w.oxButton1;
    for (int guard = 0; guard < 400; ++guard) {
        next = next->nextInFocusChain();
        if (next == w.oxButton1) break;
        if ((next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(&w))
            QVERIFY2(qobject_cast<OxButton*>(next), qPrintable(next->objectName()));
    }
    w.oxButton2->setFocus();
    QTest::mouseClick(PaletteButton(w, w.ScrollBox1, 2), Qt::LeftButton);
    QCOMPARE(w.Level.SelectedTile, std::string("2"));
    QCOMPARE(w.focusWidget(), w.oxButton2);
}

QTEST_MAIN(PalettesTest)
#include "test_palettes.moc"
