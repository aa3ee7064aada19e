// Frame ticks, composing the visible part of the draw area, index-fault
// reports and mouse presses on the draw area.

#include <QScrollArea>
#include <QTimer>

#include "editing/placement.h"
#include "shell/draw_area.h"
#include "shell/frame_timer.h"
#include "shell/main_window.h"
#include "shell/message_boxes.h"
#include "shell/window_texts.h"

namespace klv::shell {

void TForm1::SetUpFrameTick() {
    tickHooks_.IsReady = [this] { return DXDraw1->IsReady(); };
    tickHooks_.Compose = [this](std::int32_t animFrame) { ComposeVisible(tickRect_, animFrame); };
    tickHooks_.Present = [this] { DXDraw1->Present(tickRect_); };
    faultCallback_ = [this](klv::LayerSlot, std::int32_t, const std::string& message) { CollectIndexFault(message); };
}

void TForm1::DXTimer1Timer(QObject* /*sender*/, std::int32_t /*lagCount*/) {
    // Only what the scroll box shows is composed.
    tickRect_ = VisibleDrawRect();
    klv::RunFrameTick(Animation, tickHooks_);
    ReportIndexFaults();
}

void TForm1::ComposeVisible(const klv::DrawRect& rect, std::int32_t animFrame) {
    const klv::LayerImageSets sets = DrawingSets();
    // Composing visits only the cells that reach into the rectangle; the scan
    // reports a bad index wherever its cell lies.
    klv::FindIndexFaults(Level, sets, IndexFaults, faultCallback_);
    const klv::FrameInputs inputs{Level, sets, animFrame, &IndexFaults, faultCallback_};
    klv::ComposeRect(inputs, rect, DXDraw1->Frame());
    lastComposedAnimFrame_ = animFrame;
}

void TForm1::CollectIndexFault(const std::string& message) {
    pendingFaults_.push_back(QString::fromStdString(message));
    // Never from inside composing: the box comes up once the current event
    // (a tick, a paint) is over.
    if (!faultReportQueued_) {
        faultReportQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            faultReportQueued_ = false;
            ReportIndexFaults();
        });
    }
}

void TForm1::ReportIndexFaults() {
    if (reportingFaults_) return;
    reportingFaults_ = true;
    while (!pendingFaults_.empty()) {
        const QString message = pendingFaults_.front();
        pendingFaults_.erase(pendingFaults_.begin());
        ShowApplicationErrorBox(this, message, DXTimer1);
    }
    reportingFaults_ = false;
}

void TForm1::DXDraw1MouseDown(QObject* /*sender*/, Qt::MouseButton button, Qt::KeyboardModifiers /*shift*/,
                              std::int32_t x, std::int32_t y) {
    klv::PressButton press = klv::PressButton::Left;
    switch (button) {
        case Qt::LeftButton: press = klv::PressButton::Left; break;
        case Qt::RightButton: press = klv::PressButton::Right; break;
        default: return;  // middle and other buttons do nothing
    }
    const QString caption = ActivePageCaption();
    klv::ApplyPress(Level, press, caption.toStdString(), x, y, [this] {
        ShowWarningBox(this, QString::fromUtf8(klv::kTargetWarningCaption.data(),
                                               static_cast<qsizetype>(klv::kTargetWarningCaption.size())),
                       QString::fromUtf8(klv::kTargetWarningText.data(),
                                         static_cast<qsizetype>(klv::kTargetWarningText.size())));
    });
}

}  // namespace klv::shell
