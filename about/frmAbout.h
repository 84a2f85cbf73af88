// The about box: modal, created afresh for every opening and destroyed on closing.
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmAbout;
}

namespace tressora {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);
    ~frmAbout() override;

    // Creates a new box, shows it modal and returns once it has been closed; the box is destroyed
    // by then. It has no owner among the widgets, but the window manager is told that it belongs
    // to the window it was opened from, so it stays above that window and off the task bar.
    static void showModal(QWidget *opener = nullptr);

    void cmdOK_Click();
    void lblHomePage_Click();
    void lblCobrand_Click();

private:
    std::unique_ptr<Ui::frmAbout> ui;
};

} // namespace tressora
