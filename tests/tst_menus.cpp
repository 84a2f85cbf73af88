// The menu bars and advert labels of the quiz and result windows.
#include "about/frmAbout.h"
#include "app/application.h"
#include "outreach/frmNagScreen2.h"
#include "outreach/weblinks.h"
#include "quiz/frmDisplay.h"
#include "quiz/frmMain.h"
#include "testsupport.h"
#include "widgets/linklabel.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>

using namespace tressora;

namespace {

// One line per entry: "name|caption" for menu-bar items, "  name|caption" for their entries,
// "  -|name" for separators, with "(off)" after entries that can never be chosen.
QStringList menuTree(QMainWindow *window)
{
    QStringList lines;
    const auto top = window->menuBar()->actions();
    for (QAction *item : top) {
        QMenu *menu = item->menu();
        const QString name = menu ? menu->objectName() : item->objectName();
        lines << name + "|" + item->text() + (item->isEnabled() ? "" : " (off)");
        if (menu == nullptr)
            continue;
        const auto entries = menu->actions();
        for (QAction *entry : entries) {
            if (entry->isSeparator())
                lines << "  -|" + entry->objectName();
            else
                lines << "  " + entry->objectName() + "|" + entry->text() +
                             (entry->shortcut().isEmpty() ? "" : " (shortcut)");
        }
    }
    return lines;
}

QMainWindow *openWindow(bool result)
{
    frmMain *quiz = frmMain::instance();
    quiz->show();
    if (!result)
        return quiz;
    quiz->cmdNext_Click();
    return frmDisplay::existing();
}

// Everything on the window a link must leave alone.
QString snapshot(QMainWindow *window)
{
    QString s = QString::number(window->isVisible());
    const auto lists = window->findChildren<QComboBox *>();
    for (QComboBox *list : lists)
        s += "|" + list->currentText();
    s += "|" + QString::number(testsupport::programWindows().size());
    return s;
}

} // namespace

class TestMenus : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void menuTrees_data();
    void menuTrees();
    void links_data();
    void links();
    void makeMoneyCanNeverRun();
    void aboutBoxIsModalAndFresh_data();
    void aboutBoxIsModalAndFresh();
    void keyboard_data();
    void keyboard();
    void resultFileMenuEnterGoesBack();
    void advertsInFront();

private:
    int ends_ = 0;
};

void TestMenus::init()
{
    ends_ = 0;
    setProcessEnder([this] { ++ends_; });
}

void TestMenus::cleanup()
{
    testsupport::closeAllWindows();
}

void TestMenus::menuTrees_data()
{
    QTest::addColumn<bool>("result");
    QTest::addColumn<QStringList>("tree");
    QTest::newRow("quiz") << false
                          << QStringList{"nuFile|&File",
                                         "  mnuExit|E&xit",
                                         "mnuHelp|&Help",
                                         "  mnuOnline|&Online Help",
                                         "  mnuVisit|&Visit Us Online",
                                         "  -|mnuFileSep1",
                                         "  mnuUpdate|&Check for Software Update",
                                         "  -|mnuFileSep2",
                                         "  mnuAbout|&About Software",
                                         "mnuDonate|&Donate",
                                         "mnumakemoney|Make Money &Online (off)"};
    QTest::newRow("result") << true
                            << QStringList{"mnuFile|&File",
                                           "  mnuBack|Back",
                                           "  mnuExit|E&xit",
                                           "mnuHelp|&Help",
                                           "  mnuOnline|&Online Help",
                                           "  mnuVisit|&Visit Us Online",
                                           "  -|mnuSep1",
                                           "  mnuUpdate|Check for Software &Update",
                                           "  -|mnuSep2",
                                           "  mnuAbout|&About Software",
                                           "mnuDonate|&Donate",
                                           "mnumakemoney|Make Money &Online (off)"};
}

void TestMenus::menuTrees()
{
    QFETCH(bool, result);
    QFETCH(QStringList, tree);
    QCOMPARE(menuTree(openWindow(result)), tree);
}

void TestMenus::links_data()
{
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("address");
    const QString home = webLinkAddress(WebLink::Home);
    for (bool result : {false, true}) {
        const char *w = result ? "result " : "quiz ";
        QTest::addRow("%sOnline Help", w)
            << result << "mnuOnline" << webLinkAddress(WebLink::OnlineHelp);
        QTest::addRow("%sVisit", w) << result << "mnuVisit" << home;
        QTest::addRow("%sUpdate", w) << result << "mnuUpdate" << webLinkAddress(WebLink::Download);
        QTest::addRow("%sDonate", w) << result << "mnuDonate" << webLinkAddress(WebLink::Donate);
        QTest::addRow("%sboard advert", w) << result << "Label61" << home;
        QTest::addRow("%sco-brand advert", w)
            << result << "lblCobrand" << webLinkAddress(WebLink::CoBrand);
        QTest::addRow("%sfull-brand advert", w)
            << result << "lblFullBrand" << webLinkAddress(WebLink::FullBrand);
    }
    QTest::addRow("quiz Sex") << false << "Label2" << webLinkAddress(WebLink::FullBrand);
}

