// SaveLevel, Save As... and OpenLevel: dialogs, files, message boxes, titles,
// the size label, and the frame timer around each.

#include <QFileDialog>
#include <QLabel>
#include <QtTest>

#include "model/level_file.h"
#include "shell/draw_area.h"
#include "shell/ox_button.h"
#include "shell/window_texts.h"
#include "shell_test_support.h"

using namespace klv::shell;
using namespace klv::shell::testing;

namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray LevelBytes(const klv::LevelState& level) {
    const std::vector<std::uint8_t> bytes = klv::LevelFileBytes(level);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

// A 7 x 7 level with a few pieces and a stored diamond that differs from the
// computed one.
klv::LevelState SevenBySeven() {
    klv::LevelState level = klv::MakeLevel(7);
    CellAt(level, 2, 3).LayerCode.assign("1");
    CellAt(level, 2, 3).TileIndex = 1;
    CellAt(level, 4, 4).SurfaceIndex = 0;
    CellAt(level, 4, 4).Reserved3[10] = 0x77;
    level.CellShapes[6][6].Top.x += 3;
    return level;
}

}  // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void saveUntitledAsksThenWrites();
    void saveWithNameWritesWithoutAsking();
    void saveAsAlwaysAsksAndCancelKeepsTheName();
    void saveEndedEarly_data();
    void saveEndedEarly();
    void saveFailureIsReported();
    void newLevelAfterSaveAsksAgain();
    void openReadsTheLevel();
    void openCancelledChangesNothing();
    void openRefused_data();
    void openRefused();
    void openPathWithoutFileName();
    void realSaveDialogSettings();
    void realOpenDialogSettings();

private:
    std::unique_ptr<ProgramFolder> folder_;
    std::shared_ptr<ScriptedFileDialogs> dialogs_;
    std::unique_ptr<TForm1> window_;
};

void FileCommandsTest::init() {
    folder_ = std::make_unique<ProgramFolder>();
    QVERIFY(FillWithMadeSets(*folder_));
    dialogs_ = std::make_shared<ScriptedFileDialogs>();
    window_ = MakeWindow(*folder_, dialogs_);
    window_->show();
}

void FileCommandsTest::cleanup() {
    window_.reset();
    dialogs_.reset();
    folder_.reset();
}

void FileCommandsTest::saveUntitledAsksThenWrites() {
    TForm1& w = *window_;
    const QString path = folder_->LevelPath(QStringLiteral("castle.klv"));
    dialogs_->Answers = {path};
    EnabledRecorder timer(w.DXTimer1);
    std::vector<SeenBox> seen;
    bool timerOnDuringBox = true;
    auto closer = CloseNextMessageBox(&seen, [&] { timerOnDuringBox = w.DXTimer1->Enabled(); });
    w.oxButton2->click();

    QCOMPARE(dialogs_->Calls.size(), std::size_t{1});
    const ScriptedFileDialogs::Call& call = dialogs_->Calls[0];
    QVERIFY(call.Save);
    QCOMPARE(call.Folder, folder_->Path() + QStringLiteral("level/"));
    QCOMPARE(call.Filter, QStringLiteral("Kelvaran2 Map (*.klv)"));
    QCOMPARE(call.DefaultSuffix, QStringLiteral("klv"));
    QVERIFY(!call.TimerEnabled);
    QVERIFY(!call.TimerRunning);

    QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].Caption, QStringLiteral("Information"));
    QCOMPARE(seen[0].Text, QStringLiteral("Save completed."));
    QCOMPARE(seen[0].Icon, QMessageBox::Information);
    QCOMPARE(seen[0].ButtonCount, 1);
    QVERIFY(!timerOnDuringBox);

    const QByteArray bytes = FileBytes(path);
    QCOMPARE(bytes.size(), 24359);
    QCOMPARE(bytes, LevelBytes(klv::MakeLevel(15)));
    QCOMPARE(w.CurrentFileName, path);
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelvaran2 LevelEditor--castle.klv"));
    QCOMPARE(timer.Changes, (std::vector<bool>{false, true}));
}

