// The program as screen readers meet it over AT-SPI, on a private session bus (the test runs
// under dbus-run-session, which starts the accessibility bus on demand): accessible-lists.py reads
// the quiz window's accessible tree the way a reader does, and Debian's own screen reader, Orca,
// is driven as a blind user drives it, by the keyboard alone, with what it says read from its log.
#include "common.h"
#include "tables.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>

#include <unistd.h>

using namespace e2e;
using namespace testsupport;
using namespace Qt::StringLiterals;

namespace {

struct List {
    QString name;
    QStringList labels; // the labels it is labelled by
    QString text;       // what its text interface holds
};

// Orca with its default settings, speaking to no one: with the speech-dispatcher client made
// unimportable (orca/speechd.py), it writes every utterance to its debug log as
// "SPEECH OUTPUT: '...'", and orca/sitecustomize.py has the log written line by line. The log
// goes where TRESSORA_E2E_ORCA_LOG names, when set, to be read after the run (what Orca got and
// why it stayed silent); otherwise into a folder removed with it.
class Orca {
public:
    Orca()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *folder : {"home", "runtime"})
            QDir(home_.path()).mkpath(QLatin1String(folder));
        QFile::setPermissions(home_.filePath(u"runtime"_s),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        environment.insert(u"HOME"_s, home_.filePath(u"home"_s));
        environment.insert(u"XDG_RUNTIME_DIR"_s, home_.filePath(u"runtime"_s));
        environment.remove(u"XDG_CONFIG_HOME"_s);
        environment.remove(u"XDG_DATA_HOME"_s);
        environment.insert(u"LANG"_s, u"C.UTF-8"_s); // Orca's own words stay English
        environment.remove(u"LANGUAGE"_s);
        environment.remove(u"LC_ALL"_s);
        environment.insert(u"PYTHONPATH"_s, QDir(env("TRESSORA_E2E_SOURCE")).filePath(u"orca"_s));
        environment.insert(u"TRESSORA_ORCA_LOG"_s, log_);
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.setStandardOutputFile(QProcess::nullDevice());
        // --replace ends every other Orca it can see; in a process namespace of its own, with a
        // /proc of its own, it sees only itself, so screen readers elsewhere on the machine are
        // left alone. The new /proc goes on a private copy of the old one: inside a chroot the
        // root folder is no mount point, and unshare could not make it private.
        QStringList arguments = {u"--pid"_s,   u"--fork"_s,        u"--kill-child"_s,
                                 u"--mount"_s, u"--propagation"_s, u"unchanged"_s};
        if (::geteuid() != 0)
            arguments.prepend(u"--map-root-user"_s);
        arguments << u"sh"_s << u"-c"_s
                  << u"mount --make-private /proc && mount -t proc proc /proc && exec \"$@\""_s
                  << u"sh"_s << u"orca"_s << u"--replace"_s << u"--debug-file="_s + log_;
        process_.start(u"unshare"_s, arguments);
        process_.waitForStarted();
    }
    ~Orca()
    {
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished();
        }
    }

    // Waits until Orca has announced itself.
    bool ready()
    {
        return waitUntil([this] { return !utterances().isEmpty(); }, 60000);
    }

    // Everything said so far, one utterance an entry.
    QStringList utterances() const
    {
        static const QRegularExpression said(
            u"SPEECH OUTPUT: '(.*)'\\s*(\\{[^}]*\\}|None|\\[.*)?\\s*$"_s);
        QStringList heard;
        for (const QString &line : fileLines(log_)) {
            const auto match = said.match(line);
            if (match.hasMatch())
                heard << match.captured(1);
        }
        return heard;
    }

    // Waits until Orca has said nothing for a while.
    void settle(int quietMs = 1000)
    {
        qsizetype count = utterances().size();
        QDeadlineTimer quiet(quietMs);
        waitUntil(
            [&] {
                const qsizetype now = utterances().size();
                if (now != count) {
                    count = now;
                    quiet.setRemainingTime(quietMs);
                }
                return quiet.hasExpired();
            },
            30000);
    }

private:
    QTemporaryDir home_;
    QString log_ = env("TRESSORA_E2E_ORCA_LOG").isEmpty() ? home_.filePath(u"orca.log"_s)
                                                          : env("TRESSORA_E2E_ORCA_LOG");
    QProcess process_;
};

