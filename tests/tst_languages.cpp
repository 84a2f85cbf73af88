// The program in German, French and Spanish: every window's texts fit the room the window gives
// them, the quiz scores alike in every language, and the message boxes and the referral checks
// speak the language of the windows.
#include "about/frmAbout.h"
#include "app/application.h"
#include "app/language.h"
#include "outreach/frmNagScreen2.h"
#include "outreach/referral.h"
#include "outreach/updateschedule.h"
#include "quiz/frmDisplay.h"
#include "quiz/frmMain.h"
#include "quiz/scoring.h"
#include "quiz/wrapradiobutton.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTest>

#include <functional>
#include <map>
#include <optional>

using namespace tressora;
using namespace testsupport;

namespace {

const QStringList kTranslated{QStringLiteral("de"), QStringLiteral("fr"), QStringLiteral("es")};

// One text of a window and the room it has there, both in pixels.
struct Fit {
    QString control;
    QString text;
    QSize needed;
    QSize room;
};

constexpr int kUnbounded = 100000;

QString shownText(const QString &caption)
{
    // A mnemonic's marker is not drawn; a doubled one is drawn once.
    QString text = caption;
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

QSize wrapped(const QFontMetrics &metrics, int width, const QString &text)
{
    return metrics.boundingRect(QRect(0, 0, width, kUnbounded), Qt::TextWordWrap, text).size();
}

// A control lies where the user can see it when it is shown and inside its parent; the quiz
// window's exit button and the referral form's message box sit outside on purpose.
bool seen(const QWidget *control, const QWidget *window)
{
    return control->isVisibleTo(window) &&
           control->parentWidget()->rect().intersects(control->geometry());
}

std::optional<Fit> labelFit(const QLabel *label)
{
    if (label->text().isEmpty())
        return {};
    const QFontMetrics metrics(label->font());
    const QRect room = label->contentsRect();
    const QString text = label->text(); // a label without a buddy draws its "&" as written
    if (label->property("autoSize").toBool()) {
        // A label that sizes itself must stay inside its parent.
        const QRect parent = label->parentWidget()->rect();
        const QRect at = label->geometry();
        return Fit{label->objectName(), text, at.size(),
                   QSize(parent.right() + 1 - at.x(), parent.bottom() + 1 - at.y())};
    }
    if (label->wordWrap())
        return Fit{label->objectName(), text, wrapped(metrics, room.width(), text), room.size()};
    return Fit{label->objectName(), text, metrics.boundingRect(QRect(), 0, text).size(),
               room.size()};
}

std::optional<Fit> buttonFit(const QAbstractButton *button)
{
    const QString text = shownText(button->text());
    if (text.isEmpty())
        return {};
    const QFontMetrics metrics(button->font());
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox *>(button))
        contents = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<const QRadioButton *>(button))
        contents = QStyle::SE_RadioButtonContents;
    const QRect room = button->style()->subElementRect(contents, &option, button);
    if (qobject_cast<const WrapRadioButton *>(button))
        return Fit{button->objectName(), text, wrapped(metrics, room.width(), text),
                   QSize(room.width(), button->height())};
    QSize needed = metrics.boundingRect(QRect(), 0, text).size();
    if (contents == QStyle::SE_PushButtonContents)
        needed.rwidth() += 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, &option,
                                                            button) - 2;
    return Fit{button->objectName(), text, needed, QSize(room.width(), button->height())};
}

std::optional<Fit> titleFit(const QGroupBox *box)
{
    if (box->title().isEmpty())
        return {};
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    option.textAlignment = box->alignment();
    const QRect label =
        box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    const QFontMetrics metrics(box->font());
    const int needed = metrics.horizontalAdvance(shownText(box->title()));
    // The title runs from the label's left edge to the box's right edge at most.
    return Fit{box->objectName(), box->title(), QSize(needed, 0),
               QSize(box->width() - label.x(), 0)};
}

