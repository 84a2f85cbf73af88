#include "bench/benchhooks.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <optional>

#ifdef Q_OS_LINUX
#include <time.h>
#include <unistd.h>
#endif

namespace tressora {
namespace {

bool contains(const std::vector<QPointer<QWidget>> &windows, const QWidget *window)
{
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

void forget(std::vector<QPointer<QWidget>> &windows, const QWidget *window)
{
    std::erase_if(windows,
                  [window](const QPointer<QWidget> &w) { return w.isNull() || w == window; });
}

// Milliseconds since the kernel started this process, in the kernel's clock ticks.
std::optional<double> millisecondsSinceProcessStart()
{
#ifdef Q_OS_LINUX
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray line = stat.readAll();
    // The command name in parentheses may hold blanks; the fields after it are counted from
    // the last closing parenthesis: state is field 3, starttime field 22.
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0)
        return std::nullopt;
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    constexpr int kStartTimeAfterName = 22 - 3;
    if (fields.size() <= kStartTimeAfterName)
        return std::nullopt;
    bool ok = false;
    const double startTicks = fields.at(kStartTimeAfterName).toDouble(&ok);
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    timespec now{};
    if (!ok || ticksPerSecond <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return std::nullopt;
    const double nowMs =
        static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
    return nowMs - startTicks * 1e3 / static_cast<double>(ticksPerSecond);
#else
    return std::nullopt;
#endif
}

void reportFirstPaint(QWidget *window)
{
    static std::vector<QPointer<QWidget>> reported;
    if (contains(reported, window))
        return;
    forget(reported, nullptr);
    reported.emplace_back(window);
    const qint64 ns = monotonicNanoseconds();
    const QByteArray name = window->objectName().toUtf8();
    if (const auto ms = millisecondsSinceProcessStart())
        std::fprintf(stderr, "first-paint %s since-start-ms=%.0f monotonic-ns=%lld\n",
                     name.constData(), *ms, static_cast<long long>(ns));
    else
        std::fprintf(stderr, "first-paint %s monotonic-ns=%lld\n", name.constData(),
                     static_cast<long long>(ns));
    std::fflush(stderr);
}

} // namespace

FirstPaintWatcher::FirstPaintWatcher(Callback callback, QObject *parent)
    : QObject(parent)
    , callback_(std::move(callback))
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool FirstPaintWatcher::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::Hide || type == QEvent::Paint) &&
        watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (type == QEvent::Paint)
            painted(widget->window());
        else if (widget->isWindow() && type == QEvent::Show && !contains(awaiting_, widget))
            awaiting_.emplace_back(widget);
        else if (widget->isWindow() && type == QEvent::Hide)
            forget(awaiting_, widget);
    }
    return QObject::eventFilter(watched, event);
}

void FirstPaintWatcher::painted(QWidget *window)
{
    if (!contains(awaiting_, window))
        return;
    forget(awaiting_, window);
    // The paint pass that has just begun ends before control is back in the event loop.
    QTimer::singleShot(0, this, [this, target = QPointer<QWidget>(window)] {
        if (target)
            callback_(target);
    });
}

qint64 monotonicNanoseconds()
{
    return QDeadlineTimer::current(Qt::PreciseTimer).deadlineNSecs();
}

void installBenchHooks()
{
    const QByteArray wanted = qgetenv("TRESSORA_BENCH_FIRST_PAINT");
    if (wanted.isEmpty() || wanted == "0")
        return;
    new FirstPaintWatcher(&reportFirstPaint, QCoreApplication::instance());
}

} // namespace tressora
