// The quiz window and the result window driven through their controls.
#include "app/application.h"
#include "outreach/frmNagScreen2.h"
#include "quiz/frmDisplay.h"
#include "quiz/frmMain.h"
#include "quiz/headpictures.h"
#include "testsupport.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace tressora;

namespace {

QString caption(const char *label)
{
    frmDisplay *result = frmDisplay::existing();
    return result ? testsupport::control<QLabel>(result, QLatin1String(label))->text()
                  : QStringLiteral("<none>");
}

struct Answers {
    int age = 1;
    QString sex = QStringLiteral("Male");
    QString stress = QStringLiteral("No Stress");
    int stage = 0;
    QList<int> ticked;
};

void answer(frmMain *quiz, const Answers &a)
{
    testsupport::control<QComboBox>(quiz, "cmbAge")->setCurrentIndex(a.age - 1);
    auto *sex = testsupport::control<QComboBox>(quiz, "cmbSex");
    sex->setCurrentIndex(sex->findText(a.sex));
    auto *stress = testsupport::control<QComboBox>(quiz, "cmbStressLevel");
    stress->setCurrentIndex(stress->findText(a.stress));
    testsupport::control<QRadioButton>(quiz, QStringLiteral("optImage_%1").arg(a.stage))
        ->setChecked(true);
    for (int i = 0; i < 3; ++i)
        testsupport::control<QCheckBox>(quiz, QStringLiteral("chkFamilyHistory_%1").arg(i))
            ->setChecked(a.ticked.contains(i));
}

void calculate(frmMain *quiz)
{
    QTest::mouseClick(testsupport::control<QPushButton>(quiz, "cmdNext"), Qt::LeftButton);
}

void back()
{
    QTest::mouseClick(testsupport::control<QPushButton>(frmDisplay::existing(), "cmdBack"),
                      Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool showsPictureSet(frmMain *quiz, int first)
{
    for (int i = 0; i < 5; ++i) {
        const QPixmap shown =
            testsupport::control<QLabel>(quiz, QStringLiteral("picHead_%1").arg(i))->pixmap();
        if (shown.isNull() || shown.toImage() != IMGSunsignList(first + i).toImage())
            return false;
    }
    return true;
}

} // namespace

class TestQuiz : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void defaultsAfterLoad();
    void listContents();
    void pictureSwapKeepsStage();
    void handOver_data();
    void handOver();
    void backKeepsAnswersAndRepeats();
    void sentenceReturnsAfterNotLikely();
    void greyedBoxDoesNotCount();
    void windowSizes();
    void keyboardExit_data();
    void keyboardExit();
    void accessibleNames();
    void spokenNames_data();
    void spokenNames();
    void resultReadingOrder();

private:
    frmMain *quiz_ = nullptr;
    int ends_ = 0;
};

void TestQuiz::init()
{
    ends_ = 0;
    setProcessEnder([this] { ++ends_; });
    quiz_ = frmMain::instance();
    quiz_->show();
    QVERIFY(QTest::qWaitForWindowExposed(quiz_));
}

void TestQuiz::cleanup()
{
    testsupport::closeAllWindows();
}

void TestQuiz::defaultsAfterLoad()
{
    QCOMPARE(testsupport::control<QComboBox>(quiz_, "cmbAge")->currentText(), "1");
    QCOMPARE(testsupport::control<QComboBox>(quiz_, "cmbSex")->currentText(), "Male");
    QCOMPARE(testsupport::control<QComboBox>(quiz_, "cmbStressLevel")->currentText(), "No Stress");
    QVERIFY(testsupport::control<QRadioButton>(quiz_, "optImage_0")->isChecked());
    for (int i = 0; i < 3; ++i)
        QVERIFY(
            !testsupport::control<QCheckBox>(quiz_, QStringLiteral("chkFamilyHistory_%1").arg(i))
                 ->isChecked());
    QVERIFY(showsPictureSet(quiz_, kFirstMalePicture));
    QCOMPARE(QApplication::focusWidget(), testsupport::control<QPushButton>(quiz_, "cmdExit"));
    QCOMPARE(quiz_->windowTitle(), "Tressora v1.0");
}

void TestQuiz::listContents()
{
    auto *age = testsupport::control<QComboBox>(quiz_, "cmbAge");
    QCOMPARE(age->count(), 120);
    for (int i = 0; i < age->count(); ++i)
        QCOMPARE(age->itemText(i), QString::number(i + 1));
    QVERIFY(!age->isEditable());
    auto *sex = testsupport::control<QComboBox>(quiz_, "cmbSex");
    QCOMPARE(sex->count(), 2);
    QCOMPARE(sex->itemText(0), "Male");
    QCOMPARE(sex->itemText(1), "Female");
    auto *stress = testsupport::control<QComboBox>(quiz_, "cmbStressLevel");
    QStringList items;
    for (int i = 0; i < stress->count(); ++i)
        items << stress->itemText(i);
    QCOMPARE(items, QStringList({"No Stress", "Little Stress", "More Than Little Stress",
                                 "Moderate Stress", "High Stress"}));
}

void TestQuiz::pictureSwapKeepsStage()
{
    testsupport::control<QRadioButton>(quiz_, "optImage_3")->setChecked(true);
    auto *sex = testsupport::control<QComboBox>(quiz_, "cmbSex");
    sex->setCurrentIndex(1);
    QVERIFY(showsPictureSet(quiz_, kFirstFemalePicture));
    QVERIFY(testsupport::control<QRadioButton>(quiz_, "optImage_3")->isChecked());
    sex->setCurrentIndex(1); // the entry already selected: nothing changes
    QVERIFY(showsPictureSet(quiz_, kFirstFemalePicture));
    sex->setCurrentIndex(0);
    QVERIFY(showsPictureSet(quiz_, kFirstMalePicture));
    QVERIFY(testsupport::control<QRadioButton>(quiz_, "optImage_3")->isChecked());
}

void TestQuiz::handOver_data()
{
    QTest::addColumn<int>("age");
    QTest::addColumn<QString>("stress");
    QTest::addColumn<int>("stage");
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("lossAge");

    QTest::newRow("quite possibly")
        << 25 << "Moderate Stress" << 1 << QList<int>{0} << "Quite Possibly"
        << "60";
    QTest::newRow("most likely") << 45 << "Little Stress" << 2 << QList<int>{1} << "Most Likely"
                                 << "55";
    QTest::newRow("for sure") << 40 << "No Stress" << 4 << QList<int>{} << "For Sure"
                              << "55";
    QTest::newRow("not likely") << 55 << "High Stress" << 0 << QList<int>{0, 1, 2} << "Not Likely"
                                << "";
    QTest::newRow("loss age over 120")
        << 120 << "High Stress" << 3 << QList<int>{0, 1, 2} << "For Sure"
        << "130";
}

void TestQuiz::handOver()
{
    QFETCH(int, age);
    QFETCH(QString, stress);
    QFETCH(int, stage);
    QFETCH(QList<int>, ticked);
    QFETCH(QString, verdict);
    QFETCH(QString, lossAge);

    for (const QString &sex : {QStringLiteral("Male"), QStringLiteral("Female")}) {
        answer(quiz_, {age, sex, stress, stage, ticked});
        calculate(quiz_);
        QVERIFY(frmDisplay::existing() != nullptr);
        QVERIFY(frmDisplay::existing()->isVisible());
        QVERIFY(!quiz_->isVisible());
        QVERIFY(frmNagScreen2::existing() != nullptr); // created, but left hidden
        QVERIFY(!frmNagScreen2::existing()->isVisible());
        QCOMPARE(caption("lblProbability"), verdict);
        QCOMPARE(caption("lblAge"), lossAge);
        QCOMPARE(caption("lblShow"), lossAge.isEmpty()
                                         ? QString()
                                         : "You will most likely lose all your hair by the age of");
        QCOMPARE(caption("lblYourAge"), QString::number(age));
        QCOMPARE(caption("lblLevelOfStress"), stress);
        back();
    }
}

void TestQuiz::backKeepsAnswersAndRepeats()
{
    answer(quiz_, {33, "Female", "Moderate Stress", 2, {1, 2}});
    calculate(quiz_);
    const QString first = caption("lblProbability") + "|" + caption("lblAge");
    back();
    QVERIFY(frmDisplay::existing() == nullptr); // closed, not hidden
    QVERIFY(quiz_->isVisible());
    QVERIFY(frmNagScreen2::existing() != nullptr && !frmNagScreen2::existing()->isVisible());
    QCOMPARE(ends_, 0);
    QCOMPARE(testsupport::control<QComboBox>(quiz_, "cmbAge")->currentText(), "33");
    QCOMPARE(testsupport::control<QComboBox>(quiz_, "cmbSex")->currentText(), "Female");
    QCOMPARE(testsupport::control<QComboBox>(quiz_, "cmbStressLevel")->currentText(),
             "Moderate Stress");
    QVERIFY(testsupport::control<QRadioButton>(quiz_, "optImage_2")->isChecked());
    QVERIFY(!testsupport::control<QCheckBox>(quiz_, "chkFamilyHistory_0")->isChecked());
    QVERIFY(testsupport::control<QCheckBox>(quiz_, "chkFamilyHistory_2")->isChecked());
    QVERIFY(showsPictureSet(quiz_, kFirstFemalePicture));

    calculate(quiz_);
    QVERIFY(frmDisplay::existing() != nullptr);
    QCOMPARE(caption("lblProbability") + "|" + caption("lblAge"), first);
    // The menu's Back does the same as the button.
    frmDisplay::existing()->findChild<QAction *>("mnuBack")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(frmDisplay::existing() == nullptr);
    QVERIFY(quiz_->isVisible());
    QVERIFY(!frmNagScreen2::existing()->isVisible());
}

void TestQuiz::sentenceReturnsAfterNotLikely()
{
    answer(quiz_, {1, "Male", "No Stress", 0, {}});
    calculate(quiz_);
    QCOMPARE(caption("lblProbability"), "Not Likely");
    QCOMPARE(caption("lblShow"), "");
    QCOMPARE(testsupport::control<QLabel>(frmDisplay::existing(), "lblShow")->width(), 0);
    back();
    answer(quiz_, {30, "Male", "No Stress", 4, {}});
    calculate(quiz_);
    QCOMPARE(caption("lblShow"), "You will most likely lose all your hair by the age of");
    QCOMPARE(caption("lblAge"), "45");
    // The value labels keep their left edge whatever the caption's length.
    QCOMPARE(testsupport::control<QLabel>(frmDisplay::existing(), "lblProbability")->x(), 205);
    QCOMPARE(testsupport::control<QLabel>(frmDisplay::existing(), "lblAge")->x(), 234);
}

void TestQuiz::greyedBoxDoesNotCount()
{
    answer(quiz_, {30, "Male", "No Stress", 2, {}});
    auto *father = testsupport::control<QCheckBox>(quiz_, "chkFamilyHistory_0");
    father->setTristate(true);
    father->setCheckState(Qt::PartiallyChecked);
    calculate(quiz_);
    QCOMPARE(quiz_->workingFields().intFatherPoints, 0);
    QCOMPARE(caption("lblAge"), "65"); // 100 + 30 + 100 = 230: 35 more years
}

void TestQuiz::windowSizes()
{
    QCOMPARE(quiz_->centralWidget()->size(), QSize(642, 555));
    QCOMPARE(quiz_->size().width(), 642);
    calculate(quiz_);
    QCOMPARE(frmDisplay::existing()->centralWidget()->size(), QSize(561, 415));
    // The exit button lies outside the visible client area.
    auto *exit = testsupport::control<QPushButton>(quiz_, "cmdExit");
    QVERIFY(!quiz_->centralWidget()->rect().intersects(exit->geometry()));
}

void TestQuiz::keyboardExit_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Alt+X") << int(Qt::Key_X) << int(Qt::AltModifier);
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
}

