// The real program on an X display, driven by key presses: the quiz, its windows' ways out and
// its links, with every kind of browser the desktop may have.
#include "common.h"
#include "tables.h"

#include <QTest>

using namespace e2e;
using namespace testsupport;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(e2e::Opener)

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
