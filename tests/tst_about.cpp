#include "about/frmAbout.h"
#include "app/application.h"
#include "app/windowstyle.h"
#include "outreach/weblinks.h"
#include "quiz/linklabel.h"
#include "testsupport.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace tressora;

namespace {

const QString description =
    QStringLiteral("Tressora calculates your chances of losing your hair based on your age and "
                   "level of stress. This can be used as a guideline to reduce stress and take "
                   "preventive measures.");

// What became of one opening of the box through showModal().
struct Opening {
    QPointer<frmAbout> box; // the box that was up, null once it has been destroyed
    bool wasUp = false;     // a frmAbout was the active modal widget while showModal() ran
    bool forcedClosed = false;
};

// Opens the box with showModal(), runs `whileOpen` on it once it is up and active, and returns
// when showModal() does. A box that is still up two seconds later is closed by force, so a box
// that fails to close fails the test instead of hanging it.
Opening openModal(const std::function<void(frmAbout *)> &whileOpen)
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
        whileOpen(box);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            result.forcedClosed = true;
            dialog->done(QDialog::Rejected);
        }
    });
    watchdog.start(2000);
    frmAbout::showModal();
    return result;
}

template <class W = QWidget> W *control(QWidget *box, const QString &name)
{
    return box->findChild<W *>(name, Qt::FindDirectChildrenOnly);
}

} // namespace

class tst_about : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { testsupport::closeAllWindows(); }

    void windowProperties();
    void controls_data();
    void controls();
    void descriptionEndsWithOneSentenceOfRights();
    void pictureShowsProgramIcon();
    void okIsDefaultWithWhiteFace();
    void separatorLine_data();
    void separatorLine();
    void keyboardFocusStaysOnOK_data();
    void keyboardFocusStaysOnOK();
    void links_data();
    void links();
    void homePageCaptionNamesTheAddressItOpens();
    void closing_data();
    void closing();
    void eachOpeningIsFresh();
    void opensModalCentredWithoutOwner();
};

void tst_about::windowProperties()
{
    frmAbout box;
    QCOMPARE(box.objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(box.windowTitle(), QStringLiteral("Tressora v1.0"));
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

void tst_about::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QRect>("stored"); // left, top, width, height in pixels
    QTest::addColumn<bool>("sizesItself");
    QTest::addColumn<QString>("text"); // empty: checked elsewhere
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<QColor>("textColour");
    QTest::addColumn<bool>("wordWrap");
    QTest::addColumn<bool>("link");

    const QColor white(Qt::white);
    const QColor black(Qt::black);
    QTest::newRow("cmdOK") << "cmdOK" << QByteArray("QPushButton") << QRect(360, 224, 84, 23)
                           << false << "&OK" << 8.25 << true << false << black << false << false;
    QTest::newRow("Label1") << "Label1" << QByteArray("QLabel") << QRect(16, 56, 425, 53) << false
                            << QString() << 8.25 << false << false << black << true << false;
    QTest::newRow("Label2") << "Label2" << QByteArray("QLabel") << QRect(56, 16, 165, 16) << true
                            << "Tressora v1.0" << 9.75 << true << false << white << false << false;
    QTest::newRow("lblCobrand") << "lblCobrand" << QByteArray("tressora::LinkLabel")
                                << QRect(272, 192, 178, 13) << true
                                << "Click here for more details." << 8.25 << true << true << white
                                << false << true;
    QTest::newRow("Label3")
        << "Label3" << QByteArray("QLabel") << QRect(24, 152, 417, 41) << false
        << "Home Business Opportunity. Start your own Internet business and make money online. "
           "Get this software fully branded for your website."
        << 8.25 << true << false << black << true << false;
    QTest::newRow("lblHomePage") << "lblHomePage" << QByteArray("tressora::LinkLabel")
                                 << QRect(136, 120, 310, 13) << true
                                 << QStringLiteral("Click here to visit ") + mainSiteHost() << 8.25
                                 << true << true << white << false << true;
}

void tst_about::controls()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, kind);
    QFETCH(QRect, stored);
    QFETCH(bool, sizesItself);
    QFETCH(QString, text);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(bool, underline);
    QFETCH(QColor, textColour);
    QFETCH(bool, wordWrap);
    QFETCH(bool, link);

    frmAbout box;
    QWidget *widget = control(&box, name);
    QVERIFY2(widget != nullptr, "no such control directly on the box");
    QCOMPARE(QByteArray(widget->metaObject()->className()), kind);
    QCOMPARE(widget->pos(), stored.topLeft());

    const QFont font = widget->font();
    QCOMPARE(font.family(), QStringLiteral("Verdana"));
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.underline(), underline);
    QCOMPARE(widget->palette().color(widget->foregroundRole()), textColour);
    QCOMPARE(widget->cursor().shape(), link ? Qt::PointingHandCursor : Qt::ArrowCursor);

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
    QCOMPARE(label->wordWrap(), wordWrap);
    if (sizesItself) {
        // Fitted to the caption: the whole caption shows on one line, nothing more.
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

void tst_about::descriptionEndsWithOneSentenceOfRights()
{
    frmAbout box;
    const QString text = control<QLabel>(&box, QStringLiteral("Label1"))->text();
    QVERIFY2(text.startsWith(description + QLatin1Char(' ')), qPrintable(text));
    const QString notice = text.mid(description.size() + 1);
    QVERIFY(notice.endsWith(QLatin1Char('.')));
    QVERIFY2(!notice.chopped(1).contains(QLatin1Char('.')), qPrintable(notice));
    QVERIFY(notice.contains(QStringLiteral("rights")));
}

void tst_about::pictureShowsProgramIcon()
{
    frmAbout box;
    auto *picture = control<QLabel>(&box, QStringLiteral("Picture1"));
    QVERIFY(picture != nullptr);
    QCOMPARE(picture->geometry(), QRect(8, 8, 32, 32));
    QCOMPARE(picture->frameShape(), QFrame::NoFrame);
    const QImage expected = programIcon().pixmap(32, 32).toImage();
    QVERIFY2(!expected.isNull(), "the program icon has no 32 x 32 picture");
    QCOMPARE(picture->pixmap().size(), QSize(32, 32));
    QCOMPARE(picture->pixmap().toImage(), expected);
}

void tst_about::okIsDefaultWithWhiteFace()
{
    frmAbout box;
    auto *ok = control<QPushButton>(&box, QStringLiteral("cmdOK"));
    QVERIFY(ok != nullptr);
    QVERIFY(ok->isDefault());
    QCOMPARE(ok->palette().color(QPalette::Button), QColor(Qt::white));
}

void tst_about::separatorLine_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QColor>("colour");
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
    QTest::newRow("background top right") << QPoint(450, 4) << background;
}

