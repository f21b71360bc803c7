// The timer adapter: a platform::timer on a QTimer.
#pragma once

#include <QObject>
#include <QTimer>

#include "platform/forms.h"

namespace platform::qt {

// A timer ticks only while it is enabled with an interval above 0, on the event loop.
class qt_timer : public QObject, public timer {
    Q_OBJECT
public:
    explicit qt_timer(const timer_design& design);
    const std::string& name() const override { return name_; }
    int interval() const override { return interval_; }
    bool enabled() const override { return enabled_; }
    void set_enabled(bool on) override;

private:
    void restart();
    std::string name_;
    const int interval_;
    bool enabled_;
    QTimer timer_;
};

}  // namespace platform::qt
