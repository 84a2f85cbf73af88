// The refer-a-friend window on the offscreen platform: its controls, the placeholders, the
// refusals, the referral address handed to the browser and the ways it ends the program.
#include "app/application.h"
#include "outreach/frmNagScreen2.h"
#include "outreach/weblinks.h"
#include "testsupport.h"

#include <QAccessible>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <memory>

using tressora::frmNagScreen2;
using namespace testsupport;

namespace {

const QStringList boxNames = {"txtName", "txtEmail", "txtMessage", "txtFriendName",
                              "txtFriendEmail"};

template <class W = QWidget> W *control(const QString &name)
{
    return frmNagScreen2::instance()->findChild<W *>(name);
}

// A text box's text, line breaks of the message box written as carriage return and line feed.
QString textOf(const QString &name)
{
    if (auto *edit = control<QLineEdit>(name))
        return edit->text();
    return control<QPlainTextEdit>(name)->toPlainText().replace("\n", "\r\n");
}

void setTextOf(const QString &name, const QString &text)
{
    if (auto *edit = control<QLineEdit>(name))
        edit->setText(text);
    else
        control<QPlainTextEdit>(name)->setPlainText(text);
}

// Fills the boxes in the order of boxNames; a null text leaves its box as is.
void fill(const QStringList &texts)
{
    for (int i = 0; i < boxNames.size(); ++i) {
        if (!texts[i].isNull())
            setTextOf(boxNames[i], texts[i]);
    }
}

void submit(const QStringList &texts)
{
    fill(texts);
    control<QPushButton>("cmdSubmit")->click();
}

QList<SeenBox> refusal(const QString &text)
{
    return {{"Tressora", text, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok}};
}

bool showActive()
{
    frmNagScreen2::showWindow();
    return QTest::qWaitForWindowActive(frmNagScreen2::existing());
}

} // namespace

class tst_NagScreen : public QObject {
    Q_OBJECT
    int ends_ = 0;
    std::unique_ptr<UrlCatcher> browser_;       // every page the window opens
    std::unique_ptr<MessageBoxAnswerer> boxes_; // every message box it shows, answered with OK

private slots:
    void init()
    {
        ends_ = 0;
        tressora::setProcessEnder([this] { ++ends_; });
        browser_ = std::make_unique<UrlCatcher>();
        boxes_ = std::make_unique<MessageBoxAnswerer>();
    }
    void cleanup()
    {
        closeAllWindows();
        boxes_.reset();
        browser_.reset();
    }

    void controls_data() // rows named after the control
    {
        columns<QString, QString, QRect, QString, QString>("kind", "container", "geometry", "text",
                                                           "font");
        const char *window = "frmNagScreen2";
        const char *plain = "Verdana 8.25";
        row("cmdClose", "QPushButton", window, QRect(400, 184, 83, 25), "E&xit", plain);
        row("Check1", "QAbstractButton", window, QRect(2, 136, 479, 37),
            "Click Here To Visit Orvane Now", "Verdana 14.25");
        row("Picture1", "QLabel", window, QRect(24, 8, 36, 36), "", plain);
        row("Label1", "QLabel", window, QRect(72, 16, 247, 29), "Tressora v1.0",
            "MS Sans Serif 18");
        row("Label2", "QLabel", window, QRect(8, 56, 465, 73), "", "Verdana 9.75 bold");
        row("Frame2", "QGroupBox", window, QRect(8, 216, 471, 97), "Refer A Friend",
            "Verdana 9.75 bold");
        row("txtName", "QLineEdit", "Frame2", QRect(6, 24, 225, 19), "Your Name", plain);
        row("cmdSubmit", "QPushButton", "Frame2", QRect(128, 72, 225, 19), "Refer A Friend &Now",
            "Verdana 8.25 bold");
        row("txtEmail", "QLineEdit", "Frame2", QRect(240, 24, 225, 19), "Your Email Address",
            plain);
        row("txtFriendEmail", "QLineEdit", "Frame2", QRect(240, 48, 225, 19),
            "Friend's Email Address", plain);
        row("txtFriendName", "QLineEdit", "Frame2", QRect(6, 48, 225, 19), "Friend's Name", plain);
        row("txtMessage", "QPlainTextEdit", "Frame2", QRect(320, 240, 121, 33), "Your Message\r\n",
            plain);
        row("Frame6", "QGroupBox", window, QRect(488, 8, 249, 305), "Download Orvane Softwares",
            "Verdana 9.75 bold");
        row("Label3", "QLabel", "Frame6", QRect(8, 24, 233, 257), "", "Verdana 9");
        row("lblGoToHome", "tressora::LinkLabel", "Frame6", QRect(5, 283, 239, 14),
            "Click Here To Visit Orvane Softwares", "Verdana 9 bold underline");
    }
    void controls()
    {
        const auto [kind, text] = fetch<QString, QString>("kind", "text");
        QWidget *widget = control(dataTag());
        QVERIFY(widget != nullptr);
        QVERIFY2(widget->inherits(kind.toLatin1()), widget->metaObject()->className());
        QTEST(widget->parentWidget()->objectName(), "container");
        QTEST(widget->geometry(), "geometry");
        if (text.isEmpty())
            return;
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            QCOMPARE(button->text(), text);
        else if (auto *label = qobject_cast<QLabel *>(widget))
            QCOMPARE(label->text(), text);
        else if (auto *frame = qobject_cast<QGroupBox *>(widget))
            QCOMPARE(frame->title(), text);
        else
            QCOMPARE(textOf(dataTag()), text);
    }

