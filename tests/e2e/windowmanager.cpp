// The program under a real window manager (with-wm.sh starts one on the display): what the
// window manager's close box does, which window stays above which, the about box as a dialog of
// the window it was opened from, windows that can be neither resized nor maximised and frames
// centred on the screen, and a second copy that leaves the first alone.
#include "common.h"
#include "tables.h"

#include <QRegularExpression>

#include <optional>

using namespace e2e;
using namespace testsupport;
using namespace Qt::StringLiterals;

namespace {

constexpr int aboutWidth = 455;

// Where the window's frame lies, its inside plus the extents the window manager gives it.
QRect frame(const QString &id)
{
    const QString info = tool(u"xwininfo"_s, {u"-id"_s, id}).value_or(QString());
    const auto field = [&](const char *name) {
        const QRegularExpression line(QRegularExpression::escape(QLatin1String(name)) +
                                      u":\\s*(-?\\d+)"_s);
        return line.match(info).captured(1).toInt();
    };
    QList<qulonglong> extents = numbers(xproperty(id, "_NET_FRAME_EXTENTS"));
    extents.resize(4); // left, right, top, bottom; none without a frame
    return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
                 field("Height"))
        .adjusted(-int(extents[0]), -int(extents[2]), int(extents[1]), int(extents[3]));
}

// The area the window manager leaves to windows on the first desktop.
QRect workArea()
{
    const QList<qulonglong> area = numbers(
        tool(u"xprop"_s, {u"-root"_s, u"_NET_WORKAREA"_s}).value_or(QString()).section('=', 1));
    return area.size() < 4 ? QRect()
                           : QRect(int(area[0]), int(area[1]), int(area[2]), int(area[3]));
}

// How far the frame's centre lies from the work area's, the larger of both directions.
int offCentre(const QString &id)
{
    const QPoint off = frame(id).center() - workArea().center();
    return qMax(qAbs(off.x()), qAbs(off.y()));
}

// The close box of the title bar, as the window manager sends it.
void closeBox(const Window &window)
{
    QVERIFY2(tool(u"wmctrl"_s, {u"-i"_s, u"-c"_s, window.id}), "wmctrl cannot close the window");
}

// Ends the program from the refer-a-friend window by its close box: code 0, no window left.
void endByCloseBox(Copy &copy)
{
    STEP(closeBox(copy.window));
    QVERIFY2(copy.waitForCleanExit(), "the refer-a-friend close box does not end with code 0");
    QVERIFY2(waitUntil([&] { return visibleWindows(anyPattern, copy.window.pid).isEmpty(); }),
             "a window outlives the program");
}

// Leaves a main window by its menu, File > Exit, and the program by the refer-a-friend window.
void leave(Copy &copy)
{
    copy.leave({"alt+f", "x"});
}

void quizOrResultWindow()
{
    columns<int>("width");
    row("quiz window", quizWidth);
    row("result window", resultWidth);
}

} // namespace

class EndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        checkTools({"xdotool", "xprop", "xwininfo", "wmctrl", "xeyes"});
        QVERIFY2(tool(u"wmctrl"_s, {u"-m"_s}), "no window manager on the display");
    }

    void closeBoxOfMainWindow_data() { quizOrResultWindow(); }

    void closeBoxOfMainWindow()
    {
        QFETCH(int, width);
        Sandbox sandbox;
        Copy copy(sandbox);
        STEP(copy.reach(width));
        STEP(closeBox(copy.window));
        const auto farewell = waitForWindow(windowPattern, copy.pid(), referWidth);
        QVERIFY2(farewell, "no refer-a-friend window after the close box");
        QVERIFY2(waitUntil([&] { return visibleWindows(anyPattern, copy.pid()).size() == 1; }),
                 "the refer-a-friend window is not left alone");
        copy.window = *farewell;
        endByCloseBox(copy);
    }

    void farewellStaysAbove()
    {
        Sandbox sandbox;
        Copy copy(sandbox);
        STEP(copy.reach(referWidth));
        STEP(checkStaysAboveRaisedWindow(copy.window));
        endByCloseBox(copy);
    }

    void aboutBox_data() { quizOrResultWindow(); }

    void aboutBox()
    {
        QFETCH(int, width);
        Sandbox sandbox;
        Copy copy(sandbox);
        STEP(copy.reach(width));
        QString previous;
        for (int opening = 1; opening <= 2; ++opening) {
            pressKeys(copy.window, {"alt+h", "a"});
            const auto box = waitForWindow(windowPattern, copy.pid(), aboutWidth);
            QVERIFY2(box, "no about box");
            QVERIFY2(box->id != previous, "the about box is not created afresh");
            previous = box->id;
            QVERIFY2(
                waitUntil([&] {
                    return xproperty(box->id, "_NET_WM_STATE").contains("_NET_WM_STATE_MODAL"_L1);
                }),
                "the window manager does not take the about box for modal");
            const QList<qulonglong> owner = numbers(xproperty(box->id, "WM_TRANSIENT_FOR"));
            QVERIFY2(
                xproperty(box->id, "_NET_WM_STATE").contains("_NET_WM_STATE_SKIP_TASKBAR"_L1) ||
                    owner.value(0) == copy.window.id.toULongLong(),
                "the about box is on the task bar");
            QVERIFY2(waitUntil([&] { return above(box->id, copy.window.id); }),
                     "the about box is below its window");
            STEP(closeBox(*box));
            QVERIFY2(waitUntil([&] { return !mapped(*box); }),
                     "the about box stays after its close box");
            // A search made while the box is being destroyed can miss every window, so this waits.
            QVERIFY2(waitUntil([&] { return mapped(copy.window); }, 5000),
                     "the window the about box was opened from is gone");
        }
        leave(copy);
    }

    void fixedAndCentred_data()
    {
        columns<int>("width");
        row("quiz window", quizWidth);
        row("result window", resultWidth);
        row("refer-a-friend window", referWidth);
    }

    void fixedAndCentred()
    {
        QFETCH(int, width);
        Sandbox sandbox;
        Copy copy(sandbox);
        STEP(copy.reach(width));
        QVERIFY2(!workArea().isEmpty(), "the window manager names no work area");
        // Centred once the frame is known, and kept there.
        const bool centred = waitUntil([&] { return offCentre(copy.window.id) <= 1; }, 5000);
        QVERIFY2(centred, qPrintable(u"the frame lies %1 px off the centre (frame %2,%3 %4x%5)"_s
                                         .arg(offCentre(copy.window.id))
                                         .arg(frame(copy.window.id).x())
                                         .arg(frame(copy.window.id).y())
                                         .arg(frame(copy.window.id).width())
                                         .arg(frame(copy.window.id).height())));
        const QString actions = xproperty(copy.window.id, "_NET_WM_ALLOWED_ACTIONS");
        QVERIFY2(actions.contains("_NET_WM_ACTION_CLOSE"_L1),
                 "the window manager reports no actions");
        QVERIFY2(!actions.contains("_NET_WM_ACTION_RESIZE"_L1), "the window can be resized");
        QVERIFY2(!actions.contains("_NET_WM_ACTION_MAXIMIZE"_L1), "the window can be maximised");
        QVERIFY2(!actions.contains("_NET_WM_ACTION_FULLSCREEN"_L1),
                 "the window can fill the screen");
        if (width == referWidth)
            endByCloseBox(copy);
        else
            leave(copy);
    }

    void secondCopyLeavesFirst()
    {
        Sandbox sandbox;
        Copy first(sandbox);
        STEP(first.start());
        QTest::qWait(500); // past the re-placement once the frame is known
        const QRect before = frame(first.window.id);
        const QList<qulonglong> order = stacking();
        Copy second(sandbox);
        const auto box = waitForWindow(messageBoxPattern, second.pid(), anyWidth);
        QVERIFY2(box, "the second copy is not refused");
        pressKeys(*box, {"Return"});
        QVERIFY2(second.waitForCleanExit(), "the refused copy does not end with code 0");
        QVERIFY2(waitUntil([&] { return stacking() == order; }, 3000),
                 "the second copy changed the stacking of the windows");
        QCOMPARE(frame(first.window.id), before);
        first.leave();
    }
};

QTEST_GUILESS_MAIN(EndToEnd)
#include "windowmanager.moc"
