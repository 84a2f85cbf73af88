// The windows on real desktops: the same pictures under any application palette or style, every
// text readable against what lies behind it, and a place on screens of every size. Runs on the
// offscreen platform with the screens of tests/screens.json.
#include "about/frmAbout.h"
#include "app/application.h"
#include "outreach/frmNagScreen2.h"
#include "quiz/frmDisplay.h"
#include "quiz/frmMain.h"
#include "testsupport.h"
#include "widgets/windowstyle.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QWindow>

#include <cmath>
#include <functional>
#include <memory>

using namespace tressora;
using namespace testsupport;

namespace {

QPalette everyGroup(std::initializer_list<std::pair<QPalette::ColorRole, QColor>> colours)
{
    QPalette palette;
    for (const auto &[role, colour] : colours)
        palette.setColor(role, colour); // all three groups
    return palette;
}

// A dark scheme of the kind desktop colour schemes offer: light text on dark grey.
QPalette darkPalette()
{
    return everyGroup({{QPalette::Window, QColor(53, 53, 53)},
                       {QPalette::WindowText, Qt::white},
                       {QPalette::Base, QColor(35, 35, 35)},
                       {QPalette::AlternateBase, QColor(66, 66, 66)},
                       {QPalette::Text, Qt::white},
                       {QPalette::Button, QColor(53, 53, 53)},
                       {QPalette::ButtonText, Qt::white},
                       {QPalette::Light, QColor(90, 90, 90)},
                       {QPalette::Midlight, QColor(70, 70, 70)},
                       {QPalette::Mid, QColor(40, 40, 40)},
                       {QPalette::Dark, QColor(25, 25, 25)},
                       {QPalette::Shadow, Qt::black},
                       {QPalette::Highlight, QColor(42, 130, 218)},
                       {QPalette::HighlightedText, Qt::black},
                       {QPalette::PlaceholderText, QColor(160, 160, 160)}});
}

// A high-contrast scheme: yellow and white on black.
QPalette highContrastPalette()
{
    return everyGroup({{QPalette::Window, Qt::black},
                       {QPalette::WindowText, Qt::yellow},
                       {QPalette::Base, Qt::black},
                       {QPalette::Text, Qt::white},
                       {QPalette::Button, Qt::black},
                       {QPalette::ButtonText, Qt::yellow},
                       {QPalette::Light, Qt::white},
                       {QPalette::Dark, Qt::white},
                       {QPalette::Highlight, Qt::cyan},
                       {QPalette::HighlightedText, Qt::black}});
}

// What a desktop imposes on the program: before its windows are made, or once one is shown.
struct Desktop {
    QPalette palette;          // the application palette
    QString style;             // the application style
    bool changedLater = false; // imposed only once the window is on screen
};

Desktop desktop(const QString &name)
{
    if (name == "default")
        return {QPalette(), "Fusion"};
    if (name == "dark palette")
        return {darkPalette(), "Fusion"};
    if (name == "high-contrast palette")
        return {highContrastPalette(), "Fusion"};
    if (name == "Windows style")
        return {QPalette(), "Windows"};
    if (name == "Windows style, changed later")
        return {QPalette(), "Windows", true};
    return {darkPalette(), "Windows"}; // "Windows style, dark palette"
}

const QStringList desktops = {"dark palette", "high-contrast palette", "Windows style",
                              "Windows style, dark palette", "Windows style, changed later"};
const QStringList windows = {"frmMain", "frmDisplay", "frmNagScreen2", "frmAbout"};

// Makes and shows a window, on the given screen or the primary one.
QWidget *makeWindow(const QString &name, QScreen *screen = nullptr)
{
    QWidget *window = nullptr;
    if (name == "frmMain")
        window = frmMain::instance();
    else if (name == "frmDisplay")
        window = frmDisplay::instance();
    else if (name == "frmNagScreen2")
        window = frmNagScreen2::instance();
    else
        window = new frmAbout;
    if (auto *message = window->findChild<QLabel *>("Label2"); name == "frmNagScreen2")
        message->setText("One support message, the same in every picture."); // drawn at random
    if (screen != nullptr) {
        // The offscreen platform never moves a window to another screen by itself.
        window->winId();
        window->windowHandle()->setScreen(screen);
    }
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        qWarning("%s was not exposed", qPrintable(name));
    return window;
}

// What a row pictures in a window: the window itself, or one of its pop-ups opened.
QWidget *opened(QWidget *window, const QString &part)
{
    if (part == "window")
        return window;
    if (auto *list = window->findChild<QComboBox *>(part)) {
        list->showPopup();
        return list->view()->window();
    }
    auto *menu = control<QMenu>(window, part);
    menu->popup(window->mapToGlobal(QPoint(10, 10)));
    QTest::qWait(20);
    return menu;
}

QImage picture(const QString &windowName, const QString &part, const Desktop &on)
{
    const auto impose = [&] {
        QApplication::setStyle(QStyleFactory::create(on.style));
        QApplication::setPalette(on.palette);
    };
    if (!on.changedLater)
        impose();
    QWidget *window = makeWindow(windowName);
    if (on.changedLater) {
        impose();
        QCoreApplication::processEvents();
    }
    const QImage image =
        opened(window, part)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    closeAllWindows();
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setPalette(QPalette());
    return image;
}

// Pixels that differ by more than anti-aliasing could make them.
int differingPixels(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q)) >
                24)
                ++count;
        }
    }
    return count;
}

