// What every window of the program shares: the title and caption, the icon, a fixed border with
// a close box only, the first placement on the screen and fonts with fractional point sizes.
#pragma once

#include <QIcon>
#include <QRect>
#include <QString>
#include <QtGlobal>

class QPalette;
class QStyle;
class QWidget;

namespace tressora {

// The title shown by message boxes that have no caption of their own: "Tressora".
QString applicationTitle();

// The caption of every window: "Tressora v" and the major and minor version ("Tressora v1.0").
QString windowCaption();

// The program icon in all its sizes.
QIcon programIcon();

// The one way every window of the program is set up once its form is in place: fixed at the
// form's size, a title bar with a close box only (no minimize or maximize button; a dialog stays
// a dialog), the program icon, the caption, the default font (Verdana 8.25 pt, regular) and a
// place on the screen chosen the first time it is shown (see placeOnScreen).
void prepareFixedWindow(QWidget *window);

// The style every window is drawn with, whatever the desktop's: Fusion, owned by the application.
QStyle *programStyle();

// Qt's Fusion palette in its light colours, whatever the desktop's colour scheme, with every
// colour role of all three groups set, so that nothing of the desktop's palette can show through
// where a form sets no colour of its own.
QPalette programPalette();

// Gives a window and everything in it the program's look, now and for controls created later:
// the window takes the colours its form sets over programPalette() with every role set, so its
// controls inherit no colour from the desktop; the window, its controls and its pop-ups (menus,
// the lists of combo boxes, context menus) are drawn with programStyle(), and the pop-ups, which
// are windows of their own and inherit no colour, take programPalette(). Dialogs opened on the
// window, message boxes among them, are left to the desktop's look.
void keepProgramLook(QWidget *window);

// Makes the window the active one again once a modal box opened on it has closed, as window
// managers do. On a display without one, no window of the program would be active afterwards, and
// a screen reader that forgets everything as the active window goes (Orca 48) would hear nothing
// more of the program. Nothing happens to a window that is hidden or gone.
void activateAgain(QWidget *window);

// Moves a window so that its frame is centred in the available area of the screen it will
// appear on. A window larger than that area keeps its top-left corner inside it, so its title bar
// and menu bar can be reached.
void placeOnScreen(QWidget *window);

// Where a frame of that size and place lies once centred as placeOnScreen() centres it.
QRect centredFrame(const QWidget *window, QRect frame);

// Sets a widget's own font size in points; sizes such as 8.25 cannot be stored in a form.
void setPointSize(QWidget *widget, qreal points);

} // namespace tressora
