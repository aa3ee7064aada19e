// An error that escapes an event handler comes up in the application's error
// box and the program goes on; no frame ticks while that box is open.

#include <QtTest>

#include <stdexcept>

#include "shell/application.h"
#include "shell/draw_area.h"
#include "shell/ox_button.h"
#include "shell_test_support.h"

using namespace klv::shell;
using namespace klv::shell::testing;

namespace {

// Throws from its handler of user events, as a faulty handler would. (Events
// of Qt's own input machinery are left out: Qt does not clean up behind an
// exception thrown through it.)
class FaultyHandler : public QObject {
public:
    explicit FaultyHandler(std::string message) : message_(std::move(message)) {}
    int Handled = 0;
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User) return QObject::event(event);
        ++Handled;
        throw std::runtime_error(message_);
    }

private:
    std::string message_;
};

}  // namespace

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
    FaultyHandler handler(message.toStdString());
    std::vector<SeenBox> seen;
    auto closer = CloseNextMessageBox(&seen);
    QCoreApplication::postEvent(&handler, new QEvent(QEvent::User));
    QTRY_COMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].Caption, QStringLiteral("Kelvaran2 LevelEditor"));
    QCOMPARE(seen[0].Text, shown);
    QCOMPARE(seen[0].Icon, QMessageBox::Critical);
    QCOMPARE(seen[0].ButtonCount, 1);
    QCOMPARE(static_cast<EditorApplication*>(qApp)->LastUnhandledError(), message);

    // The program goes on: the next event is handled as usual.
    auto again = CloseNextMessageBox(&seen);
    QCoreApplication::postEvent(&handler, new QEvent(QEvent::User));
    QTRY_COMPARE(seen.size(), std::size_t{2});
    QCOMPARE(handler.Handled, 2);
}

void UnhandledErrorTest::noTicksWhileTheErrorBoxIsOpen() {
    ProgramFolder folder;
    QVERIFY(FillWithMadeSets(folder));
    auto window = MakeWindow(folder);
    window->show();
    QVERIFY(window->DXTimer1->Running());
    FaultyHandler handler("boom");
    std::vector<SeenBox> seen;
    bool ticking = true;
    int framesWhileOpen = -1;
    auto closer = CloseNextMessageBox(&seen, [&] {
        ticking = window->DXTimer1->Running();
        const int before = window->DXDraw1->PresentCount();
        QTest::qWait(80);
        framesWhileOpen = window->DXDraw1->PresentCount() - before;
    });
    QCoreApplication::postEvent(&handler, new QEvent(QEvent::User));
    QTRY_COMPARE(seen.size(), std::size_t{1});
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
