#include "widgets/windowstyle.h"

#include "buildconfig.h"
#include "widgets/accessiblelist.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QChildEvent>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QPalette>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace tressora {
namespace {

// Places its window the first time the window is shown, and again when the window manager has
// put its frame around it, so that the frame and not just the inside is centred. The frame
// extents arrive some time after the window is mapped (a reparenting window manager sends them
// after its own first placement), so the frame is watched for a short while after showing.
class FirstShowPlacer : public QObject {
public:
    explicit FirstShowPlacer(QWidget *window)
        : QObject(window)
        , window_(window)
    {
        window->installEventFilter(this);
        connect(&watch_, &QTimer::timeout, this, &FirstShowPlacer::checkFrame);
        // Both timers belong to the placer, so nothing of it outlives a window closed early.
        giveUp_.setSingleShot(true);
        connect(&giveUp_, &QTimer::timeout, this, &QObject::deleteLater);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched == window_) {
            window_->removeEventFilter(this);
            placeOnScreen(window_);
            margins_ = frameMargins();
            watch_.start(watchIntervalMs);
            giveUp_.start(watchMs);
        }
        return false;
    }

private:
    static constexpr int watchIntervalMs = 20, watchMs = 3000;

    QMargins frameMargins() const
    {
        const QWindow *handle = window_->windowHandle();
        return handle != nullptr ? handle->frameMargins() : QMargins();
    }

    // Each change of the frame re-places the window by its frame, as the window system now
    // reports it, until the watch is over. While a window manager is still building its frame
    // (mutter 48 does so in steps after reparenting), the window system can report for a moment
    // a frame smaller than the window inside, or a window of some other size: the frame is
    // therefore the window's own fixed size with the margins, and margins below zero are not
    // the frame's yet.
    void checkFrame()
    {
        const QMargins margins = frameMargins();
        if (margins == margins_ ||
            qMin(qMin(margins.left(), margins.top()), qMin(margins.right(), margins.bottom())) < 0)
            return;
        margins_ = margins;
        const QRect frame = QRect(QPoint(), window_->size()).marginsAdded(margins);
        window_->windowHandle()->setFramePosition(centredFrame(window_, frame).topLeft());
    }

    QWidget *window_;
    QTimer watch_;
    QTimer giveUp_;
    QMargins margins_;
};

// Qt's Fusion palette in its light colours. Fusion's own standard palette follows the desktop's
// colour scheme from Qt 6.5 on (light text on dark grey under a dark one); the program's windows
// keep the light colours they are laid out in, whatever the scheme.
QPalette lightFusionPalette()
{
    const QColor background(239, 239, 239);
    const QColor light = background.lighter(150);
    const QColor mid = background.darker(130);
    const QColor dark = background.darker(150);
    const QColor shadow = dark.darker(135);
    const QColor highlight(48, 140, 198);
    const QColor disabledText(190, 190, 190);
    const QColor disabledHighlight(145, 145, 145);
    QColor placeholder(Qt::black);
    placeholder.setAlpha(128);

    QPalette palette(Qt::black, background, light, dark, mid, Qt::black, Qt::white);
    palette.setBrush(QPalette::Midlight, mid.lighter(110));
    palette.setBrush(QPalette::Button, background);
    palette.setBrush(QPalette::Shadow, shadow);
    palette.setBrush(QPalette::HighlightedText, Qt::white);
    for (const QPalette::ColorRole role :
         {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setBrush(QPalette::Disabled, role, disabledText);
    palette.setBrush(QPalette::Disabled, QPalette::Base, background);
    palette.setBrush(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
    palette.setBrush(QPalette::Disabled, QPalette::Shadow, shadow.lighter(150));
    palette.setBrush(QPalette::Active, QPalette::Highlight, highlight);
    palette.setBrush(QPalette::Inactive, QPalette::Highlight, highlight);
    palette.setBrush(QPalette::Disabled, QPalette::Highlight, disabledHighlight);
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    palette.setBrush(QPalette::Active, QPalette::Accent, highlight);
    palette.setBrush(QPalette::Inactive, QPalette::Accent, highlight);
    palette.setBrush(QPalette::Disabled, QPalette::Accent, disabledHighlight);
#endif
    palette.setBrush(QPalette::PlaceholderText, placeholder);
    return palette;
}

// `own`'s colours where it sets them and the light Fusion palette's elsewhere, every role of the
// three groups marked as set: a widget with this palette inherits no colour from the application,
// and passes all of them on to its controls, whatever palettes the desktop gives their classes.
QPalette everyRoleSet(const QPalette &own)
{
    static const QPalette fusion = lightFusionPalette(); // the same every time
    const QPalette merged = own.resolve(fusion);
    QPalette full;
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto colorRole = static_cast<QPalette::ColorRole>(role);
            if (colorRole != QPalette::NoRole)
                full.setBrush(group, colorRole, merged.brush(group, colorRole));
        }
    }
    return full;
}

// Qt's own Fusion as the application's style, not wrapped in a style sheet's or a desktop's
// proxy, draws exactly as programStyle() does: a widget left in it needs no style of its own,
// which would cost a repolish of every widget as each window is made.
bool drawsAsProgramStyle(const QStyle *style)
{
    return style == programStyle() ||
           (style == QApplication::style() &&
            qstrcmp(style->metaObject()->className(), "QFusionStyle") == 0);
}

bool isPopup(const QWidget *widget)
{
    return widget->windowType() == Qt::Popup;
}

// A pop-up or a control in one. A combo box's list draws its entries in the colours of plain
// menus wherever its own palette leaves a role unset, so every one of them has all roles set.
bool inPopup(const QWidget *widget)
{
    return isPopup(widget->window());
}

// Dialogs opened on a window, message boxes among them, keep the desktop's look: they are the
// desktop speaking to the user, and its own colours and style keep them readable on it.
bool keepsDesktopLook(const QObject *child)
{
    if (!child->isWidgetType())
        return true;
    const auto *widget = static_cast<const QWidget *>(child);
    return widget->isWindow() && !isPopup(widget);
}

// Keeps one window and everything in it, pop-ups included, in programStyle() and its own colours.
// A style set on a widget is not passed on to its children, and a pop-up is a window that takes
// the application's colours rather than its parent's, so every one of them is looked after here:
// those that exist now at once, those created later (a context menu) when they are first
// polished, before they are measured or drawn.
class LookKeeper : public QObject {
public:
    explicit LookKeeper(QWidget *window)
        : QObject(window)
    {
        window->setPalette(everyRoleSet(window->palette()));
        window->installEventFilter(this);
        adopt(window);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::ChildAdded: {
            // The child may still be under construction: it is only watched until it is polished.
            QObject *child = static_cast<QChildEvent *>(event)->child();
            if (!keepsDesktopLook(child))
                child->installEventFilter(this);
            break;
        }
        case QEvent::Polish:
            // Qt polishes a widget's children right after it, each of them watched from here on
            // and adopted as it is polished: the widget alone is adopted now.
            adopt(static_cast<QWidget *>(watched), Depth::WidgetAlone);
            break;
        case QEvent::StyleChange:
            // The application's style changed under a widget that had none of its own: the
            // whole window is adopted again, each widget before its children as when it was
            // made (a combo box sets its list up in its own style).
            if (!drawsAsProgramStyle(static_cast<QWidget *>(watched)->style()))
                adopt(static_cast<QWidget *>(parent()));
            break;
        case QEvent::PaletteChange: {
            // A combo box hands its list the palette of a plain menu, the application's, each time
            // its own palette or style changes.
            auto *widget = static_cast<QWidget *>(watched);
            if (inPopup(widget))
                keepPopupPalette(widget);
            break;
        }
        default:
            break;
        }
        return false;
    }

private:
    enum class Depth { WithChildren, WidgetAlone };

    // The widget is watched already; its children are watched from here on, and adopted with it
    // unless it is adopted alone.
    void adopt(QWidget *widget, Depth depth = Depth::WithChildren)
    {
        if (!drawsAsProgramStyle(widget->style()))
            widget->setStyle(programStyle());
        if (inPopup(widget))
            keepPopupPalette(widget);
        // A combo box makes its list on first use; made now, the list is measured in this style.
        if (auto *list = qobject_cast<QComboBox *>(widget))
            list->view();
        for (QObject *child : widget->children()) {
            if (!keepsDesktopLook(child)) {
                child->installEventFilter(this);
                if (depth == Depth::WithChildren)
                    adopt(static_cast<QWidget *>(child));
            }
        }
    }

    static void keepPopupPalette(QWidget *popup)
    {
        const QPalette palette = programPalette();
        if (popup->palette() != palette || popup->palette().resolveMask() != palette.resolveMask())
            popup->setPalette(palette);
    }
};

} // namespace