void FileCommandsTest::saveWithNameWritesWithoutAsking() {
    TForm1& w = *window_;
    const QString path = folder_->LevelPath(QStringLiteral("again.klv"));
    QVERIFY(WriteFile(path, QByteArray("old contents")));
    w.CurrentFileName = path;
    CellAt(w.Level, 3, 4).LayerCode.assign("0");
    CellAt(w.Level, 3, 4).TileIndex = 2;
    EnabledRecorder timer(w.DXTimer1);
    std::vector<SeenBox> seen;
    auto closer = CloseNextMessageBox(&seen);
    w.oxButton2->click();
    QVERIFY(dialogs_->Calls.empty());
    QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(FileBytes(path), LevelBytes(w.Level));
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelvaran2 LevelEditor--again.klv"));
    QCOMPARE(timer.Changes, (std::vector<bool>{false, true}));
}

void FileCommandsTest::saveAsAlwaysAsksAndCancelKeepsTheName() {
    TForm1& w = *window_;
    const QString first = folder_->LevelPath(QStringLiteral("first.klv"));
    const QString second = folder_->LevelPath(QStringLiteral("second.klv"));
    w.CurrentFileName = first;
    dialogs_->Answers = {second, QString()};
    std::vector<SeenBox> seen;
    auto closer = CloseNextMessageBox(&seen);
    w.oxButton8->click();
    QCOMPARE(dialogs_->Calls.size(), std::size_t{1});
    QCOMPARE(seen.size(), std::size_t{1});
    QVERIFY(QFile::exists(second));
    QVERIFY(!QFile::exists(first));
    QCOMPARE(w.CurrentFileName, second);

    EnabledRecorder timer(w.DXTimer1);
    w.oxButton8->click();  // cancelled
    QCOMPARE(dialogs_->Calls.size(), std::size_t{2});
    QCOMPARE(w.CurrentFileName, second);
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelvaran2 LevelEditor--second.klv"));
    QCOMPARE(timer.Changes, (std::vector<bool>{false, true}));
    QVERIFY(w.DXTimer1->Running());
}

void FileCommandsTest::saveEndedEarly_data() {
    QTest::addColumn<bool>("cancel");
    QTest::newRow("dialog cancelled") << true;
    QTest::newRow("chosen path without a file name") << false;
}

void FileCommandsTest::saveEndedEarly() {
    QFETCH(bool, cancel);
    TForm1& w = *window_;
    const QString folderOnly = folder_->Path() + QStringLiteral("level/");
    dialogs_->Answers = {cancel ? QString() : folderOnly};
    EnabledRecorder timer(w.DXTimer1);
    ModalAnswerer none([](QWidget* modal) { modal->close(); }, 200);
    w.oxButton2->click();
    QTest::qWait(250);
    none.Stop();
    QVERIFY(!none.Done());
    QCOMPARE(w.CurrentFileName, cancel ? QString() : folderOnly);
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelvaran2 LevelEditor--Untitled"));
    QVERIFY(QDir(folderOnly).entryList(QDir::Files).isEmpty());
    QCOMPARE(timer.Changes, (std::vector<bool>{false, true}));
}

void FileCommandsTest::saveFailureIsReported() {
    TForm1& w = *window_;
    const QString path = folder_->Path() + QStringLiteral("no-such-folder/lost.klv");
    dialogs_->Answers = {path};
    EnabledRecorder timer(w.DXTimer1);
    std::vector<SeenBox> seen;
    auto closer = CloseNextMessageBox(&seen);
    w.oxButton2->click();
    QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].Caption, QStringLiteral("Error"));
    QCOMPARE(seen[0].Icon, QMessageBox::Critical);
    QVERIFY2(seen[0].Text.startsWith(QStringLiteral("Save failed: ")), qPrintable(seen[0].Text));
    QVERIFY(seen[0].Text.size() > QStringLiteral("Save failed: ").size());
    QVERIFY(!QFile::exists(path));
    // Title and name as after a save: the next SaveLevel tries the same file.
    QCOMPARE(w.CurrentFileName, path);
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelvaran2 LevelEditor--lost.klv"));
    QCOMPARE(timer.Changes, (std::vector<bool>{false, true}));
}