void TestMenus::links()
{
    QFETCH(bool, result);
    QFETCH(QString, source);
    QFETCH(QString, address);
    QMainWindow *window = openWindow(result);
    const QString before = snapshot(window);
    testsupport::UrlCatcher browser;
    for (int i = 0; i < 2; ++i) { // twice: nothing remembers a page was opened
        if (auto *action = window->findChild<QAction *>(source))
            action->trigger();
        else
            emit window->findChild<LinkLabel *>(source)->clicked();
    }
    QCOMPARE(browser.addresses, QStringList({address, address}));
    QCOMPARE(snapshot(window), before);
}

void TestMenus::makeMoneyCanNeverRun()
{
    for (bool result : {false, true}) {
        QMainWindow *window = openWindow(result);
        auto *entry = window->findChild<QAction *>("mnumakemoney");
        QVERIFY(entry != nullptr);
        QVERIFY(!entry->isEnabled());
        testsupport::UrlCatcher browser;
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, Qt::Key_O, Qt::AltModifier);
        QTest::qWait(20);
        QVERIFY(browser.addresses.isEmpty());
        testsupport::closeAllWindows();
        setProcessEnder([this] { ++ends_; });
    }
}

void TestMenus::aboutBoxIsModalAndFresh_data()
{
    QTest::addColumn<bool>("result");
    QTest::newRow("quiz") << false;
    QTest::newRow("result") << true;
}

void TestMenus::aboutBoxIsModalAndFresh()
{
    QFETCH(bool, result);
    QMainWindow *window = openWindow(result);
    const QString before = snapshot(window);
    QList<QPointer<QWidget>> boxes;
    QStringList kinds;
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(20, [&boxes, &kinds] {
            QWidget *box = QApplication::activeModalWidget();
            boxes << box;
            if (box != nullptr) {
                kinds << box->metaObject()->className() + QString::number(box->isModal());
                box->close();
            }
        });
        window->findChild<QAction *>("mnuAbout")->trigger(); // returns once the box is closed
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QCOMPARE(kinds, QStringList({"tressora::frmAbout1", "tressora::frmAbout1"}));
    QVERIFY(boxes[0].isNull() && boxes[1].isNull()); // each destroyed on closing
    QCOMPARE(snapshot(window), before);
}

void TestMenus::keyboard_data()
{
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("address");
    QTest::newRow("quiz Alt+D") << false << "D" << webLinkAddress(WebLink::Donate);
    QTest::newRow("result Alt+D") << true << "D" << webLinkAddress(WebLink::Donate);
    QTest::newRow("quiz Alt+H C") << false << "HC" << webLinkAddress(WebLink::Download);
    QTest::newRow("result Alt+H U") << true << "HU" << webLinkAddress(WebLink::Download);
    QTest::newRow("quiz Alt+H O") << false << "HO" << webLinkAddress(WebLink::OnlineHelp);
    QTest::newRow("result Alt+H V") << true << "HV" << webLinkAddress(WebLink::Home);
}

void TestMenus::keyboard()
{
    QFETCH(bool, result);
    QFETCH(QString, keys);
    QFETCH(QString, address);
    QMainWindow *window = openWindow(result);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    testsupport::UrlCatcher browser;
    QTest::keyClick(window, keys.at(0).toLatin1(), Qt::AltModifier);
    if (keys.size() > 1) {
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QTest::keyClick(QApplication::activePopupWidget(), keys.at(1).toLower().toLatin1());
    }
    QTRY_COMPARE(browser.addresses, QStringList{address});
    QVERIFY(QApplication::activePopupWidget() == nullptr); // Donate opens no drop-down
    QVERIFY(window->isVisible());
}

void TestMenus::resultFileMenuEnterGoesBack()
{
    QMainWindow *window = openWindow(true);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    QCOMPARE(menu->activeAction(), window->findChild<QAction *>("mnuBack"));
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_VERIFY(frmDisplay::existing() == nullptr);
    QVERIFY(frmMain::existing()->isVisible());
    QVERIFY(!frmNagScreen2::existing()->isVisible());
    QCOMPARE(ends_, 0);
}

void TestMenus::advertsInFront()
{
    // On the result window the co-branding advert lies in front, whatever the quiz window drew.
    QMainWindow *window = openWindow(true);
    auto *cobrand = window->findChild<QWidget *>("lblCobrand");
    auto *band = cobrand->parentWidget();
    QCOMPARE(band->childAt(cobrand->geometry().center()), cobrand);
    auto *full = window->findChild<QWidget *>("lblFullBrand");
    QVERIFY(full->geometry().contains(cobrand->geometry().center()));
    QVERIFY(cobrand->geometry().contains(full->geometry().center()));
    QCOMPARE(cobrand->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(window->findChild<QLabel *>("lblCobrand")->text().count("&"), 1);
    // On the quiz window, before any draw, the full-branding advert lies in front.
    testsupport::closeAllWindows();
    frmMain *quiz = frmMain::instance();
    full = quiz->findChild<QWidget *>("lblFullBrand");
    QCOMPARE(full->parentWidget()->childAt(full->geometry().center()), full);
    QCOMPARE(quiz->findChild<QWidget *>("Label2")->cursor().shape(), Qt::ArrowCursor);
}

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