QStyle *programStyle()
{
    static QPointer<QStyle> style;
    if (style.isNull()) {
        style = QStyleFactory::create(QStringLiteral("Fusion"));
        style->setParent(qApp);
    }
    return style;
}

QPalette programPalette()
{
    static const QPalette palette = everyRoleSet(QPalette());
    return palette;
}

void keepProgramLook(QWidget *window)
{
    new LookKeeper(window);
}

QString applicationTitle()
{
    return QStringLiteral("Tressora");
}

QString windowCaption()
{
    return QLatin1String(build::windowCaption);
}

QIcon programIcon()
{
    static const QIcon icon = [] {
        QIcon i;
        // Window icons are never drawn larger than 64 pixels, and every size added here is
        // decoded and sent to the window system at start-up.
        for (int size : {16, 24, 32, 48, 64})
            i.addFile(QStringLiteral(":/resources/icon-%1.png").arg(size), QSize(size, size));
        return i;
    }();
    return icon;
}

void prepareFixedWindow(QWidget *window)
{
    installAccessibleLists();
    const Qt::WindowType type = window->windowType() == Qt::Dialog ? Qt::Dialog : Qt::Window;
    window->setWindowFlags(type | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    // The look first: the sizes below depend on the style.
    keepProgramLook(window);
    window->setWindowIcon(programIcon());
    window->setWindowTitle(windowCaption());
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(8.25);
    window->setFont(font);
    // A main window's size is its form plus the menu bar, which its layout knows; any other
    // window keeps the size its form gives it.
    if (window->layout() != nullptr)
        window->layout()->setSizeConstraint(QLayout::SetFixedSize);
    else
        window->setFixedSize(window->size());
    new FirstShowPlacer(window);
}

void activateAgain(QWidget *window)
{
    if (window != nullptr && window->isVisible())
        window->activateWindow();
}

QRect centredFrame(const QWidget *window, QRect frame)
{
    const QScreen *screen = window->screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return frame;
    const QRect area = screen->availableGeometry();
    frame.moveCenter(area.center());
    if (frame.width() > area.width())
        frame.moveLeft(area.left());
    if (frame.height() > area.height())
        frame.moveTop(area.top());
    return frame;
}

void placeOnScreen(QWidget *window)
{
    window->move(centredFrame(window, window->frameGeometry()).topLeft());
}

void setPointSize(QWidget *widget, qreal points)
{
    QFont font = widget->font();
    font.setPointSizeF(points);
    widget->setFont(font);
}

} // namespace tressora