// Every text of the window the user can see, with the room it has.
std::map<QString, Fit> fitsOf(QWidget *window)
{
    std::map<QString, Fit> fits;
    const auto add = [&fits](const std::optional<Fit> &fit) {
        if (fit)
            fits.emplace(fit->control, *fit);
    };
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (!seen(control, window))
            continue;
        if (const auto *label = qobject_cast<const QLabel *>(control))
            add(labelFit(label));
        else if (const auto *button = qobject_cast<const QAbstractButton *>(control))
            add(buttonFit(button));
        else if (const auto *box = qobject_cast<const QGroupBox *>(control))
            add(titleFit(box));
    }
    return fits;
}

// Each window, built afresh in the language installed, and filled the way the user sees it.
using WindowMaker = std::function<QWidget *(int variant)>;

struct WindowKind {
    const char *name;
    int variants; // the texts a window can show in turn, each checked
    WindowMaker make;
};

QWidget *quizWindow(int)
{
    return frmMain::instance();
}

QWidget *resultWindow(int variant)
{
    // Every verdict and every stress level once: the longest of each is among them.
    frmMain *quiz = frmMain::instance();
    quiz->findChild<QComboBox *>(QStringLiteral("cmbAge"))->setCurrentIndex(variant % 3 * 20);
    quiz->findChild<QComboBox *>(QStringLiteral("cmbStressLevel"))->setCurrentIndex(variant);
    quiz->findChild<QRadioButton *>(QStringLiteral("optImage_%1").arg(variant))->setChecked(true);
    quiz->cmdNext_Click();
    return frmDisplay::existing();
}

QWidget *referralWindow(int variant)
{
    frmNagScreen2 *window = frmNagScreen2::instance();
    window->findChild<QLabel *>(QStringLiteral("Label2"))
        ->setText(frmNagScreen2::supportMessages().at(variant));
    return window;
}

QWidget *aboutBox(int)
{
    auto *box = new frmAbout;
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box;
}

const WindowKind kWindows[] = {
    {"quiz", 1, quizWindow},
    {"result", 5, resultWindow},
    {"refer-a-friend", 4, referralWindow},
    {"about", 1, aboutBox},
};

const WindowKind &windowKind(const QString &name)
{
    for (const WindowKind &kind : kWindows) {
        if (name == QLatin1String(kind.name))
            return kind;
    }
    return kWindows[0];
}

std::map<QString, Fit> fitsIn(const WindowKind &kind, int variant)
{
    QWidget *window = kind.make(variant);
    window->show();
    const std::map<QString, Fit> fits = fitsOf(window);
    closeAllWindows();
    return fits;
}

// What one calculation shows in the result window.
struct Outcome {
    QString verdict;
    QString lossAge;
    QString stress;
    bool operator==(const Outcome &) const = default;
};

Outcome calculate(int stage, int stress, int age, int family)
{
    frmMain *quiz = frmMain::instance();
    quiz->findChild<QComboBox *>(QStringLiteral("cmbAge"))->setCurrentIndex(age - 1);
    quiz->findChild<QComboBox *>(QStringLiteral("cmbStressLevel"))->setCurrentIndex(stress);
    quiz->findChild<QRadioButton *>(QStringLiteral("optImage_%1").arg(stage))->setChecked(true);
    for (int r = 0; r < 3; ++r)
        quiz->findChild<QCheckBox *>(QStringLiteral("chkFamilyHistory_%1").arg(r))
            ->setChecked((family >> r & 1) != 0);
    QTest::mouseClick(quiz->findChild<QPushButton *>(QStringLiteral("cmdNext")), Qt::LeftButton);
    frmDisplay *result = frmDisplay::existing();
    const auto caption = [result](const char *name) {
        return result->findChild<QLabel *>(QLatin1String(name))->text();
    };
    Outcome outcome{caption("lblProbability"), caption("lblAge"), caption("lblLevelOfStress")};
    result->cmdBack_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return outcome;
}

