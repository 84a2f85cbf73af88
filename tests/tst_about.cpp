// The about box: its look, its two links, and how it opens and closes.
#include "about/frmAbout.h"
#include "app/application.h"
#include "outreach/weblinks.h"
#include "testsupport.h"
#include "widgets/linklabel.h"
#include "widgets/windowstyle.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace tressora;
using namespace testsupport;

namespace {

// What became of one opening of the box through showModal().
struct Opening {
    QPointer<frmAbout> box; // the box that was up, null once it has been destroyed
    bool wasUp = false;     // a frmAbout was the active modal widget while showModal() ran
    bool forcedClosed = false;
    QPoint centreOffset{1000, 1000}; // of its frame from the screen's centre, once up
};

// Opens the box with showModal() from the opener, runs `whileOpen` on it once it is up and
// active, and returns when showModal() does. A box still up two seconds later is closed by force,
// failing the test instead of hanging it.
Opening openModal(const std::function<void(frmAbout *)> &whileOpen, QWidget *opener = nullptr)
{
    Opening result;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        result.box = box;
        result.wasUp = true;
        if (!QTest::qWaitForWindowActive(box))
            qWarning("the about box did not become active");
        result.centreOffset =
            box->frameGeometry().center() - box->screen()->availableGeometry().center();
        whileOpen(box);
    });
    const QObject watchdog; // ends with this function, and with it the timer below
    QTimer::singleShot(2000, &watchdog, [&] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            result.forcedClosed = true;
            dialog->done(QDialog::Rejected);
        }
    });
    frmAbout::showModal(opener);
    return result;
}

template <class W = QWidget> W *directControl(QWidget *box, const QString &name)
{
    return box->findChild<W *>(name, Qt::FindDirectChildrenOnly);
}

enum class Way { Key, ClickOK, CloseBox };

} // namespace

