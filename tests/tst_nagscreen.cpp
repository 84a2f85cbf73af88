// The refer-a-friend window on the offscreen platform: its controls, the placeholders, the
// refusals, the referral address handed to the browser and the ways it ends the program.
#include "app/application.h"
#include "outreach/frmNagScreen2.h"
#include "outreach/weblinks.h"
#include "testsupport.h"

#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using tressora::frmNagScreen2;

namespace {

const QStringList boxNames = {"txtName", "txtEmail", "txtMessage", "txtFriendName",
                              "txtFriendEmail"};

QWidget *control(const QString &name)
{
    return frmNagScreen2::instance()->findChild<QWidget *>(name);
}

// A text box's text, line breaks of the message box written as carriage return and line feed.
QString textOf(const QString &name)
{
    if (auto *edit = qobject_cast<QLineEdit *>(control(name)))
        return edit->text();
    return qobject_cast<QPlainTextEdit *>(control(name))->toPlainText().replace("\n", "\r\n");
}

void setTextOf(const QString &name, const QString &text)
{
    if (auto *edit = qobject_cast<QLineEdit *>(control(name)))
        edit->setText(text);
    else
        qobject_cast<QPlainTextEdit *>(control(name))->setPlainText(text);
}

// The referral's query as the server decodes it into $_GET.
QMap<QString, QString> serverQuery(const QString &address)
{
    const auto decode = [](QByteArray part) {
        part.replace('+', ' ');
        return QString::fromUtf8(QByteArray::fromPercentEncoding(part));
    };
    QMap<QString, QString> values;
    const QByteArray query = QUrl(address).query(QUrl::FullyEncoded).toLatin1();
    for (const QByteArray &pair : query.split('&')) {
        const qsizetype eq = pair.indexOf('=');
        values.insert(decode(pair.left(eq)), decode(pair.mid(eq + 1)));
    }
    return values;
}

bool showActive()
{
    frmNagScreen2::showWindow();
    return QTest::qWaitForWindowActive(frmNagScreen2::existing());
}

} // namespace

class tst_NagScreen : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void controls_data();
    void controls();
    void fonts_data();
    void fonts();
    void colours_data();
    void colours();
    void windowFrame();
    void supportMessageDrawnAtLoad();
    void descriptionParagraph();
    void tabOrderAndStartFocus();
    void placeholderOnFocusIn_data();
    void placeholderOnFocusIn();
    void placeholderOnFocusOut_data();
    void placeholderOnFocusOut();
    void spaceRefusedInEmailBoxes_data();
    void spaceRefusedInEmailBoxes();
    void submitRefusals_data();
    void submitRefusals();
    void sentTexts_data();
    void sentTexts();
    void emptiedMessageRefused();
    void sameReferralTwice();
    void homeButtonSpringsBack();
    void softwaresLink();
    void endsTheProgram_data();
    void endsTheProgram();
    void hideWindowKeepsItHidden();

private:
    int ends_ = 0;
};

void tst_NagScreen::init()
{
    ends_ = 0;
    tressora::setProcessEnder([this] { ++ends_; });
}

void tst_NagScreen::cleanup()
{
    testsupport::closeAllWindows();
}