    // What a screen reader says for each box and picture: what it asks for or shows.
    void spokenNames_data()
    {
        columns<QString, QAccessible::Role>("name", "role");
        row("txtName", "Your Name", QAccessible::EditableText);
        row("txtEmail", "Your Email Address", QAccessible::EditableText);
        row("txtFriendName", "Friend's Name", QAccessible::EditableText);
        row("txtFriendEmail", "Friend's Email Address", QAccessible::EditableText);
        row("txtMessage", "Your Message", QAccessible::EditableText);
        row("Picture1", "Program icon", QAccessible::Graphic);
        // A button that springs back at once: a push button, as it looks, not a check box.
        row("Check1", "Click Here To Visit Orvane Now", QAccessible::Button);
        row("cmdClose", "Exit", QAccessible::Button);
    }
    void spokenNames()
    {
        QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(control(dataTag()));
        QVERIFY(reader != nullptr);
        QTEST(reader->text(QAccessible::Name), "name");
        QTEST(reader->role(), "role");
    }

    void fonts_data() { controls_data(); }
    void fonts() { QTEST(fontText(control(dataTag())->font()), "font"); }

    void colours_data() // rows named after the control; point: a spot of the window with no text
    {
        columns<QPoint, QColor, QPalette::ColorRole, QColor>("point", "background", "textRole",
                                                             "text");
        const QColor navy(0, 0, 128);
        const QColor white(Qt::white);
        row("window", QPoint(300, 4), white, QPalette::WindowText, QColor(Qt::black));
        row("Frame2", QPoint(20, 300), navy, QPalette::WindowText, white);
        row("Frame6", QPoint(492, 150), navy, QPalette::WindowText, white);
        row("Check1", QPoint(), QColor(), QPalette::ButtonText, QColor(0, 0, 192));
        row("Label3", QPoint(), QColor(), QPalette::WindowText, white);
        row("lblGoToHome", QPoint(), QColor(), QPalette::WindowText, QColor(255, 255, 0));
    }
    void colours()
    {
        const auto [point, background, textRole] =
            fetch<QPoint, QColor, QPalette::ColorRole>("point", "background", "textRole");
        QVERIFY(showActive());
        frmNagScreen2 *window = frmNagScreen2::existing();
        QWidget *widget = dataTag() == "window" ? window : control(dataTag());
        QTEST(widget->palette().color(textRole), "text");
        if (!background.isValid())
            return;
        const QColor drawn = window->grab().toImage().pixelColor(point);
        const int distance = qAbs(drawn.red() - background.red()) +
                             qAbs(drawn.green() - background.green()) +
                             qAbs(drawn.blue() - background.blue());
        QVERIFY2(distance <= 12, qPrintable(drawn.name())); // the style may shade a frame slightly
    }