void tst_about::separatorLine()
{
    QFETCH(QPoint, at);
    QFETCH(QColor, colour);
    frmAbout box;
    const QImage image = box.grab().toImage();
    QCOMPARE(image.size(), QSize(455, 258));
    QCOMPARE(image.pixelColor(at), colour);
}

void tst_about::keyboardFocusStaysOnOK_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("presses");
    QTest::newRow("none") << 0 << int(Qt::NoModifier) << 0;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << int(Qt::NoModifier) << 1;
    QTest::newRow("Tab x3") << int(Qt::Key_Tab) << int(Qt::NoModifier) << 3;
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << 1;
}

void tst_about::keyboardFocusStaysOnOK()
{
    // The labels, the picture and the line take no focus, so the button keeps it.
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, presses);
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
    QCOMPARE(focused, QStringLiteral("cmdOK"));
}

void tst_about::links_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("address");
    const QString home = webLinkAddress(WebLink::Home);
    const QString fullBrand = webLinkAddress(WebLink::FullBrand);
    QTest::newRow("home page once") << "lblHomePage" << 1 << home;
    QTest::newRow("home page three times") << "lblHomePage" << 3 << home;
    QTest::newRow("more details: full branding") << "lblCobrand" << 1 << fullBrand;
    QTest::newRow("more details twice") << "lblCobrand" << 2 << fullBrand;
}

void tst_about::links()
{
    QFETCH(QString, label);
    QFETCH(int, clicks);
    QFETCH(QString, address);

    testsupport::UrlCatcher catcher;
    bool openAfterClicks = false;
    QStringList openedWhileUp;
    const Opening opening = openModal([&](frmAbout *box) {
        QWidget *link = control(box, label);
        if (link == nullptr)
            return;
        for (int i = 0; i < clicks; ++i)
            QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
        openAfterClicks = box->isVisible() && QApplication::activeModalWidget() == box;
        openedWhileUp = catcher.addresses;
        // The box can still be closed afterwards.
        QTest::mouseClick(control(box, QStringLiteral("cmdOK")), Qt::LeftButton);
    });
    QVERIFY(opening.wasUp);
    QVERIFY2(openAfterClicks, "a link closed the box");
    QCOMPARE(openedWhileUp, QStringList(QList<QString>(clicks, address)));
    QVERIFY2(!opening.forcedClosed, "OK did not close the box after the link");
    QCOMPARE(catcher.addresses, openedWhileUp);
}