void tst_NagScreen::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::newRow("cmdClose") << "cmdClose"
                              << "QPushButton"
                              << "frmNagScreen2" << QRect(400, 184, 83, 25) << "E&xit";
    QTest::newRow("Check1") << "Check1"
                            << "QAbstractButton"
                            << "frmNagScreen2" << QRect(2, 136, 479, 37)
                            << "Click Here To Visit Orvane Now";
    QTest::newRow("Picture1") << "Picture1"
                              << "QLabel"
                              << "frmNagScreen2" << QRect(24, 8, 36, 36) << "";
    QTest::newRow("Label1") << "Label1"
                            << "QLabel"
                            << "frmNagScreen2" << QRect(72, 16, 247, 29) << "Tressora v1.0";
    QTest::newRow("Label2") << "Label2"
                            << "QLabel"
                            << "frmNagScreen2" << QRect(8, 56, 465, 73) << "";
    QTest::newRow("Frame2") << "Frame2"
                            << "QGroupBox"
                            << "frmNagScreen2" << QRect(8, 216, 471, 97) << "Refer A Friend";
    QTest::newRow("txtName") << "txtName"
                             << "QLineEdit"
                             << "Frame2" << QRect(6, 24, 225, 19) << "Your Name";
    QTest::newRow("cmdSubmit") << "cmdSubmit"
                               << "QPushButton"
                               << "Frame2" << QRect(128, 72, 225, 19) << "Refer A Friend &Now";
    QTest::newRow("txtEmail") << "txtEmail"
                              << "QLineEdit"
                              << "Frame2" << QRect(240, 24, 225, 19) << "Your Email Address";
    QTest::newRow("txtFriendEmail")
        << "txtFriendEmail"
        << "QLineEdit"
        << "Frame2" << QRect(240, 48, 225, 19) << "Friend's Email Address";
    QTest::newRow("txtFriendName") << "txtFriendName"
                                   << "QLineEdit"
                                   << "Frame2" << QRect(6, 48, 225, 19) << "Friend's Name";
    QTest::newRow("txtMessage") << "txtMessage"
                                << "QPlainTextEdit"
                                << "Frame2" << QRect(320, 240, 121, 33) << "Your Message\r\n";
    QTest::newRow("Frame6") << "Frame6"
                            << "QGroupBox"
                            << "frmNagScreen2" << QRect(488, 8, 249, 305)
                            << "Download Orvane Softwares";
    QTest::newRow("Label3") << "Label3"
                            << "QLabel"
                            << "Frame6" << QRect(8, 24, 233, 257) << "";
    QTest::newRow("lblGoToHome") << "lblGoToHome"
                                 << "tressora::LinkLabel"
                                 << "Frame6" << QRect(5, 283, 239, 14)
                                 << "Click Here To Visit Orvane Softwares";
}

void tst_NagScreen::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, container);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QWidget *widget = control(name);
    QVERIFY(widget != nullptr);
    QVERIFY2(widget->inherits(kind.toLatin1()), widget->metaObject()->className());
    QCOMPARE(widget->parentWidget()->objectName(), container);
    QCOMPARE(widget->geometry(), geometry);
    if (text.isEmpty())
        return;
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        QCOMPARE(button->text(), text);
    else if (auto *label = qobject_cast<QLabel *>(widget))
        QCOMPARE(label->text(), text);
    else if (auto *frame = qobject_cast<QGroupBox *>(widget))
        QCOMPARE(frame->title(), text);
    else
        QCOMPARE(textOf(name), text);
}

void tst_NagScreen::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("family");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("underline");
    QTest::newRow("cmdClose") << "cmdClose"
                              << "Verdana" << 8.25 << false << false;
    QTest::newRow("Check1") << "Check1"
                            << "Verdana" << 14.25 << false << false;
    QTest::newRow("Label1") << "Label1"
                            << "MS Sans Serif" << 18.0 << false << false;
    QTest::newRow("Label2") << "Label2"
                            << "Verdana" << 9.75 << true << false;
    QTest::newRow("Frame2") << "Frame2"
                            << "Verdana" << 9.75 << true << false;
    QTest::newRow("cmdSubmit") << "cmdSubmit"
                               << "Verdana" << 8.25 << true << false;
    for (const QString &box : boxNames)
        QTest::newRow(qPrintable(box)) << box << "Verdana" << 8.25 << false << false;
    QTest::newRow("Frame6") << "Frame6"
                            << "Verdana" << 9.75 << true << false;
    QTest::newRow("Label3") << "Label3"
                            << "Verdana" << 9.0 << false << false;
    QTest::newRow("lblGoToHome") << "lblGoToHome"
                                 << "Verdana" << 9.0 << true << true;
}

