// The about box: its layout, its banner, and that each opening makes a new
// box that is gone once it has closed.
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "shell/about_box.h"
#include "shell/banner.h"
#include "shell/ox_button.h"

using klv::shell::Form3;
using klv::shell::OxButton;
using klv::shell::TForm3;

namespace {

void runDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

template <typename T>
T* child(QWidget* box, const char* name) {
    T* found = box->findChild<T*>(QLatin1String(name));
    if (found == nullptr) {
        qFatal("no child %s", name);
    }
    return found;
}

}  // namespace

class TestAboutBox : public QObject {
    Q_OBJECT
private slots:
    void bannerSizeAndLook() {
        const QImage banner = klv::shell::DrawBanner();
        QCOMPARE(banner.size(), QSize(385, 100));
        QVERIFY(!banner.hasAlphaChannel());
        QCOMPARE(klv::shell::DrawBanner(), banner);  // nothing random
        // Dark sky at the top, warm dusk at the bottom-left.
        const QColor top = banner.pixelColor(200, 1);
        const QColor bottom = banner.pixelColor(2, 98);
        QVERIFY(top.lightness() < 70);
        QVERIFY(bottom.red() > bottom.blue());
        // For a look at it: KLV_PICTURE_DIR=/tmp saves the banner there.
        if (const QString dir = qEnvironmentVariable("KLV_PICTURE_DIR"); !dir.isEmpty()) {
            QVERIFY(banner.save(dir + QStringLiteral("/klv_banner.png")));
        }
    }

    void layout() {
        TForm3 box(nullptr);
        QVERIFY(box.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(box.size(), QSize(433, 221));
        QCOMPARE(box.font().pixelSize(), 11);

        auto* panel1 = child<QFrame>(&box, "Panel1");
        QCOMPARE(panel1->geometry(), QRect(0, 0, 433, 221));
        QCOMPARE(panel1->palette().color(QPalette::Window), QColor(0, 50, 100));
        QCOMPARE(panel1->frameShadow(), QFrame::Raised);

        auto* panel2 = child<QFrame>(&box, "Panel2");
        QCOMPARE(panel2->parentWidget(), panel1);
        QCOMPARE(panel2->geometry(), QRect(15, 14, 406, 116));
        QCOMPARE(panel2->palette().color(QPalette::Window), QColor(Qt::black));
        QCOMPARE(panel2->frameShadow(), QFrame::Sunken);

        auto* image = child<QLabel>(&box, "Image1");
        QCOMPARE(image->parentWidget(), panel2);
        QCOMPARE(image->geometry(), QRect(6, 6, 385, 100));
        QCOMPARE(image->pixmap().size(), QSize(385, 100));

        const struct {
            const char* name;
            QPoint at;
        } labels[] = {{"Label1", {15, 138}}, {"Label2", {324, 138}}, {"Label3", {15, 162}}};
        for (const auto& expected : labels) {
            auto* label = child<QLabel>(&box, expected.name);
            QCOMPARE(label->parentWidget(), panel1);
            QCOMPARE(label->pos(), expected.at);
            QVERIFY(!label->text().isEmpty());
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::white));
            // Each line is shown whole and inside the window's bevel.
            QVERIFY(label->width() >= label->sizeHint().width());
            QVERIFY2(label->geometry().right() < 433 - 2, expected.name);
        }
        QCOMPARE(child<QLabel>(&box, "Label1")->text(), QStringLiteral("Kelvaran2 LevelEditor " KLV_VERSION));
        QVERIFY(child<QLabel>(&box, "Label3")->text().contains(QLatin1Char('@')));

        auto* close = child<OxButton>(&box, "oxButton9");
        QCOMPARE(close->parentWidget(), panel1);
        QCOMPARE(close->text(), QStringLiteral("Close"));
        QCOMPARE(close->geometry(), QRect(342, 184, 75, 25));

        if (const QString dir = qEnvironmentVariable("KLV_PICTURE_DIR"); !dir.isEmpty()) {
            QVERIFY(box.grab().save(dir + QStringLiteral("/klv_about_box.png")));
        }
    }

    void centredOnTheScreen() {
        QWidget owner;
        owner.setGeometry(20, 30, 300, 200);
        auto* box = new TForm3(&owner);
        const QPointer<TForm3> alive(box);
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box));
        const QPoint offset = box->frameGeometry().center() - box->screen()->geometry().center();
        QVERIFY(offset.manhattanLength() <= 2);
        box->reject();
        runDeferredDeletes();
        QVERIFY(alive.isNull());
    }

    // "About" twice: each time a new box, modal, closed with its button,
    // gone afterwards; Form3 empty in between.
    void twiceInARow() {
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(Form3, nullptr);
            Form3 = new TForm3(nullptr);
            const QPointer<TForm3> alive(Form3);
            QTimer::singleShot(0, Form3, [] {
                QVERIFY(Form3 != nullptr);
                QVERIFY(Form3->isVisible());
                QTest::mouseClick(Form3->findChild<OxButton*>(QStringLiteral("oxButton9")), Qt::LeftButton);
            });
            QCOMPARE(Form3->exec(), int(QDialog::Accepted));
            runDeferredDeletes();
            QVERIFY(alive.isNull());
            QCOMPARE(Form3, nullptr);
        }
    }

    // The caller may also delete the box right after exec(); nothing is
    // deleted twice.
    void deletingAfterCloseIsSafe() {
        auto* box = new TForm3(nullptr);
        box->show();
        QTest::mouseClick(child<OxButton>(box, "oxButton9"), Qt::LeftButton);
        QVERIFY(box->isHidden());
        delete box;
        QCOMPARE(Form3, nullptr);
        runDeferredDeletes();
    }
};

QTEST_MAIN(TestAboutBox)
#include "test_about_box.moc"
