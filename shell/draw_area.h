#pragma once
// The draw area: the level's place in the window. RebuildLevel sizes it; each
// frame tick composes the visible part into Frame() and presents it. Painting
// shows the last presented frame; a part exposed outside it (scrolled into
// view while no ticks run) is composed on demand.

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <functional>

#include "model/level.h"
#include "view/compositor.h"
#include "view/surface565.h"

class QScrollBar;

namespace klv::shell {

class DrawArea : public QWidget, public klv::DrawAreaGeometry {
    Q_OBJECT
public:
    explicit DrawArea(QWidget* parent = nullptr);

    // DrawAreaGeometry: a change of size drops the frame shown so far.
    void SetWidth(std::int32_t width) override;
    void SetHeight(std::int32_t height) override;
    void SetTop(std::int32_t top) override;
    void SetLeft(std::int32_t left) override;
    std::int32_t Width() const override { return width(); }
    std::int32_t Height() const override { return height(); }

    // Once, when the window is first on the screen: raises OnInitialize.
    // Later calls do nothing.
    void Initialize();
    // When the window goes: raises OnFinalize if OnInitialize was raised.
    void Finalize();
    bool Initialized() const { return initialized_ && !finalized_; }
    // Whether a frame can be composed and presented now.
    bool IsReady() const { return Initialized(); }

    // The surface a tick composes the visible rectangle into.
    klv::Surface565& Frame() { return frame_; }
    // Shows Frame(), which now holds draw-area rectangle `rect`, at once.
    void Present(const klv::DrawRect& rect);
    // The rectangle the last presented frame covers (zero size: none).
    klv::DrawRect PresentedRect() const { return presentedRect_; }
    int PresentCount() const { return presentCount_; }

    std::function<void()> OnInitialize;
    std::function<void()> OnFinalize;
    std::function<void(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, std::int32_t x, std::int32_t y)>
        OnMouseDown;
    // The part of the draw area the scroll box shows.
    std::function<klv::DrawRect()> VisibleRect;
    // Composes `rect` into Frame() without advancing the animation.
    std::function<void(const klv::DrawRect& rect)> ComposeOnDemand;

signals:
    // A frame has just been shown by Present.
    void presented();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Resized();
    // The enclosing scroll box's bar, when the area is that box's content.
    QScrollBar* ScrollBar(Qt::Orientation orientation) const;
    void WrapFrame();
    void MouseDown(QMouseEvent* event);

    klv::Surface565 frame_;
    QImage frameImage_;  // wraps frame_'s pixels, no copy
    klv::DrawRect presentedRect_;
    bool initialized_ = false;
    bool finalized_ = false;
    int presentCount_ = 0;
};

}  // namespace klv::shell
