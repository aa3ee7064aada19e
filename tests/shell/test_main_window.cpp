// The main window as a whole: the start-up state and layout, NewLevel and
// Close, the frame timer's switch and its state around GridSize and About.

#include <QDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QtTest>

#include "shell/about_box.h"
#include "shell/draw_area.h"
#include "shell/grid_size_dialog.h"
#include "shell/ox_button.h"
#include "shell/window_texts.h"
#include "shell_test_support.h"

using namespace klv::shell;
using namespace klv::shell::testing;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startUpState();
    void showHandlerRunsBeforeTheWindowIsShownAndOnlyOnce();
    void layoutAsDesigned_data();
    void layoutAsDesigned();
    void commandButtonsTabOrder();
    void fontsAndColours();
    void newLevelKeepsSizeLabelPageAndTimer();
    void closeEndsTheProgramAndStopsTheTimer();
    void timerSwitchAndActivity();
    void gridSizeSwitchesTimerOffWhileOpen();
    void gridSizeOkRebuildsAndCancelKeeps();
    void aboutBoxTwiceWhileTheLevelAnimates();
    void levelWithoutCellsKeepsTicking();
    void eachWindowOpensWithItsFirstTabStopFocused();
    void rebuildPutsTheDrawAreaAtTheScrollBoxCorner_data();
    void rebuildPutsTheDrawAreaAtTheScrollBoxCorner();

private:
    std::unique_ptr<ProgramFolder> folder_;
    std::unique_ptr<TForm1> window_;
};

void MainWindowTest::init() {
    folder_ = std::make_unique<ProgramFolder>();
    QVERIFY(FillWithMadeSets(*folder_));
    window_ = MakeWindow(*folder_);
}

void MainWindowTest::cleanup() {
    window_.reset();
    folder_.reset();
    QCOMPARE(Form1, nullptr);
}

void MainWindowTest::startUpState() {
    TForm1& w = *window_;
    QCOMPARE(Form1, &w);
    // Created, not shown: design caption, page "4", timer off.
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelvaran2 LevelEditor"));
    QCOMPARE(w.ActivePageCaption(), QStringLiteral("4"));
    QVERIFY(!w.DXTimer1->Enabled());
    QCOMPARE(w.Level.LevelWidth, 15);
    QCOMPARE(w.DXDraw1->size(), QSize(1382, 632));

    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelvaran2 LevelEditor--Untitled"));
    QCOMPARE(w.Label1->text(), QStringLiteral("15x15"));
    QCOMPARE(w.ActivePageCaption(), QStringLiteral("0"));
    QCOMPARE(w.Level.SelectedTile, std::string("0"));
    QVERIFY(w.CurrentFileName.isEmpty());
    QCOMPARE(w.DXDraw1->geometry(), QRect(0, 0, 1382, 632));
    QCOMPARE(w.Level.ViewOffsetX, -1);
    QCOMPARE(w.Level.ViewOffsetY, -1);
    QVERIFY(w.ScrollBox110->horizontalScrollBar()->isVisible());
    QVERIFY(w.ScrollBox110->verticalScrollBar()->isVisible());
    QCOMPARE(w.Animation.AnimFrameLimit, 11);
    QVERIFY(w.DXTimer1->Enabled());
    QCOMPARE(w.DXImageList1.Items.size(), std::size_t{3});
    QCOMPARE(w.DXImageList3.Items.size(), std::size_t{1});
    QTRY_VERIFY(w.DXDraw1->PresentCount() > 0);
}

void MainWindowTest::showHandlerRunsBeforeTheWindowIsShownAndOnlyOnce() {
    TForm1& w = *window_;
    QString titleWhenShown;
    bool timerOnWhenShown = true;
    // The show event comes after FormShow and before the draw area starts.
    class ShowSpy : public QObject {
    public:
        ShowSpy(TForm1& form, QString& title, bool& timerOn) : form_(form), title_(title), timerOn_(timerOn) {}
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Show) {
                title_ = form_.windowTitle();
                timerOn_ = form_.DXTimer1->Enabled();
            }
            return false;
        }
        TForm1& form_;
        QString& title_;
        bool& timerOn_;
    } spy(w, titleWhenShown, timerOnWhenShown);
    w.installEventFilter(&spy);
    w.show();
    QCOMPARE(titleWhenShown, QStringLiteral("Kelvaran2 LevelEditor--Untitled"));
    QVERIFY(!timerOnWhenShown);
    QVERIFY(w.DXTimer1->Enabled());
    w.removeEventFilter(&spy);

    // Showing again neither rebuilds the palettes nor restarts anything.
    const int buttons = static_cast<int>(w.ScrollBox1->findChildren<QAbstractButton*>().size());
    w.oxButton4->click();
    w.hide();
    w.show();
    QCOMPARE(static_cast<int>(w.ScrollBox1->findChildren<QAbstractButton*>().size()), buttons);
    QCOMPARE(w.ActivePageCaption(), QStringLiteral("1"));
}