// WCAG 2 relative luminance and contrast ratio.
double luminance(const QColor &colour)
{
    const auto channel = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// The text a control shows, if any.
QString textOf(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->pixmap().isNull() ? label->text() : QString();
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *list = qobject_cast<QComboBox *>(widget))
        return list->currentText();
    if (auto *box = qobject_cast<QLineEdit *>(widget))
        return box->text();
    if (auto *box = qobject_cast<QPlainTextEdit *>(widget))
        return box->toPlainText();
    return {};
}

// The colours a control's text is drawn in and on. Push buttons and lists draw their text on
// their face, text boxes on their base; labels and option buttons on the nearest widget behind
// them that fills its background.
std::pair<QColor, QColor> textColours(QWidget *widget, QPalette::ColorGroup group)
{
    const QPalette &own = widget->palette();
    if (qobject_cast<QPushButton *>(widget) || qobject_cast<QComboBox *>(widget))
        return {own.color(group, QPalette::ButtonText), own.color(group, QPalette::Button)};
    if (qobject_cast<QLineEdit *>(widget) || qobject_cast<QPlainTextEdit *>(widget))
        return {own.color(group, QPalette::Text), own.color(group, QPalette::Base)};
    QWidget *behind = widget;
    while (!behind->autoFillBackground() && !behind->isWindow())
        behind = behind->parentWidget();
    return {own.color(group, widget->foregroundRole()),
            behind->palette().color(group, behind->backgroundRole())};
}

} // namespace

