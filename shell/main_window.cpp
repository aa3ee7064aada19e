#include "shell/main_window.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>

#include <algorithm>
#include <exception>

#include "shell/draw_area.h"
#include "shell/file_dialogs.h"
#include "shell/frame_timer.h"
#include "shell/message_boxes.h"
#include "shell/ox_button.h"
#include "shell/visible_rect.h"
#include "shell/window_texts.h"

namespace klv::shell {

TForm1* Form1 = nullptr;

TForm1::TForm1(MainWindowSetup setup)
    : QWidget(nullptr),
      programFolder_(setup.ProgramFolder.isEmpty() ? QCoreApplication::applicationDirPath() : setup.ProgramFolder),
      dialogs_(setup.Dialogs ? std::move(setup.Dialogs) : std::make_shared<QtFileDialogs>()) {
    if (!programFolder_.endsWith(QLatin1Char('/'))) programFolder_ += QLatin1Char('/');
    imageLists_ = {&DXImageList1, &DXImageList2, &DXImageList3, &DXImageList4, &DXImageList5};
    Form1 = this;
    BuildLayout();
    ConnectHandlers();
    FormCreate(this);
}

TForm1::~TForm1() {
    // The draw area goes with the window and stops the frame timer first.
    DXDraw1->Finalize();
    // The state the callbacks reach goes before the child widgets do.
    DXTimer1->OnTimer = nullptr;
    DXDraw1->OnInitialize = nullptr;
    DXDraw1->OnFinalize = nullptr;
    DXDraw1->OnMouseDown = nullptr;
    DXDraw1->VisibleRect = nullptr;
    DXDraw1->ComposeOnDemand = nullptr;
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::ConnectHandlers() {
    const auto bind = [this](OxButton* button, void (TForm1::*handler)(QObject*)) {
        connect(button, &QAbstractButton::clicked, this, [this, button, handler] { (this->*handler)(button); });
    };
    bind(oxButton1, &TForm1::oxButton1Click);
    bind(oxButton2, &TForm1::oxButton2Click);
    bind(oxButton3, &TForm1::oxButton3Click);
    bind(oxButton4, &TForm1::oxButton4Click);
    bind(oxButton5, &TForm1::oxButton5Click);
    bind(oxButton6, &TForm1::oxButton6Click);
    bind(oxButton7, &TForm1::oxButton7Click);
    bind(oxButton8, &TForm1::oxButton8Click);
    bind(oxButton9, &TForm1::oxButton9Click);
    bind(oxButton10, &TForm1::oxButton10Click);
    bind(oxButton11, &TForm1::oxButton11Click);
    bind(oxButton12, &TForm1::oxButton12Click);

    DXDraw1->OnInitialize = [this] { DXDraw1Initialize(DXDraw1); };
    DXDraw1->OnFinalize = [this] { DXDraw1Finalize(DXDraw1); };
    DXDraw1->OnMouseDown = [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, std::int32_t x,
                                  std::int32_t y) { DXDraw1MouseDown(DXDraw1, button, shift, x, y); };
    DXDraw1->VisibleRect = [this] { return VisibleDrawRect(); };
    DXDraw1->ComposeOnDemand = [this](const klv::DrawRect& rect) { ComposeVisible(rect, lastComposedAnimFrame_); };
    DXTimer1->OnTimer = [this](std::int32_t lagCount) { DXTimer1Timer(DXTimer1, lagCount); };
    SetUpFrameTick();
}

void TForm1::setVisible(bool visible) {
    if (visible && !formShowDone_) {
        formShowDone_ = true;
        // A failing step ends the show handler; the window is shown anyway.
        try {
            FormShow(this);
        } catch (const std::exception& error) {
            ShowApplicationErrorBox(this, QString::fromUtf8(error.what()), DXTimer1);
        }
    }
    QWidget::setVisible(visible);
    if (visible && isVisible()) DXDraw1->Initialize();
}

void TForm1::FormCreate(QObject* /*sender*/) {
    klv::RebuildLevel(Level, *DXDraw1);
    LevelReplaced();
}

void TForm1::LevelReplaced() {
    // Faults belong to the level that had them; a new level reports afresh.
    IndexFaults.Clear();
    pendingFaults_.clear();
}

void TForm1::DXDraw1Initialize(QObject* /*sender*/) {
    // Sets loaded before the draw area existed are prepared now, whatever
    // they hold (after a failed start-up the scratch set may hold another
    // layer's images).
    for (int slot = 0; slot < klv::kLayerSlotCount; ++slot) PrepareImageList(slot);
    DXTimer1->SetEnabled(true);
}

void TForm1::DXDraw1Finalize(QObject* /*sender*/) { DXTimer1->SetEnabled(false); }

void TForm1::oxButton1Click(QObject* sender) {
    CurrentFileName.clear();
    setWindowTitle(kUntitledTitle);
    FormCreate(sender);
}

void TForm1::oxButton9Click(QObject* /*sender*/) { close(); }

QString TForm1::ActivePageCaption() const {
    const QWidget* page = Notebook1->currentWidget();
    return page ? page->windowTitle() : QString();
}

void TForm1::SetActivePage(const QString& caption) {
    for (int i = 0; i < Notebook1->count(); ++i) {
        if (Notebook1->widget(i)->windowTitle() == caption) {
            Notebook1->setCurrentIndex(i);
            return;
        }
    }
}

QString TForm1::DxgFolder() const { return programFolder_ + QStringLiteral("dxg/"); }

QString TForm1::LevelFolder() const { return programFolder_ + QStringLiteral("level/"); }

klv::DrawRect TForm1::VisibleDrawRect() const {
    const QWidget* viewport = ScrollBox110->viewport();
    return klv::shell::VisibleDrawRect(ScrollBox110->horizontalScrollBar()->value(),
                                       ScrollBox110->verticalScrollBar()->value(), viewport->width(),
                                       viewport->height(), DXDraw1->width(), DXDraw1->height());
}

void TForm1::SetSizeLabel(const QString& text) {
    Label1->setText(text);
    // The label grows with its text, as a sized-to-fit label does.
    Label1->resize(std::max(30, Label1->fontMetrics().horizontalAdvance(text)), Label1->height());
}

}  // namespace klv::shell
