// An error that escapes an event handler comes up in the application's error
// box and the program goes on; no frame ticks while that box is open.

#include <QPushButton>
#include <QtTest>

#include <stdexcept>

#include "shell/application.h"
#include "shell/draw_area.h"
#include "shell/ox_button.h"
#include "shell_test_support.h"

using namespace klv::shell;
using namespace klv::shell::testing;

class UnhandledErrorTest : public QObject {
    Q_OBJECT
private slots:
    void escapingErrorIsShownAndTheProgramGoesOn_data();
    void escapingErrorIsShownAndTheProgramGoesOn();
    void noTicksWhileTheErrorBoxIsOpen();
};

void UnhandledErrorTest::escapingErrorIsShownAndTheProgramGoesOn_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("sentence without a full stop") << "Surface cannot be made" << "Surface cannot be made.";
    QTest::newRow("ends in a full stop") << "Out of memory." << "Out of memory.";
}

void UnhandledErrorTest::escapingErrorIsShownAndTheProgramGoesOn() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QPushButton button(QStringLiteral("throws"));
    const std::string text = message.toStdString();
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        ++clicks;
        throw std::runtime_error(text);
    });
    std::vector<SeenBox> seen;
    auto closer = CloseNextMessageBox(&seen);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].Caption, QStringLiteral("Kelvaran2 LevelEditor"));
    QCOMPARE(seen[0].Text, shown);
    QCOMPARE(seen[0].Icon, QMessageBox::Critical);
    QCOMPARE(seen[0].ButtonCount, 1);
    QCOMPARE(static_cast<EditorApplication*>(qApp)->LastUnhandledError(), message);

    // The program goes on: the next event is handled as usual.
    auto again = CloseNextMessageBox(&seen);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks, 2);
    QCOMPARE(seen.size(), std::size_t{2});
}

void UnhandledErrorTest::noTicksWhileTheErrorBoxIsOpen() {
    ProgramFolder folder;
    QVERIFY(FillWithMadeSets(folder));
    auto window = MakeWindow(folder);
    window->show();
    QVERIFY(window->DXTimer1->Running());
    QObject::connect(window->oxButton11, &QAbstractButton::pressed, [] { throw std::runtime_error("boom"); });
    std::vector<SeenBox> seen;
    bool ticking = true;
    int framesWhileOpen = -1;
    auto closer = CloseNextMessageBox(&seen, [&] {
        ticking = window->DXTimer1->Running();
        const int before = window->DXDraw1->PresentCount();
        QTest::qWait(80);
        framesWhileOpen = window->DXDraw1->PresentCount() - before;
    });
    QTest::mousePress(window->oxButton11, Qt::LeftButton);
    QTest::mouseRelease(window->oxButton11, Qt::LeftButton, {}, QPoint(-5, -5));  // released outside: no About
    QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].Text, QStringLiteral("boom."));
    QVERIFY(!ticking);
    QCOMPARE(framesWhileOpen, 0);
    QVERIFY(window->DXTimer1->Enabled());
    QVERIFY(window->DXTimer1->Running());
}

int main(int argc, char** argv) {
    EditorApplication app(argc, argv);
    UnhandledErrorTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_unhandled_error.moc"