class tst_look : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { closeAllWindows(); }

    // The windows' colours are Qt's own Fusion palette in its light colours, role for role, on
    // every release: the palette the program keeps whatever colour scheme the desktop has.
    void programPaletteIsLightFusion()
    {
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
        const QPalette expected = fusion->standardPalette();
        const QPalette kept = programPalette();
        for (const QPalette::ColorGroup group :
             {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                const auto colorRole = static_cast<QPalette::ColorRole>(role);
                if (colorRole == QPalette::NoRole)
                    continue;
                QVERIFY2(
                    kept.brush(group, colorRole) == expected.brush(group, colorRole),
                    qPrintable(QStringLiteral("group %1, role %2: %3 instead of %4")
                                   .arg(group)
                                   .arg(role)
                                   .arg(kept.color(group, colorRole).name(QColor::HexArgb),
                                        expected.color(group, colorRole).name(QColor::HexArgb))));
            }
        }
    }

    // Rows: window or pop-up × desktop; each picture is compared with the same one under Qt's
    // own Fusion palette and style.
    void samePictureOnEveryDesktop_data()
    {
        columns<QString, QString, QString>("window", "part", "desktop");
        const QList<std::pair<QString, QString>> parts = {
            {"frmMain", "window"},       {"frmMain", "cmbAge"},    {"frmMain", "cmbStressLevel"},
            {"frmMain", "mnuHelp"},      {"frmDisplay", "window"}, {"frmDisplay", "mnuFile"},
            {"frmNagScreen2", "window"}, {"frmAbout", "window"}};
        for (const auto &[window, part] : parts) {
            for (const QString &on : desktops)
                row(qPrintable(window + " " + part + ", " + on), window, part, on);
        }
    }
    void samePictureOnEveryDesktop()
    {
        const auto [window, part, on] =
            fetch<QString, QString, QString>("window", "part", "desktop");
        const QImage expected = picture(window, part, desktop("default"));
        const QImage shown = picture(window, part, desktop(on));
        QCOMPARE(shown.size(), expected.size());
        const int differing = differingPixels(shown, expected);
        if (differing > expected.width() * expected.height() / 2000) {
            shown.save(QDir::temp().filePath("tst_look-" + dataTag() + ".png"));
            QFAIL(qPrintable(QString("%1 of %2 pixels differ")
                                 .arg(differing)
                                 .arg(expected.width() * expected.height())));
        }
    }

    // Rows: window × palette. Every text of the window, in the active and the inactive window,
    // stands out from what it is drawn on by at least 3:1. The quiz window's footnote keeps the
    // light pink on light blue it was designed with (2.1:1); it alone is let off.
    void textsStandOut_data()
    {
        columns<QString, QString, QStringList>("window", "desktop", "designedFaint");
        for (const QString &window : windows) {
            const QStringList designedFaint =
                window == "frmMain" ? QStringList{"Label6"} : QStringList{};
            for (const QString &on :
                 QStringList{"default", "dark palette", "high-contrast palette"})
                row(qPrintable(window + ", " + on), window, on, designedFaint);
        }
    }
    void textsStandOut()
    {
        const auto [windowName, on, designedFaint] =
            fetch<QString, QString, QStringList>("window", "desktop", "designedFaint");
        QApplication::setPalette(desktop(on).palette);
        QWidget *window = makeWindow(windowName);
        QApplication::setPalette(QPalette());
        QStringList faint;
        int texts = 0;
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            if (textOf(widget).trimmed().isEmpty() || widget->window() != window ||
                designedFaint.contains(widget->objectName()))
                continue;
            ++texts;
            for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
                const auto [text, behind] = textColours(widget, group);
                const double ratio = contrast(text, behind);
                if (ratio < 3.0)
                    faint << QString("%1: %2 on %3 (%4:1)")
                                 .arg(widget->objectName(), text.name(), behind.name())
                                 .arg(ratio, 0, 'f', 2);
            }
        }
        QVERIFY(texts >= 4);
        QVERIFY2(faint.isEmpty(), qPrintable(faint.join("; ")));
    }

    // Message boxes keep the desktop's look: its own text on its own background.
    void messageBoxesReadable_data()
    {
        columns<QString>("desktop");
        for (const QString &on : QStringList{"default", "dark palette", "high-contrast palette"})
            row(qPrintable(on), on);
    }
    void messageBoxesReadable()
    {
        const auto [on] = fetch<QString>("desktop");
        QApplication::setPalette(desktop(on).palette);
        QWidget *window = makeWindow("frmNagScreen2");
        QMessageBox box(QMessageBox::Critical, applicationTitle(),
                        "Email Address Cannot Contain Space", QMessageBox::Ok, window);
        box.show();
        auto *label = box.findChild<QLabel *>("qt_msgbox_label");
        QVERIFY(label != nullptr);
        const auto [text, behind] = textColours(label, QPalette::Active);
        QVERIFY2(contrast(text, behind) >= 3.0, qPrintable(text.name() + " on " + behind.name()));
        const auto [buttonText, face] = textColours(box.button(QMessageBox::Ok), QPalette::Active);
        QVERIFY2(contrast(buttonText, face) >= 3.0,
                 qPrintable(buttonText.name() + " on " + face.name()));
        QCOMPARE(text, QApplication::palette().color(QPalette::Active, QPalette::WindowText));
        QCOMPARE(behind, QApplication::palette().color(QPalette::Active, QPalette::Window));
        QApplication::setPalette(QPalette());
    }

    // Rows: screen of tests/screens.json × window. A window whose frame fits the screen's
    // available area is centred in it; along a side where it does not fit, its frame starts at
    // the area's edge, so its title bar and menu bar stay reachable.
    void placement_data()
    {
        columns<QString, QString>("screen", "window");
        for (const QString &screen :
             QStringList{"1280x900", "800x600", "640x480", "400x300", "1024x768 below"}) {
            for (const QString &window : windows)
                row(qPrintable(screen + ", " + window), screen, window);
        }
    }
    void placement()
    {
        const auto [screenName, windowName] = fetch<QString, QString>("screen", "window");
        QScreen *screen = nullptr;
        QStringList names;
        for (QScreen *candidate : QGuiApplication::screens()) {
            names.append(candidate->name());
            if (candidate->name() == screenName)
                screen = candidate;
        }
        QVERIFY2(screen != nullptr,
                 qPrintable(QStringLiteral("no such screen among \"%1\" (QT_QPA_PLATFORM=%2): is "
                                           "tests/screens.json in use?")
                                .arg(names.join(QStringLiteral("\", \"")),
                                     qEnvironmentVariable("QT_QPA_PLATFORM"))));
        QWidget *window = makeWindow(windowName, screen);
        QTest::qWait(20); // the frame is placed again once the window system has drawn it
        QCOMPARE(window->screen(), screen);
        const QRect area = screen->availableGeometry();
        const QRect frame = window->frameGeometry();
        QVERIFY2(frame.size() != window->size(), "the window has no frame");
        const QPoint offset = frame.center() - area.center();
        if (frame.width() <= area.width())
            QVERIFY2(qAbs(offset.x()) <= 1, qPrintable(QString::number(offset.x())));
        else
            QCOMPARE(frame.left(), area.left());
        if (frame.height() <= area.height())
            QVERIFY2(qAbs(offset.y()) <= 1, qPrintable(QString::number(offset.y())));
        else
            QCOMPARE(frame.top(), area.top());
        QVERIFY(area.contains(frame.topLeft()));
    }
};

QTEST_MAIN(tst_look)
#include "tst_look.moc"