// Where in what was heard the phrases come, one after the other, each as whole words; -1 for
// the first that does not come.
qsizetype firstUnheard(const QStringList &heard, const QStringList &phrases)
{
    const QString all = heard.join(u'\n');
    qsizetype from = 0;
    for (qsizetype i = 0; i < phrases.size(); ++i) {
        const QRegularExpression phrase(u"(?<!\\w)"_s + QRegularExpression::escape(phrases.at(i)) +
                                            u"(?!\\w)"_s,
                                        QRegularExpression::UseUnicodePropertiesOption);
        const auto match = phrase.match(all, from);
        if (!match.hasMatch())
            return i;
        from = match.capturedEnd();
    }
    return -1;
}

// How a row that needs a start of its own begins: with the update prompt asking, or with a second
// copy started while the first one runs.
enum class Start { UpdatePrompt, SecondCopy };

} // namespace

Q_DECLARE_METATYPE(Start)

class EndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        checkTools({"xdotool", "/usr/bin/python3"});
        QVERIFY2(!env("DBUS_SESSION_BUS_ADDRESS").isEmpty(), "run under dbus-run-session");
        sandbox_.environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, env("DBUS_SESSION_BUS_ADDRESS"));
        // Qt answers screen readers once one says so over the bus, or when told to here.
        sandbox_.environment.insert(u"QT_LINUX_ACCESSIBILITY_ALWAYS_ON"_s, u"1"_s);
        copy_.emplace(sandbox_);
        STEP(copy_->start());

        QProcess reader;
        reader.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        reader.start(u"/usr/bin/python3"_s,
                     {QDir(env("TRESSORA_E2E_SOURCE")).filePath(u"accessible-lists.py"_s),
                      QFileInfo(sandbox_.program).fileName(), u"Tressora v1.0"_s, u"20"_s});
        QVERIFY(reader.waitForFinished(60000));
        const QStringList lines = QString::fromUtf8(reader.readAllStandardOutput()).split('\n');
        QVERIFY2(reader.exitCode() == 0, qPrintable(lines.join('\n')));
        for (const QString &line : lines) {
            const QStringList fields = line.split('\t');
            if (fields.value(0) == "window"_L1)
                window_ = fields.value(1);
            else if (fields.value(0) == "combo"_L1)
                lists_.append({fields.value(1), fields.value(2).split('|', Qt::SkipEmptyParts),
                               fields.value(3)});
        }
        STEP(copy_->leave());
    }

    void quizWindowReachable()
    {
        QCOMPARE(window_, u"Tressora v1.0"_s);
        QCOMPARE(lists_.size(), 3);
    }

    void listNamedAfterItsLabel_data()
    {
        columns<QString, QString>("label", "shown");
        row("age", u"Age"_s, u"1"_s);
        row("sex", u"Sex"_s, u"Male"_s);
        row("stress", u"Level of Stress"_s, u"No Stress"_s);
    }

    void listNamedAfterItsLabel()
    {
        const auto [label, shown] = fetch<QString, QString>("label", "shown");
        QList<List> labelled;
        for (const List &list : std::as_const(lists_))
            if (list.labels.contains(label))
                labelled.append(list);
        QVERIFY2(labelled.size() == 1, "no single list is labelled by it");
        // Named after what it asks, not after the entry it shows, which is its text.
        QCOMPARE(labelled.first().name, label);
        QCOMPARE(labelled.first().text, shown);
    }

    // What Orca says, with its default settings, as a blind user walks the whole program by the
    // keyboard alone: one Orca and one copy of the program for every row of a language, from the
    // first Tab in the quiz window to the end in the farewell window, so that what builds up over
    // a session is met as the user meets it. Each row presses its keys in whatever window has
    // the focus, after Orca has fallen silent, and the phrases must be heard in that order, each as
    // whole words, in what Orca says after them. A word in braces is what Orca calls a kind of
    // control, in the words of the release that runs (readerWords). The last row of a road ends
    // the program, which must then end by itself with code 0.
    void heardOnTheRoad_data()
    {
        roadColumns();
        road(english);
    }
    void heardOnTheRoad() { walk(); }

    // The same road in each translation, a new Orca and a new copy for each language.
    void heardOnTheRoadTranslated_data()
    {
        roadColumns();
        road(german);
        road(french);
        road(spanish);
    }
    void heardOnTheRoadTranslated() { walk(); }

    // What no session can reach once the quiz window is up: the program starting with the update
    // prompt asking, and a second copy started while the first one runs. Each row meets a new Orca
    // and a new copy, started as the row says.
    void heardAtStart_data()
    {
        columns<Start, QStringList>("start", "phrases");
        row("update prompt", Start::UpdatePrompt,
            QStringList{"alert Tressora", "There maybe an update to this software available",
                        "Do you want to check for an update?", "Yes {push button}"});
        row("second copy", Start::SecondCopy,
            QStringList{"alert Tressora", "Application is already running", "OK {push button}"});
    }

    void heardAtStart()
    {
        auto [start, phrases] = fetch<Start, QStringList>("start", "phrases");
        STEP(inReadersWords(phrases));
        session_.reset();
        Orca orca;
        QVERIFY2(orca.ready(), "Orca did not start");
        Sandbox sandbox;
        readerSandbox(sandbox, QString());
        if (start == Start::UpdatePrompt)
            writeDuration(sandbox.settingsFile(), u"2001-01-01T00:00:00"_s);
        orca.settle();
        qsizetype mark = orca.utterances().size();
        Copy copy(sandbox);
        std::optional<Copy> second;
        if (start == Start::UpdatePrompt) {
            QVERIFY2(waitForWindow(messageBoxPattern, copy.pid()), "no update prompt");
        } else {
            STEP(copy.start(false, "no quiz window"));
            orca.settle();
            mark = orca.utterances().size();
            second.emplace(sandbox);
            QVERIFY2(waitForWindow(messageBoxPattern, second->pid()), "no message box");
        }
        STEP(expectHeard(orca, mark, phrases));
    }

