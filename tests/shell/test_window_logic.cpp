// The window's plain rules: which images get palette buttons and where, the
// thumbnail geometry, the visible part of the draw area, the texts of titles
// and error boxes, and the frame timer's pacing.

#include <QtTest>

#include "shell/frame_timer.h"
#include "shell/palette_model.h"
#include "shell/visible_rect.h"
#include "shell/window_texts.h"
#include "shell_test_support.h"

using namespace klv::shell;
using klv::shell::testing::NamedImage;
using klv::shell::testing::SolidPicture;

class WindowLogicTest : public QObject {
    Q_OBJECT
private slots:
    void paletteEntriesSkipUnnamedImagesWithoutGaps();
    void thumbnailCopiesTopLeftOfPictureIntoPaintedSquare_data();
    void thumbnailCopiesTopLeftOfPictureIntoPaintedSquare();
    void thumbnailOfLargePictureShowsOnlyItsTopLeft91Pixels();
    void thumbnailOfPictureThatIsNoBitmapFails();
    void thumbnailOfMissingPictureIsBlank();
    void visibleDrawRect_data();
    void visibleDrawRect();
    void errorBoxTextAppendsFullStop_data();
    void errorBoxTextAppendsFullStop();
    void titlesAndSizeLabel();
    void tickIntervalNeverShorterThanARefresh_data();
    void tickIntervalNeverShorterThanARefresh();
};

void WindowLogicTest::paletteEntriesSkipUnnamedImagesWithoutGaps() {
    klv::ImageSet set;
    set.Items = {NamedImage("a"), NamedImage(""), NamedImage("c"), NamedImage(""), NamedImage("e")};
    const std::vector<PaletteEntry> expected = {{0, 6}, {2, 86}, {4, 166}};
    QCOMPARE(PaletteEntries(set), expected);
    QVERIFY(PaletteEntries(klv::ImageSet{}).empty());
}

void WindowLogicTest::thumbnailCopiesTopLeftOfPictureIntoPaintedSquare_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("paintedUpTo");  // thumbnail pixels < this are from the picture
    QTest::newRow("exactly 91") << 91 << 63;
    QTest::newRow("larger") << 200 << 63;
    // 46 source pixels reach thumbnail pixel 31 (centre of 31 samples 45).
    QTest::newRow("half size") << 46 << 32;
    QTest::newRow("one pixel") << 1 << 1;
}

void WindowLogicTest::thumbnailCopiesTopLeftOfPictureIntoPaintedSquare() {
    QFETCH(int, size);
    QFETCH(int, paintedUpTo);
    const Thumbnail thumbnail = MakeThumbnail(SolidPicture(size, size, 0x102030));
    QVERIFY(thumbnail.Ok);
    for (int y = 0; y < kThumbnailSize; ++y) {
        for (int x = 0; x < kThumbnailSize; ++x) {
            const bool painted = x < paintedUpTo && y < paintedUpTo;
            QCOMPARE(thumbnail.At(x, y), painted ? 0x102030u : kThumbnailBackground);
        }
    }
    // The bottom-left pixel lies in the unpainted row: white is what the
    // button leaves out.
    QCOMPARE(thumbnail.TransparentColor, kThumbnailBackground);
}

void WindowLogicTest::thumbnailOfLargePictureShowsOnlyItsTopLeft91Pixels() {
    // Left 91 columns red, the rest green; top 91 rows kept, below blue.
    klv::Picture picture = SolidPicture(150, 150, 0x00FF00);
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 150; ++x)
            picture.Pixels[static_cast<std::size_t>(y * 150 + x)] = y >= 91 ? 0x0000FF : (x < 91 ? 0xFF0000 : 0x00FF00);
    const Thumbnail thumbnail = MakeThumbnail(picture);
    for (int y = 0; y < 63; ++y)
        for (int x = 0; x < 63; ++x) QCOMPARE(thumbnail.At(x, y), 0xFF0000u);
    for (int i = 0; i < kThumbnailSize; ++i) {
        QCOMPARE(thumbnail.At(63, i), kThumbnailBackground);
        QCOMPARE(thumbnail.At(i, 63), kThumbnailBackground);
    }
}

