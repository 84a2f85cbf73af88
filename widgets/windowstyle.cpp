#include "widgets/windowstyle.h"

#include "buildconfig.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace tressora {
namespace {

// Places its window the first time the window is shown, and once more when the window manager
// has put its frame around it, so that the frame and not just the inside is centred. The frame
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
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched == window_) {
            window_->removeEventFilter(this);
            placeOnScreen(window_);
            margins_ = frameMargins();
            watch_.start(watchIntervalMs);
            QTimer::singleShot(watchMs, this, &QObject::deleteLater);
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

    // The first change of the frame re-places the window by its frame, as the window system
    // now reports it, and ends the watch.
    void checkFrame()
    {
        const QMargins margins = frameMargins();
        if (margins == margins_)
            return;
        watch_.stop();
        QWindow *handle = window_->windowHandle();
        handle->setFramePosition(centredFrame(window_, handle->frameGeometry()).topLeft());
        deleteLater();
    }

    QWidget *window_;
    QTimer watch_;
    QMargins margins_;
};

} // namespace

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
    const Qt::WindowType type = window->windowType() == Qt::Dialog ? Qt::Dialog : Qt::Window;
    window->setWindowFlags(type | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
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
