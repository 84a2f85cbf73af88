// Start-up, the exit sequence from every trigger, and the end of the program.
#include "app/application.h"
#include "app/commandline.h"
#include "app/singleinstance.h"
#include "outreach/frmNagScreen2.h"
#include "quiz/frmDisplay.h"
#include "quiz/frmMain.h"
#include "testsupport.h"

#include <QAction>
#include <QLockFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace tressora;

class TestApp : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void startShowsOnlyTheQuiz();
    void secondCopyIsRefused();
    void exitTriggers_data();
    void exitTriggers();
    void leavingEndsWithNoWindowLeft_data();
    void leavingEndsWithNoWindowLeft();
    void endProgramEnteredAgain();
    void endProgramClosesWindowsOpenedOnTheWay();
    void backIsNoExit();
    void platformChoice_data();
    void platformChoice();
    void commandLine_data();
    void commandLine();

private:
    int ends_ = 0;
};

void TestApp::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestApp::init()
{
    ends_ = 0;
    setProcessEnder([this] { ++ends_; });
}

void TestApp::cleanup()
{
    testsupport::closeAllWindows();
}

void TestApp::startShowsOnlyTheQuiz()
{
    StartProgram();
    QVERIFY(!programEnded());
    QVERIFY(frmMain::existing() != nullptr);
    QVERIFY(frmMain::existing()->isVisible());
    QVERIFY(frmDisplay::existing() == nullptr);
    QVERIFY(frmNagScreen2::existing() == nullptr);
    QCOMPARE(testsupport::programWindows().size(), 1);
    QVERIFY(!QApplication::quitOnLastWindowClosed());
}

void TestApp::secondCopyIsRefused()
{
    // Another copy holds the lock: this one says so and ends without showing a window.
    releaseSingleInstance();
    QLockFile other(singleInstanceLockPath());
    QVERIFY(other.tryLock(0));
    testsupport::MessageBoxAnswerer boxes;
    StartProgram();
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].title, "Tressora");
    QCOMPARE(boxes.seen[0].text, "Application is already running");
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Information);
    QCOMPARE(boxes.seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(programEnded());
    QCOMPARE(ends_, 1);
    QVERIFY(frmMain::existing() == nullptr);
    QVERIFY(testsupport::programWindows().isEmpty());
    other.unlock();
}

void TestApp::exitTriggers_data()
{
    QTest::addColumn<bool>("fromResult");
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<bool>("backFirst"); // a calculation and Back before
    QTest::newRow("quiz close box") << false << "close" << false;
    QTest::newRow("quiz Exit button") << false << "cmdExit" << false;
    QTest::newRow("quiz File Exit") << false << "mnuExit" << false;
    QTest::newRow("result close box") << true << "close" << false;
    QTest::newRow("result File Exit") << true << "mnuExit" << false;
    QTest::newRow("quiz Exit button after Back") << false << "cmdExit" << true;
    QTest::newRow("result close box after Back") << true << "close" << true;
}