void TestQuiz::keyboardExit()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    quiz_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(quiz_));
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus != nullptr);
    QTest::keyClick(focus, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTRY_VERIFY(frmMain::existing() == nullptr || !frmMain::existing()->isVisible());
    QVERIFY(frmNagScreen2::existing() != nullptr);
    QVERIFY(frmNagScreen2::existing()->isVisible());
    QCOMPARE(ends_, 0);
}

void TestQuiz::accessibleNames()
{
    QCOMPARE(testsupport::control<QLabel>(quiz_, "Label1")->buddy(),
             testsupport::control<QWidget>(quiz_, "cmbAge"));
    QCOMPARE(testsupport::control<QLabel>(quiz_, "Label2")->buddy(),
             testsupport::control<QWidget>(quiz_, "cmbSex"));
    QCOMPARE(testsupport::control<QLabel>(quiz_, "Label3")->buddy(),
             testsupport::control<QWidget>(quiz_, "cmbStressLevel"));
    // A screen reader names each list by the label related to it.
    const struct {
        const char *list;
        const char *label;
    } pairs[] = {{"cmbAge", "Age"}, {"cmbSex", "Sex"}, {"cmbStressLevel", "Level of Stress"}};
    for (const auto &pair : pairs) {
        QAccessibleInterface *list =
            QAccessible::queryAccessibleInterface(testsupport::control<QWidget>(quiz_, pair.list));
        QVERIFY(list != nullptr);
        const auto labels = list->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.first().first->text(QAccessible::Name), QLatin1String(pair.label));
    }
    testsupport::control<QComboBox>(quiz_, "cmbSex")->setCurrentIndex(1);
    QCOMPARE(testsupport::control<QLabel>(quiz_, "picHead_4")->accessibleName(),
             "Head picture, female set: Complete hair loss on top of head.Only sides remain");
}

