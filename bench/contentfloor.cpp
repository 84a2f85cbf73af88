// The content floor: what Qt itself needs to put the quiz window's own content on the screen,
// and nothing of the program's start-up. It is built from the program's form (quiz/frmMain.ui,
// with its two custom controls), shows the five male head pictures, the icon, the caption and
// the fonts the program uses, and fills the lists and sets the captions as the real window has
// them, so it follows every change to them. What it leaves out is what the program adds: the
// settings, the single-instance lock, the update prompt, the advert rotation, the translators,
// the window set-up with its palettes and placement, and the connections of every control.
#include "bench/benchhooks.h"
#include "quiz/headpictures.h"
#include "quiz/quizwindow.h"
#include "quiz/scoring.h"
#include "ui_frmMain.h"
#include "widgets/linklabel.h"
#include "widgets/windowstyle.h"

#include <QApplication>
#include <QLayout>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    tressora::installBenchHooks();
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));

    QMainWindow window;
    Ui::frmMain ui;
    ui.setupUi(&window);
    window.setWindowTitle(tressora::windowCaption());
    window.setWindowIcon(tressora::programIcon());
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(8.25);
    window.setFont(font);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);

    for (QLabel *label :
         std::initializer_list<QLabel *>{ui.Label1, ui.Label2, ui.Label3, ui.Label4})
        tressora::setCaption(label, label->text());
    ui.Label61->setText(tressora::label61Caption());
    for (int age = 1; age <= 120; ++age)
        ui.cmbAge->addItem(QString::number(age));
    ui.cmbSex->addItems({QStringLiteral("Male"), QStringLiteral("Female")});
    ui.cmbStressLevel->addItems(tressora::stressLevels());
    QLabel *const heads[] = {ui.picHead_0, ui.picHead_1, ui.picHead_2, ui.picHead_3, ui.picHead_4};
    for (int i = 0; i < 5; ++i)
        heads[i]->setPixmap(
            tressora::IMGSunsignList(tressora::kFirstMalePicture + i, window.devicePixelRatioF()));
    window.show();
    return QApplication::exec();
}