void tst_NagScreen::fonts()
{
    QFETCH(QString, name);
    QFETCH(QString, family);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(bool, underline);
    const QFont font = control(name)->font();
    QCOMPARE(font.family(), family);
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.underline(), underline);
}

void tst_NagScreen::colours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("point"); // a spot of the window where no text is drawn
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QPalette::ColorRole>("textRole");
    QTest::addColumn<QColor>("text");
    const QColor navy(0, 0, 128);
    QTest::newRow("window") << "frmNagScreen2" << QPoint(300, 4) << QColor(Qt::white)
                            << QPalette::WindowText << QColor(Qt::black);
    QTest::newRow("Frame2") << "Frame2" << QPoint(20, 300) << navy << QPalette::WindowText
                            << QColor(Qt::white);
    QTest::newRow("Frame6") << "Frame6" << QPoint(492, 150) << navy << QPalette::WindowText
                            << QColor(Qt::white);
    QTest::newRow("Check1") << "Check1" << QPoint() << QColor() << QPalette::ButtonText
                            << QColor(0, 0, 192);
    QTest::newRow("Label3") << "Label3" << QPoint() << QColor() << QPalette::WindowText
                            << QColor(Qt::white);
    QTest::newRow("lblGoToHome") << "lblGoToHome" << QPoint() << QColor() << QPalette::WindowText
                                 << QColor(255, 255, 0);
}

void tst_NagScreen::colours()
{
    QFETCH(QString, name);
    QFETCH(QPoint, point);
    QFETCH(QColor, background);
    QFETCH(QPalette::ColorRole, textRole);
    QFETCH(QColor, text);
    QVERIFY(showActive());
    frmNagScreen2 *window = frmNagScreen2::existing();
    QWidget *widget = name == "frmNagScreen2" ? window : control(name);
    QCOMPARE(widget->palette().color(textRole), text);
    if (!background.isValid())
        return;
    // The style may shade a frame's inside slightly.
    const QColor drawn = window->grab().toImage().pixelColor(point);
    const int distance = qAbs(drawn.red() - background.red()) +
                         qAbs(drawn.green() - background.green()) +
                         qAbs(drawn.blue() - background.blue());
    QVERIFY2(distance <= 12, qPrintable(drawn.name()));
}

void tst_NagScreen::windowFrame()
{
    QVERIFY(showActive());
    frmNagScreen2 *window = frmNagScreen2::existing();
    QCOMPARE(window->windowTitle(), "Tressora v1.0");
    QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(window->size(), QSize(741, 315));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    const QPoint offset =
        window->frameGeometry().center() - window->screen()->availableGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QString::number(offset.manhattanLength())));
    // The message box lies below its frame's bottom edge: reachable, never seen.
    QWidget *message = control("txtMessage");
    QVERIFY(message->isVisibleTo(window));
    QVERIFY(message->visibleRegion().isEmpty());
    QVERIFY(!qobject_cast<QLabel *>(control("Picture1"))->pixmap().isNull());
}

void tst_NagScreen::supportMessageDrawnAtLoad()
{
    const QStringList messages = {
        "Orvane Softwares, such as this can be created and maintained only with your support. "
        "The best way to support Orvane is to visit Orvane regularly and take part in the "
        "discussions and other activities on the board.",
        "Visit Orvane regularly. Support Orvane by taking part in the discussions and other "
        "activities. These softwares cannot be supported and maintained, without you regularly "
        "visiting Orvane",
        "Orvane is a FREE online discussion forum for all things Orvane. To help Orvane develop "
        "and maintain this software visit Orvane regularly.",
        "Orvane needs your help. All you need to do is visit Orvane regularly and take part in "
        "the various discussions and activites to help us maintain and develop more Orvane "
        "Softwares.",
    };
    QSet<QString> seen;
    for (int creation = 0; creation < 80; ++creation) {
        frmNagScreen2::hideWindow();
        const QString shown = qobject_cast<QLabel *>(control("Label2"))->text();
        QVERIFY2(messages.contains(shown), qPrintable(shown));
        // Showing again keeps the message drawn when the window was created.
        frmNagScreen2::showWindow();
        QCOMPARE(qobject_cast<QLabel *>(control("Label2"))->text(), shown);
        seen.insert(shown);
        delete frmNagScreen2::existing();
    }
    QCOMPARE(seen.size(), messages.size());
}

