#include "shell/frame_timer.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace klv::shell {

int TickIntervalForRefreshRate(double refreshRateHz) {
    if (!(refreshRateHz > 1.0) || !std::isfinite(refreshRateHz)) refreshRateHz = 60.0;
    return std::max(1, static_cast<int>(std::ceil(1000.0 / refreshRateHz)));
}

FrameTimer::FrameTimer(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("DXTimer1"));
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &FrameTimer::Fire);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &FrameTimer::UpdateRunning);
}

void FrameTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    UpdateRunning();
    emit enabledChanged(enabled_);
}

void FrameTimer::Suspend() {
    ++suspended_;
    UpdateRunning();
}

void FrameTimer::Resume() {
    if (suspended_ > 0) --suspended_;
    UpdateRunning();
}

void FrameTimer::SetApplicationActiveOverride(std::optional<bool> active) {
    activeOverride_ = active;
    UpdateRunning();
}

bool FrameTimer::ApplicationActive() const {
    if (activeOverride_) return *activeOverride_;
    return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

void FrameTimer::UpdateRunning() {
    const bool shouldRun = enabled_ && suspended_ == 0 && ApplicationActive();
    if (shouldRun == timer_.isActive()) return;
    if (!shouldRun) {
        timer_.stop();
        return;
    }
    // The screen may have changed since the last start; a pause does not count
    // towards the next tick's lag.
    const QScreen* screen = QGuiApplication::primaryScreen();
    timer_.setInterval(TickIntervalForRefreshRate(screen ? screen->refreshRate() : 0.0));
    sinceLastTick_.start();
    timer_.start();
}

void FrameTimer::Fire() {
    const auto lag = static_cast<std::int32_t>(std::max<qint64>(1, sinceLastTick_.restart()));
    if (OnTimer) OnTimer(lag);
}

TickSuspension::TickSuspension(FrameTimer* timer) : timer_(timer) {
    if (timer_) timer_->Suspend();
}

TickSuspension::~TickSuspension() {
    if (timer_) timer_->Resume();
}

}  // namespace klv::shell