void WindowLogicTest::thumbnailOfPictureThatIsNoBitmapFails() {
    klv::Picture jpeg;
    jpeg.GraphicClass = "TJPEGImage";
    jpeg.IsBitmap = false;
    jpeg.RawData = {0xFF, 0xD8, 0xFF};
    const Thumbnail thumbnail = MakeThumbnail(jpeg);
    QVERIFY(!thumbnail.Ok);
    QCOMPARE(QString::fromStdString(thumbnail.Error), kBitmapNotValidText);
}

void WindowLogicTest::thumbnailOfMissingPictureIsBlank() {
    const Thumbnail thumbnail = MakeThumbnail(klv::Picture{});
    QVERIFY(thumbnail.Ok);
    for (std::uint32_t pixel : thumbnail.Pixels) QCOMPARE(pixel, kThumbnailBackground);
}

void WindowLogicTest::visibleDrawRect_data() {
    QTest::addColumn<QList<int>>("input");     // scrollX, scrollY, viewportW, viewportH, drawW, drawH
    QTest::addColumn<QList<int>>("expected");  // left, top, width, height
    QTest::newRow("start, not scrolled") << QList<int>{0, 0, 449, 460, 1382, 632} << QList<int>{0, 0, 449, 460};
    QTest::newRow("scrolled to the far corner")
        << QList<int>{933, 172, 449, 460, 1382, 632} << QList<int>{933, 172, 449, 460};
    QTest::newRow("draw area smaller than the view") << QList<int>{0, 0, 464, 475, 94, 44} << QList<int>{0, 0, 94, 44};
    QTest::newRow("empty level") << QList<int>{0, 0, 464, 475, 2, 2} << QList<int>{0, 0, 2, 2};
    QTest::newRow("scroll past the end is clipped")
        << QList<int>{1400, 0, 449, 460, 1382, 632} << QList<int>{1382, 0, 0, 460};
}

void WindowLogicTest::visibleDrawRect() {
    QFETCH(QList<int>, input);
    QFETCH(QList<int>, expected);
    const klv::DrawRect rect = VisibleDrawRect(input[0], input[1], input[2], input[3], input[4], input[5]);
    QCOMPARE((QList<int>{rect.Left, rect.Top, rect.Width, rect.Height}), expected);
}

void WindowLogicTest::errorBoxTextAppendsFullStop_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "Cannot open file /x/dxg/anm.dxg" << "Cannot open file /x/dxg/anm.dxg.";
    QTest::newRow("closing parenthesis sorts before '.'") << "List index out of bounds (7)"
                                                          << "List index out of bounds (7)";
    QTest::newRow("full stop") << "Done." << "Done.";
    QTest::newRow("digit") << "Error 42" << "Error 42.";
    QTest::newRow("Chinese full stop sorts after '.'") << QString::fromUtf8("打开文件失败。")
                                                       << QString::fromUtf8("打开文件失败。.");
    QTest::newRow("empty") << "" << "";
}

void WindowLogicTest::errorBoxTextAppendsFullStop() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(ErrorBoxText(message), shown);
}

void WindowLogicTest::titlesAndSizeLabel() {
    QCOMPARE(TitleForFile(QStringLiteral("/home/u/level/castle.klv")),
             QStringLiteral("Kelvaran2 LevelEditor--castle.klv"));
    QCOMPARE(FileNamePart(QStringLiteral("/home/u/level/")), QString());
    QCOMPARE(FileNamePart(QStringLiteral("plain.klv")), QStringLiteral("plain.klv"));
    QCOMPARE(SizeLabelText(15, 15), QStringLiteral("15X15"));
    QCOMPARE(SizeLabelText(0, 0), QStringLiteral("0X0"));
}

void WindowLogicTest::tickIntervalNeverShorterThanARefresh_data() {
    QTest::addColumn<double>("hz");
    QTest::addColumn<int>("ms");
    QTest::newRow("60 Hz") << 60.0 << 17;
    QTest::newRow("59.95 Hz") << 59.95 << 17;
    QTest::newRow("75 Hz") << 75.0 << 14;
    QTest::newRow("144 Hz") << 144.0 << 7;
    QTest::newRow("unknown") << 0.0 << 17;
}

void WindowLogicTest::tickIntervalNeverShorterThanARefresh() {
    QFETCH(double, hz);
    QFETCH(int, ms);
    QCOMPARE(TickIntervalForRefreshRate(hz), ms);
}

QTEST_MAIN(WindowLogicTest)
#include "test_window_logic.moc"