void tst_NagScreen::descriptionParagraph()
{
    auto *label = qobject_cast<QLabel *>(control("Label3"));
    const QString text = label->text();
    QVERIFY(label->wordWrap());
    QCOMPARE(text.count(QRegularExpression(" {61}")), 1);
    QVERIFY(!text.contains(QString(62, ' ')));
    QVERIFY(text.endsWith(". "));
    QVERIFY(text.indexOf(QString(61, ' ')) > 20);
}

void tst_NagScreen::tabOrderAndStartFocus()
{
    QVERIFY(showActive());
    QCOMPARE(QApplication::focusWidget(), control("cmdClose"));
    const QStringList expected = {"Check1",         "txtName",       "cmdSubmit",  "txtEmail",
                                  "txtFriendEmail", "txtFriendName", "txtMessage", "cmdClose"};
    QStringList walked;
    for (int step = 0; step < expected.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(walked, expected);
    // Tab in the message box moves on instead of typing a tab.
    QVERIFY(!textOf("txtMessage").contains('\t'));
}

void tst_NagScreen::placeholderOnFocusIn_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("name placeholder") << "txtName"
                                      << "Your Name"
                                      << "";
    QTest::newRow("name placeholder in blanks") << "txtName"
                                                << "  Your Name "
                                                << "";
    QTest::newRow("name, other case") << "txtName"
                                      << "Your name"
                                      << "Your name";
    QTest::newRow("name, tab") << "txtName"
                               << "Your Name\t"
                               << "Your Name\t";
    QTest::newRow("name typed") << "txtName"
                                << "Ann"
                                << "Ann";
    QTest::newRow("email placeholder") << "txtEmail"
                                       << "Your Email Address"
                                       << "";
    QTest::newRow("friend's name placeholder") << "txtFriendName"
                                               << "Friend's Name"
                                               << "";
    QTest::newRow("friend's email placeholder") << "txtFriendEmail"
                                                << "Friend's Email Address"
                                                << "";
    QTest::newRow("friend's email, other box's placeholder") << "txtFriendEmail"
                                                             << "Your Email Address"
                                                             << "Your Email Address";
    QTest::newRow("message at start") << "txtMessage"
                                      << "Your Message\r\n"
                                      << "Your Message\r\n";
    QTest::newRow("message placeholder") << "txtMessage"
                                         << "Your Message"
                                         << "";
}

void tst_NagScreen::placeholderOnFocusIn()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QVERIFY(showActive());
    setTextOf(box, text);
    control(box)->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), control(box));
    QCOMPARE(textOf(box), expected);
}

void tst_NagScreen::placeholderOnFocusOut_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("name empty") << "txtName"
                                << ""
                                << "Your Name";
    QTest::newRow("name blanks") << "txtName"
                                 << "   "
                                 << "Your Name";
    QTest::newRow("name tab") << "txtName"
                              << "\t"
                              << "\t";
    QTest::newRow("name typed") << "txtName"
                                << " Ann "
                                << " Ann ";
    QTest::newRow("email empty") << "txtEmail"
                                 << ""
                                 << "Your Email Address";
    QTest::newRow("friend's name empty") << "txtFriendName"
                                         << " "
                                         << "Friend's Name";
    QTest::newRow("friend's email empty") << "txtFriendEmail"
                                          << ""
                                          << "Friend's Email Address";
    QTest::newRow("message empty") << "txtMessage"
                                   << ""
                                   << "Your Message";
    QTest::newRow("message line break") << "txtMessage"
                                        << "\r\n"
                                        << "\r\n";
}

