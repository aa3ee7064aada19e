// The file commands (SaveLevel, Save As..., OpenLevel), GridSize and About.
// Every way out of a command that switched the frame timer off switches it
// on again.

#include <QFile>
#include <QLabel>
#include <QPointer>

#include "model/level_file.h"
#include "shell/about_box.h"
#include "shell/draw_area.h"
#include "shell/file_dialogs.h"
#include "shell/frame_timer.h"
#include "shell/grid_size_dialog.h"
#include "shell/main_window.h"
#include "shell/message_boxes.h"
#include "shell/window_texts.h"

namespace klv::shell {

namespace {

// Switches the timer off now and on again when the command ends, however it
// ends.
class TimerOffWhileWorking {
public:
    explicit TimerOffWhileWorking(FrameTimer* timer) : timer_(timer) { timer_->SetEnabled(false); }
    ~TimerOffWhileWorking() {
        if (timer_) timer_->SetEnabled(true);
    }
    TimerOffWhileWorking(const TimerOffWhileWorking&) = delete;
    TimerOffWhileWorking& operator=(const TimerOffWhileWorking&) = delete;

private:
    QPointer<FrameTimer> timer_;
};

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

void TForm1::oxButton2Click(QObject* /*sender*/) { SaveCommand(false); }

void TForm1::oxButton8Click(QObject* /*sender*/) { SaveCommand(true); }

void TForm1::SaveCommand(bool alwaysAsk) {
    const QString folder = LevelFolder();
    const TimerOffWhileWorking timerOff(DXTimer1);
    if (alwaysAsk || CurrentFileName.isEmpty()) {
        QString chosen;
        {
            // The system dialog runs a loop of its own: no ticks inside.
            const TickSuspension hold(DXTimer1);
            chosen = dialogs_->GetSaveFileName(this, folder, kLevelFileFilter, kLevelFileSuffix);
        }
        if (chosen.isEmpty()) return;
        CurrentFileName = chosen;
        if (FileNamePart(CurrentFileName).isEmpty()) return;
    }
    // The writer replaces the file only once the new one is complete, so a
    // failed save leaves the previous file intact.
    const klv::LevelWriteResult written = klv::WriteLevelFile(LocalPath(CurrentFileName), Level);
    setWindowTitle(TitleForFile(CurrentFileName));
    if (written.Ok)
        ShowInformationBox(this, kInformationCaption, kSaveCompletedText);
    else
        ShowErrorMessageBox(this, kErrorCaption, SaveFailedText(QString::fromStdString(written.Error)));
}

void TForm1::oxButton6Click(QObject* /*sender*/) {
    const QString folder = LevelFolder();
    QString path;
    {
        const TickSuspension hold(DXTimer1);
        path = dialogs_->GetOpenFileName(this, folder, kLevelFileFilter);
    }
    if (path.isEmpty()) return;
    const TimerOffWhileWorking timerOff(DXTimer1);
    if (FileNamePart(path).isEmpty()) return;

    // The reader checks the whole file before it replaces anything, so a
    // refused file leaves the level as it was.
    const klv::LevelReadResult read = klv::ReadLevelFile(LocalPath(path), Level, *DXDraw1);
    switch (read.Outcome) {
        case klv::LevelReadOutcome::CannotOpen:
            ShowErrorMessageBox(this, kErrorCaption, FromView(klv::kCannotOpenText));
            return;
        case klv::LevelReadOutcome::NotALevelFile:
            ShowWarningBox(this, kWarningCaption, FromView(klv::kNotALevelFileText));
            return;
        case klv::LevelReadOutcome::Read:
            break;
    }
    LevelReplaced();
    CurrentFileName = path;
    setWindowTitle(TitleForFile(CurrentFileName));
    SetSizeLabel(SizeLabelText(Level.LevelWidth, Level.LevelHeight));
}

void TForm1::oxButton7Click(QObject* /*sender*/) {
    const TimerOffWhileWorking timerOff(DXTimer1);
    QPointer<TForm2> dialog = new TForm2(
        this,
        [this](std::int32_t width, std::int32_t height) {
            Level.LevelWidth = width;
            Level.LevelHeight = height;
            FormCreate(this);
        },
        [this](const QString& text) { SetSizeLabel(text); });
    dialog->exec();
    delete dialog.data();
}

void TForm1::oxButton11Click(QObject* /*sender*/) {
    // The level goes on animating behind the about box.
    QPointer<TForm3> box = new TForm3(this);
    box->exec();
    delete box.data();
}

}  // namespace klv::shell