// What a screen reader says for each control: its name, not its value, and what it is.
// Each control's name and role; a list is also moved to another entry, which its text follows.
void TestQuiz::spokenNames_data()
{
    testsupport::columns<QString, QAccessible::Role, int>("name", "role", "next");
    testsupport::row("cmbAge", QStringLiteral("Age"), QAccessible::ComboBox, 34);
    testsupport::row("cmbSex", QStringLiteral("Sex"), QAccessible::ComboBox, 1);
    testsupport::row("cmbStressLevel", QStringLiteral("Level of Stress"), QAccessible::ComboBox, 4);
    testsupport::row("cmdNext", QStringLiteral("Calculate My Hair Loss"), QAccessible::Button, -1);
    testsupport::row("chkFamilyHistory_0", QStringLiteral("My Father has the problem of baldness"),
                     QAccessible::CheckBox, -1);
}

void TestQuiz::spokenNames()
{
    const auto [name] = testsupport::fetch<QString>("name");
    QWidget *widget = testsupport::control<QWidget>(quiz_, testsupport::dataTag());
    QAccessibleInterface *control = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(control != nullptr);
    QTEST(control->role(), "role");
    if (control->role() != QAccessible::ComboBox) {
        QCOMPARE(control->text(QAccessible::Name), name);
        return;
    }
    // The list is named after its question and holds the entry shown as its value; the label
    // relation stays for readers that follow it.
    QCOMPARE(control->text(QAccessible::Name), name);
    QCOMPARE(control->text(QAccessible::Value), static_cast<QComboBox *>(widget)->currentText());
    const auto labels = control->relations(QAccessible::Label);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.first().first->text(QAccessible::Name), name);
    QCOMPARE(control->childCount(), 1); // the entries, to walk
    auto *list = static_cast<QComboBox *>(widget);
    QCOMPARE(control->child(0)->childCount(), list->count());
    // The entry shown is the list's text, all of it selected, for readers that read no value.
    QAccessibleTextInterface *text = control->textInterface();
    QVERIFY(text != nullptr);
    QCOMPARE(text->text(0, text->characterCount()), list->currentText());
    QCOMPARE(text->selectionCount(), 1);
    int start = -1, end = -1;
    text->selection(0, &start, &end);
    QCOMPARE(std::pair(start, end), std::pair(0, static_cast<int>(list->currentText().size())));

