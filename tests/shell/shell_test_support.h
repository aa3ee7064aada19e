#pragma once
// Helpers the window tests share: a program folder of their own with chosen
// image sets, file dialogs the test answers, and a way to answer the modal
// windows the editor opens.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/imageset/dxg_file.h"
#include "shell/file_dialogs.h"
#include "shell/frame_timer.h"
#include "shell/main_window.h"

namespace klv::shell::testing {

inline QString FixtureSet(const char* name) {
    return QStringLiteral(KLV_SHARED_FIXTURES) + QStringLiteral("/dxg/") + QString::fromLatin1(name);
}

inline bool FixturesPresent() {
    return QFile::exists(FixtureSet("tileset1.dxg")) && QFile::exists(FixtureSet("font.dxg"));
}

inline QString BundledSet(const QString& name) { return QStringLiteral(KLV_BIN_DIR) + QStringLiteral("/dxg/") + name; }

inline const QStringList kSetFiles = {QStringLiteral("land.dxg"), QStringLiteral("ball.dxg"), QStringLiteral("anm.dxg"),
                                      QStringLiteral("objectball.dxg"), QStringLiteral("surface.dxg")};

// A folder standing in for the program's: dxg/ with the sets a test chooses,
// and level/ as the build makes it.
class ProgramFolder {
public:
    ProgramFolder() {
        QDir(dir_.path()).mkpath(QStringLiteral("dxg"));
        QDir(dir_.path()).mkpath(QStringLiteral("level"));
    }
    QString Path() const { return dir_.path() + QLatin1Char('/'); }
    QString DxgPath(const QString& name) const { return Path() + QStringLiteral("dxg/") + name; }
    QString LevelPath(const QString& name) const { return Path() + QStringLiteral("level/") + name; }

    bool CopySet(const QString& source, const QString& name) const {
        QFile::remove(DxgPath(name));
        return QFile::copy(source, DxgPath(name));
    }
    bool WriteSet(const klv::ImageSet& set, const QString& name) const {
        return klv::SaveImageSetFile(QFile::encodeName(DxgPath(name)).toStdString(), set).empty();
    }
    bool WriteBytes(const QString& name, const QByteArray& bytes) const {
        QFile file(DxgPath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

private:
    QTemporaryDir dir_;
};

// The fixture sets under all five names: tileset1 for land, ball, object
// ball and surface, font for the animated "other" layer.
inline bool FillWithFixtureSets(const ProgramFolder& folder) {
    bool ok = true;
    for (const QString& name : kSetFiles) {
        const char* source = name == QStringLiteral("anm.dxg") ? "font.dxg" : "tileset1.dxg";
        ok = folder.CopySet(FixtureSet(source), name) && ok;
    }
    return ok;
}

// A picture of one colour (0x00RRGGBB).
inline klv::Picture SolidPicture(std::int32_t width, std::int32_t height, std::uint32_t rgb) {
    klv::Picture picture;
    picture.GraphicClass = "TDIB";
    picture.IsBitmap = true;
    picture.Width = width;
    picture.Height = height;
    picture.BitCount = 24;
    picture.Pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), rgb);
    return picture;
}

inline klv::ImageItem NamedImage(const std::string& name, std::int32_t size = 42, std::uint32_t rgb = 0x3080C0) {
    klv::ImageItem item;
    item.Name = name;
    item.Picture = SolidPicture(size, size, rgb);
    return item;
}

// Answers the file dialogs in order; an empty answer cancels. Records what
// each call was given and whether the frame timer was on meanwhile.
class ScriptedFileDialogs final : public klv::shell::FileDialogs {
public:
    struct Call {
        bool Save = false;
        QString Folder, Filter, DefaultSuffix;
        bool TimerEnabled = false;
        bool TimerRunning = false;
    };

    std::deque<QString> Answers;
    std::vector<Call> Calls;
    klv::shell::FrameTimer* Timer = nullptr;

    QString GetSaveFileName(QWidget*, const QString& folder, const QString& filter,
                            const QString& defaultSuffix) override {
        return Answer({true, folder, filter, defaultSuffix});
    }
    QString GetOpenFileName(QWidget*, const QString& folder, const QString& filter) override {
        return Answer({false, folder, filter, QString()});
    }

private:
    QString Answer(Call call) {
        if (Timer) {
            call.TimerEnabled = Timer->Enabled();
            call.TimerRunning = Timer->Running();
        }
        Calls.push_back(call);
        if (Answers.empty()) return {};
        QString answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
};

// What a message box showed.
struct SeenBox {
    QString Caption;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    int ButtonCount = 0;
    QString ButtonText;
};

// Waits (inside whatever modal loop runs) for the next modal window, hands it
// to `act`, and stops. Polls so it also finds windows opened from deep inside
// a handler.
class ModalAnswerer : public QObject {
public:
    explicit ModalAnswerer(std::function<void(QWidget*)> act, int timeoutMs = 5000)
        : act_(std::move(act)), timeoutMs_(timeoutMs) {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        sinceStart_.start();
        timer_.start();
    }
    bool Done() const { return done_; }
    void Stop() { timer_.stop(); }

private:
    void Poll() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer_.stop();
            done_ = true;
            act_(modal);
            return;
        }
        if (sinceStart_.hasExpired(timeoutMs_)) timer_.stop();
    }
    std::function<void(QWidget*)> act_;
    QTimer timer_;
    QElapsedTimer sinceStart_;
    int timeoutMs_;
    bool done_ = false;
};