class tst_about : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { closeAllWindows(); }

    void windowProperties()
    {
        frmAbout box;
        QCOMPARE(box.objectName(), "frmAbout");
        QCOMPARE(box.windowTitle(), "Tressora v1.0");
        QCOMPARE(box.size(), QSize(455, 258));
        QCOMPARE(box.minimumSize(), QSize(455, 258));
        QCOMPARE(box.maximumSize(), QSize(455, 258));
        QCOMPARE(box.palette().color(QPalette::Window), QColor(128, 128, 255));
        QCOMPARE(box.windowIcon().cacheKey(), programIcon().cacheKey());
        const Qt::WindowFlags flags = box.windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
    }

    // Rows named after the directControl; text empty: checked elsewhere. Link labels show the hand
    // cursor; self-sizing captions are white and on one line, the other controls black.
    void controls_data()
    {
        columns<QString, QRect, bool, QString, QString>("kind", "stored", "sizesItself", "text",
                                                        "font");
        row("cmdOK", "QPushButton", QRect(360, 224, 84, 23), false, "&OK", "Verdana 8.25 bold");
        row("Label1", "QLabel", QRect(16, 56, 425, 53), false, "", "Verdana 8.25");
        row("Label2", "QLabel", QRect(56, 16, 165, 16), true, "Tressora v1.0", "Verdana 9.75 bold");
        row("lblCobrand", "tressora::LinkLabel", QRect(272, 192, 178, 13), true,
            "Click here for more details.", "Verdana 8.25 bold underline");
        row("Label3", "QLabel", QRect(24, 152, 417, 41), false,
            "Home Business Opportunity. Start your own Internet business and make money online. "
            "Get this software fully branded for your website.",
            "Verdana 8.25 bold");
        row("lblHomePage", "tressora::LinkLabel", QRect(136, 120, 310, 13), true,
            "Click here to visit " + mainSiteHost(), "Verdana 8.25 bold underline");
    }
    void controls()
    {
        const auto [kind, stored, sizesItself, text] =
            fetch<QString, QRect, bool, QString>("kind", "stored", "sizesItself", "text");
        frmAbout box;
        QWidget *widget = directControl(&box, dataTag());
        QVERIFY2(widget != nullptr, "no such directControl directly on the box");
        QCOMPARE(widget->metaObject()->className(), kind);
        QCOMPARE(widget->pos(), stored.topLeft());
        QTEST(fontText(widget->font()), "font");
        QCOMPARE(widget->palette().color(widget->foregroundRole()),
                 QColor(sizesItself ? Qt::white : Qt::black));
        QCOMPARE(widget->cursor().shape(),
                 kind == "tressora::LinkLabel" ? Qt::PointingHandCursor : Qt::ArrowCursor);
        if (auto *button = qobject_cast<QPushButton *>(widget)) {
            QCOMPARE(button->text(), text);
            QCOMPARE(button->size(), stored.size());
            return;
        }
        auto *label = qobject_cast<QLabel *>(widget);
        QVERIFY(label != nullptr);
        if (!text.isEmpty())
            QCOMPARE(label->text(), text);
        QVERIFY2(!label->autoFillBackground(), "labels let the window's background show through");
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QCOMPARE(label->wordWrap(), !sizesItself);
        if (sizesItself) { // fitted to the caption: all of it, nothing more
            QCOMPARE(label->size(), label->sizeHint());
            QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
            QVERIFY(label->height() >= label->fontMetrics().height());
            QVERIFY(label->geometry().right() < box.width());
        } else {
            QCOMPARE(label->size(), stored.size());
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                     qPrintable(QStringLiteral("the text needs %1 px of %2")
                                    .arg(label->heightForWidth(label->width()))
                                    .arg(label->height())));
        }
    }

    void descriptionEndsWithOneSentenceOfRights()
    {
        const QString description = "Tressora calculates your chances of losing your hair based "
                                    "on your age and level of stress. This can be used as a "
                                    "guideline to reduce stress and take preventive measures.";
        frmAbout box;
        const QString text = directControl<QLabel>(&box, "Label1")->text();
        QVERIFY2(text.startsWith(description + ' '), qPrintable(text));
        const QString notice = text.mid(description.size() + 1);
        QVERIFY(notice.endsWith('.'));
        QVERIFY2(!notice.chopped(1).contains('.'), qPrintable(notice));
        QVERIFY(notice.contains("rights"));
    }

    // What a screen reader says for the box's controls.
    void spokenNames_data()
    {
        columns<QString, QAccessible::Role>("name", "role");
        row("Picture1", "Program icon", QAccessible::Graphic);
        row("cmdOK", "OK", QAccessible::Button);
    }
    void spokenNames()
    {
        frmAbout box;
        QAccessibleInterface *reader =
            QAccessible::queryAccessibleInterface(directControl(&box, dataTag()));
        QVERIFY(reader != nullptr);
        QTEST(reader->text(QAccessible::Name), "name");
        QTEST(reader->role(), "role");
    }

    void pictureShowsProgramIcon()
    {
        frmAbout box;
        auto *picture = directControl<QLabel>(&box, "Picture1");
        QVERIFY(picture != nullptr);
        QCOMPARE(picture->geometry(), QRect(8, 8, 32, 32));
        QCOMPARE(picture->frameShape(), QFrame::NoFrame);
        const QImage expected = programIcon().pixmap(32, 32).toImage();
        QVERIFY2(!expected.isNull(), "the program icon has no 32 x 32 picture");
        QCOMPARE(picture->pixmap().size(), QSize(32, 32));
        QCOMPARE(picture->pixmap().toImage(), expected);
    }

    void okIsDefaultWithWhiteFace()
    {
        frmAbout box;
        auto *ok = directControl<QPushButton>(&box, "cmdOK");
        QVERIFY(ok != nullptr);
        QVERIFY(ok->isDefault());
        QCOMPARE(ok->palette().color(QPalette::Button), QColor(Qt::white));
    }

    void separatorLine_data()
    {
        columns<QPoint, QColor>("at", "colour");
        const QColor black(Qt::black);
        const QColor background(128, 128, 255);
        for (int x : {0, 100, 227, 454}) {
            QTest::addRow("line x=%d upper", x) << QPoint(x, 216) << black;
            QTest::addRow("line x=%d lower", x) << QPoint(x, 217) << black;
        }
        for (int x : {0, 227, 454}) {
            QTest::addRow("above x=%d", x) << QPoint(x, 215) << background;
            QTest::addRow("below x=%d", x) << QPoint(x, 218) << background;
        }
        row("background top right", QPoint(450, 4), background);
    }
    void separatorLine()
    {
        QFETCH(QPoint, at);
        frmAbout box;
        const QImage image = box.grab().toImage();
        QCOMPARE(image.size(), QSize(455, 258));
        QTEST(image.pixelColor(at), "colour");
    }

    void keyboardFocusStaysOnOK_data()
    {
        columns<int, int, int>("key", "modifiers", "presses");
        row("none", 0, int(Qt::NoModifier), 0);
        row("Tab", int(Qt::Key_Tab), int(Qt::NoModifier), 1);
        row("Tab x3", int(Qt::Key_Tab), int(Qt::NoModifier), 3);
        row("Shift+Tab", int(Qt::Key_Backtab), int(Qt::ShiftModifier), 1);
    }
    void keyboardFocusStaysOnOK() // the labels, the picture and the line take no focus
    {
        const auto [key, modifiers, presses] = fetch<int, int, int>("key", "modifiers", "presses");
        QString focused;
        const Opening opening = openModal([&](frmAbout *box) {
            for (int i = 0; i < presses; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                                Qt::KeyboardModifiers(modifiers));
            if (QApplication::focusWidget() != nullptr)
                focused = QApplication::focusWidget()->objectName();
            box->close();
        });
        QVERIFY(opening.wasUp);
        QCOMPARE(focused, "cmdOK");
    }

    void links_data()
    {
        columns<QString, int, QString>("label", "clicks", "address");
        const QString home = webLinkAddress(WebLink::Home);
        const QString fullBrand = webLinkAddress(WebLink::FullBrand);
        row("home page once", "lblHomePage", 1, home);
        row("home page three times", "lblHomePage", 3, home);
        row("more details: full branding", "lblCobrand", 1, fullBrand);
        row("more details twice", "lblCobrand", 2, fullBrand);
    }
    void links()
    {
        const auto [label, clicks, address] =
            fetch<QString, int, QString>("label", "clicks", "address");
        UrlCatcher catcher;
        bool openAfterClicks = false;
        QStringList openedWhileUp;
        const Opening opening = openModal([&](frmAbout *box) {
            QWidget *link = directControl(box, label);
            if (link == nullptr)
                return;
            for (int i = 0; i < clicks; ++i)
                QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
            openAfterClicks = box->isVisible() && QApplication::activeModalWidget() == box;
            openedWhileUp = catcher.addresses;
            QTest::mouseClick(directControl(box, "cmdOK"),
                              Qt::LeftButton); // still closes afterwards
        });
        QVERIFY(opening.wasUp);
        QVERIFY2(openAfterClicks, "a link closed the box");
        QCOMPARE(openedWhileUp, QStringList(QList<QString>(clicks, address)));
        QVERIFY2(!opening.forcedClosed, "OK did not close the box after the link");
        QCOMPARE(catcher.addresses, openedWhileUp);
    }

    void homePageCaptionNamesTheAddressItOpens()
    {
        UrlCatcher catcher;
        frmAbout box;
        box.show();
        auto *link = directControl<QLabel>(&box, "lblHomePage");
        QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
        QCOMPARE(catcher.urls.size(), 1);
        const QString host = catcher.urls.constFirst().host();
        QVERIFY(!host.isEmpty());
        QCOMPARE(link->text(), "Click here to visit " + host);
    }

    void closing_data()
    {
        columns<Way, QString, int, int>("way", "target", "key", "modifiers"); // target gets the key
        const int none = Qt::NoModifier;
        for (const char *target : {"cmdOK", "Label1", "Label2", "Label3", "lblHomePage",
                                   "lblCobrand", "Picture1", "Line1"}) {
            QTest::addRow("Enter at %s", target)
                << Way::Key << target << int(Qt::Key_Enter) << none;
            QTest::addRow("Return at %s", target)
                << Way::Key << target << int(Qt::Key_Return) << none;
            QTest::addRow("Esc at %s", target) << Way::Key << target << int(Qt::Key_Escape) << none;
        }
        row("Alt+O", Way::Key, "", int(Qt::Key_O), int(Qt::AltModifier));
        row("click on OK", Way::ClickOK, "", 0, none);
        row("close box", Way::CloseBox, "", 0, none);
    }
    void closing()
    {
        const auto [way, target, key, modifiers] =
            fetch<Way, QString, int, int>("way", "target", "key", "modifiers");
        UrlCatcher catcher;
        bool targetFound = true;
        const Opening opening = openModal([&](frmAbout *box) {
            if (way == Way::ClickOK) {
                QTest::mouseClick(directControl(box, "cmdOK"), Qt::LeftButton);
            } else if (way == Way::CloseBox) {
                box->close();
            } else { // with no target the key goes where the keyboard focus is
                QWidget *receiver =
                    target.isEmpty() ? QApplication::focusWidget() : directControl(box, target);
                targetFound = receiver != nullptr;
                if (receiver != nullptr)
                    QTest::keyClick(receiver, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            }
        });
        QVERIFY(opening.wasUp);
        QVERIFY(targetFound);
        QVERIFY2(!opening.forcedClosed, "the box stayed open");
        QVERIFY2(opening.box.isNull(), "the closed box was not destroyed");
        QVERIFY(catcher.addresses.isEmpty());
        for (QWidget *w : programWindows())
            QVERIFY2(qobject_cast<frmAbout *>(w) == nullptr, "an about box is left over");
    }

    // However the box is closed, the window it was opened from is the active one again, with or
    // without a window manager to see to it.
    void openerActiveAgain_data()
    {
        columns<Way>("way");
        row("click on OK", Way::ClickOK);
        row("close box", Way::CloseBox);
    }
    void openerActiveAgain()
    {
        const auto [way] = fetch<Way>("way");
        QWidget opener;
        opener.show();
        QVERIFY(QTest::qWaitForWindowActive(&opener));
        const Opening opening = openModal(
            [way](frmAbout *box) {
                if (way == Way::ClickOK)
                    QTest::mouseClick(directControl(box, "cmdOK"), Qt::LeftButton);
                else
                    box->close();
            },
            &opener);
        QVERIFY(opening.wasUp);
        QVERIFY2(!opening.forcedClosed, "the box stayed open");
        QTRY_VERIFY(opener.isActiveWindow());
    }

    void eachOpeningIsFresh()
    {
        QPointer<frmAbout> firstWhileUp;
        const Opening first = openModal([&](frmAbout *box) {
            firstWhileUp = box;
            box->setProperty("visited", true);
            box->move(0, 0);
            box->close();
        });
        QVERIFY(first.wasUp);
        QVERIFY(!first.forcedClosed);
        QVERIFY2(firstWhileUp.isNull(), "the first box outlived its opening");
        bool markedAgain = true;
        const Opening second = openModal([&](frmAbout *box) {
            markedAgain = box->property("visited").isValid();
            box->close();
        });
        QVERIFY(second.wasUp);
        QVERIFY(!second.forcedClosed);
        QVERIFY2(!markedAgain, "the second opening showed the first box again");
        QVERIFY2(second.centreOffset.manhattanLength() <= 2,
                 "the second box was not centred afresh");
    }

    void opensModalCentredWithoutOwner()
    {
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        bool ownerless = false;
        Qt::WindowModality modality = Qt::NonModal;
        const Opening opening = openModal([&](frmAbout *box) {
            ownerless = box->parentWidget() == nullptr && box->parent() == nullptr;
            modality = box->windowModality();
            box->close();
        });
        QVERIFY(opening.wasUp);
        QVERIFY(ownerless);
        QCOMPARE(modality, Qt::ApplicationModal);
        const QPoint offset = opening.centreOffset;
        QVERIFY2(offset.manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2 off centre").arg(offset.x()).arg(offset.y())));
        QVERIFY(!opening.forcedClosed);
        QVERIFY(other.isVisible());
    }
};

QTEST_MAIN(tst_about)
#include "tst_about.moc"