void tst_NagScreen::placeholderOnFocusOut()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QVERIFY(showActive());
    control(box)->setFocus(Qt::TabFocusReason);
    setTextOf(box, text);
    control("cmdClose")->setFocus(Qt::TabFocusReason);
    QCOMPARE(textOf(box), expected);
}

void tst_NagScreen::spaceRefusedInEmailBoxes_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("own e-mail") << "txtEmail";
    QTest::newRow("friend's e-mail") << "txtFriendEmail";
}

void tst_NagScreen::spaceRefusedInEmailBoxes()
{
    QFETCH(QString, box);
    QVERIFY(showActive());
    testsupport::MessageBoxAnswerer answerer;
    auto *edit = qobject_cast<QLineEdit *>(control(box));
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(edit, "ann@");
    QTest::keyClick(edit, Qt::Key_Space);
    QTest::keyClicks(edit, "x.org");
    QCOMPARE(edit->text(), "ann@x.org");
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen[0].text, "Email Address Cannot Contain Space");
    QCOMPARE(answerer.seen[0].title, "Tressora");
    QCOMPARE(answerer.seen[0].icon, QMessageBox::Critical);
    QCOMPARE(answerer.seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QTRY_COMPARE(QApplication::focusWidget(), edit);
    // Blanks that arrive by pasting are let through.
    QGuiApplication::clipboard()->setText(" a b ");
    edit->paste();
    QCOMPARE(edit->text(), "ann@x.org a b ");
    QCOMPARE(answerer.seen.size(), 1);
}

void tst_NagScreen::submitRefusals_data()
{
    QTest::addColumn<QStringList>("texts"); // in the order of boxNames; null leaves a box as is
    QTest::addColumn<QString>("expected");
    const QString ok;
    QTest::newRow("untouched") << QStringList{ok, ok, ok, ok, ok}
                               << "Please Enter Proper Email Address";
    QTest::newRow("same e-mails") << QStringList{ok, "ann@x.org", ok, ok, " ann@x.org "}
                                  << "Please Enter Distinct Email Addresses";
    QTest::newRow("friend's e-mail without dot")
        << QStringList{"Ann", "ann@x.org", ok, "Bob", "bob@y"}
        << "Please Enter Proper Email Address";
    QTest::newRow("name untouched")
        << QStringList{ok, "ann@x.org", ok, "Bob", "bob@y.net"} << "Please Enter Your Name";
    QTest::newRow("name blank") << QStringList{"   ", "ann@x.org", ok, "Bob", "bob@y.net"}
                                << "Please Enter Your Name";
    QTest::newRow("message placeholder")
        << QStringList{"Ann", "ann@x.org", "  Your Message ", "Bob", "bob@y.net"}
        << "Please Enter Your Message";
    QTest::newRow("friend's name untouched") << QStringList{"Ann", "ann@x.org", ok, ok, "bob@y.net"}
                                             << "Please Enter Your Friend's Name";
}

void tst_NagScreen::submitRefusals()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, expected);
    QVERIFY(showActive());
    testsupport::UrlCatcher catcher;
    testsupport::MessageBoxAnswerer answerer;
    for (int i = 0; i < boxNames.size(); ++i) {
        if (!texts[i].isNull())
            setTextOf(boxNames[i], texts[i]);
    }
    qobject_cast<QPushButton *>(control("cmdSubmit"))->click();
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen[0].text, expected);
    QCOMPARE(answerer.seen[0].title, "Tressora");
    QCOMPARE(answerer.seen[0].icon, QMessageBox::Critical);
    QCOMPARE(answerer.seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(catcher.addresses.isEmpty());
    QVERIFY(frmNagScreen2::existing()->isVisible());
}

