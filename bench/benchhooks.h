// Timing hooks for measuring the program from outside. They cost nothing unless asked for.
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QWidget;

namespace tressora {

// Calls back once after the first paint that follows each showing of a top-level window: when
// a window is shown, the next paint of it or of any of its children arms the watcher for that
// window, and the callback runs as soon as the event loop is back, so the whole paint pass
// (every child painted, the backing store flushed to the screen) is over by then.
class FirstPaintWatcher : public QObject {
    Q_OBJECT
public:
    using Callback = std::function<void(QWidget *window)>;

    // Watches every widget of the application until the watcher is destroyed.
    explicit FirstPaintWatcher(Callback callback, QObject *parent = nullptr);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void painted(QWidget *window);

    Callback callback_;
    std::vector<QPointer<QWidget>> awaiting_; // shown, not painted yet
};

// Nanoseconds on the system's monotonic clock, the same clock for every process.
qint64 monotonicNanoseconds();

// With TRESSORA_BENCH_FIRST_PAINT set to anything but "" or "0", writes one line to the
// standard error at the first paint of each top-level window:
//   first-paint <objectName> since-start-ms=<ms> monotonic-ns=<ns>
// since-start-ms counts from the process's start as the kernel records it (10 ms steps);
// monotonic-ns lets a parent that noted the clock before starting the process time it exactly.
// Without the variable it installs nothing.
void installBenchHooks();

} // namespace tressora
