// One whole session as a user would run it: start, fifty calculations each followed by Back,
// the about box, the refer-a-friend window with a referral, and the end of the program. Each
// step checks the windows it leaves behind; run under a leak checker, the session shows whether
// any of them leaks.
#include "app/application.h"
#include "outreach/frmNagScreen2.h"
#include "outreach/weblinks.h"
#include "quiz/frmDisplay.h"
#include "quiz/frmMain.h"
#include "quiz/scoring.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>

#include <memory>

using namespace tressora;

namespace {

constexpr int calculations = 50;

template <class W> W *control(QWidget *window, const QString &name)
{
    W *found = window->findChild<W *>(name);
    if (found == nullptr)
        qWarning("no control named %s", qPrintable(name));
    return found;
}

QString caption(QWidget *window, const char *label)
{
    const auto *found = control<QLabel>(window, QLatin1String(label));
    return found ? found->text() : QStringLiteral("<missing>");
}

void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestSession : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void start();
    void calculationAndBack_data();
    void calculationAndBack();
    void repeatedCalculationsLeaveNoWindowBehind();
    void aboutBox();
    void closingTheQuizShowsTheReferralWindow();
    void referral();
    void exitEndsTheProgram();

private:
    int ends_ = 0;
    int topLevelAfterFirstCalculation_ = -1;
    std::unique_ptr<testsupport::UrlCatcher> browser_;
};

void TestSession::initTestCase()
{
    installFontSubstitutions();
    setProcessEnder([this] { ++ends_; });
    browser_ = std::make_unique<testsupport::UrlCatcher>();
}

void TestSession::cleanupTestCase()
{
    browser_.reset();
    testsupport::closeAllWindows();
}

void TestSession::start()
{
    // The update prompt may ask, depending on what earlier runs stored: the answer No opens
    // nothing.
    testsupport::MessageBoxAnswerer prompt(QMessageBox::No);
    StartProgram();
    QVERIFY(!programEnded());
    QCOMPARE(ends_, 0);
    QVERIFY(frmMain::existing() != nullptr);
    QVERIFY(frmMain::existing()->isVisible());
    QVERIFY(frmDisplay::existing() == nullptr);
    QVERIFY(frmNagScreen2::existing() == nullptr);
    QCOMPARE(testsupport::programWindows().size(), 1);
    QVERIFY(browser_->addresses.isEmpty());
}

void TestSession::calculationAndBack_data()
{
    // Every answer moves at its own pace, so the fifty rows cover many combinations.
    QTest::addColumn<int>("ageIndex");
    QTest::addColumn<int>("sexIndex");
    QTest::addColumn<int>("stressIndex");
    QTest::addColumn<int>("family"); // bit 0 father, bit 1 maternal, bit 2 paternal
    QTest::addColumn<int>("stage");
    for (int i = 0; i < calculations; ++i) {
        QTest::addRow("calculation %d", i + 1)
            << i * 7 << i % 2 << i % 3 << (i * 5) % 8 << (i * 3) % 5;
    }
}

void TestSession::calculationAndBack()
{
    QFETCH(int, ageIndex);
    QFETCH(int, sexIndex);
    QFETCH(int, stressIndex);
    QFETCH(int, family);
    QFETCH(int, stage);

    frmMain *quiz = frmMain::existing();
    QVERIFY(quiz != nullptr);
    QVERIFY(quiz->isVisible());
    auto *age = control<QComboBox>(quiz, "cmbAge");
    auto *sex = control<QComboBox>(quiz, "cmbSex");
    auto *stress = control<QComboBox>(quiz, "cmbStressLevel");
    QVERIFY(age && sex && stress);
    QVERIFY(age->count() > 0 && sex->count() == 2 && stress->count() > 0);
    age->setCurrentIndex(ageIndex % age->count());
    sex->setCurrentIndex(sexIndex);
    stress->setCurrentIndex(stressIndex % stress->count());
    QuizAnswers answers;
    answers.age = age->currentText().toInt();
    answers.stress = stress->currentText();
    answers.stage = stage;
    bool *relatives[] = {&answers.father, &answers.maternal, &answers.paternal};
    for (int r = 0; r < 3; ++r) {
        auto *box = control<QCheckBox>(quiz, QStringLiteral("chkFamilyHistory_%1").arg(r));
        QVERIFY(box);
        box->setChecked((family >> r & 1) != 0);
        *relatives[r] = box->isChecked();
    }
    auto *picture = control<QRadioButton>(quiz, QStringLiteral("optImage_%1").arg(stage));
    QVERIFY(picture);
    picture->setChecked(true);
    const QString ageText = age->currentText();
    const QString stressText = stress->currentText();

    quiz->cmdNext_Click();
    QPointer<frmDisplay> result = frmDisplay::existing();
    QVERIFY(result != nullptr);
    QVERIFY(result->isVisible());
    QVERIFY(!quiz->isVisible());
    QVERIFY(frmNagScreen2::existing() != nullptr);
    QVERIFY(!frmNagScreen2::existing()->isVisible());
    const ScoreFields expected = ScoreAnswers(answers);
    QCOMPARE(quiz->workingFields().strVerdict, expected.strVerdict);
    QCOMPARE(caption(result, "lblProbability"), expected.strVerdict);
    QCOMPARE(caption(result, "lblYourAge"), ageText);
    QCOMPARE(caption(result, "lblLevelOfStress"), stressText);
    if (expected.strVerdict != QLatin1String(kNotLikely))
        QCOMPARE(caption(result, "lblAge"), QString::number(expected.intLossAge));

    result->cmdBack_Click();
    runDeferredDeletes();
    QVERIFY(result.isNull()); // each calculation's result window is destroyed by Back
    QVERIFY(frmDisplay::existing() == nullptr);
    QVERIFY(quiz->isVisible());
    QVERIFY(!frmNagScreen2::existing()->isVisible());
    QCOMPARE(ends_, 0);
    // The quiz comes back with the answers as they were given.
    QCOMPARE(age->currentText(), ageText);
    QCOMPARE(stress->currentText(), stressText);
    QVERIFY(picture->isChecked());
    QCOMPARE(testsupport::programWindows().size(), 2); // the quiz and the hidden farewell

    if (topLevelAfterFirstCalculation_ < 0)
        topLevelAfterFirstCalculation_ = int(QApplication::topLevelWidgets().size());
}