void tst_NagScreen::sentTexts_data()
{
    QTest::addColumn<QStringList>("texts"); // in the order of boxNames; null leaves a box as is
    QTest::addColumn<QStringList>("sent");  // taf1 to taf5
    const QString untouched;
    QTest::newRow("message untouched")
        << QStringList{" Ann Lee ", "ann@x.org", untouched, "Bob", "bob@y.net"}
        << QStringList{"Ann Lee", "ann@x.org", "Your Message\r\n", "Bob", "bob@y.net"};
    QTest::newRow("e-mails differing in case")
        << QStringList{"Ann", "Ann@X.org", "Hi", "Bob", "ann@x.org"}
        << QStringList{"Ann", "Ann@X.org", "Hi", "Bob", "ann@x.org"};
    QTest::newRow("two lines, tabs kept")
        << QStringList{"\tAnn", "ann@x.org", "Hi Bob,\r\ntry this. ", "Bob", "bob@y.net"}
        << QStringList{"\tAnn", "ann@x.org", "Hi Bob,\r\ntry this.", "Bob", "bob@y.net"};
    QTest::newRow("characters that split a query")
        << QStringList{"Tom & Jerry", "t+j@x.org", "100% = #1; \"yes\"", "Bob+Al", "bob@y.net"}
        << QStringList{"Tom & Jerry", "t+j@x.org", "100% = #1; \"yes\"", "Bob+Al", "bob@y.net"};
    QTest::newRow("beyond ASCII") << QStringList{"Zoë", "zoë@exämple.org",
                                                 "李小龍 👋🏽\u00a0!", "Jürgen", "j@y.net"}
                                  << QStringList{"Zoë", "zoë@exämple.org",
                                                 "李小龍 👋🏽\u00a0!", "Jürgen", "j@y.net"};
}

void tst_NagScreen::sentTexts()
{
    QFETCH(QStringList, texts);
    QFETCH(QStringList, sent);
    QVERIFY(showActive());
    testsupport::UrlCatcher catcher;
    testsupport::MessageBoxAnswerer answerer;
    for (int i = 0; i < boxNames.size(); ++i) {
        if (!texts[i].isNull())
            setTextOf(boxNames[i], texts[i]);
    }
    qobject_cast<QPushButton *>(control("cmdSubmit"))->click();
    QCOMPARE(answerer.seen.size(), 0);
    QCOMPARE(catcher.addresses.size(), 1);
    const QUrl url(catcher.addresses[0]);
    QCOMPARE(url.host(), tressora::mainSiteHost());
    QCOMPARE(url.path(), "/ovms-refer-a-friend.php");
    QCOMPARE(url.query(QUrl::FullyEncoded).section('=', 0, 0), "taf1");
    const QMap<QString, QString> values = serverQuery(catcher.addresses[0]);
    QCOMPARE(values.keys(), QStringList({"taf1", "taf2", "taf3", "taf4", "taf5", "taf6"}));
    QCOMPARE(QStringList(values.values().mid(0, 5)), sent);
    QCOMPARE(values.value("taf6"), tressora::productSiteAddress());
}

void tst_NagScreen::emptiedMessageRefused()
{
    QVERIFY(showActive());
    testsupport::UrlCatcher catcher;
    testsupport::MessageBoxAnswerer answerer;
    setTextOf("txtName", "Ann");
    setTextOf("txtEmail", "ann@x.org");
    setTextOf("txtFriendEmail", "bob@y.net");
    setTextOf("txtFriendName", "Bob");
    control("txtFriendName")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(control("txtFriendName"), Qt::Key_Tab);
    QWidget *message = control("txtMessage");
    QCOMPARE(QApplication::focusWidget(), message);
    QCOMPARE(textOf("txtMessage"), "Your Message\r\n"); // not the placeholder: not cleared
    QTest::keyClick(message, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(message, Qt::Key_Delete);
    QCOMPARE(textOf("txtMessage"), "");
    QTest::keyClick(message, Qt::Key_Tab);
    QCOMPARE(textOf("txtMessage"), "Your Message");
    QTest::mouseClick(control("cmdSubmit"), Qt::LeftButton);
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen[0].text, "Please Enter Your Message");
    QVERIFY(catcher.addresses.isEmpty());
}

