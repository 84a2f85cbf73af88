#include "widgets/windowstyle.h"

#include "buildconfig.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace tressora {
namespace {

// Places its window the first time the window is shown, and once more as soon as the window
// system has put its frame around it, so that the frame and not just the inside is placed.
class FirstShowPlacer : public QObject {
public:
    explicit FirstShowPlacer(QWidget *window)
        : QObject(window)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched == parent()) {
            auto *window = static_cast<QWidget *>(watched);
            window->removeEventFilter(this);
            placeOnScreen(window);
            QTimer::singleShot(0, window, [window, frame = window->frameGeometry().size()] {
                if (window->frameGeometry().size() != frame)
                    placeOnScreen(window);
            });
            deleteLater();
        }
        return false;
    }
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

void placeOnScreen(QWidget *window)
{
    QScreen *screen = window->screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    if (frame.width() > area.width())
        frame.moveLeft(area.left());
    if (frame.height() > area.height())
        frame.moveTop(area.top());
    window->move(frame.topLeft());
}

void setPointSize(QWidget *widget, qreal points)
{
    QFont font = widget->font();
    font.setPointSizeF(points);
    widget->setFont(font);
}

} // namespace tressora