void FileCommandsTest::newLevelAfterSaveAsksAgain() {
    TForm1& w = *window_;
    dialogs_->Answers = {folder_->LevelPath(QStringLiteral("a.klv")), folder_->LevelPath(QStringLiteral("b.klv"))};
    std::vector<SeenBox> seen;
    auto first = CloseNextMessageBox(&seen);
    w.oxButton2->click();
    w.oxButton1->click();
    QVERIFY(w.CurrentFileName.isEmpty());
    auto second = CloseNextMessageBox(&seen);
    w.oxButton2->click();
    QCOMPARE(dialogs_->Calls.size(), std::size_t{2});
    QVERIFY(QFile::exists(folder_->LevelPath(QStringLiteral("b.klv"))));
}

void FileCommandsTest::openReadsTheLevel() {
    TForm1& w = *window_;
    const QString path = folder_->LevelPath(QStringLiteral("seven.klv"));
    const klv::LevelState stored = SevenBySeven();
    QVERIFY(WriteFile(path, LevelBytes(stored)));
    w.oxButton4->click();
    w.Level.SelectedTile.assign(1, '2');
    dialogs_->Answers = {path};
    EnabledRecorder timer(w.DXTimer1);
    ModalAnswerer none([](QWidget* modal) { modal->close(); }, 200);
    w.oxButton6->click();
    QTest::qWait(250);
    none.Stop();
    QVERIFY(!none.Done());

    QCOMPARE(dialogs_->Calls.size(), std::size_t{1});
    const ScriptedFileDialogs::Call& call = dialogs_->Calls[0];
    QVERIFY(!call.Save);
    QCOMPARE(call.Folder, folder_->Path() + QStringLiteral("level/"));
    QCOMPARE(call.Filter, QStringLiteral("Kelvaran2 Map (*.klv)"));
    // The timer is switched off only after the dialog, but no tick runs
    // while it is open.
    QVERIFY(call.TimerEnabled);
    QVERIFY(!call.TimerRunning);

    QCOMPARE(w.Level.LevelWidth, 7);
    QCOMPARE(w.Level.LevelHeight, 7);
    QCOMPARE(CellAt(w.Level, 2, 3).LayerCode.text(), std::string_view("1"));
    QCOMPARE(CellAt(w.Level, 2, 3).TileIndex, 1);
    QCOMPARE(CellAt(w.Level, 4, 4).Reserved3[10], 0x77);
    QCOMPARE(w.Level.CellShapes[6][6], stored.CellShapes[6][6]);
    QCOMPARE(w.DXDraw1->size(), QSize(646, 296));
    QCOMPARE(w.Level.SelectedTile, std::string("0"));
    QCOMPARE(w.ActivePageCaption(), QStringLiteral("1"));
    QCOMPARE(w.CurrentFileName, path);
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelvaran2 LevelEditor--seven.klv"));
    QCOMPARE(w.Label1->text(), QStringLiteral("7X7"));
    QCOMPARE(timer.Changes, (std::vector<bool>{false, true}));

    // Saved again without an edit, the same bytes come back.
    std::vector<SeenBox> seen;
    auto closer = CloseNextMessageBox(&seen);
    w.oxButton2->click();
    QCOMPARE(FileBytes(path), LevelBytes(stored));
}