// Records the next message box and presses its OK button. `whileOpen` runs
// first, with the box still open.
inline std::unique_ptr<ModalAnswerer> CloseNextMessageBox(std::vector<SeenBox>* seen,
                                                          std::function<void()> whileOpen = {}) {
    return std::make_unique<ModalAnswerer>([seen, whileOpen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) return;
        SeenBox record;
        record.Caption = box->windowTitle();
        record.Text = box->text();
        record.Icon = box->icon();
        record.ButtonCount = static_cast<int>(box->buttons().size());
        if (!box->buttons().isEmpty()) record.ButtonText = box->buttons().front()->text();
        seen->push_back(record);
        if (whileOpen) whileOpen();
        if (QAbstractButton* ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->reject();
    });
}

// Records every change of the timer's Enabled flag.
class EnabledRecorder {
public:
    explicit EnabledRecorder(klv::shell::FrameTimer* timer) {
        QObject::connect(timer, &klv::shell::FrameTimer::enabledChanged, &context_,
                         [this](bool enabled) { Changes.push_back(enabled); });
    }
    std::vector<bool> Changes;

private:
    QObject context_;
};

// Small sets made here, so most tests need no outside files: land has an
// unnamed image 1, the other layer's one image has 11 patterns.
inline bool FillWithMadeSets(const ProgramFolder& folder) {
    klv::ImageSet land;
    land.Items = {NamedImage("grass", 42, 0x20A020), NamedImage("", 42, 0x808080), NamedImage("stone", 60, 0x909090)};
    klv::ImageSet balls;
    balls.Items = {NamedImage("red", 30, 0xE02020), NamedImage("green", 30, 0x20E020), NamedImage("blue", 30, 0x2020E0)};
    klv::ImageSet targets = balls;
    klv::ImageSet other;
    klv::ImageItem spinner = NamedImage("spinner", 42, 0xE0E020);
    spinner.Picture = SolidPicture(42 * 11, 42, 0xE0E020);
    spinner.PatternWidth = 42;
    spinner.PatternHeight = 42;
    other.Items = {spinner};
    klv::ImageSet surfaces;
    surfaces.Items = {NamedImage("water", 42, 0x2060E0), NamedImage("sand", 42, 0xE0C080)};
    return folder.WriteSet(land, QStringLiteral("land.dxg")) && folder.WriteSet(balls, QStringLiteral("ball.dxg")) &&
           folder.WriteSet(other, QStringLiteral("anm.dxg")) &&
           folder.WriteSet(targets, QStringLiteral("objectball.dxg")) &&
           folder.WriteSet(surfaces, QStringLiteral("surface.dxg"));
}

// A main window over `folder`, with scripted dialogs, counting the
// application as active so frames tick on the offscreen platform.
inline std::unique_ptr<klv::shell::TForm1> MakeWindow(const ProgramFolder& folder,
                                                      const std::shared_ptr<ScriptedFileDialogs>& dialogs =
                                                          std::make_shared<ScriptedFileDialogs>()) {
    auto window = std::make_unique<klv::shell::TForm1>(klv::shell::MainWindowSetup{folder.Path(), dialogs});
    dialogs->Timer = window->DXTimer1;
    window->DXTimer1->SetApplicationActiveOverride(true);
    return window;
}

// The draw-area point a press needs to hit the middle of cell [a][b].
inline QPoint CellPressPoint(const klv::LevelState& level, int a, int b) {
    const klv::TCellShape& shape = level.Cells.empty() ? klv::TCellShape{}
                                                       : level.CellShapes[static_cast<std::size_t>(a)]
                                                                         [static_cast<std::size_t>(b)];
    return QPoint(shape.Top.x - level.ViewOffsetX, shape.Top.y + klv::kHalfCellHeight - level.ViewOffsetY);
}

inline const klv::TCellRecord& CellAt(const klv::LevelState& level, int a, int b) {
    return level.Cells[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
}
inline klv::TCellRecord& CellAt(klv::LevelState& level, int a, int b) {
    return level.Cells[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
}

}  // namespace klv::shell::testing