void MainWindowTest::layoutAsDesigned_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");  // relative to the parent
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("visible");
    const auto row = [](const char* name, QRect geometry, const char* caption = "", bool visible = true) {
        QTest::newRow(name) << QString::fromLatin1(name) << geometry << QString::fromLatin1(caption) << visible;
    };
    row("Panel1", QRect(0, 0, 700, 10));
    row("Panel4", QRect(0, 485, 700, 8));
    row("Panel3", QRect(0, 10, 106, 475));
    row("Panel2", QRect(570, 10, 130, 475));
    row("ScrollBox110", QRect(106, 10, 464, 475));
    row("Label1", QRect(33, 147, 30, 14), "15x15");
    row("oxButton1", QRect(15, 6, 75, 25), "NewLevel");
    row("oxButton2", QRect(15, 36, 75, 25), "SaveLevel");
    row("oxButton8", QRect(15, 66, 75, 25), "Save As...");
    row("oxButton6", QRect(15, 96, 75, 25), "OpenLevel");
    row("oxButton7", QRect(15, 165, 75, 25), "GridSize");
    row("oxButton11", QRect(15, 414, 75, 25), "About");
    row("oxButton9", QRect(15, 444, 75, 25), "Close");
    row("Panel6", QRect(0, 0, 130, 58));
    row("oxButton3", QRect(3, 3, 40, 25), "Land");
    row("oxButton4", QRect(45, 3, 40, 25), "Ball");
    row("oxButton12", QRect(86, 3, 43, 25), "Surface");
    row("oxButton10", QRect(3, 30, 126, 25), "Object Ball");
    row("oxButton5", QRect(123, 0, 40, 25), "Other", false);
    row("Notebook1", QRect(0, 58, 130, 417));
}

void MainWindowTest::layoutAsDesigned() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(bool, visible);
    TForm1& w = *window_;
    w.show();
    auto* widget = w.findChild<QWidget*>(name);
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(widget->isVisible(), visible);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        QVERIFY(qobject_cast<OxButton*>(button));
        QCOMPARE(button->text(), caption);
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) QCOMPARE(label->text(), caption);
}

void MainWindowTest::commandButtonsTabOrder() {
    TForm1& w = *window_;
    const QList<QWidget*> expected = {w.oxButton1, w.oxButton2, w.oxButton6, w.oxButton7,
                                      w.oxButton8, w.oxButton9, w.oxButton11};
    QList<QWidget*> seen;
    QWidget* next = w.oxButton1;
    for (int guard = 0; guard < 200 && seen.size() < expected.size(); ++guard, next = next->nextInFocusChain()) {
        if (expected.contains(next)) seen.push_back(next);
    }
    QCOMPARE(seen, expected);
}

void MainWindowTest::fontsAndColours() {
    TForm1& w = *window_;
    w.show();
    QCOMPARE(w.size(), QSize(700, 493));
    QCOMPARE(w.minimumSize(), QSize(700, 493));
    QCOMPARE(w.maximumSize(), QSize(700, 493));
    QCOMPARE(w.pos(), QPoint(255, 148));
    const Qt::WindowFlags flags = w.windowFlags();
    QVERIFY(flags & Qt::CustomizeWindowHint);
    QVERIFY(flags & Qt::WindowTitleHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint |
                       Qt::WindowSystemMenuHint)));
    QCOMPARE(w.font().family(), QStringLiteral("Arial"));
    QCOMPARE(w.font().pixelSize(), 11);
    QCOMPARE(w.Label1->palette().color(QPalette::WindowText), QColor(Qt::white));
    for (QWidget* panel : {w.Panel1, w.Panel2, w.Panel3, w.Panel4, w.Panel6}) {
        QVERIFY(panel->autoFillBackground());
        QCOMPARE(panel->palette().color(QPalette::Window), QColor(0, 50, 100));
    }
    QCOMPARE(w.ScrollBox110->viewport()->palette().color(QPalette::Window), QColor(Qt::black));
    QCOMPARE(w.ScrollBox5->frameShape(), QFrame::Box);
    QCOMPARE(w.ScrollBox5->lineWidth(), 1);
    for (QScrollArea* box : {w.ScrollBox1, w.ScrollBox2, w.ScrollBox3, w.ScrollBox4}) {
        QCOMPARE(box->frameShape(), QFrame::NoFrame);
        QCOMPARE(box->palette().color(QPalette::ButtonText), QColor(Qt::black));
    }
    QCOMPARE(w.Notebook1->count(), 5);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(w.Notebook1->widget(i)->windowTitle(), QString::number(i));
        QVERIFY(w.Notebook1->widget(i)->isAncestorOf(w.findChild<QScrollArea*>(QStringLiteral("ScrollBox%1").arg(i + 1))));
    }
}