#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    // The entry shown is also the one selected item, the entry of the open list, for readers
    // that follow a list's selection.
    QAccessibleSelectionInterface *selection = control->selectionInterface();
    QVERIFY(selection != nullptr);
    const auto selectedEntry = [&] {
        const QList<QAccessibleInterface *> items = selection->selectedItems();
        return items.size() == 1 && selection->selectedItemCount() == 1
                   ? items.first()->text(QAccessible::Name)
                   : QStringLiteral("%1 items selected").arg(items.size());
    };
    QCOMPARE(selectedEntry(), list->currentText());
#endif

    QFETCH(int, next);
    list->setCurrentIndex(next);
    QCOMPARE(list->currentIndex(), next);
    QCOMPARE(text->text(0, text->characterCount()), list->currentText());
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    QCOMPARE(selectedEntry(), list->currentText());
#endif
}

// The result is read caption first, then its value; reordering must not make labels overlap.
void TestQuiz::resultReadingOrder()
{
    calculate(quiz_);
    auto *frame = testsupport::control<QWidget>(frmDisplay::existing(), "Frame1");
    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(frame);
    QVERIFY(reader != nullptr);
    QStringList order;
    for (int i = 0; i < reader->childCount(); ++i)
        order << reader->child(i)->object()->objectName();
    const QStringList expected = {"Label3", "lblYourAge",     "Label4",  "lblLevelOfStress",
                                  "Label1", "lblProbability", "lblShow", "lblAge"};
    QCOMPARE(order, expected);
    // Readers read the whole window out as it opens, as a message: each of these is a text of
    // its own, not a control that the frame's caption names (a reader would skip it).
    QCOMPARE(QAccessible::queryAccessibleInterface(frmDisplay::existing())->role(),
             QAccessible::AlertMessage);
    QStringList texts;
    for (int i = 0; i < reader->childCount(); ++i) {
        QAccessibleInterface *text = reader->child(i);
        QVERIFY2(text->relations(QAccessible::Label).isEmpty(), qPrintable(order.at(i)));
        QCOMPARE(text->text(QAccessible::Name), static_cast<QLabel *>(text->object())->text());
        if (!text->text(QAccessible::Name).isEmpty())
            texts << text->text(QAccessible::Name);
    }
    QVERIFY(texts.size() >= 6);
    // Readers that read a message's description rather than its short texts read them all there,
    // in the same order.
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(frmDisplay::existing());
    QCOMPARE(window->text(QAccessible::Description), texts.join(QStringLiteral(", ")));
    // ...and readers that leave the description out (Orca 48, as a window follows another)
    // read the same words as the window's own text, whole or piece by piece.
    QAccessibleTextInterface *own = window->textInterface();
    QVERIFY(own != nullptr);
    QCOMPARE(own->text(0, own->characterCount()), texts.join(QStringLiteral(", ")));
    QCOMPARE(own->text(0, 3), texts.first().left(3));
    const QList<QLabel *> labels = frame->findChildren<QLabel *>();
    for (QLabel *a : labels) {
        for (QLabel *b : labels)
            QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                     qPrintable(a->objectName() + " overlaps " + b->objectName()));
    }
}

QTEST_MAIN(TestQuiz)
#include "tst_quiz.moc"