void FileCommandsTest::openCancelledChangesNothing() {
    TForm1& w = *window_;
    CellAt(w.Level, 1, 1).LayerCode.assign("0");
    dialogs_->Answers = {QString()};
    EnabledRecorder timer(w.DXTimer1);
    w.oxButton6->click();
    QCOMPARE(dialogs_->Calls.size(), std::size_t{1});
    QVERIFY(timer.Changes.empty());
    QVERIFY(w.DXTimer1->Running());
    QCOMPARE(CellAt(w.Level, 1, 1).LayerCode.text(), std::string_view("0"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelvaran2 LevelEditor--Untitled"));
}

void FileCommandsTest::openRefused_data() {
    QTest::addColumn<QByteArray>("contents");  // empty: no such file
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");
    const QString cannotOpen = QString::fromUtf8("打开文件失败。");
    const QString notALevel = QString::fromUtf8("无效的关卡文件。");
    QByteArray good = LevelBytes(klv::MakeLevel(2));
    QByteArray wrongCase = good;
    wrongCase[1] = 'q';
    QByteArray wrongLength = good;
    wrongLength[0] = 16;
    QByteArray unequalSizes = good;
    unequalSizes[55] = 3;
    QTest::newRow("missing file") << QByteArray() << "Error" << cannotOpen << int(QMessageBox::Critical);
    QTest::newRow("signature letter case") << wrongCase << "Warning" << notALevel << int(QMessageBox::Warning);
    QTest::newRow("signature length byte") << wrongLength << "Warning" << notALevel << int(QMessageBox::Warning);
    QTest::newRow("ends inside the signature") << good.left(10) << "Warning" << notALevel
                                               << int(QMessageBox::Warning);
    QTest::newRow("unequal sizes") << unequalSizes << "Warning" << notALevel << int(QMessageBox::Warning);
}

void FileCommandsTest::openRefused() {
    QFETCH(QByteArray, contents);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QFETCH(int, icon);
    TForm1& w = *window_;
    const QString previous = folder_->LevelPath(QStringLiteral("previous.klv"));
    w.CurrentFileName = previous;
    w.setWindowTitle(TitleForFile(previous));
    w.Label1->setText(QStringLiteral("15X15"));
    CellAt(w.Level, 1, 1).LayerCode.assign("0");
    CellAt(w.Level, 1, 1).TileIndex = 2;
    const QString refused = folder_->LevelPath(QStringLiteral("refused.klv"));
    if (!contents.isEmpty()) QVERIFY(WriteFile(refused, contents));
    dialogs_->Answers = {refused};
    EnabledRecorder timer(w.DXTimer1);
    std::vector<SeenBox> seen;
    auto closer = CloseNextMessageBox(&seen);
    w.oxButton6->click();

    QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].Caption, caption);
    QCOMPARE(seen[0].Text, text);
    QCOMPARE(int(seen[0].Icon), icon);
    QCOMPARE(seen[0].ButtonCount, 1);
    QCOMPARE(w.Level.LevelWidth, 15);
    QCOMPARE(CellAt(w.Level, 1, 1).TileIndex, 2);
    QCOMPARE(w.DXDraw1->size(), QSize(1382, 632));
    QCOMPARE(w.CurrentFileName, previous);
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelvaran2 LevelEditor--previous.klv"));
    QCOMPARE(w.Label1->text(), QStringLiteral("15X15"));
    QCOMPARE(timer.Changes, (std::vector<bool>{false, true}));

    // SaveLevel afterwards writes the previous file, never the refused one.
    auto saved = CloseNextMessageBox(&seen);
    w.oxButton2->click();
    QVERIFY(QFile::exists(previous));
    QCOMPARE(FileBytes(refused), contents);
}

void FileCommandsTest::openPathWithoutFileName() {
    TForm1& w = *window_;
    dialogs_->Answers = {folder_->Path() + QStringLiteral("level/")};
    EnabledRecorder timer(w.DXTimer1);
    w.oxButton6->click();
    QCOMPARE(w.Level.LevelWidth, 15);
    QVERIFY(w.CurrentFileName.isEmpty());
    QCOMPARE(timer.Changes, (std::vector<bool>{false, true}));
}

