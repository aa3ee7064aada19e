// The shared push button: a click reaches the handler exactly once, nothing
// stays pressed, and the face is painted in the panel blue.
#include <QSignalSpy>
#include <QTest>

#include "shell/ox_button.h"

using klv::shell::OxButton;

class TestOxButton : public QObject {
    Q_OBJECT
private slots:
    void clickEmitsClickedOnceAndKeepsNoPressedState() {
        OxButton button(QStringLiteral("OK"), nullptr);
        button.resize(75, 25);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy spy(&button, &QAbstractButton::clicked);

        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QVERIFY(!button.isDown());
        QVERIFY(!button.isChecked());

        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(spy.count(), 2);
        QVERIFY(!button.isChecked());
    }

    void captionAndFont() {
        const OxButton button(QStringLiteral("Cancel"), nullptr);
        QCOMPARE(button.text(), QStringLiteral("Cancel"));
        QCOMPARE(button.font().pixelSize(), 11);
        QCOMPARE(button.font().family(), QStringLiteral("Arial"));
    }

    void faceIsPanelBlueAndBorderIsHighlight() {
        OxButton button(QString(), nullptr);  // no caption over the sampled pixels
        button.setFocusPolicy(Qt::NoFocus);
        button.resize(75, 25);
        const QImage image = button.grab().toImage();
        QCOMPARE(image.pixelColor(37, 12), klv::shell::kPanelBlue);
        QCOMPARE(image.pixelColor(10, 3), klv::shell::kPanelBlue);
        QCOMPARE(image.pixelColor(10, 0), klv::shell::kSkyBlueHighlight);
        QCOMPARE(image.pixelColor(0, 10), klv::shell::kSkyBlueHighlight);
    }

    // Held down, the bevel turns over: the highlight moves to the bottom
    // and right; released, it is back on top.
    void sunkenOnlyWhileHeld() {
        OxButton button(QString(), nullptr);
        button.setFocusPolicy(Qt::NoFocus);
        button.resize(75, 25);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        const QColor highlight = klv::shell::kSkyBlueHighlight;

        QTest::mousePress(&button, Qt::LeftButton);
        QVERIFY(button.isDown());
        QImage image = button.grab().toImage();
        QVERIFY(image.pixelColor(10, 0) != highlight);
        QCOMPARE(image.pixelColor(10, 24), highlight);

        QTest::mouseRelease(&button, Qt::LeftButton);
        QVERIFY(!button.isDown());
        image = button.grab().toImage();
        QCOMPARE(image.pixelColor(10, 0), highlight);
        QVERIFY(image.pixelColor(10, 24) != highlight);
    }

    void spaceKeyClicksWhenFocused() {
        OxButton button(QStringLiteral("OK"), nullptr);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        button.setFocus();
        QSignalSpy spy(&button, &QAbstractButton::clicked);
        QTest::keyClick(&button, Qt::Key_Space);
        QCOMPARE(spy.count(), 1);
    }
};

QTEST_MAIN(TestOxButton)
#include "test_ox_button.moc"
