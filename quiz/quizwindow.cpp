#include "quiz/quizwindow.h"

#include "app/application.h"
#include "app/windowstyle.h"

#include <QCloseEvent>

namespace tressora {

void QuizWindow::closeEvent(QCloseEvent *event)
{
    RunExitSequence();
    event->accept();
}

void QuizWindow::showEvent(QShowEvent *event)
{
    if (!placed_) {
        centreOnScreen(this);
        placed_ = true;
    }
    QMainWindow::showEvent(event);
}

} // namespace tressora