// Every stage and stress level, at ages on both sides of forty and fifty, with and without
// relatives who lost their hair.
QList<Outcome> everyAnswer()
{
    QList<Outcome> outcomes;
    for (int stage = 0; stage < 5; ++stage)
        for (int stress = 0; stress < stressLevels().size(); ++stress)
            for (int age : {25, 39, 45, 55})
                for (int family : {0, 5, 7})
                    outcomes << calculate(stage, stress, age, family);
    return outcomes;
}

} // namespace

class tst_languages : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        installFontSubstitutions();
        setProcessEnder([] {});
    }
    void cleanup()
    {
        closeAllWindows();
        installTranslations(QLocale::c());
    }

    void translationsFound_data()
    {
        columns<QString, bool>("locale", "found");
        row("German", "de_DE", true);
        row("Austrian German", "de_AT", true);
        row("French", "fr_FR", true);
        row("Canadian French", "fr_CA", true);
        row("Spanish", "es_ES", true);
        row("Mexican Spanish", "es_MX", true);
        row("C", "C", false);
        row("English", "en_US", false);
        row("Italian", "it_IT", false);
    }
    void translationsFound()
    {
        const auto [locale, found] = fetch<QString, bool>("locale", "found");
        QCOMPARE(installTranslations(QLocale(locale)), found);
        // Without a translation every text is the program's own; with one, none of the
        // window's fixed texts is left in English.
        frmMain *quiz = frmMain::instance();
        const QString english = QStringLiteral("Calculate My Hair Loss");
        QCOMPARE(quiz->findChild<QPushButton *>(QStringLiteral("cmdNext"))->text() == english,
                 !found);
        QCOMPARE(quiz->menuBar()->actions().first()->text() == QLatin1String("&File"), !found);
    }

    // The texts of every window fit the room the window has for them. Where the window's own
    // English text already needs more room than it has, the translation may need as much as
    // the English does, and no more.
    void textsFit_data()
    {
        columns<QString, QString>("window", "language");
        for (const WindowKind &kind : kWindows)
            for (const QString &language : kTranslated)
                row(qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(kind.name), language)),
                    QString::fromLatin1(kind.name), language);
    }
    void textsFit()
    {
        const auto [window, language] = fetch<QString, QString>("window", "language");
        const WindowKind &kind = windowKind(window);
        for (int variant = 0; variant < kind.variants; ++variant) {
            installTranslations(QLocale::c());
            const std::map<QString, Fit> english = fitsIn(kind, variant);
            QVERIFY(installTranslations(QLocale(language)));
            const std::map<QString, Fit> translated = fitsIn(kind, variant);
            QVERIFY(!translated.empty());
            QCOMPARE(translated.size(), english.size());
            for (const auto &[control, fit] : translated) {
                const Fit &original = english.at(control);
                const QSize room = fit.room.expandedTo(original.needed);
                if (fit.needed.width() > room.width() || fit.needed.height() > room.height())
                    QFAIL(qPrintable(QStringLiteral("%1 (variant %2): \"%3\" needs %4x%5, has %6x%7")
                                         .arg(control)
                                         .arg(variant)
                                         .arg(fit.text)
                                         .arg(fit.needed.width())
                                         .arg(fit.needed.height())
                                         .arg(room.width())
                                         .arg(room.height())));
            }
        }
    }

    // The quiz, driven through its controls, gives every answer the same verdict and loss age
    // in every language, shown in that language.
    void sameResultInEveryLanguage_data()
    {
        columns<QString>("language");
        for (const QString &language : kTranslated)
            row(qPrintable(language), language);
    }
    void sameResultInEveryLanguage()
    {
        const auto [language] = fetch<QString>("language");
        installTranslations(QLocale::c());
        const QList<Outcome> english = everyAnswer();
        closeAllWindows();
        QVERIFY(installTranslations(QLocale(language)));
        const QList<Outcome> translated = everyAnswer();
        QCOMPARE(translated.size(), english.size());
        for (qsizetype i = 0; i < english.size(); ++i) {
            const Outcome &en = english.at(i);
            const Outcome expected{verdictText(en.verdict), en.lossAge,
                                   stressLevelText(static_cast<int>(stressLevels().indexOf(en.stress)))};
            QCOMPARE(translated.at(i), expected);
            QVERIFY(translated.at(i).verdict != en.verdict);
            QVERIFY(translated.at(i).stress != en.stress);
        }
    }

    // The referral's checks recognise the placeholders the form shows in the language.
    void placeholdersAsShown_data()
    {
        columns<QString>("language");
        row("C", QStringLiteral("C"));
        for (const QString &language : kTranslated)
            row(qPrintable(language), language);
    }
    void placeholdersAsShown()
    {
        const auto [language] = fetch<QString>("language");
        installTranslations(QLocale(language));
        frmNagScreen2 *window = frmNagScreen2::instance();
        const auto shown = [window](const char *box) {
            return window->findChild<QLineEdit *>(QLatin1String(box))->text();
        };
        const ReferralText filled{QStringLiteral("Ann"), QStringLiteral("ann@example.org"),
                                  QStringLiteral("Hello"), QStringLiteral("Bob"),
                                  QStringLiteral("bob@example.org")};
        QVERIFY(fillRefusal(filled).isEmpty());
        const std::pair<QString ReferralText::*, const char *> boxes[] = {
            {&ReferralText::name, "txtName"},
            {&ReferralText::email, "txtEmail"},
            {&ReferralText::friendName, "txtFriendName"},
            {&ReferralText::friendEmail, "txtFriendEmail"},
        };
        QStringList refusals;
        for (const auto &[field, box] : boxes) {
            ReferralText text = filled;
            text.*field = shown(box);
            refusals << fillRefusal(text);
            QVERIFY2(!refusals.last().isEmpty(), box);
        }
        refusals.removeDuplicates();
        QCOMPARE(refusals.size(), 4);
    }

    // The update question is asked in the language, its two sentences still parted by one lone
    // carriage return, as the English is.
    void updateQuestionKeepsItsBreak_data()
    {
        columns<QString, bool>("language", "translated");
        row("C", QStringLiteral("C"), false);
        for (const QString &language : kTranslated)
            row(qPrintable(language), language, true);
    }
    void updateQuestionKeepsItsBreak()
    {
        const auto [language, translated] = fetch<QString, bool>("language", "translated");
        installTranslations(QLocale::c());
        const QString english = updateQuestion();
        installTranslations(QLocale(language));
        const QString question = updateQuestion();
        QCOMPARE(question != english, translated);
        QCOMPARE(question.count(QLatin1Char('\r')), 1);
        QVERIFY(!question.contains(QLatin1Char('\n')));
        QVERIFY(!question.startsWith(QLatin1Char('\r')) && !question.endsWith(QLatin1Char('\r')));
    }

    // Qt's own texts follow: the message boxes' buttons are in the program's language.
    void messageBoxButtons_data()
    {
        columns<QString, QString, QString>("language", "yes", "no");
        row("C", QStringLiteral("C"), QStringLiteral("&Yes"), QStringLiteral("&No"));
        row("de", QStringLiteral("de"), QStringLiteral("&Ja"), QStringLiteral("&Nein"));
        row("fr", QStringLiteral("fr"), QStringLiteral("&Oui"), QStringLiteral("&Non"));
        row("es", QStringLiteral("es"), QStringLiteral("&Sí"), QStringLiteral("&No"));
    }
    void messageBoxButtons()
    {
        const auto [language, yes, no] = fetch<QString, QString, QString>("language", "yes", "no");
        installTranslations(QLocale(language));
        QMessageBox box(QMessageBox::Information, QString(), QString(),
                        QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), yes);
        QCOMPARE(box.button(QMessageBox::No)->text(), no);
    }
};

QTEST_MAIN(tst_languages)
#include "tst_languages.moc"