void TestApp::exitTriggers()
{
    QFETCH(bool, fromResult);
    QFETCH(QString, trigger);
    QFETCH(bool, backFirst);
    StartProgram();
    frmMain *quiz = frmMain::existing();
    if (backFirst) {
        quiz->cmdNext_Click();
        frmDisplay::existing()->cmdBack_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QWidget *window = quiz;
    if (fromResult) {
        quiz->cmdNext_Click();
        window = frmDisplay::existing();
    }
    if (trigger == "close")
        window->close();
    else if (trigger == "cmdExit")
        window->findChild<QPushButton *>(trigger)->click();
    else
        window->findChild<QAction *>(trigger)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(frmNagScreen2::existing() != nullptr);
    QVERIFY(frmNagScreen2::existing()->isVisible());
    QCOMPARE(ends_, 0); // the program goes on until the farewell window is closed
    if (fromResult) {
        QVERIFY(frmDisplay::existing() == nullptr);
        QVERIFY(frmMain::existing() != nullptr);    // still loaded...
        QVERIFY(!frmMain::existing()->isVisible()); // ...and not shown again
    } else {
        QVERIFY(frmMain::existing() == nullptr);
    }
}

void TestApp::leavingEndsWithNoWindowLeft_data()
{
    QTest::addColumn<bool>("byExitButton");
    QTest::newRow("Exit button") << true;
    QTest::newRow("close box") << false;
}

void TestApp::leavingEndsWithNoWindowLeft()
{
    QFETCH(bool, byExitButton);
    StartProgram();
    frmMain::existing()->cmdNext_Click();
    frmDisplay::existing()->close(); // the quiz window stays loaded, hidden
    frmNagScreen2 *farewell = frmNagScreen2::existing();
    QVERIFY(farewell != nullptr);
    if (byExitButton)
        farewell->findChild<QPushButton *>("cmdClose")->click();
    else
        farewell->close();
    QCOMPARE(ends_, 1);
    QVERIFY(programEnded());
    QVERIFY(testsupport::programWindows().isEmpty());
}

void TestApp::endProgramEnteredAgain()
{
    StartProgram();
    frmMain::existing()->cmdNext_Click(); // the farewell window now exists, hidden
    QVERIFY(frmNagScreen2::existing() != nullptr);
    // Closing the farewell window during the walk runs its handler, which ends the program
    // itself; the end happens once and nothing is left.
    EndProgram();
    QCOMPARE(ends_, 1);
    QVERIFY(testsupport::programWindows().isEmpty());
}

void TestApp::endProgramClosesWindowsOpenedOnTheWay()
{
    StartProgram();
    // Closing the quiz window shows the farewell window, which did not exist when the walk
    // began; it must not survive the end either.
    QVERIFY(frmNagScreen2::existing() == nullptr);
    EndProgram();
    QCOMPARE(ends_, 1);
    QVERIFY(testsupport::programWindows().isEmpty());
}

void TestApp::backIsNoExit()
{
    StartProgram();
    frmMain::existing()->cmdNext_Click();
    frmDisplay::existing()->cmdBack_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(ends_, 0);
    QVERIFY(frmMain::existing()->isVisible());
    QVERIFY(frmDisplay::existing() == nullptr);
    QVERIFY(!frmNagScreen2::existing()->isVisible());
    // Not even for the moment between closing and hiding: it was never made a window on screen.
    QVERIFY(frmNagScreen2::existing()->windowHandle() == nullptr);
    const auto windows = testsupport::programWindows();
    int visible = 0;
    for (QWidget *w : windows)
        visible += w->isVisible() ? 1 : 0;
    QCOMPARE(visible, 1);
}

void TestApp::platformChoice_data()
{
    using testsupport::columns;
    using testsupport::row;
    columns<QByteArray, QByteArray, QByteArray, QString, bool>("chosen", "display", "wayland",
                                                               "platform", "expected");
    row("X only", QByteArray(), QByteArray(":0"), QByteArray(), QString(), true);
    row("Wayland only: native", QByteArray(), QByteArray(), QByteArray("wayland-0"), QString(),
        true);
    // Windows has one platform and no displays to choose from.
    const QString xWithWayland = displaysFromEnvironment ? QStringLiteral("xcb") : QString();
    row("Wayland with XWayland: X", QByteArray(), QByteArray(":0"), QByteArray("wayland-0"),
        xWithWayland, true);
    row("the user's choice stands", QByteArray("wayland"), QByteArray(":0"),
        QByteArray("wayland-0"), QStringLiteral("wayland"), true);
    row("a chosen platform needs no display", QByteArray("offscreen"), QByteArray(), QByteArray(),
        QStringLiteral("offscreen"), true);
    row("nothing at all", QByteArray(), QByteArray(), QByteArray(), QString(),
        !displaysFromEnvironment);
}

void TestApp::platformChoice()
{
    const auto [chosen, display, wayland, platform, expected] =
        testsupport::fetch<QByteArray, QByteArray, QByteArray, QString, bool>(
            "chosen", "display", "wayland", "platform", "expected");
    QCOMPARE(platformFor(chosen, display, wayland), platform);
    QCOMPARE(displayExpected(chosen, display, wayland), expected);
}

void TestApp::commandLine_data()
{
    using testsupport::columns;
    using testsupport::row;
    // The program as a user runs it from a terminal, with no window system unless a row gives
    // DISPLAY. "out" and "err" are what it must print, exactly; the code is its exit code.
    columns<QStringList, QString, int, QString, QString>("arguments", "display", "code", "out",
                                                         "err");
    const QString version = QStringLiteral("^Tressora \\d+\\.\\d+\\.\\d+\n$");
    const QString help = QStringLiteral("^Usage: tressora \\[--help\\] \\[--version\\]\nA quiz, "
                                        "made for entertainment, that estimates your chances of "
                                        "losing your hair\\.\n$");
    const QString sentence =
        QStringLiteral("^Tressora needs a graphical session: start it from "
                       "your desktop, or set DISPLAY or WAYLAND_DISPLAY\\.\n$");
    const QString nothing = QStringLiteral("^$");
    row("--version", QStringList{"--version"}, QString(), 0, version, nothing);
    row("--help", QStringList{"--help"}, QString(), 0, help, nothing);
    row("--help after other arguments", QStringList{"-x", "file", "--help"}, QString(), 0, help,
        nothing);
    row("first of --version and --help", QStringList{"--version", "--help"}, QString(), 0, version,
        nothing);
    row("no display", QStringList(), QString(), 1, nothing, sentence);
    row("other arguments, no display", QStringList{"--bogus"}, QString(), 1, nothing, sentence);
    row("a display nobody serves", QStringList(), QStringLiteral(":987"), 1, nothing, sentence);
}

void TestApp::commandLine()
{
    const auto [arguments, display, code, out, err] =
        testsupport::fetch<QStringList, QString, int, QString, QString>("arguments", "display",
                                                                        "code", "out", "err");
    if (code != 0 && !tressora::displaysFromEnvironment)
        QSKIP("here the window system is always there: no display is chosen or missing");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QLatin1String(name));
    if (!display.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(qEnvironmentVariable("TRESSORA_PROGRAM"), arguments);
    QVERIFY2(program.waitForFinished(20000), "the program does not end by itself");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), code);
    // Lines end as the system's text files do (CR LF on Windows); the texts are compared by line.
    const QString printed = QString::fromLocal8Bit(program.readAllStandardOutput())
                                .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QString complained = QString::fromLocal8Bit(program.readAllStandardError())
                                   .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QVERIFY2(QRegularExpression(out).match(printed).hasMatch(), qPrintable(printed));
    QVERIFY2(QRegularExpression(err).match(complained).hasMatch(), qPrintable(complained));
}

QTEST_MAIN(TestApp)
#include "tst_app.moc"