void tst_about::homePageCaptionNamesTheAddressItOpens()
{
    testsupport::UrlCatcher catcher;
    frmAbout box;
    box.show();
    auto *link = control<QLabel>(&box, QStringLiteral("lblHomePage"));
    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    QCOMPARE(catcher.urls.size(), 1);
    const QString host = catcher.urls.constFirst().host();
    QVERIFY(!host.isEmpty());
    QCOMPARE(link->text(), QStringLiteral("Click here to visit ") + host);
}

enum class Way { Key, ClickOK, CloseBox };

void tst_about::closing_data()
{
    QTest::addColumn<Way>("way");
    QTest::addColumn<QString>("target"); // the control that receives the key
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");

    const int none = Qt::NoModifier;
    for (const char *target : {"cmdOK", "Label1", "Label2", "Label3", "lblHomePage", "lblCobrand",
                               "Picture1", "Line1"}) {
        QTest::addRow("Enter at %s", target) << Way::Key << target << int(Qt::Key_Enter) << none;
        QTest::addRow("Return at %s", target) << Way::Key << target << int(Qt::Key_Return) << none;
        QTest::addRow("Esc at %s", target) << Way::Key << target << int(Qt::Key_Escape) << none;
    }
    QTest::newRow("Alt+O") << Way::Key << "" << int(Qt::Key_O) << int(Qt::AltModifier);
    QTest::newRow("click on OK") << Way::ClickOK << "" << 0 << none;
    QTest::newRow("close box") << Way::CloseBox << "" << 0 << none;
}

void tst_about::closing()
{
    QFETCH(Way, way);
    QFETCH(QString, target);
    QFETCH(int, key);
    QFETCH(int, modifiers);

    testsupport::UrlCatcher catcher;
    bool targetFound = true;
    const Opening opening = openModal([&](frmAbout *box) {
        switch (way) {
        case Way::Key: {
            // With no target the key goes where the keyboard focus is.
            QWidget *receiver =
                target.isEmpty() ? QApplication::focusWidget() : control(box, target);
            targetFound = receiver != nullptr;
            if (receiver != nullptr)
                QTest::keyClick(receiver, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            break;
        }
        case Way::ClickOK:
            QTest::mouseClick(control(box, QStringLiteral("cmdOK")), Qt::LeftButton);
            break;
        case Way::CloseBox:
            box->close();
            break;
        }
    });
    QVERIFY(opening.wasUp);
    QVERIFY(targetFound);
    QVERIFY2(!opening.forcedClosed, "the box stayed open");
    QVERIFY2(opening.box.isNull(), "the closed box was not destroyed");
    QVERIFY(catcher.addresses.isEmpty());
    for (QWidget *w : testsupport::programWindows())
        QVERIFY2(qobject_cast<frmAbout *>(w) == nullptr, "an about box is left over");
}

void tst_about::eachOpeningIsFresh()
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
    QPoint centreOffset;
    const Opening second = openModal([&](frmAbout *box) {
        markedAgain = box->property("visited").isValid();
        centreOffset = box->frameGeometry().center() - box->screen()->availableGeometry().center();
        box->close();
    });
    QVERIFY(second.wasUp);
    QVERIFY(!second.forcedClosed);
    QVERIFY2(!markedAgain, "the second opening showed the first box again");
    QVERIFY2(centreOffset.manhattanLength() <= 2, "the second box was not centred afresh");
}

void tst_about::opensModalCentredWithoutOwner()
{
    QWidget other;
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));

    bool ownerless = false;
    Qt::WindowModality modality = Qt::NonModal;
    QPoint centreOffset(100, 100);
    const Opening opening = openModal([&](frmAbout *box) {
        ownerless = box->parentWidget() == nullptr && box->parent() == nullptr;
        modality = box->windowModality();
        centreOffset = box->frameGeometry().center() - box->screen()->availableGeometry().center();
        box->close();
    });
    QVERIFY(opening.wasUp);
    QVERIFY(ownerless);
    QCOMPARE(modality, Qt::ApplicationModal);
    QVERIFY2(
        centreOffset.manhattanLength() <= 2,
        qPrintable(QStringLiteral("%1,%2 off centre").arg(centreOffset.x()).arg(centreOffset.y())));
    QVERIFY(!opening.forcedClosed);
    QVERIFY(other.isVisible());
}

QTEST_MAIN(tst_about)
#include "tst_about.moc"
