#include "app/windowstyle.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tressora {

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
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    window->setWindowIcon(programIcon());
    window->setWindowTitle(QStringLiteral("Tressora v1.0"));
}

void centreOnScreen(QWidget *window)
{
    QScreen *screen = window->screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void setPointSize(QWidget *widget, qreal points)
{
    QFont font = widget->font();
    font.setPointSizeF(points);
    widget->setFont(font);
}

void setDefaultWindowFont(QWidget *window)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(8.25);
    window->setFont(font);
}

} // namespace tressora