private:
    // What a road says in one language: the program's own words for each step of it.
    struct Road {
        QString language; // empty: English
        QString stress, noStress, littleStress, sex, male, female, age;
        QString firstPicture; // the head picture chosen at the start
        QString calculate;
        QStringList result; // the result window as it opens, age 50 with no stress
        Keys back, help, about, exit, refer;
        QStringList aboutBox; // a few of its words, in reading order
        QString farewell;     // a word of every support message
        QStringList stops;    // the farewell window's Tab stops after Exit, as heard
        QStringList refusal;  // the message box refusing a referral without addresses
    };

    // The tables read best a few fields a line.
    // clang-format off
    static inline const Road english = {
        {}, u"Level of Stress"_s, u"No Stress"_s, u"Little Stress"_s, u"Sex"_s, u"Male"_s,
        u"Female"_s, u"Age"_s, u"Full Head of Hair"_s, u"Calculate My Hair Loss"_s,
        {u"Age"_s, u"50"_s, u"Level Of Stress"_s, u"No Stress"_s, u"Chances of Losing Hair"_s,
         u"Quite Possibly"_s, u"You will most likely lose all your hair by the age of"_s, u"80"_s,
         u"Back {push button}"_s},
        {u"alt+b"_s}, {u"alt+h"_s}, {u"a"_s}, {u"alt+x"_s}, {u"alt+n"_s},
        {u"Tressora calculates your chances of losing your hair"_s, u"Copyright"_s,
         u"OK {push button}"_s},
        u"Orvane regularly"_s,
        {u"Click Here To Visit Orvane Now {push button}"_s, u"Your Name text"_s,
         u"Refer A Friend Now {push button}"_s, u"Your Email Address text"_s,
         u"Friend's Email Address text"_s, u"Friend's Name text"_s, u"Your Message text"_s,
         u"Exit {push button}"_s},
        {u"Please Enter Proper Email Address"_s, u"OK {push button}"_s}};

    static inline const Road german = {
        u"de"_s, u"Stresslevel"_s, u"Kein Stress"_s, u"Wenig Stress"_s, u"Geschlecht"_s,
        u"Mann"_s, u"Frau"_s, u"Alter"_s, u"Volles Haar"_s, u"Haarausfall berechnen"_s,
        {u"Alter"_s, u"50"_s, u"Stresslevel"_s, u"Kein Stress"_s, u"Risiko für Haarausfall"_s,
         u"Gut möglich"_s, u"Du verlierst wahrscheinlich alle Haare bis zum Alter von"_s, u"80"_s,
         u"Zurück {push button}"_s},
        {u"alt+z"_s}, {u"alt+h"_s}, {u"s"_s}, {u"alt+b"_s}, {u"alt+e"_s},
        {u"Tressora berechnet anhand von Alter und Stresslevel"_s, u"Copyright"_s,
         u"OK {push button}"_s},
        u"regelmäßig"_s,
        {u"Hier klicken und Orvane jetzt besuchen {push button}"_s, u"Dein Name text"_s,
         u"Jetzt empfehlen {push button}"_s, u"Deine E-Mail-Adresse text"_s,
         u"E-Mail-Adresse deines Freundes text"_s, u"Name deines Freundes text"_s,
         u"Deine Nachricht text"_s, u"Beenden {push button}"_s},
        {u"Bitte gib eine gültige E-Mail-Adresse ein"_s, u"OK {push button}"_s}};

    static inline const Road french = {
        u"fr"_s, u"Niveau de stress"_s, u"Aucun stress"_s, u"Peu de stress"_s, u"Sexe"_s,
        u"Homme"_s, u"Femme"_s, u"Âge"_s, u"Chevelure abondante"_s, u"Calculer ma calvitie"_s,
        {u"Âge"_s, u"50"_s, u"Niveau de stress"_s, u"Aucun stress"_s,
         u"Risque de perdre vos cheveux"_s, u"Fort possible"_s,
         u"Vous perdrez sans doute tous vos cheveux d'ici l'âge de"_s, u"80"_s,
         u"Retour {push button}"_s},
        {u"alt+r"_s}, {u"alt+a"_s}, {u"p"_s}, {u"alt+q"_s}, {u"alt+m"_s},
        {u"Tressora calcule vos risques de perdre vos cheveux"_s, u"Copyright"_s,
         u"OK {push button}"_s},
        u"régulièrement"_s,
        {u"Cliquez ici pour visiter Orvane dès maintenant {push button}"_s, u"Votre nom text"_s,
         u"Recommander maintenant {push button}"_s, u"Votre adresse e-mail text"_s,
         u"Adresse e-mail de votre ami text"_s, u"Nom de votre ami text"_s,
         u"Votre message text"_s, u"Quitter {push button}"_s},
        {u"Veuillez saisir une adresse e-mail valide"_s, u"OK {push button}"_s}};

    static inline const Road spanish = {
        u"es"_s, u"Nivel de estrés"_s, u"Sin estrés"_s, u"Poco estrés"_s, u"Sexo"_s,
        u"Hombre"_s, u"Mujer"_s, u"Edad"_s, u"Pelo abundante"_s, u"Calcular mi caída de pelo"_s,
        {u"Edad"_s, u"50"_s, u"Nivel de estrés"_s, u"Sin estrés"_s,
         u"Probabilidad de perder el pelo"_s, u"Bastante posible"_s,
         u"Lo más probable es que pierdas todo el pelo a la edad de"_s, u"80"_s,
         u"Volver {push button}"_s},
        {u"alt+v"_s}, {u"alt+y"_s}, {u"p"_s}, {u"alt+s"_s}, {u"alt+a"_s},
        {u"Tressora calcula tus probabilidades de perder el pelo"_s, u"Copyright"_s,
         u"Aceptar {push button}"_s},
        u"a menudo"_s,
        {u"Haz clic aquí para visitar Orvane ahora {push button}"_s, u"Tu nombre text"_s,
         u"Recomendar ahora {push button}"_s, u"Tu correo electrónico text"_s,
         u"Correo de tu amigo text"_s, u"Nombre de tu amigo text"_s, u"Tu mensaje text"_s,
         u"Salir {push button}"_s},
        {u"Escribe una dirección de correo válida"_s, u"Aceptar {push button}"_s}};
    // clang-format on

    // In a row's keys: the menu opened by the keys before is on screen.
    static inline const QString menuOpen = u"(menu open)"_s;
    static inline const QString anyName = u"^"_s; // a pop-up may have no name of its own

    static void roadColumns()
    {
        columns<QString, Keys, QStringList, bool>("language", "keys", "phrases", "ends");
    }

    // The road, step by step. The program starts with the focus on Exit; every list is tried
    // with each key that moves in it, then left as it was found, so that the result is the one
    // for age 50 without stress. The result window is reached once by Space, which presses the
    // button as the key goes up, and once by Return, which presses it as the key goes down.
    static void road(const Road &r)
    {
        const QString name = r.language.isEmpty() ? u"English"_s : r.language;
        const auto step = [&](const char *what, const Keys &keys, const QStringList &phrases,
                              bool ends = false) {
            QTest::newRow(qPrintable(u"%1: %2"_s.arg(name, QLatin1String(what))))
                << r.language << keys << phrases << ends;
        };
        const QString list = u"%1 combo box"_s;
        step("the stress list", {"Tab"}, {list.arg(r.stress), r.noStress});
        step("stress list, Down", {"Down"}, {r.littleStress});
        step("stress list, Up", {"Up"}, {r.noStress});
        step("the sex list", {"Tab"}, {list.arg(r.sex), r.male});
        step("sex list, Down", {"Down"}, {r.female});
        step("sex list, Up", {"Up"}, {r.male});
        step("the age list", {"Tab"}, {list.arg(r.age), u"1"_s});
        step("age list, Down", {"Down"}, {u"2"_s});
        step("age list, End", {"End"}, {u"120"_s});
        step("age list, Up", {"Up"}, {u"119"_s});
        step("age list, Home", {"Home"}, {u"1"_s});
        step("age list, typed", {"3", "5"}, {u"35"_s});
        step("age list, Down after typing", {"Down"}, {u"36"_s});
        step("age list, 50 typed", {"5", "0"}, {u"50"_s});
        step("the head pictures", {"Tab"}, {r.firstPicture, u"radio button"_s});
        step("Calculate", {"Tab"}, {r.calculate + u" {push button}"_s});
        step("Calculate by Space", {"space"},
             QStringList{u"alert"_s, u"Tressora v1.0"_s} + r.result);
        step("the result read again", {"KP_Add", "KP_Add"}, r.result.mid(0, 8));
        step("Back", r.back, {u"Tressora v1.0 frame"_s, r.calculate + u" {push button}"_s});
        step("Calculate by Return", {"Return"},
             QStringList{u"alert"_s, u"Tressora v1.0"_s} + r.result);
        step("Back again", r.back, {u"Tressora v1.0 frame"_s, r.calculate + u" {push button}"_s});
        step("the about box", r.help + QStringList{menuOpen} + r.about,
             QStringList{u"Tressora v1.0 dialog"_s} + r.aboutBox);
        step("the about box closed", {"Escape"},
             {u"Tressora v1.0"_s, r.calculate + u" {push button}"_s});
        step("Exit", r.exit, {u"Tressora v1.0 dialog"_s, r.farewell, r.stops.last()});
        for (qsizetype i = 0; i < r.stops.size(); ++i)
            step(qPrintable(u"farewell, Tab %1"_s.arg(i + 1)), {"Tab"}, {r.stops.at(i)});
        step("a referral without addresses", r.refer, QStringList{u"alert Tressora"_s} + r.refusal);
        step("the refusal closed", {"Return"}, {u"Tressora v1.0 dialog"_s, r.stops.last()});
        step("the end", r.exit, {}, true);
    }

    // One reader and one copy of the program, in one language. The copy ends first, then its
    // home, then Orca.
    struct Session {
        explicit Session(const QString &in)
            : language(in)
        {}
        QString language;
        Orca orca;
        Sandbox sandbox;
        std::unique_ptr<Copy> copy;
    };

    // A reader's program: on the test's session bus, answering readers at once, in the language.
    static void readerSandbox(Sandbox &sandbox, const QString &language)
    {
        sandbox.environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, env("DBUS_SESSION_BUS_ADDRESS"));
        sandbox.environment.insert(u"QT_LINUX_ACCESSIBILITY_ALWAYS_ON"_s, u"1"_s);
        if (!language.isEmpty()) {
            const QString locale = language + u'_' + language.toUpper() + u".UTF-8"_s;
            sandbox.environment.insert(u"LANG"_s, locale);
            sandbox.environment.insert(u"LC_MESSAGES"_s, locale);
            sandbox.environment.insert(u"LANGUAGE"_s, language);
        }
    }

    // A new Orca, then a new copy of the program in the language, up to its quiz window. Orca 48
    // marks an object it finds gone by the object's place in its own memory and forgets the marks
    // only once a minute, so the objects of a copy started soon after another had ended, landing
    // where the old ones were, would be taken as gone too: each copy meets an Orca of its own.
    void startSession(const QString &language)
    {
        session_.reset();
        session_ = std::make_unique<Session>(language);
        QVERIFY2(session_->orca.ready(), "Orca did not start");
        readerSandbox(session_->sandbox, language);
        session_->orca.settle();
        session_->copy = std::make_unique<Copy>(session_->sandbox);
        STEP(session_->copy->start(false, "no quiz window"));
        session_->orca.settle();
        focusWindow(session_->copy->window);
    }

    void walk()
    {
        auto [language, keys, phrases, ends] =
            fetch<QString, Keys, QStringList, bool>("language", "keys", "phrases", "ends");
        STEP(inReadersWords(phrases));
        checkTools({"orca", "unshare"});
        if (!session_ || session_->language != language || !session_->copy ||
            !session_->copy->running())
            STEP(startSession(language));
        Orca &orca = session_->orca;
        orca.settle();
        const qsizetype mark = orca.utterances().size();
        STEP(pressKeysAsUser(keys, session_->copy->pid()));
        if (ends) {
            QVERIFY2(session_->copy->waitForCleanExit(), "the program does not end with code 0");
            return;
        }
        STEP(expectHeard(orca, mark, phrases));
    }

    // Presses the keys; where the menu is to be open first, waits as a user does until its pop-up
    // is on screen (Orca 43 says nothing as a menu opens, so there is nothing to listen for).
    static void pressKeysAsUser(const Keys &keys, qint64 pid)
    {
        const qsizetype open = keys.indexOf(menuOpen);
        if (open < 0)
            return pressKeys(keys);
        const qsizetype before = visibleWindows(anyName, pid).size();
        pressKeys(keys.mid(0, open));
        QVERIFY2(waitUntil([&] { return visibleWindows(anyName, pid).size() > before; }, 10000),
                 qPrintable(u"no menu opens after %1"_s.arg(keys.mid(0, open).join(u' '))));
        pressKeys(keys.mid(open + 1));
    }

    // The phrases with each word in braces put in the running release's words.
    static void inReadersWords(QStringList &phrases)
    {
        const int major = orcaMajorVersion();
        if (const QString unknown = readerWords(phrases, major); !unknown.isEmpty())
            QFAIL(qPrintable(u"no words known for %1 in Orca %2"_s.arg(unknown).arg(major)));
    }

    // Waits until Orca has said the phrases, in order, since the mark.
    static void expectHeard(const Orca &orca, qsizetype mark, const QStringList &phrases)
    {
        QStringList heard;
        qsizetype unheard = 0;
        waitUntil(
            [&] {
                heard = orca.utterances().mid(mark);
                return (unheard = firstUnheard(heard, phrases)) < 0;
            },
            20000);
        if (unheard < 0)
            return;
        QStringList shown; // what was on screen, to tell a silent reader from a missing window
        for (const Window &window : visibleWindows(anyName))
            shown << u"%1 (%2 px)"_s.arg(window.name).arg(window.width);
        QFAIL(qPrintable(u"not heard: \"%1\"; heard: \"%2\"; on screen: %3"_s.arg(
            phrases.value(unheard), heard.join(u"\" \""_s), shown.join(u", "_s))));
    }

    static int orcaMajorVersion()
    {
        static const int major = [] {
            QProcess version;
            version.start(u"orca"_s, {u"--version"_s});
            if (!version.waitForFinished(30000))
                return 0;
            static const QRegularExpression number(u"(\\d+)\\."_s);
            return number.match(QString::fromUtf8(version.readAllStandardOutput()))
                .captured(1)
                .toInt();
        }();
        return major;
    }

    // What Orca calls a kind of control, by release: it takes the words from AT-SPI, whose names
    // for roles Debian 13 shortened. Empty when the release is not one of these.
    static QString readerWord(const QString &word, int major)
    {
        struct Word {
            const char16_t *word;
            const char16_t *orca43; // Debian 12
            const char16_t *orca48; // Debian 13
        };
        static constexpr Word words[] = {{u"push button", u"push button", u"button"}};
        for (const Word &known : words) {
            if (word == QStringView(known.word))
                return major == 43   ? QString::fromUtf16(known.orca43)
                       : major == 48 ? QString::fromUtf16(known.orca48)
                                     : QString();
        }
        return QString();
    }

    // The phrases with each word in braces put in the release's words; the first word it has
    // none for, in braces, if any.
    static QString readerWords(QStringList &phrases, int major)
    {
        static const QRegularExpression braced(u"\\{([^}]*)\\}"_s);
        for (QString &phrase : phrases) {
            QString spoken;
            qsizetype from = 0;
            for (auto it = braced.globalMatch(phrase); it.hasNext();) {
                const auto match = it.next();
                const QString word = readerWord(match.captured(1), major);
                if (word.isEmpty())
                    return match.captured(0);
                spoken += phrase.mid(from, match.capturedStart() - from) + word;
                from = match.capturedEnd();
            }
            phrase = spoken + phrase.mid(from);
        }
        return QString();
    }

    Sandbox sandbox_;
    std::optional<Copy> copy_;
    std::unique_ptr<Session> session_;
    QString window_;
    QList<List> lists_;
};

QTEST_GUILESS_MAIN(EndToEnd)
#include "accessibility.moc"