void TestSession::repeatedCalculationsLeaveNoWindowBehind()
{
    QVERIFY(topLevelAfterFirstCalculation_ > 0);
    QCOMPARE(int(QApplication::topLevelWidgets().size()), topLevelAfterFirstCalculation_);
    QVERIFY(browser_->addresses.isEmpty());
}

void TestSession::aboutBox()
{
    frmMain *quiz = frmMain::existing();
    QVERIFY(quiz != nullptr);
    QPointer<QDialog> seen;
    QString kind;
    bool wasModal = false;
    // Presses OK once the box is up; gives up after a long wait so that a box that does not
    // close fails the test instead of hanging it (a leak checker makes everything slow).
    QTimer presser;
    int polls = 0;
    connect(&presser, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (box != nullptr && box->isVisible()) {
            seen = box;
            kind = QString::fromLatin1(box->metaObject()->className());
            wasModal = box->isModal();
            if (auto *ok = box->findChild<QPushButton *>(QStringLiteral("cmdOK")))
                ok->click();
            else
                box->reject();
        } else if (++polls > 6000) {
            presser.stop();
            if (box != nullptr)
                box->reject();
        }
    });
    presser.start(10);
    auto *entry = control<QAction>(quiz, "mnuAbout");
    QVERIFY(entry);
    entry->trigger(); // returns once the box has been closed
    presser.stop();
    runDeferredDeletes();

    QVERIFY(polls <= 6000);
    QCOMPARE(kind, QStringLiteral("tressora::frmAbout"));
    QVERIFY(wasModal);
    QVERIFY(seen.isNull()); // destroyed on closing
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(quiz->isVisible());
    QCOMPARE(ends_, 0);
    QCOMPARE(int(QApplication::topLevelWidgets().size()), topLevelAfterFirstCalculation_);
}

void TestSession::closingTheQuizShowsTheReferralWindow()
{
    QPointer<frmMain> quiz = frmMain::existing();
    QVERIFY(quiz != nullptr);
    quiz->close();
    runDeferredDeletes();
    QVERIFY(quiz.isNull());
    QVERIFY(frmNagScreen2::existing() != nullptr);
    QVERIFY(frmNagScreen2::existing()->isVisible());
    QCOMPARE(ends_, 0);
    QVERIFY(!programEnded());
    QCOMPARE(testsupport::programWindows().size(), 1);
}

void TestSession::referral()
{
    frmNagScreen2 *farewell = frmNagScreen2::existing();
    QVERIFY(farewell != nullptr);
    const struct {
        const char *box;
        QString text;
    } typed[] = {{"txtName", QStringLiteral("Ann Lee")},
                 {"txtEmail", QStringLiteral("ann@example.org")},
                 {"txtFriendName", QStringLiteral("Bo & Co")},
                 {"txtFriendEmail", QStringLiteral("bo@example.org")}};
    for (const auto &entry : typed) {
        auto *box = control<QLineEdit>(farewell, QLatin1String(entry.box));
        QVERIFY(box);
        box->setText(entry.text);
    }
    auto *message = control<QPlainTextEdit>(farewell, "txtMessage");
    QVERIFY(message);
    message->setPlainText(QStringLiteral("Have a look"));

    testsupport::MessageBoxAnswerer refusals;
    auto *submit = control<QPushButton>(farewell, "cmdSubmit");
    QVERIFY(submit);
    submit->click();
    QVERIFY(refusals.seen.isEmpty());
    QCOMPARE(browser_->addresses.size(), 1);
    const QUrl sent = browser_->urls.constFirst();
    QCOMPARE(sent.host(), mainSiteHost());
    QCOMPARE(sent.path(), QStringLiteral("/ovms-refer-a-friend.php"));
    const QUrlQuery query(sent);
    QCOMPARE(query.queryItems(QUrl::FullyDecoded).size(), 6);
    QCOMPARE(query.queryItemValue(QStringLiteral("taf1"), QUrl::FullyDecoded), "Ann Lee");
    QCOMPARE(query.queryItemValue(QStringLiteral("taf4"), QUrl::FullyDecoded), "Bo & Co");
    QCOMPARE(query.queryItemValue(QStringLiteral("taf6"), QUrl::FullyDecoded),
             productSiteAddress());
    QVERIFY(farewell->isVisible()); // sending leaves the window up
    QCOMPARE(ends_, 0);
}

void TestSession::exitEndsTheProgram()
{
    QPointer<frmNagScreen2> farewell = frmNagScreen2::existing();
    QVERIFY(farewell != nullptr);
    auto *exitButton = control<QPushButton>(farewell, "cmdClose");
    QVERIFY(exitButton);
    exitButton->click();
    runDeferredDeletes();
    QCOMPARE(ends_, 1);
    QVERIFY(programEnded());
    QVERIFY(farewell.isNull());
    QVERIFY(testsupport::programWindows().isEmpty());
}

QTEST_MAIN(TestSession)
#include "tst_session.moc"
