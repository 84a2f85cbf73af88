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

    // Creates a new box, shows it modal without an owner and returns once it has been closed;
    // the box is destroyed by then.
    static void showModal();

    void cmdOK_Click();
    void lblHomePage_Click();
    void lblCobrand_Click();

private:
    std::unique_ptr<Ui::frmAbout> ui;
};

} // namespace tressora