void MainWindowTest::newLevelKeepsSizeLabelPageAndTimer() {
    TForm1& w = *window_;
    w.show();
    w.Level.LevelWidth = w.Level.LevelHeight = 7;
    w.FormCreate(&w);
    w.oxButton12->click();  // Surface page
    CellAt(w.Level, 3, 3).LayerCode.assign("0");
    CellAt(w.Level, 3, 3).TileIndex = 2;
    CellAt(w.Level, 3, 3).Reserved3[5] = 0x5A;
    w.Level.SelectedTile.assign(1, '1');
    w.CurrentFileName = folder_->LevelPath(QStringLiteral("x.klv"));
    w.setWindowTitle(TitleForFile(w.CurrentFileName));
    EnabledRecorder timer(w.DXTimer1);

    w.oxButton1->click();
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelvaran2 LevelEditor--Untitled"));
    QVERIFY(w.CurrentFileName.isEmpty());
    QCOMPARE(w.Level.LevelWidth, 7);
    QCOMPARE(w.DXDraw1->size(), QSize(7 * 92 + 2, 7 * 42 + 2));
    QCOMPARE(CellAt(w.Level, 3, 3).LayerCode.length, 0);
    QCOMPARE(CellAt(w.Level, 3, 3).TileIndex, -1);
    // Bytes a reset does not touch stay for the next save.
    QCOMPARE(CellAt(w.Level, 3, 3).Reserved3[5], 0x5A);
    QCOMPARE(w.Level.SelectedTile, std::string("0"));
    QCOMPARE(w.ActivePageCaption(), QStringLiteral("4"));
    QCOMPARE(w.Label1->text(), QStringLiteral("15x15"));
    QVERIFY(timer.Changes.empty());
    QVERIFY(w.DXTimer1->Enabled());
}

void MainWindowTest::closeEndsTheProgramAndStopsTheTimer() {
    TForm1& w = *window_;
    w.show();
    QVERIFY(w.DXTimer1->Enabled());
    // Closing the only window ends the event loop.
    QVERIFY(QGuiApplication::quitOnLastWindowClosed());
    w.oxButton9->click();
    QVERIFY(!w.isVisible());
    // Destroying the window finalises the draw area, which stops the timer.
    EnabledRecorder timer(w.DXTimer1);
    FrameTimer* frameTimer = w.DXTimer1;
    bool enabledAtFinalize = true;
    QObject::connect(frameTimer, &FrameTimer::enabledChanged, [&](bool enabled) { enabledAtFinalize = enabled; });
    window_.reset();
    QVERIFY(!enabledAtFinalize);
    QCOMPARE(Form1, nullptr);
}

