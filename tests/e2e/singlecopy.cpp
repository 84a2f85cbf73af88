// One copy at a time: copies killed at every point, locks left behind, copies started together
// and runtime folders of every kind.
#include "common.h"
#include "tables.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSysInfo>
#include <QThread>

#include <optional>

#include <unistd.h>

using namespace e2e;
using namespace testsupport;
using namespace Qt::StringLiterals;

namespace {

// Answers the box that refuses a second copy: that copy ends with code 0, and the running one,
// undisturbed, is then left.
void refused(const Window &box, Copy &loser, Copy &winner, const QByteArray &where = {})
{
    pressKeys(box, {"Return"});
    QVERIFY2(loser.waitForCleanExit(), where + "the refused copy does not end with code 0");
    QVERIFY2(winner.running() && mapped(winner.window), where + "the running copy was disturbed");
    winner.leave();
}

} // namespace

class EndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { checkTools({"xdotool", "setpriv"}); }

    void killedCopy_data()
    {
        columns<int, int>("window", "times");
        row("at the quiz window", quizWidth, 1);
        row("at the result window", resultWidth, 1);
        row("at the refer-a-friend window", referWidth, 1);
        row("while the update prompt asks", updatePrompt, 1);
        row("five times in a row", quizWidth, 5);
    }

    void killedCopy()
    {
        QFETCH(int, window);
        QFETCH(int, times);
        Sandbox sandbox;
        if (window == updatePrompt)
            writeDuration(sandbox.settingsFile(), u"2001-01-01T00:00:00"_s);
        for (int round = 0; round < times; ++round) {
            Copy copy(sandbox);
            if (window == updatePrompt)
                QVERIFY2(waitForWindow(messageBoxPattern, copy.pid(), anyWidth),
                         "no update prompt");
            else
                STEP(copy.reach(window));
            copy.kill();
            QVERIFY2(QFile::exists(sandbox.lockFile()), "the killed copy left no lock behind");
        }
        Copy next(sandbox);
        STEP(next.start(false, "the lock of a killed copy blocks the next start"));
        QCOMPARE(next.prompts, window == updatePrompt ? 1 : 0);
        STEP(next.go(calculateKeys, resultWidth));
        next.leave({"alt+f", "x"});
    }

    void leftoverLock_data()
    {
        columns<QByteArray>("content");
        const auto lock = [](qint64 pid, const QByteArray &bootId) {
            return u"%1\ntressora\n%2\n%3\n%4\n"_s.arg(pid)
                .arg(QSysInfo::machineHostName(), QString::fromLatin1(QSysInfo::machineUniqueId()),
                     QString::fromLatin1(bootId))
                .toUtf8();
        };
        QProcess ended;
        ended.start(u"true"_s, QStringList());
        ended.waitForStarted();
        const qint64 endedPid = ended.processId();
        ended.waitForFinished();
        const qint64 self = QCoreApplication::applicationPid();
        row("of a process that has ended", lock(endedPid, QSysInfo::bootUniqueId()));
        row("naming a running program of another name", lock(self, QSysInfo::bootUniqueId()));
        row("written before the machine restarted",
            lock(self, "00000000-0000-0000-0000-000000000000"));
        row("empty", QByteArray());
        row("garbage", noise(512, 7));
    }

    void leftoverLock()
    {
        QFETCH(QByteArray, content);
        Sandbox sandbox;
        QFile lock(sandbox.lockFile());
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(content);
        lock.flush();
        // Left behind a minute ago, as by a copy that crashed.
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                 QFileDevice::FileModificationTime));
        lock.close();
        Copy copy(sandbox);
        const auto shown = waitForWindow(anyPattern, copy.pid(), anyWidth);
        QVERIFY2(shown, "the program shows no window");
        QVERIFY2(shown->width == quizWidth, "a leftover lock that nobody holds refuses the start");
        copy.window = *shown;
        copy.leave();
    }

    void simultaneousStarts()
    {
        constexpr int rounds = 20;
        Sandbox sandbox;
        int oneRunning = 0, firstWon = 0;
        for (int round = 1; round <= rounds; ++round) {
            const QByteArray where = "round " + QByteArray::number(round) + ": ";
            Copy first(sandbox);
            Copy second(sandbox);
            const qint64 pids[] = {first.pid(), second.pid()};
            std::optional<Window> quiz, box;
            const QDeadlineTimer deadline(20000);
            while ((!quiz || !box) && !deadline.hasExpired()) {
                int quizWindows = 0;
                for (const Window &window : visibleWindows(anyPattern)) {
                    if (window.pid != pids[0] && window.pid != pids[1])
                        continue;
                    if (window.width == quizWidth) {
                        quiz = window;
                        ++quizWindows;
                    } else if (window.name == "Tressora"_L1) {
                        box = window;
                    }
                }
                QVERIFY2(quizWindows <= 1, where + "both copies show a quiz window");
                QThread::msleep(25);
            }
            QVERIFY2(quiz, where + "no copy shows a quiz window");
            QVERIFY2(box, where + "no copy is refused with a message box");
            QVERIFY2(quiz->pid != box->pid, where + "one copy shows both");
            Copy &winner = quiz->pid == pids[0] ? first : second;
            winner.window = *quiz;
            STEP(refused(*box, quiz->pid == pids[0] ? second : first, winner, where));
            ++oneRunning;
            firstWon += &winner == &first ? 1 : 0;
        }
        qInfo("%d rounds of two copies started together: exactly one ran in %d; the first started "
              "won %d times",
              rounds, oneRunning, firstWon);
        QCOMPARE(oneRunning, rounds);
    }

    void runtimeFolder_data()
    {
        // XDG_RUNTIME_DIR inside the sandbox (null: unset), the folder's permissions (0: 0700
        // kept), whether root owns it, whether the program runs as nobody.
        columns<QString, int, bool, bool>("variable", "permissions", "rootOwns", "asNobody");
        row("private folder", "runtime", 0, false, false);
        row("unset", QString(), 0, false, false);
        row("empty", u""_s, 0, false, false); // set, but empty
        row("missing folder", "missing/runtime", 0, false, false);
        row("a file", "runtime-file", 0, false, false);
        row("open to everyone", "runtime", 0x7777, false, false);
        row("owned by another user", "runtime", 0, true, true);
        row("read-only to its owner", "runtime", 0x5000, false, true);
    }

    void runtimeFolder()
    {
        QFETCH(QString, variable);
        QFETCH(int, permissions);
        QFETCH(bool, rootOwns);
        QFETCH(bool, asNobody);
        if (rootOwns && ::geteuid() != 0)
            QSKIP("giving the folder to another user needs root");
        Sandbox sandbox(Opener::XdgOpen, asNobody);
        sandbox.handOver();
        const QString dir = sandbox.path(u"runtime"_s);
        if (variable.isNull())
            sandbox.environment.remove(u"XDG_RUNTIME_DIR"_s);
        else
            sandbox.environment.insert(u"XDG_RUNTIME_DIR"_s,
                                       variable.isEmpty() ? variable : sandbox.path(variable));
        if (variable == "runtime-file"_L1)
            QVERIFY(QFile(sandbox.path(variable)).open(QIODevice::WriteOnly));
        if (permissions != 0)
            QVERIFY(QFile::setPermissions(dir, QFileDevice::Permissions(permissions)));
        if (rootOwns)
            QCOMPARE(::chown(QFile::encodeName(dir).constData(), 0, 0), 0);

        Copy first(sandbox);
        STEP(first.start());
        // The lock lies in the user's own runtime or temporary folder, never in a shared one.
        QStringList locks;
        QDirIterator found(sandbox.path(QString()), {u"*tressora.lock"_s}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (found.hasNext())
            locks << QDir(sandbox.path(QString())).relativeFilePath(found.next());
        QCOMPARE(locks.size(), 1);
        qInfo("lock at %s", qPrintable(locks.first()));
        Copy second(sandbox);
        const auto box = waitForWindow(anyPattern, second.pid(), anyWidth);
        QVERIFY2(box && box->name == "Tressora"_L1, "a second copy is not refused");
        STEP(refused(*box, second, first));
        Copy third(sandbox);
        STEP(third.start(false, "the lock outlives the copy that held it"));
        third.leave();
    }
};

QTEST_GUILESS_MAIN(EndToEnd)
#include "singlecopy.moc"
