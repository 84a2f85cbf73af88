// The timing hooks: the first-paint watcher and the program's first-paint report.
#include "bench/benchhooks.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <memory>

using namespace tressora;

namespace {

// Counts the paint events each widget has had.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++painted[watched];
        return false;
    }
    QHash<QObject *, int> painted;
};

struct Window {
    std::unique_ptr<QWidget> top = std::make_unique<QWidget>();
    QLabel *first = new QLabel(QStringLiteral("first"), top.get());
    QLabel *second = new QLabel(QStringLiteral("second"), top.get());

    Window()
    {
        auto *layout = new QVBoxLayout(top.get());
        layout->addWidget(first);
        layout->addWidget(second);
    }
};

} // namespace

class TestBenchHooks : public QObject {
    Q_OBJECT
private slots:
    void reportsEveryShowingOnce_data();
    void reportsEveryShowingOnce();
    void reportsAfterTheWholePaintPass();
    void tellsWindowsApart();
    void programReportsItsFirstPaint_data();
    void programReportsItsFirstPaint();
};

void TestBenchHooks::reportsEveryShowingOnce_data()
{
    QTest::addColumn<int>("showings");
    QTest::addColumn<bool>("repaintInBetween");
    QTest::newRow("one showing") << 1 << false;
    QTest::newRow("one showing, repainted") << 1 << true;
    QTest::newRow("shown three times") << 3 << false;
    QTest::newRow("shown three times, repainted") << 3 << true;
}

void TestBenchHooks::reportsEveryShowingOnce()
{
    QFETCH(int, showings);
    QFETCH(bool, repaintInBetween);
    Window window;
    QList<QWidget *> reported;
    FirstPaintWatcher watcher([&](QWidget *w) { reported.append(w); });

    for (int showing = 1; showing <= showings; ++showing) {
        window.top->show();
        QTRY_COMPARE(reported.size(), showing);
        if (repaintInBetween) {
            window.first->repaint();
            window.top->repaint();
            window.second->setText(QStringLiteral("changed %1").arg(showing));
        }
        QTest::qWait(50); // any further paint of this showing has happened by now
        QCOMPARE(reported.size(), showing);
        window.top->hide();
    }
    QVERIFY(std::all_of(reported.cbegin(), reported.cend(),
                        [&](QWidget *w) { return w == window.top.get(); }));
}

void TestBenchHooks::reportsAfterTheWholePaintPass()
{
    Window window;
    PaintCounter counter;
    window.first->installEventFilter(&counter);
    window.second->installEventFilter(&counter);
    window.top->installEventFilter(&counter);
    QHash<QObject *, int> paintedAtReport;
    bool reported = false;
    FirstPaintWatcher watcher([&](QWidget *) {
        paintedAtReport = counter.painted;
        reported = true;
    });

    window.top->show();
    QTRY_VERIFY(reported);
    // Every widget of the window had been painted when the report came, not just the first.
    QVERIFY(paintedAtReport.value(window.top.get()) > 0);
    QVERIFY(paintedAtReport.value(window.first) > 0);
    QVERIFY(paintedAtReport.value(window.second) > 0);
}

void TestBenchHooks::tellsWindowsApart()
{
    Window one;
    Window two;
    QList<QWidget *> reported;
    FirstPaintWatcher watcher([&](QWidget *w) { reported.append(w); });

    one.top->show();
    QTRY_COMPARE(reported.size(), 1);
    QCOMPARE(reported.at(0), one.top.get());
    two.top->show();
    QTRY_COMPARE(reported.size(), 2);
    QCOMPARE(reported.at(1), two.top.get());
    one.top->update();
    two.top->update();
    QTest::qWait(50);
    QCOMPARE(reported.size(), 2);
}

void TestBenchHooks::programReportsItsFirstPaint_data()
{
    QTest::addColumn<QString>("setting"); // "unset" leaves the variable out
    QTest::addColumn<bool>("reports");
    QTest::newRow("variable not set") << QStringLiteral("unset") << false;
    QTest::newRow("variable empty") << QString() << false;
    QTest::newRow("variable 0") << QStringLiteral("0") << false;
    QTest::newRow("variable 1") << QStringLiteral("1") << true;
    QTest::newRow("variable yes") << QStringLiteral("yes") << true;
}

void TestBenchHooks::programReportsItsFirstPaint()
{
    QFETCH(QString, setting);
    QFETCH(bool, reports);
    const QString program = qEnvironmentVariable("TRESSORA_PROGRAM");
    if (program.isEmpty())
        QSKIP("TRESSORA_PROGRAM is not set");

    // A home of its own, so no other test's copy of the program counts as already running.
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral("config")));
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral("runtime")));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));
    env.remove(QStringLiteral("TRESSORA_BENCH_FIRST_PAINT"));
    if (setting != QLatin1String("unset"))
        env.insert(QStringLiteral("TRESSORA_BENCH_FIRST_PAINT"), setting);

    QProcess process;
    process.setProcessEnvironment(env);
    const qint64 before = monotonicNanoseconds();
    process.start(program, {});
    QVERIFY2(process.waitForStarted(), qPrintable(process.errorString()));
    static const QRegularExpression line(
        QStringLiteral("^first-paint (\\S+)(?: since-start-ms=(\\d+))? monotonic-ns=(\\d+)\\r?$"),
        QRegularExpression::MultilineOption);
    QByteArray output;
    QRegularExpressionMatch match;
    QDeadlineTimer deadline(reports ? 20000 : 2500);
    while (!deadline.hasExpired() && !match.hasMatch() && process.state() == QProcess::Running) {
        process.waitForReadyRead(100);
        output += process.readAllStandardError();
        match = line.match(QString::fromUtf8(output));
    }
    const qint64 after = monotonicNanoseconds();
    process.kill();
    process.waitForFinished();

    QCOMPARE(output.contains("first-paint"), reports);
    if (!reports)
        return;
    QVERIFY2(match.hasMatch(), output.constData());
    QCOMPARE(match.captured(1), QStringLiteral("frmMain"));
    // The time is on this process's monotonic clock: after the start, before the line was read.
    const qint64 paintedAt = match.captured(3).toLongLong();
    QVERIFY(paintedAt > before);
    QVERIFY(paintedAt < after);
    // The time since the process started is there where the system tells it (Linux's /proc).
    QCOMPARE(match.hasCaptured(2), QSysInfo::kernelType() == QLatin1String("linux"));
    if (!match.hasCaptured(2))
        return;
    // The kernel counts from the start in 10 ms steps: no more than the time since our start.
    const qint64 sinceStart = match.captured(2).toLongLong();
    QVERIFY(sinceStart <= (paintedAt - before) / 1000000 + 20);
    QVERIFY(sinceStart > 0);
}

QTEST_MAIN(TestBenchHooks)
#include "tst_benchhooks.moc"
