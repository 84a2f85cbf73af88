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

#include <memory>

using namespace tressora;
using namespace testsupport;

namespace {

QString caption(QWidget *window, const char *label)
{
    const auto *found = control<QLabel>(window, label);
    return found ? found->text() : "<missing>";
}

void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int topLevelCount()
{
    return int(QApplication::topLevelWidgets().size());
}

} // namespace

class TestSession : public QObject {
    Q_OBJECT
    int ends_ = 0;
    int topLevelAfterFirstCalculation_ = -1;
    std::unique_ptr<UrlCatcher> browser_;

private slots:
    void initTestCase()
    {
        installFontSubstitutions();
        setProcessEnder([this] { ++ends_; });
        browser_ = std::make_unique<UrlCatcher>();
    }
    void cleanupTestCase()
    {
        browser_.reset();
        closeAllWindows();
    }

    void start()
    {
        // The update prompt may ask, depending on what earlier runs stored; No opens nothing.
        MessageBoxAnswerer prompt(QMessageBox::No);
        StartProgram();
        QVERIFY(!programEnded());
        QCOMPARE(ends_, 0);
        QVERIFY(frmMain::existing() != nullptr);
        QVERIFY(frmMain::existing()->isVisible());
        QVERIFY(frmDisplay::existing() == nullptr);
        QVERIFY(frmNagScreen2::existing() == nullptr);
        QCOMPARE(programWindows().size(), 1);
        QVERIFY(browser_->addresses.isEmpty());
    }

    void calculationAndBack_data()
    {
        QTest::addColumn<int>("i");
        for (int i = 0; i < 50; ++i)
            QTest::addRow("calculation %d", i + 1) << i;
    }
    void calculationAndBack()
    {
        // Every answer moves at its own pace, so the fifty rows cover many combinations.
        QFETCH(int, i);
        const int family = (i * 5) % 8; // bit 0 father, bit 1 maternal, bit 2 paternal
        const int stage = (i * 3) % 5;
        frmMain *quiz = frmMain::existing();
        QVERIFY(quiz != nullptr);
        QVERIFY(quiz->isVisible());
        auto *age = control<QComboBox>(quiz, "cmbAge");
        auto *sex = control<QComboBox>(quiz, "cmbSex");
        auto *stress = control<QComboBox>(quiz, "cmbStressLevel");
        QVERIFY(age && sex && stress);
        QVERIFY(age->count() > 0 && sex->count() == 2 && stress->count() > 0);
        age->setCurrentIndex(i * 7 % age->count());
        sex->setCurrentIndex(i % 2);
        stress->setCurrentIndex(i % 3 % stress->count());
        const QString ageText = age->currentText();
        const QString stressText = stress->currentText();
        QuizAnswers answers;
        answers.age = ageText.toInt();
        answers.stress = stress->currentIndex();
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
        QCOMPARE(age->currentText(), ageText); // the quiz comes back with the answers as given
        QCOMPARE(stress->currentText(), stressText);
        QVERIFY(picture->isChecked());
        QCOMPARE(programWindows().size(), 2); // the quiz and the hidden farewell
        if (topLevelAfterFirstCalculation_ < 0)
            topLevelAfterFirstCalculation_ = topLevelCount();
    }

    void repeatedCalculationsLeaveNoWindowBehind()
    {
        QVERIFY(topLevelAfterFirstCalculation_ > 0);
        QCOMPARE(topLevelCount(), topLevelAfterFirstCalculation_);
        QVERIFY(browser_->addresses.isEmpty());
    }

    void aboutBox()
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
            if (++polls > 6000) {
                presser.stop();
                if (box != nullptr)
                    box->done(QDialog::Rejected); // OK did not close it: end the wait anyway
            } else if (box != nullptr && box->isVisible()) {
                seen = box;
                kind = box->metaObject()->className();
                wasModal = box->isModal();
                if (auto *ok = box->findChild<QPushButton *>("cmdOK"))
                    ok->click();
                else
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
        QCOMPARE(kind, "tressora::frmAbout");
        QVERIFY(wasModal);
        QVERIFY(seen.isNull()); // destroyed on closing
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(quiz->isVisible());
        QCOMPARE(ends_, 0);
        QCOMPARE(topLevelCount(), topLevelAfterFirstCalculation_);
    }

    void closingTheQuizShowsTheReferralWindow()
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
        QCOMPARE(programWindows().size(), 1);
    }

    void referral()
    {
        frmNagScreen2 *farewell = frmNagScreen2::existing();
        QVERIFY(farewell != nullptr);
        // In the order the query sends them: name, e-mail, message, friend's name and e-mail.
        const QStringList texts = {"Ann Lee", "ann@example.org", "Have a look", "Bo & Co",
                                   "bo@example.org"};
        const char *boxes[] = {"txtName", "txtEmail", "txtMessage", "txtFriendName",
                               "txtFriendEmail"};
        for (const int i : {0, 1, 3, 4}) {
            auto *box = control<QLineEdit>(farewell, boxes[i]);
            QVERIFY(box);
            box->setText(texts[i]);
        }
        auto *message = control<QPlainTextEdit>(farewell, boxes[2]);
        QVERIFY(message);
        message->setPlainText(texts[2]);
        MessageBoxAnswerer refusals;
        auto *submit = control<QPushButton>(farewell, "cmdSubmit");
        QVERIFY(submit);
        submit->click();
        QVERIFY(refusals.seen.isEmpty());
        QCOMPARE(browser_->addresses.size(), 1);
        QCOMPARE(browser_->urls[0].host(), mainSiteHost());
        QCOMPARE(browser_->urls[0].path(), "/ovms-refer-a-friend.php");
        QCOMPARE(serverQuery(browser_->addresses[0]), referralQuery(texts, productSiteAddress()));
        QVERIFY(farewell->isVisible()); // sending leaves the window up
        QCOMPARE(ends_, 0);
    }

    void exitEndsTheProgram()
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
        QVERIFY(programWindows().isEmpty());
    }
};

QTEST_MAIN(TestSession)
#include "tst_session.moc"