void tst_NagScreen::sameReferralTwice()
{
    QVERIFY(showActive());
    testsupport::UrlCatcher catcher;
    const QStringList texts = {"Ann ", "ann@x.org", "Hi & bye", "Bob", "bob@y.net"};
    for (int i = 0; i < boxNames.size(); ++i)
        setTextOf(boxNames[i], texts[i]);
    auto *submit = qobject_cast<QPushButton *>(control("cmdSubmit"));
    submit->click();
    submit->click();
    QCOMPARE(catcher.addresses.size(), 2);
    QCOMPARE(catcher.addresses[1], catcher.addresses[0]);
    QVERIFY(frmNagScreen2::existing()->isVisible());
    for (int i = 0; i < boxNames.size(); ++i)
        QCOMPARE(textOf(boxNames[i]), texts[i]);
    const tressora::ReferralText kept{"Ann", "ann@x.org", "Hi & bye", "Bob", "bob@y.net"};
    QVERIFY(frmNagScreen2::existing()->referralText() == kept);
}

void tst_NagScreen::homeButtonSpringsBack()
{
    QVERIFY(showActive());
    testsupport::UrlCatcher catcher;
    auto *button = qobject_cast<QAbstractButton *>(control("Check1"));
    QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(catcher.addresses, QStringList{tressora::webLinkAddress(tressora::WebLink::Home)});
    QVERIFY(!button->isChecked());
    QTest::keyClick(button, Qt::Key_Space);
    QCOMPARE(catcher.addresses.size(), 2);
    QVERIFY(!button->isChecked());
}

void tst_NagScreen::softwaresLink()
{
    QVERIFY(showActive());
    testsupport::UrlCatcher catcher;
    QWidget *link = control("lblGoToHome");
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(catcher.addresses,
             QStringList{tressora::webLinkAddress(tressora::WebLink::Softwares)});
}

void tst_NagScreen::endsTheProgram_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("Enter at show") << 0;
    QTest::newRow("E&xit clicked") << 1;
    QTest::newRow("close box") << 2;
}

void tst_NagScreen::endsTheProgram()
{
    QFETCH(int, how);
    QVERIFY(showActive());
    frmNagScreen2 *window = frmNagScreen2::existing();
    if (how == 0) {
        QCOMPARE(QApplication::focusWidget(), control("cmdClose"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    } else if (how == 1) {
        QTest::mouseClick(control("cmdClose"), Qt::LeftButton);
    } else {
        window->close();
    }
    QCOMPARE(ends_, 1);
    QVERIFY(tressora::programEnded());
    QTRY_VERIFY(frmNagScreen2::existing() == nullptr);
}

void tst_NagScreen::hideWindowKeepsItHidden()
{
    frmNagScreen2::hideWindow();
    frmNagScreen2 *window = frmNagScreen2::existing();
    QVERIFY(window != nullptr);
    QVERIFY(!window->isVisible());
    QVERIFY(!qobject_cast<QLabel *>(control("Label2"))->text().isEmpty());
    setTextOf("txtName", "Ann");
    frmNagScreen2::showWindow();
    QCOMPARE(frmNagScreen2::existing(), window);
    QVERIFY(window->isVisible());
    frmNagScreen2::hideWindow();
    QVERIFY(!window->isVisible());
    QCOMPARE(textOf("txtName"), "Ann");
    QCOMPARE(ends_, 0);
}

QTEST_MAIN(tst_NagScreen)
#include "tst_nagscreen.moc"