void MainWindowTest::timerSwitchAndActivity() {
    TForm1& w = *window_;
    FrameTimer& timer = *w.DXTimer1;
    w.show();
    EnabledRecorder changes(&timer);
    timer.SetEnabled(true);  // already on: nothing
    QVERIFY(changes.Changes.empty());
    QVERIFY(timer.Running());
    QVERIFY(timer.IntervalMs() >= 1);

    // No ticks while the timer is off: the animation stands still.
    timer.SetEnabled(false);
    const klv::AnimationCounters before = w.Animation;
    const int presents = w.DXDraw1->PresentCount();
    QTest::qWait(120);
    QCOMPARE(w.Animation.AnimTick, before.AnimTick);
    QCOMPARE(w.Animation.AnimFrame, before.AnimFrame);
    QCOMPARE(w.DXDraw1->PresentCount(), presents);

    // Inactive application: switched on, but waiting.
    timer.SetApplicationActiveOverride(false);
    timer.SetEnabled(true);
    QVERIFY(!timer.Running());
    QTest::qWait(100);
    QCOMPARE(w.DXDraw1->PresentCount(), presents);
    timer.SetApplicationActiveOverride(true);
    QVERIFY(timer.Running());
    QTRY_VERIFY(w.DXDraw1->PresentCount() > presents);

    // Suspensions nest and leave Enabled alone.
    timer.Suspend();
    timer.Suspend();
    timer.Resume();
    QVERIFY(!timer.Running());
    QVERIFY(timer.Enabled());
    timer.Resume();
    QVERIFY(timer.Running());
    QCOMPARE(changes.Changes, (std::vector<bool>{false, true}));

    // One pattern step every sixth tick, wrapping to 1.
    w.DXTimer1->SetEnabled(false);
    w.Animation = {0, 0, 11};
    for (int i = 0; i < 6 * 11; ++i) w.DXTimer1Timer(w.DXTimer1, 1);
    QCOMPARE(w.Animation.AnimFrame, 1);
    QCOMPARE(w.Animation.AnimTick, 0);
}

void MainWindowTest::gridSizeSwitchesTimerOffWhileOpen() {
    TForm1& w = *window_;
    w.show();
    EnabledRecorder changes(w.DXTimer1);
    bool timerOnInside = true;
    bool form2Set = false;
    ModalAnswerer answer([&](QWidget* modal) {
        timerOnInside = w.DXTimer1->Enabled();
        form2Set = Form2 != nullptr && modal == Form2;
        modal->findChild<QAbstractButton*>(QStringLiteral("oxButton1"))->click();  // Cancel
    });
    w.oxButton7->click();
    QVERIFY(answer.Done());
    QVERIFY(form2Set);
    QVERIFY(!timerOnInside);
    QCOMPARE(Form2, nullptr);
    QCOMPARE(changes.Changes, (std::vector<bool>{false, true}));
}

void MainWindowTest::gridSizeOkRebuildsAndCancelKeeps() {
    TForm1& w = *window_;
    w.show();
    w.CurrentFileName = folder_->LevelPath(QStringLiteral("kept.klv"));
    w.setWindowTitle(TitleForFile(w.CurrentFileName));
    CellAt(w.Level, 0, 0).LayerCode.assign("1");
    CellAt(w.Level, 0, 0).TileIndex = 0;
    w.IndexFaults.FirstReport(klv::LayerSlot::Land, 42);

    ModalAnswerer answer([](QWidget* modal) {
        auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("Edit1"));
        edit->setText(QStringLiteral("7"));
        modal->findChild<QAbstractButton*>(QStringLiteral("oxButton7"))->click();  // OK
    });
    w.oxButton7->click();
    QVERIFY(answer.Done());
    QCOMPARE(w.Level.LevelWidth, 7);
    QCOMPARE(w.Level.LevelHeight, 7);
    QCOMPARE(w.DXDraw1->size(), QSize(646, 296));
    QCOMPARE(w.Label1->text(), QStringLiteral("7X7"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelvaran2 LevelEditor--kept.klv"));
    QCOMPARE(w.CurrentFileName, folder_->LevelPath(QStringLiteral("kept.klv")));
    QCOMPARE(CellAt(w.Level, 0, 0).LayerCode.length, 0);
    // The new level reports its faults afresh.
    QVERIFY(w.IndexFaults.FirstReport(klv::LayerSlot::Land, 42));
    QVERIFY(w.DXTimer1->Enabled());

    ModalAnswerer cancel([](QWidget* modal) {
        modal->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("20"));
        modal->findChild<QAbstractButton*>(QStringLiteral("oxButton1"))->click();
    });
    w.oxButton7->click();
    QVERIFY(cancel.Done());
    QCOMPARE(w.Level.LevelWidth, 7);
    QCOMPARE(w.Label1->text(), QStringLiteral("7X7"));
    QVERIFY(w.DXTimer1->Enabled());
}

