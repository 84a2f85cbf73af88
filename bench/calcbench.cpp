// Drives the real program in its own event loop on a real X display: "Calculate My Hair Loss"
// and Back, over and over, as a user would, one step after the window of the step before has
// been painted.
//
//   calcbench [--timed N] [--soak N] [--pixmap-cache-kib N]
//
// Timed presses: from the call of frmMain::cmdNext_Click() until the result window's first
// paint pass is over (every widget painted and the backing store flushed), median and 99th
// percentile (nearest rank). Soak: N more calculations with Back in between; the resident size
// and the number of live QObjects are taken after the quiz window has been painted again, once
// before the first and once after the last. Live QObjects are counted through Qt's hook table
// for tools (qtHookData): every QObject constructor and destructor in the process calls the
// hooks, including Qt's own objects and those of other threads, so the count misses nothing.
// Every 1,000 soaked calculations a trend line goes to the standard error. --pixmap-cache-kib
// sets Qt's pixmap cache limit before the program starts, to try other limits than Qt's.
#include "app/application.h"
#include "bench/benchhooks.h"
#include "quiz/frmDisplay.h"
#include "quiz/frmMain.h"

#include <QApplication>
#include <QFile>
// The cache's fill level (in MiB, rounded up) is exported for Qt's own tests; read it the same way.
#define Q_TEST_QPIXMAPCACHE
#include <QPixmapCache>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

// Qt's table of hooks for debugging tools, exported by QtCore (see qhooks_p.h): slot 1 holds the
// table's size, slot 2 the Qt version, slots 3 and 4 the QObject added and removed callbacks.
extern Q_DECL_IMPORT quintptr qtHookData[];

namespace {

using tressora::frmDisplay;
using tressora::frmMain;

enum HookSlot { HookDataSize = 1, HookQtVersion = 2, HookAddQObject = 3, HookRemoveQObject = 4 };

std::atomic<long long> liveObjects{0};

void objectAdded(QObject *)
{
    liveObjects.fetch_add(1, std::memory_order_relaxed);
}
void objectRemoved(QObject *)
{
    liveObjects.fetch_sub(1, std::memory_order_relaxed);
}

void countObjects()
{
    if (qtHookData[HookDataSize] <= HookRemoveQObject || qtHookData[HookQtVersion] < 0x060000) {
        std::fprintf(stderr, "calcbench: this Qt has no QObject hooks\n");
        std::exit(1);
    }
    using Callback = void (*)(QObject *);
    qtHookData[HookAddQObject] = reinterpret_cast<quintptr>(static_cast<Callback>(&objectAdded));
    qtHookData[HookRemoveQObject] =
        reinterpret_cast<quintptr>(static_cast<Callback>(&objectRemoved));
}

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Bytes the C heap has handed out and not had back, in KiB: a leak shows here, while memory the
// allocator merely keeps for reuse shows only in the resident size.
long heapInUseKiB()
{
#ifdef __GLIBC__
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
#else
    return -1;
#endif
}

double nearestRank(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const auto rank =
        static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

class Driver : public QObject {
public:
    Driver(int timed, int soak)
        : timed_(timed)
        , soak_(soak)
        , watcher_([this](QWidget *window) { painted(window); })
    {
        watchdog_.setSingleShot(true);
        watchdog_.setInterval(10000);
        connect(&watchdog_, &QTimer::timeout, this, [this] {
            std::fprintf(stderr, "calcbench: no paint for 10 s after press %d\n", presses_);
            QCoreApplication::exit(1);
        });
        watchdog_.start();
    }

private:
    void painted(QWidget *window)
    {
        watchdog_.start();
        if (window == frmDisplay::existing() && pressedAt_ != 0) {
            const double ms =
                static_cast<double>(tressora::monotonicNanoseconds() - pressedAt_) / 1e6;
            pressedAt_ = 0;
            if (presses_ <= timed_)
                times_.push_back(ms);
            frmDisplay::existing()->cmdBack_Click();
        } else if (window == frmMain::existing()) {
            quizShown();
        }
    }

    void quizShown()
    {
        if (presses_ == timed_ && !soakStarted_) {
            // The count starts once the start-up is over: a window watches for its frame for
            // three seconds after it was first shown.
            soakStarted_ = true;
            QTimer::singleShot(3500, this, [this] {
                startSoak();
                quizShown();
            });
            return;
        }
        if (presses_ == timed_ + soak_) {
            finish();
            return;
        }
        if (presses_ > timed_ && (presses_ - timed_) % 1000 == 0) {
            std::fprintf(stderr,
                         "soak %d rss-kib=%ld heap-kib=%ld pixmap-cache-mib=%d objects=%lld\n",
                         presses_ - timed_, residentKiB(), heapInUseKiB(),
                         QPixmapCache::totalUsed(), liveObjects.load());
        }
        if (frmDisplay::existing() != nullptr)
            ++leftOver_; // the closed result window should be gone by now
        ++presses_;
        pressedAt_ = tressora::monotonicNanoseconds();
        frmMain::instance()->cmdNext_Click();
    }

    void startSoak()
    {
        soakStartKiB_ = residentKiB();
        soakStartObjects_ = liveObjects.load();
    }

    void finish()
    {
        const long endKiB = residentKiB();
        const long long endObjects = liveObjects.load();
        std::printf("calculate presses=%zu first-ms=%.2f median-ms=%.2f p99-ms=%.2f max-ms=%.2f\n",
                    times_.size(), times_.front(), nearestRank(times_, 0.5),
                    nearestRank(times_, 0.99), *std::max_element(times_.begin(), times_.end()));
        std::printf("soak calculations=%d rss-start-kib=%ld rss-end-kib=%ld objects-start=%lld "
                    "objects-end=%lld result-windows-left-over=%d\n",
                    soak_, soakStartKiB_, endKiB, soakStartObjects_, endObjects, leftOver_);
        std::fflush(stdout);
        tressora::setProcessEnder([] { QCoreApplication::exit(0); });
        tressora::EndProgram();
    }

    const int timed_;
    const int soak_;
    tressora::FirstPaintWatcher watcher_;
    QTimer watchdog_;
    int presses_ = 0;
    qint64 pressedAt_ = 0;
    std::vector<double> times_;
    long soakStartKiB_ = 0;
    long long soakStartObjects_ = 0;
    bool soakStarted_ = false;
    int leftOver_ = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    int timed = 1000;
    int soak = 10000;
    int pixmapCacheKiB = -1;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--timed") == 0)
            timed = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--soak") == 0)
            soak = std::max(0, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--pixmap-cache-kib") == 0)
            pixmapCacheKiB = std::max(0, std::atoi(argv[i + 1]));
    }

    countObjects();
    QApplication app(argc, argv);
    if (pixmapCacheKiB >= 0)
        QPixmapCache::setCacheLimit(pixmapCacheKiB);
    tressora::installFontSubstitutions();
    Driver driver(timed, soak); // watches from before the quiz window is first shown
    tressora::StartProgram();
    if (tressora::programEnded()) {
        std::fprintf(stderr, "calcbench: the program did not start (another copy running?)\n");
        return 1;
    }
    return QApplication::exec();
}
