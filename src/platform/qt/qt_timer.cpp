#include "platform/qt/qt_timer.h"

namespace platform::qt {

qt_timer::qt_timer(const timer_design& design)
    : name_(design.name), interval_(design.interval_ms), enabled_(design.enabled) {
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (on_tick) on_tick();
    });
    restart();
}

void qt_timer::set_enabled(bool on) {
    enabled_ = on;
    restart();
}

void qt_timer::restart() {
    if (enabled_ && interval_ > 0) {
        // The slide timer runs at 1 ms: a coarse timer would stretch it to the system's
        // granularity.
        timer_.setTimerType(interval_ < 20 ? Qt::PreciseTimer : Qt::CoarseTimer);
        timer_.start(interval_);
    } else {
        timer_.stop();
    }
}

}  // namespace platform::qt