void MainWindowTest::aboutBoxTwiceWhileTheLevelAnimates() {
    TForm1& w = *window_;
    w.show();
    EnabledRecorder changes(w.DXTimer1);
    for (int round = 0; round < 2; ++round) {
        QCOMPARE(Form3, nullptr);
        bool sawForm3 = false;
        int framesWhileOpen = 0;
        ModalAnswerer answer([&](QWidget* modal) {
            sawForm3 = Form3 != nullptr && modal == Form3;
            const int before = w.DXDraw1->PresentCount();
            QTest::qWait(100);  // the about box's loop lets ticks run
            framesWhileOpen = w.DXDraw1->PresentCount() - before;
            modal->findChild<QAbstractButton*>(QStringLiteral("oxButton9"))->click();
        });
        w.oxButton11->click();
        QVERIFY(answer.Done());
        QVERIFY(sawForm3);
        QVERIFY(framesWhileOpen > 0);
        QCOMPARE(Form3, nullptr);
    }
    QVERIFY(changes.Changes.empty());
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelvaran2 LevelEditor--Untitled"));
}

void MainWindowTest::levelWithoutCellsKeepsTicking() {
    TForm1& w = *window_;
    w.show();
    ModalAnswerer answer([](QWidget* modal) {
        modal->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("0"));
        modal->findChild<QAbstractButton*>(QStringLiteral("oxButton7"))->click();
    });
    w.oxButton7->click();
    QVERIFY(answer.Done());
    QCOMPARE(w.Label1->text(), QStringLiteral("0X0"));
    QCOMPARE(w.DXDraw1->size(), QSize(2, 2));
    QTRY_VERIFY(!w.ScrollBox110->horizontalScrollBar()->isVisible());
    const int before = w.DXDraw1->PresentCount();
    QTRY_VERIFY(w.DXDraw1->PresentCount() > before);
    QCOMPARE(w.DXDraw1->PresentedRect().Width, 2);
    // A press on a level without cells changes nothing.
    QTest::mouseClick(w.DXDraw1, Qt::LeftButton, {}, QPoint(1, 1));
    QVERIFY(w.Level.Cells.empty());
}

void MainWindowTest::eachWindowOpensWithItsFirstTabStopFocused() {
    TForm1& w = *window_;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.focusWidget(), w.oxButton1);

    const struct {
        OxButton* opener;
        const char* focused;
        const char* closer;
    } windows[] = {{w.oxButton7, "Edit1", "oxButton1"}, {w.oxButton11, "oxButton9", "oxButton9"}};
    for (const auto& expected : windows) {
        QString focused;
        ModalAnswerer answer([&](QWidget* modal) {
            focused = modal->focusWidget() ? modal->focusWidget()->objectName() : QString();
            modal->findChild<QAbstractButton*>(QLatin1String(expected.closer))->click();
        });
        expected.opener->click();
        QVERIFY(answer.Done());
        QCOMPARE(focused, QLatin1String(expected.focused));
    }
}

void MainWindowTest::rebuildPutsTheDrawAreaAtTheScrollBoxCorner_data() {
    QTest::addColumn<int>("newSize");  // 0: NewLevel at the current size
    QTest::newRow("new level, same size") << 0;
    QTest::newRow("grid size 12") << 12;
    QTest::newRow("grid size 20") << 20;
}

void MainWindowTest::rebuildPutsTheDrawAreaAtTheScrollBoxCorner() {
    QFETCH(int, newSize);
    TForm1& w = *window_;
    w.show();
    QScrollBar* horizontal = w.ScrollBox110->horizontalScrollBar();
    QScrollBar* vertical = w.ScrollBox110->verticalScrollBar();
    horizontal->setValue(horizontal->maximum());
    vertical->setValue(vertical->maximum());
    QVERIFY(horizontal->value() > 0);
    QVERIFY(vertical->value() > 0);

    if (newSize == 0) {
        w.oxButton1->click();
    } else {
        ModalAnswerer answer([newSize](QWidget* modal) {
            modal->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QString::number(newSize));
            modal->findChild<QAbstractButton*>(QStringLiteral("oxButton7"))->click();
        });
        w.oxButton7->click();
        QVERIFY(answer.Done());
    }
    // The level starts at the scroll box's top-left corner, and the scroll
    // bars say so: what a tick composes is what the scroll box shows.
    QCOMPARE(w.DXDraw1->pos(), QPoint(0, 0));
    QCOMPARE(horizontal->value(), 0);
    QCOMPARE(vertical->value(), 0);
    const klv::DrawRect visible = w.VisibleDrawRect();
    QCOMPARE(QPoint(visible.Left, visible.Top), QPoint(0, 0));
}

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