namespace {

// What a real file dialog looked like while it was open.
struct SeenFileDialog {
    QString Name, Directory, Suffix;
    QStringList Filters;
    bool OverwriteQuestionOff = false;
    bool TicksHeld = false;
};

SeenFileDialog Inspect(const QFileDialog& dialog, const TForm1& window) {
    SeenFileDialog seen;
    seen.Name = dialog.objectName();
    seen.Directory = dialog.directory().absolutePath();
    seen.Suffix = dialog.defaultSuffix();
    seen.Filters = dialog.nameFilters();
    seen.OverwriteQuestionOff = dialog.testOption(QFileDialog::DontConfirmOverwrite);
    seen.TicksHeld = !window.DXTimer1->Running();
    return seen;
}

// A window with the real dialogs: on this platform the dialog is Qt's own, so
// the test can fill it in.
std::unique_ptr<TForm1> WindowWithRealDialogs(const QString& programFolder) {
    auto window = std::make_unique<TForm1>(MainWindowSetup{programFolder, nullptr});
    window->DXTimer1->SetApplicationActiveOverride(true);
    window->show();
    return window;
}

}  // namespace

void FileCommandsTest::realSaveDialogSettings() {
    window_.reset();
    const auto window = WindowWithRealDialogs(folder_->Path());
    TForm1& w = *window;
    SeenFileDialog dialogSeen;
    std::vector<SeenBox> seen;
    std::unique_ptr<ModalAnswerer> info;
    ModalAnswerer answer([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) return;
        dialogSeen = Inspect(*dialog, w);
        info = CloseNextMessageBox(&seen);
        dialog->selectFile(QStringLiteral("typed"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    w.oxButton8->click();
    QVERIFY(answer.Done());
    QCOMPARE(dialogSeen.Name, QStringLiteral("SaveDialog1"));
    QVERIFY(dialogSeen.TicksHeld);
    QCOMPARE(dialogSeen.Directory, QDir(folder_->Path() + QStringLiteral("level")).absolutePath());
    QCOMPARE(dialogSeen.Suffix, QStringLiteral("klv"));
    QCOMPARE(dialogSeen.Filters, QStringList{QStringLiteral("Kelvaran2 Map (*.klv)")});
    QVERIFY(dialogSeen.OverwriteQuestionOff);
    QCOMPARE(FileNamePart(w.CurrentFileName), QStringLiteral("typed.klv"));
    QVERIFY(QFile::exists(folder_->LevelPath(QStringLiteral("typed.klv"))));
    QCOMPARE(seen.size(), std::size_t{1});
}

void FileCommandsTest::realOpenDialogSettings() {
    window_.reset();
    const auto window = WindowWithRealDialogs(folder_->Path());
    TForm1& w = *window;
    EnabledRecorder timer(w.DXTimer1);
    SeenFileDialog dialogSeen;
    std::vector<SeenBox> seen;
    std::unique_ptr<ModalAnswerer> error;
    ModalAnswerer answer([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) return;
        dialogSeen = Inspect(*dialog, w);
        error = CloseNextMessageBox(&seen);
        // The dialog lets a typed name through whether or not such a file
        // exists; the command then finds it cannot open it.
        dialog->selectFile(QStringLiteral("missing.klv"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    w.oxButton6->click();
    QVERIFY(answer.Done());
    QCOMPARE(dialogSeen.Name, QStringLiteral("OpenDlg1"));
    QVERIFY(dialogSeen.TicksHeld);
    QCOMPARE(dialogSeen.Directory, QDir(folder_->Path() + QStringLiteral("level")).absolutePath());
    QVERIFY(dialogSeen.Suffix.isEmpty());
    QCOMPARE(dialogSeen.Filters, QStringList{QStringLiteral("Kelvaran2 Map (*.klv)")});
    QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].Caption, QStringLiteral("Error"));
    QCOMPARE(seen[0].Text, QString::fromUtf8(klv::kCannotOpenText.data(),
                                             static_cast<qsizetype>(klv::kCannotOpenText.size())));
    QVERIFY(w.CurrentFileName.isEmpty());
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelvaran2 LevelEditor--Untitled"));
    QCOMPARE(timer.Changes, (std::vector<bool>{false, true}));
}

QTEST_MAIN(FileCommandsTest)
#include "test_file_commands.moc"
