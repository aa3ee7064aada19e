#include "shell/draw_area.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace klv::shell {

namespace {

QRect ToQRect(const klv::DrawRect& rect) { return QRect(rect.Left, rect.Top, rect.Width, rect.Height); }

}  // namespace

DrawArea::DrawArea(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DXDraw1"));
    // Every pixel is painted from the frame or black; no background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
}

void DrawArea::SetWidth(std::int32_t width) {
    if (width == this->width()) return;
    resize(width, height());
    Resized();
}

void DrawArea::SetHeight(std::int32_t height) {
    if (height == this->height()) return;
    resize(width(), height);
    Resized();
}

// Inside a scroll box the scroll position decides where the content sits;
// moving the area alone would leave the scroll bars (and so what a tick
// composes) somewhere else. The scroll box is scrolled to match.
void DrawArea::SetTop(std::int32_t top) {
    if (QScrollBar* bar = ScrollBar(Qt::Vertical)) bar->setValue(std::max(0, -top));
    move(x(), top);
}

void DrawArea::SetLeft(std::int32_t left) {
    if (QScrollBar* bar = ScrollBar(Qt::Horizontal)) bar->setValue(std::max(0, -left));
    move(left, y());
}

QScrollBar* DrawArea::ScrollBar(Qt::Orientation orientation) const {
    const QWidget* viewport = parentWidget();
    auto* box = viewport ? qobject_cast<QScrollArea*>(viewport->parentWidget()) : nullptr;
    if (!box || box->widget() != this) return nullptr;
    return orientation == Qt::Horizontal ? box->horizontalScrollBar() : box->verticalScrollBar();
}

void DrawArea::Resized() {
    // A new size means a new, black back buffer: nothing presented so far
    // belongs to it.
    presentedRect_ = {};
}

void DrawArea::Initialize() {
    if (initialized_) return;
    initialized_ = true;
    if (OnInitialize) OnInitialize();
}

void DrawArea::Finalize() {
    if (!initialized_ || finalized_) return;
    finalized_ = true;
    if (OnFinalize) OnFinalize();
}

void DrawArea::WrapFrame() {
    const auto* pixels = reinterpret_cast<const uchar*>(frame_.Pixels.data());
    const bool sizeMatches = frame_.Width == presentedRect_.Width && frame_.Height == presentedRect_.Height &&
                             static_cast<std::size_t>(frame_.Width) * static_cast<std::size_t>(frame_.Height) ==
                                 frame_.Pixels.size();
    if (!sizeMatches || frame_.Width <= 0 || frame_.Height <= 0) {
        // The surface does not hold what was presented (a compose that did
        // not reach Present): show nothing from it.
        frameImage_ = QImage();
        presentedRect_ = {};
        return;
    }
    if (!frameImage_.isNull() && frameImage_.constBits() == pixels && frameImage_.width() == frame_.Width &&
        frameImage_.height() == frame_.Height)
        return;
    frameImage_ = QImage(pixels, frame_.Width, frame_.Height, static_cast<qsizetype>(frame_.Width) * 2,
                         QImage::Format_RGB16);
}

void DrawArea::Present(const klv::DrawRect& rect) {
    presentedRect_ = rect;
    WrapFrame();
    ++presentCount_;
    if (presentedRect_.Width > 0 && presentedRect_.Height > 0) repaint(ToQRect(presentedRect_));
    emit presented();
}

void DrawArea::paintEvent(QPaintEvent* event) {
    WrapFrame();
    const QRect wanted = event->rect();
    QRect shown = ToQRect(presentedRect_);
    if (!shown.contains(wanted) && IsReady() && ComposeOnDemand && VisibleRect) {
        const klv::DrawRect visible = VisibleRect();
        if (visible.Width > 0 && visible.Height > 0) {
            ComposeOnDemand(visible);
            presentedRect_ = visible;
            WrapFrame();
            shown = ToQRect(presentedRect_);
        }
    }
    QPainter painter(this);
    const QRect fromFrame = wanted.intersected(shown);
    if (!fromFrame.isEmpty() && !frameImage_.isNull())
        painter.drawImage(fromFrame.topLeft(), frameImage_, fromFrame.translated(-shown.topLeft()));
    if (fromFrame == wanted) return;
    for (const QRect& rest : QRegion(wanted).subtracted(QRegion(fromFrame))) painter.fillRect(rest, Qt::black);
}

void DrawArea::MouseDown(QMouseEvent* event) {
    if (!OnMouseDown) return;
    const QPointF at = event->position();
    OnMouseDown(event->button(), event->modifiers(), static_cast<std::int32_t>(std::floor(at.x())),
                static_cast<std::int32_t>(std::floor(at.y())));
}

void DrawArea::mousePressEvent(QMouseEvent* event) { MouseDown(event); }

// The second press of a double click is a press like the first.
void DrawArea::mouseDoubleClickEvent(QMouseEvent* event) { MouseDown(event); }

}  // namespace klv::shell
