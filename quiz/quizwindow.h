// What the quiz window and the result window share: the menu entries and advert labels of the
// same names, which do the same on both, and the close handler that announces the exit.
#pragma once

#include <QMainWindow>

class QAction;

namespace tressora {

class LinkLabel;

// The discussion-board advert, naming the maker's main site.
QString label61Caption();

class QuizWindow : public QMainWindow {
    Q_OBJECT
public:
    using QMainWindow::QMainWindow;

    void mnuOnline_Click();
    void mnuVisit_Click();
    void mnuUpdate_Click(); // the menu never touches the update schedule
    void mnuAbout_Click();
    void mnuDonate_Click();
    void Label61_Click();
    void lblCobrand_Click();
    void lblFullBrand_Click();

signals:
    // Form_Unload: the window is being closed, and nothing refuses it. The program answers with
    // the exit sequence.
    void unloading();
    // "&About Software": the program shows the about box modally over the window (the opener);
    // the signal returns once the box has been closed.
    void aboutRequested(QWidget *opener);

protected:
    struct SharedControls {
        QAction *mnuOnline;
        QAction *mnuVisit;
        QAction *mnuUpdate;
        QAction *mnuAbout;
        QAction *mnuDonate;
        LinkLabel *Label61;
        LinkLabel *lblCobrand;
        LinkLabel *lblFullBrand;
    };
    // Connects the shared entries and labels to their handlers and sets the discussion-board
    // caption.
    void connectShared(const SharedControls &controls);

    void closeEvent(QCloseEvent *event) override;
};

} // namespace tressora
