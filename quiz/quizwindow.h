// What the quiz window and the result window share: closing either one runs the exit sequence,
// and each is centred on its screen the first time it is shown.
#pragma once

#include <QMainWindow>

namespace tressora {

class QuizWindow : public QMainWindow {
    Q_OBJECT
public:
    using QMainWindow::QMainWindow;

protected:
    // Form_Unload: the refer-a-friend window is shown; the close is never refused.
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    bool placed_ = false;
};

} // namespace tressora