    void windowFrame()
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
        QVERIFY2(offset.manhattanLength() <= 2,
                 qPrintable(QString::number(offset.manhattanLength())));
        // The message box lies below its frame's bottom edge: reachable, never seen.
        QVERIFY(control("txtMessage")->isVisibleTo(window));
        QVERIFY(control("txtMessage")->visibleRegion().isEmpty());
        QVERIFY(!control<QLabel>("Picture1")->pixmap().isNull());
    }

    void supportMessageDrawnAtLoad()
    {
        const QStringList messages = {
            "Orvane Softwares, such as this can be created and maintained only with your support. "
            "The best way to support Orvane is to visit Orvane regularly and take part in the "
            "discussions and other activities on the board.",
            "Visit Orvane regularly. Support Orvane by taking part in the discussions and other "
            "activities. These softwares cannot be supported and maintained, without you "
            "regularly visiting Orvane",
            "Orvane is a FREE online discussion forum for all things Orvane. To help Orvane "
            "develop and maintain this software visit Orvane regularly.",
            "Orvane needs your help. All you need to do is visit Orvane regularly and take part "
            "in the various discussions and activites to help us maintain and develop more "
            "Orvane Softwares.",
        };
        QSet<QString> seen;
        for (int creation = 0; creation < 80; ++creation) {
            frmNagScreen2::hideWindow();
            const QString shown = control<QLabel>("Label2")->text();
            QVERIFY2(messages.contains(shown), qPrintable(shown));
            frmNagScreen2::showWindow(); // keeps the message drawn when the window was created
            QCOMPARE(control<QLabel>("Label2")->text(), shown);
            seen.insert(shown);
            delete frmNagScreen2::existing();
        }
        QCOMPARE(seen.size(), messages.size());
    }

    void descriptionParagraph()
    {
        const QString text = control<QLabel>("Label3")->text();
        QVERIFY(control<QLabel>("Label3")->wordWrap());
        QCOMPARE(text.count(QRegularExpression(" {61}")), 1);
        QVERIFY(!text.contains(QString(62, ' ')));
        QVERIFY(text.endsWith(". "));
        QVERIFY(text.indexOf(QString(61, ' ')) > 20);
    }

    void tabOrderAndStartFocus()
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
        QVERIFY(!textOf("txtMessage").contains('\t')); // Tab in the message box moves on
    }

    void placeholders_data()
    {
        // entering: the text is set, then the box takes the focus; leaving: the box has the
        // focus, the text is set, then the focus moves to E&xit
        columns<bool, QString, QString, QString>("leaving", "box", "text", "expected");
        row("entering, name placeholder", false, "txtName", "Your Name", "");
        row("entering, name placeholder in blanks", false, "txtName", "  Your Name ", "");
        row("entering, name, other case", false, "txtName", "Your name", "Your name");
        row("entering, name, tab", false, "txtName", "Your Name\t", "Your Name\t");
        row("entering, name typed", false, "txtName", "Ann", "Ann");
        row("entering, email placeholder", false, "txtEmail", "Your Email Address", "");
        row("entering, friend's name placeholder", false, "txtFriendName", "Friend's Name", "");
        row("entering, friend's email placeholder", false, "txtFriendEmail",
            "Friend's Email Address", "");
        row("entering, friend's email, other box's placeholder", false, "txtFriendEmail",
            "Your Email Address", "Your Email Address");
        row("entering, message at start", false, "txtMessage", "Your Message\r\n",
            "Your Message\r\n");
        row("entering, message placeholder", false, "txtMessage", "Your Message", "");
        row("leaving, name empty", true, "txtName", "", "Your Name");
        row("leaving, name blanks", true, "txtName", "   ", "Your Name");
        row("leaving, name tab", true, "txtName", "\t", "\t");
        row("leaving, name typed", true, "txtName", " Ann ", " Ann ");
        row("leaving, email empty", true, "txtEmail", "", "Your Email Address");
        row("leaving, friend's name empty", true, "txtFriendName", " ", "Friend's Name");
        row("leaving, friend's email empty", true, "txtFriendEmail", "", "Friend's Email Address");
        row("leaving, message empty", true, "txtMessage", "", "Your Message");
        row("leaving, message line break", true, "txtMessage", "\r\n", "\r\n");
    }
    void placeholders()
    {
        const auto [leaving, box, text] = fetch<bool, QString, QString>("leaving", "box", "text");
        QVERIFY(showActive());
        QWidget *focused = leaving ? control("cmdClose") : control(box);
        if (leaving)
            control(box)->setFocus(Qt::TabFocusReason);
        setTextOf(box, text);
        focused->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), focused);
        QTEST(textOf(box), "expected");
    }

    void spaceRefusedInEmailBoxes_data()
    {
        QTest::addColumn<QString>("box");
        row("own e-mail", "txtEmail");
        row("friend's e-mail", "txtFriendEmail");
    }
    void spaceRefusedInEmailBoxes()
    {
        QFETCH(QString, box);
        QVERIFY(showActive());
        auto *edit = control<QLineEdit>(box);
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(edit, "ann@");
        QTest::keyClick(edit, Qt::Key_Space);
        QTest::keyClicks(edit, "x.org");
        QCOMPARE(edit->text(), "ann@x.org");
        QCOMPARE(boxes_->seen, refusal("Email Address Cannot Contain Space"));
        QTRY_COMPARE(QApplication::focusWidget(), edit);
        QGuiApplication::clipboard()->setText(" a b "); // blanks pasted in are let through
        edit->paste();
        QCOMPARE(edit->text(), "ann@x.org a b ");
        QCOMPARE(boxes_->seen.size(), 1);
    }

    void submitRefusals_data()
    {
        columns<QStringList, QString>("texts", "expected"); // texts as fill() takes them
        const QString ok;
        row("untouched", QStringList{ok, ok, ok, ok, ok}, "Please Enter Proper Email Address");
        row("same e-mails", QStringList{ok, "ann@x.org", ok, ok, " ann@x.org "},
            "Please Enter Distinct Email Addresses");
        row("friend's e-mail without dot", QStringList{"Ann", "ann@x.org", ok, "Bob", "bob@y"},
            "Please Enter Proper Email Address");
        row("name untouched", QStringList{ok, "ann@x.org", ok, "Bob", "bob@y.net"},
            "Please Enter Your Name");
        row("name blank", QStringList{"   ", "ann@x.org", ok, "Bob", "bob@y.net"},
            "Please Enter Your Name");
        row("message placeholder",
            QStringList{"Ann", "ann@x.org", "  Your Message ", "Bob", "bob@y.net"},
            "Please Enter Your Message");
        row("friend's name untouched", QStringList{"Ann", "ann@x.org", ok, ok, "bob@y.net"},
            "Please Enter Your Friend's Name");
    }
    void submitRefusals()
    {
        const auto [texts, expected] = fetch<QStringList, QString>("texts", "expected");
        QVERIFY(showActive());
        submit(texts);
        QCOMPARE(boxes_->seen, refusal(expected));
        QVERIFY(browser_->addresses.isEmpty());
        QVERIFY(frmNagScreen2::existing()->isVisible());
        // Active again once the refusal has gone, with or without a window manager.
        QTRY_VERIFY(frmNagScreen2::existing()->isActiveWindow());
    }

    void sentTexts_data()
    {
        columns<QStringList, QStringList>("texts", "sent"); // as fill() takes them; taf1 to taf5
        const QStringList splitters = {"Tom & Jerry", "t+j@x.org", "100% = #1; \"yes\"", "Bob+Al",
                                       "bob@y.net"};
        const QStringList beyondAscii = {"Zoë", "zoë@exämple.org", "李小龍 👋🏽\u00a0!",
                                         "Jürgen", "j@y.net"};
        row("message untouched", QStringList{" Ann Lee ", "ann@x.org", {}, "Bob", "bob@y.net"},
            QStringList{"Ann Lee", "ann@x.org", "Your Message\r\n", "Bob", "bob@y.net"});
        row("e-mails differing in case", QStringList{"Ann", "Ann@X.org", "Hi", "Bob", "ann@x.org"},
            QStringList{"Ann", "Ann@X.org", "Hi", "Bob", "ann@x.org"});
        row("two lines, tabs kept",
            QStringList{"\tAnn", "ann@x.org", "Hi Bob,\r\ntry this. ", "Bob", "bob@y.net"},
            QStringList{"\tAnn", "ann@x.org", "Hi Bob,\r\ntry this.", "Bob", "bob@y.net"});
        row("characters that split a query", splitters, splitters);
        row("beyond ASCII", beyondAscii, beyondAscii);
    }
    void sentTexts()
    {
        const auto [texts, sent] = fetch<QStringList, QStringList>("texts", "sent");
        QVERIFY(showActive());
        submit(texts);
        QCOMPARE(boxes_->seen.size(), 0);
        QCOMPARE(browser_->urls.size(), 1);
        QCOMPARE(browser_->urls[0].host(), tressora::mainSiteHost());
        QCOMPARE(browser_->urls[0].path(), "/ovms-refer-a-friend.php");
        QCOMPARE(serverQuery(browser_->addresses[0]),
                 referralQuery(sent, tressora::productSiteAddress()));
    }

    void emptiedMessageRefused()
    {
        QVERIFY(showActive());
        fill({"Ann", "ann@x.org", QString(), "Bob", "bob@y.net"});
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
        QCOMPARE(boxes_->seen, refusal("Please Enter Your Message"));
        QVERIFY(browser_->addresses.isEmpty());
    }

    void sameReferralTwice()
    {
        QVERIFY(showActive());
        const QStringList texts = {"Ann ", "ann@x.org", "Hi & bye", "Bob", "bob@y.net"};
        submit(texts);
        control<QPushButton>("cmdSubmit")->click();
        QCOMPARE(browser_->addresses.size(), 2);
        QCOMPARE(browser_->addresses[1], browser_->addresses[0]);
        QVERIFY(frmNagScreen2::existing()->isVisible());
        for (int i = 0; i < boxNames.size(); ++i)
            QCOMPARE(textOf(boxNames[i]), texts[i]);
        const tressora::ReferralText kept{"Ann", "ann@x.org", "Hi & bye", "Bob", "bob@y.net"};
        QVERIFY(frmNagScreen2::existing()->referralText() == kept);
    }

    void homeButtonSpringsBack()
    {
        QVERIFY(showActive());
        auto *button = control<QAbstractButton>("Check1");
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(browser_->addresses,
                 QStringList{tressora::webLinkAddress(tressora::WebLink::Home)});
        QVERIFY(!button->isChecked());
        QTest::keyClick(button, Qt::Key_Space);
        QCOMPARE(browser_->addresses.size(), 2);
        QVERIFY(!button->isChecked());
    }

    void softwaresLink()
    {
        QVERIFY(showActive());
        QCOMPARE(control("lblGoToHome")->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(control("lblGoToHome"), Qt::LeftButton);
        QCOMPARE(browser_->addresses,
                 QStringList{tressora::webLinkAddress(tressora::WebLink::Softwares)});
    }

    void endsTheProgram_data()
    {
        QTest::addColumn<int>("how");
        row("Enter at show", 0);
        row("E&xit clicked", 1);
        row("close box", 2);
    }
    void endsTheProgram()
    {
        QFETCH(int, how);
        QVERIFY(showActive());
        if (how == 0) {
            QCOMPARE(QApplication::focusWidget(), control("cmdClose"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        } else if (how == 1) {
            QTest::mouseClick(control("cmdClose"), Qt::LeftButton);
        } else {
            frmNagScreen2::existing()->close();
        }
        QCOMPARE(ends_, 1);
        QVERIFY(tressora::programEnded());
        QTRY_VERIFY(frmNagScreen2::existing() == nullptr);
    }

    void hideWindowKeepsItHidden()
    {
        frmNagScreen2::hideWindow();
        frmNagScreen2 *window = frmNagScreen2::existing();
        QVERIFY(window != nullptr);
        QVERIFY(!window->isVisible());
        setTextOf("txtName", "Ann");
        frmNagScreen2::showWindow();
        QCOMPARE(frmNagScreen2::existing(), window);
        QVERIFY(window->isVisible());
        frmNagScreen2::hideWindow();
        QVERIFY(!window->isVisible());
        QCOMPARE(textOf("txtName"), "Ann");
        QCOMPARE(ends_, 0);
    }
};

QTEST_MAIN(tst_NagScreen)
#include "tst_nagscreen.moc"
