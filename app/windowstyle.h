// What every window of the program shares: the icon, a fixed border with a close box only,
// the centred first position and fonts with fractional point sizes.
#pragma once

#include <QIcon>
#include <QtGlobal>

class QWidget;

namespace tressora {

// The program icon in all its sizes.
QIcon programIcon();

// Fixed size, title bar with a close box only (no minimize or maximize button), program icon,
// caption "Tressora v1.0".
void prepareFixedWindow(QWidget *window);

// Moves a window so that its frame is centred on the screen it will appear on.
void centreOnScreen(QWidget *window);

// Sets a widget's own font size in points; sizes such as 8.25 cannot be stored in a form.
void setPointSize(QWidget *widget, qreal points);

// The default font of a window: Verdana 8.25 pt, regular.
void setDefaultWindowFont(QWidget *window);

} // namespace tressora
