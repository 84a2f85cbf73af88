// The floor the quiz is measured against: what Qt itself needs to put a main window of the
// quiz window's size, with a menu bar and one line of text, on the screen. Nothing else.
#include "bench/benchhooks.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    tressora::installBenchHooks();

    QMainWindow window;
    window.setObjectName(QStringLiteral("floor"));
    window.setWindowTitle(QStringLiteral("Tressora v1.0"));
    window.menuBar()
        ->addMenu(QStringLiteral("&File"))
        ->addAction(QStringLiteral("E&xit"), &window, &QWidget::close);
    window.setCentralWidget(new QLabel(QStringLiteral("Calculate My Hair Loss")));
    window.resize(642, 555);
    window.show();
    return QApplication::exec();
}
