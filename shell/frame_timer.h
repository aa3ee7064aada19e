#pragma once
// The frame timer: one switch (Enabled), ticks only while the application is
// active, paced to the screen's refresh. Windows that run a loop of their own
// (the system file dialogs, the application's error box) hold ticks back with
// a TickSuspension while they are open; the program's other modal windows
// let ticks go on.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <optional>

namespace klv::shell {

class FrameTimer : public QObject {
    Q_OBJECT
public:
    explicit FrameTimer(QObject* parent = nullptr);

    bool Enabled() const { return enabled_; }
    // Setting the value it already has changes nothing.
    void SetEnabled(bool enabled);

    // Counted: ticks stop at the first Suspend and resume at the matching
    // Resume (if Enabled and the application is active).
    void Suspend();
    void Resume();

    // Whether ticks are being issued now.
    bool Running() const { return timer_.isActive(); }
    // Milliseconds between ticks: one screen refresh, rounded up.
    int IntervalMs() const { return timer_.interval(); }

    // Test hook: take the application as active (true) or inactive (false)
    // whatever the platform says; nullopt follows the platform again.
    void SetApplicationActiveOverride(std::optional<bool> active);

    // The tick; gets the milliseconds since the previous one (at least 1).
    std::function<void(std::int32_t lagCount)> OnTimer;

signals:
    // Emitted for every change of Enabled, and only then.
    void enabledChanged(bool enabled);

private:
    bool ApplicationActive() const;
    void UpdateRunning();
    void Fire();

    QTimer timer_;
    QElapsedTimer sinceLastTick_;
    bool enabled_ = false;
    int suspended_ = 0;
    std::optional<bool> activeOverride_;
};

// Holds the timer's ticks back for the life of the object.
class TickSuspension {
public:
    explicit TickSuspension(FrameTimer* timer);
    ~TickSuspension();
    TickSuspension(const TickSuspension&) = delete;
    TickSuspension& operator=(const TickSuspension&) = delete;

private:
    QPointer<FrameTimer> timer_;
};

// Interval for a refresh rate in Hz: never shorter than one refresh; 60 Hz
// when the rate is unknown.
int TickIntervalForRefreshRate(double refreshRateHz);

}  // namespace klv::shell
