// The refer-a-friend window: the program's farewell, always on top until the program ends.
#pragma once

#include "app/windowslot.h"

#include <QWidget>

namespace tressora {

class frmNagScreen2 : public QWidget, public WindowSlot<frmNagScreen2> {
    Q_OBJECT
public:
    explicit frmNagScreen2(QWidget *parent = nullptr);
    ~frmNagScreen2() override;

    // The exit sequence: creates the window if needed and shows it, modeless and on top.
    static void showWindow();
    // The calculation and Back: creates the window if needed and leaves it hidden.
    static void hideWindow();

protected:
    void closeEvent(QCloseEvent *event) override;
};

} // namespace tressora
