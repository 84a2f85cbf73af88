// The program in a Wayland session (with-weston.sh starts a headless weston with XWayland): with
// both displays it asks for X and its quiz window is an X window on XWayland; told to use
// Wayland, it runs natively and shows no X window at all.
#include "common.h"
#include "tables.h"

#include <QRegularExpression>
#include <QThread>

using namespace e2e;
using namespace testsupport;
using namespace Qt::StringLiterals;

namespace {

constexpr int quizHeight = 573;

// Where xwininfo puts a window (or the root window with "-root").
QRect geometry(const QStringList &which)
{
    QProcess info;
    info.start(u"xwininfo"_s, which);
    info.waitForFinished(10000);
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    const auto field = [&](const QString &name) {
        return QRegularExpression(QRegularExpression::escape(name) + u":\\s*(-?\\d+)"_s)
            .match(text)
            .captured(1)
            .toInt();
    };
    return QRect(field(u"Absolute upper-left X"_s), field(u"Absolute upper-left Y"_s),
                 field(u"Width"_s), field(u"Height"_s));
}

// Both displays as the session gives them, and the platform as given (empty: left to the
// program).
void useSession(Sandbox &sandbox, const QString &platform)
{
    sandbox.environment.remove(u"QT_QPA_PLATFORM"_s);
    if (!platform.isEmpty())
        sandbox.environment.insert(u"QT_QPA_PLATFORM"_s, platform);
}

} // namespace

class EndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        checkTools({"xdotool", "xwininfo"});
        QVERIFY2(!env("WAYLAND_DISPLAY").isEmpty(), "run under with-weston.sh: no Wayland display");
    }

    void platform_data()
    {
        // QT_QPA_PLATFORM (empty: unset), whether the quiz window is an X window on XWayland.
        columns<QString, bool>("platform", "onXWayland");
        row("both displays, the program chooses", QString(), true);
        row("told to use Wayland", u"wayland"_s, false);
    }

    void platform()
    {
        QFETCH(QString, platform);
        QFETCH(bool, onXWayland);
        Sandbox sandbox;
        useSession(sandbox, platform);
        Copy copy(sandbox);
        if (onXWayland) {
            // Weston's shell places every new window itself, wherever it likes, so where the
            // window appears says nothing about the program.
            const auto quiz = waitForWindow(windowPattern, copy.pid(), quizWidth);
            QVERIFY2(quiz, "no quiz window on XWayland");
            QCOMPARE(geometry({u"-id"_s, quiz->id}).size(), QSize(quizWidth, quizHeight));
        } else {
            QThread::sleep(3);
            QVERIFY2(copy.running(), "the program does not run natively on Wayland");
            QVERIFY2(visibleWindows(anyPattern, copy.pid()).isEmpty(),
                     "the program shows X windows although told to use Wayland");
        }
        QVERIFY2(copy.running(), "the program ended by itself");
        copy.kill();
    }
};

QTEST_GUILESS_MAIN(EndToEnd)
#include "wayland.moc"
