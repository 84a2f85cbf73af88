// The real program on an X display, driven by key presses: the quiz, its windows' ways out and
// its links, with every kind of browser the desktop may have.
#include "common.h"
#include "tables.h"

#include <QTest>

using namespace e2e;
using namespace testsupport;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(e2e::Opener)

namespace {

// A rectangle of a window whose text is drawn at random: a y below zero counts from the
// window's bottom edge.
QRect onScreen(const QRect &inWindow, const QRect &window)
{
    QRect r = inWindow.translated(window.topLeft());
    if (inWindow.y() < 0)
        r.moveTop(window.bottom() + 1 + inWindow.y());
    return r;
}

} // namespace

class EndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { checkTools({"xdotool"}); }

    void quizRoundTrip()
    {
        Sandbox sandbox;
        Copy copy(sandbox);
        STEP(copy.start());
        const Window quiz = copy.window;
        QCOMPARE(visibleWindows(anyPattern, copy.pid()).size(), 1);
        STEP(copy.go(calculateKeys, resultWidth));
        const Window result = copy.window;
        // Back brings the same quiz window again, and nothing else.
        STEP(copy.go({"alt+b"}, quizWidth));
        QCOMPARE(copy.window.id, quiz.id);
        QCOMPARE(visibleWindows(anyPattern, copy.pid()).size(), 1);
        // The focus is still on Calculate: a second calculation makes a new result window; leaving
        // it ends at the refer window alone, the hidden quiz window staying hidden.
        STEP(copy.go({"Return"}, resultWidth));
        QVERIFY(copy.window.id != result.id);
        STEP(copy.leave({"alt+f", "x"}));
        QCOMPARE(sandbox.openedAddresses(), QStringList());
    }

    void leaving_data()
    {
        columns<int, Keys, Keys>("window", "closeKeys", "endKeys");
        row("quiz Alt+X, refer Alt+X", quizWidth, Keys{"alt+x"}, Keys{"alt+x"});
        row("quiz Return at start, refer Return at start", quizWidth, Keys{"Return"},
            Keys{"Return"});
        row("quiz File>Exit, refer Space", quizWidth, Keys{"alt+f", "x"}, Keys{"space"});
        row("result File>Exit, refer Alt+X", resultWidth, Keys{"alt+f", "x"}, Keys{"alt+x"});
    }

    void leaving()
    {
        QFETCH(int, window);
        QFETCH(Keys, closeKeys);
        QFETCH(Keys, endKeys);
        Sandbox sandbox;
        Copy copy(sandbox);
        STEP(copy.reach(window));
        copy.leave(closeKeys, endKeys);
    }

    // Under a desktop's dark colour scheme every window and pop-up looks exactly as under its
    // light one: GTK's Adwaita theme in its dark and its light variant, through Qt's GTK platform
    // theme, which Qt 6.8 follows for its colour scheme and Qt 6.4 for its palette. Rows: what is
    // on screen, the keys that bring it there from the quiz window, the main window's width,
    // and the rectangles of that window whose text is drawn at random (the advert strip, the
    // support message).
    void darkSchemeLooksLight_data()
    {
        columns<Keys, int, QList<QRect>>("keys", "window", "varying");
        const QList<QRect> quizAdverts = {QRect(0, -60, quizWidth, 60)};
        row("quiz window", Keys(), quizWidth, quizAdverts);
        row("age list open", Keys{"Tab", "Tab", "Tab", "F4"}, quizWidth, quizAdverts);
        row("stress list open", Keys{"Tab", "F4"}, quizWidth, quizAdverts);
        row("File menu", Keys{"alt+f"}, quizWidth, quizAdverts);
        row("Help menu", Keys{"alt+h"}, quizWidth, quizAdverts);
        row("about box", Keys{"alt+h", "a"}, quizWidth, quizAdverts);
        row("result window", calculateKeys, resultWidth,
            QList<QRect>{QRect(0, -56, resultWidth, 56)});
        row("farewell window", Keys{"alt+x"}, referWidth, QList<QRect>{QRect(8, 56, 465, 73)});
    }

    void darkSchemeLooksLight()
    {
        const auto [keys, width, varying] =
            fetch<Keys, int, QList<QRect>>("keys", "window", "varying");
        checkTools({"import"});
        QImage pictures[2];
        QList<QRect> random;
        for (const bool dark : {false, true}) {
            Sandbox sandbox;
            sandbox.environment.insert(u"QT_QPA_PLATFORMTHEME"_s, u"gtk3"_s);
            sandbox.environment.insert(u"GTK_THEME"_s, dark ? u"Adwaita:dark"_s : u"Adwaita"_s);
            Copy copy(sandbox);
            STEP(copy.start());
            if (width != quizWidth)
                STEP(copy.go(keys, width));
            else if (!keys.isEmpty())
                pressKeys(copy.window, keys);
            QTest::qWait(1500); // the pop-up or box open, the window drawn
            pictures[dark] = screenPicture();
            random.clear();
            for (const QRect &r : varying)
                random << onScreen(r, windowRect(copy.window));
        }
        const QString difference = lookDifference(pictures[0], pictures[1], random);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void links_data()
    {
        columns<int, Keys, QString>("window", "keys", "address");
        const QString donate = http("TRESSORA_E2E_HELP_HOST", u"/donate.html"_s);
        const QString home = http("TRESSORA_E2E_MAIN_HOST", QString());
        const QString help = http("TRESSORA_E2E_PRODUCT_HOST", u"/tressora-help.html"_s);
        row("quiz Alt+D donate", quizWidth, Keys{"alt+d"}, donate);
        row("quiz Help>Online Help", quizWidth, Keys{"alt+h", "o"}, help);
        row("quiz Help>Visit Us Online", quizWidth, Keys{"alt+h", "v"}, home);
        row("quiz Help>Check for Software Update", quizWidth, Keys{"alt+h", "c"}, downloadPage());
        row("result Alt+D donate", resultWidth, Keys{"alt+d"}, donate);
        row("result Help>Check for Software Update", resultWidth, Keys{"alt+h", "u"},
            downloadPage());
        row("refer big button", referWidth, Keys{"Tab", "space"}, home);
    }

    void links()
    {
        QFETCH(int, window);
        QFETCH(Keys, keys);
        QFETCH(QString, address);
        Sandbox sandbox;
        Copy copy(sandbox);
        STEP(copy.reach(window));
        pressKeys(copy.window, keys);
        QCOMPARE(waitForLines(sandbox.browserLog(), 1), QStringList{address});
        // Opened once, and the window is still there to go on with.
        QTest::qWait(300);
        QCOMPARE(sandbox.openedAddresses(), QStringList{address});
        QVERIFY(mapped(copy.window));
        QVERIFY(copy.running());
    }

    void browsers_data()
    {
        columns<Opener, bool>("opener", "reaches");
        row("xdg-open", Opener::XdgOpen, true);
        row("only $BROWSER", Opener::BrowserVariable, true);
        row("no browser at all", Opener::None, false);
        row("opener that fails", Opener::Failing, true);
        row("opener that never returns", Opener::Hanging, true);
    }

    void browsers()
    {
        QFETCH(Opener, opener);
        QFETCH(bool, reaches);
        Sandbox sandbox(opener);
        Copy copy(sandbox);
        STEP(copy.start());
        // A link from each main window; nothing but the window itself is on screen after it.
        for (int link = 1; link <= 2; ++link) {
            if (link == 2)
                STEP(copy.go(calculateKeys, resultWidth));
            pressKeys(copy.window, {"alt+d"});
            if (reaches)
                QCOMPARE(waitForLines(sandbox.browserLog(), link),
                         QStringList(link, http("TRESSORA_E2E_HELP_HOST", u"/donate.html"_s)));
            else
                QTest::qWait(1000);
            QCOMPARE(visibleWindows(anyPattern, copy.pid()).size(), 1);
        }
        QCOMPARE(sandbox.openedAddresses().size(), reaches ? 2 : 0);
        copy.leave({"alt+f", "x"});
    }
};

QTEST_GUILESS_MAIN(EndToEnd)
#include "session.moc"
