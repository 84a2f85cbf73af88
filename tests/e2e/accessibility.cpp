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

// How a row begins: at the quiz window; with the update prompt asking; or with a second copy
// started while the first one runs.
enum class Start { Quiz, UpdatePrompt, SecondCopy };

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

    // What Orca says, with its default settings, as the keys are pressed: the row's prelude
    // brings the program where the row starts, step by step (the keys of a step, separated by
    // blanks, pressed at once), each step followed by a pause for Orca to speak,
    // then the keys are pressed and the phrases must be heard in that order, each as whole words,
    // in what Orca says after them (without keys: as the row's start opens a window). A word in
    // braces is what Orca calls a kind of control, in the words of the release that runs
    // (readerWords). Three tables, each a test of its own. The lists: Tab, arrows, Home, End and
    // typing.
    void heardLists_data()
    {
        heardColumns();
        row("stress list, Tab", Start::Quiz, QString(), Keys(), Keys{"Tab"},
            QStringList{"Level of Stress combo box", "No Stress"});
        row("sex list, Tab", Start::Quiz, QString(), Keys{"Tab"}, Keys{"Tab"},
            QStringList{"Sex combo box", "Male"});
        row("age list, Tab", Start::Quiz, QString(), Keys{"Tab", "Tab"}, Keys{"Tab"},
            QStringList{"Age combo box", "1"});
        row("age list, Down", Start::Quiz, QString(), toAge + Keys{"Tab"}, Keys{"Down"},
            QStringList{"2"});
        row("age list, End", Start::Quiz, QString(), toAge + Keys{"Tab"}, Keys{"End"},
            QStringList{"120"});
        row("age list, Home", Start::Quiz, QString(), toAge + Keys{"Tab", "End"}, Keys{"Home"},
            QStringList{"1"});
        row("age list, Up", Start::Quiz, QString(), toAge + Keys{"Tab", "End"}, Keys{"Up"},
            QStringList{"119"});
        row("age list, typed", Start::Quiz, QString(), toAge + Keys{"Tab"}, Keys{"3", "5"},
            QStringList{"35"});
        row("age list, Down after typing", Start::Quiz, QString(), toAge + Keys{"Tab", "7"},
            Keys{"Down"}, QStringList{"8"});
        row("sex list, Down", Start::Quiz, QString(), Keys{"Tab", "Tab"}, Keys{"Down"},
            QStringList{"Female"});
        row("stress list, Down", Start::Quiz, QString(), Keys{"Tab"}, Keys{"Down"},
            QStringList{"Little Stress"});
    }
    void heardLists() { hear(); }

    // The result and farewell windows and the message boxes.
    void heardWindows_data()
    {
        heardColumns();
        row("result, on opening", Start::Quiz, QString(), toCalculate, Keys{"Return"}, result50);
        row("result, read again", Start::Quiz, QString(), toCalculate + Keys{"Return"},
            Keys{"KP_Add", "KP_Add"}, result50.mid(2, 8));
        row("farewell, on opening", Start::Quiz, QString(), Keys(), Keys{"alt+x"},
            QStringList{"Tressora v1.0 dialog", "Orvane regularly", "Exit {push button}"});
        row("farewell, visit button", Start::Quiz, QString(), Keys{"alt+x"}, Keys{"Tab"},
            QStringList{"Click Here To Visit Orvane Now {push button}"});
        row("farewell, your name", Start::Quiz, QString(), Keys{"alt+x", "Tab"}, Keys{"Tab"},
            QStringList{"Your Name text"});
        row("farewell, send button", Start::Quiz, QString(), Keys{"alt+x", "Tab", "Tab"},
            Keys{"Tab"}, QStringList{"Refer A Friend Now {push button}"});
        row("farewell, your e-mail", Start::Quiz, QString(), Keys{"alt+x", "Tab", "Tab", "Tab"},
            Keys{"Tab"}, QStringList{"Your Email Address text"});
        row("farewell, friend's e-mail", Start::Quiz, QString(),
            Keys{"alt+x", "Tab", "Tab", "Tab", "Tab"}, Keys{"Tab"},
            QStringList{"Friend's Email Address text"});
        row("farewell, friend's name", Start::Quiz, QString(),
            Keys{"alt+x", "Tab", "Tab", "Tab", "Tab", "Tab"}, Keys{"Tab"},
            QStringList{"Friend's Name text"});
        row("farewell, message", Start::Quiz, QString(),
            Keys{"alt+x", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab"}, Keys{"Tab"},
            QStringList{"Your Message text", "Your Message"});
        row("farewell, refusal", Start::Quiz, QString(), Keys{"alt+x", "Tab", "Tab", "Tab"},
            Keys{"Return"},
            QStringList{"alert Tressora", "Please Enter Proper Email Address", "OK {push button}"});
        row("update prompt", Start::UpdatePrompt, QString(), Keys(), Keys(),
            QStringList{"alert Tressora", "There maybe an update to this software available",
                        "Do you want to check for an update?", "Yes {push button}"});
        row("second copy", Start::SecondCopy, QString(), Keys(), Keys(),
            QStringList{"alert Tressora", "Application is already running", "OK {push button}"});
    }
    void heardWindows() { hear(); }

    // The same in the translations.
    void heardTranslated_data()
    {
        heardColumns();
        row("German, age list", Start::Quiz, u"de"_s, toAge, Keys{"Tab"},
            QStringList{"Alter combo box", "1"});
        row("German, sex list, Down", Start::Quiz, u"de"_s, toAge, Keys{"Down"},
            QStringList{"Frau"});
        row("German, result", Start::Quiz, u"de"_s, toCalculate, Keys{"Return"},
            QStringList{"Alter", "50", "Stresslevel", "Kein Stress", "Risiko für Haarausfall",
                        "Gut möglich", "Du verlierst wahrscheinlich alle Haare bis zum Alter von",
                        "80", "Zurück {push button}"});
        row("German, farewell", Start::Quiz, u"de"_s, Keys(), Keys{"alt+b"},
            QStringList{"Tressora v1.0 dialog", "regelmäßig", "Beenden {push button}"});
        row("German, farewell, your name", Start::Quiz, u"de"_s, Keys{"alt+b", "Tab"}, Keys{"Tab"},
            QStringList{"Dein Name text"});
        row("French, age list", Start::Quiz, u"fr"_s, toAge, Keys{"Tab"},
            QStringList{"Âge combo box", "1"});
        row("French, result", Start::Quiz, u"fr"_s, toCalculate, Keys{"Return"},
            QStringList{"Âge", "50", "Niveau de stress", "Aucun stress",
                        "Risque de perdre vos cheveux", "Fort possible",
                        "Vous perdrez sans doute tous vos cheveux d'ici l'âge de", "80",
                        "Retour {push button}"});
        row("French, farewell", Start::Quiz, u"fr"_s, Keys(), Keys{"alt+q"},
            QStringList{"Tressora v1.0 dialog", "régulièrement", "Quitter {push button}"});
        row("Spanish, age list", Start::Quiz, u"es"_s, toAge, Keys{"Tab"},
            QStringList{"Edad combo box", "1"});
        row("Spanish, result", Start::Quiz, u"es"_s, toCalculate, Keys{"Return"},
            QStringList{"Edad", "50", "Nivel de estrés", "Sin estrés",
                        "Probabilidad de perder el pelo", "Bastante posible",
                        "Lo más probable es que pierdas todo el pelo a la edad de", "80",
                        "Volver {push button}"});
        row("Spanish, farewell", Start::Quiz, u"es"_s, Keys(), Keys{"alt+s"},
            QStringList{"Tressora v1.0 dialog", "a menudo", "Salir {push button}"});
    }

    void heardTranslated() { hear(); }

private:
    static inline const Keys toAge = {"Tab", "Tab"}; // from Exit, past the stress and sex lists
    static inline const Keys toCalculate = {"Tab", "Tab", "Tab", "5 0", "Tab", "Tab"}; // age 50
    static inline const QStringList result50 = {
        "alert",
        "Tressora v1.0",
        "Age",
        "50",
        "Level Of Stress",
        "No Stress",
        "Chances of Losing Hair",
        "Quite Possibly",
        "You will most likely lose all your hair by the age of",
        "80",
        "Back {push button}"};

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

    static void heardColumns()
    {
        columns<Start, QString, Keys, Keys, QStringList>("start", "language", "prelude", "keys",
                                                         "phrases");
    }

    void hear()
    {
        auto [start, language, prelude, keys, phrases] =
            fetch<Start, QString, Keys, Keys, QStringList>("start", "language", "prelude", "keys",
                                                           "phrases");
        // The rows hold for Orca 43 (Debian 12) and Orca 48 (Debian 13), each in its own words.
        const int major = orcaMajorVersion();
        if (const QString unknown = readerWords(phrases, major); !unknown.isEmpty())
            QFAIL(qPrintable(u"no words known for %1 in Orca %2"_s.arg(unknown).arg(major)));
        // A new Orca for each row. Orca 48 marks an object it finds gone by the object's place
        // in its own memory and forgets the marks only once a minute, so the objects of a copy
        // started soon after another had ended, landing where the old ones were, were taken as
        // gone too: their window was announced without the control that had the focus, and keys
        // went unheard.
        checkTools({"orca", "unshare"});
        orca_.reset();
        orca_.emplace();
        QVERIFY2(orca_->ready(), "Orca did not start");
        Sandbox sandbox;
        sandbox.environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, env("DBUS_SESSION_BUS_ADDRESS"));
        sandbox.environment.insert(u"QT_LINUX_ACCESSIBILITY_ALWAYS_ON"_s, u"1"_s);
        if (!language.isEmpty()) {
            const QString locale = language + u'_' + language.toUpper() + u".UTF-8"_s;
            sandbox.environment.insert(u"LANG"_s, locale);
            sandbox.environment.insert(u"LC_MESSAGES"_s, locale);
            sandbox.environment.insert(u"LANGUAGE"_s, language);
        }
        if (start == Start::UpdatePrompt)
            writeDuration(sandbox.settingsFile(), u"2001-01-01T00:00:00"_s);
        orca_->settle();
        qsizetype mark = orca_->utterances().size();
        Copy copy(sandbox);
        std::optional<Copy> second;
        if (start == Start::UpdatePrompt) {
            QVERIFY2(waitForWindow(messageBoxPattern, copy.pid()), "no update prompt");
        } else {
            STEP(copy.start(false, "no quiz window"));
            if (start == Start::SecondCopy) {
                orca_->settle();
                mark = orca_->utterances().size();
                second.emplace(sandbox);
                QVERIFY2(waitForWindow(messageBoxPattern, second->pid()), "no message box");
            }
        }
        if (!keys.isEmpty()) {
            orca_->settle();
            focusWindow(copy.window);
            for (const QString &step : prelude) {
                pressKeys(step.split(u' '));
                orca_->settle();
            }
            mark = orca_->utterances().size();
            pressKeys(keys);
        }
        QStringList heard;
        qsizetype unheard = 0;
        waitUntil(
            [&] {
                heard = orca_->utterances().mid(mark);
                return (unheard = firstUnheard(heard, phrases)) < 0;
            },
            20000);
        QVERIFY2(unheard < 0, qPrintable(u"not heard: \"%1\"; heard: \"%2\""_s.arg(
                                  phrases.value(unheard), heard.join(u"\" \""_s))));
    }

    Sandbox sandbox_;
    std::optional<Copy> copy_;
    std::optional<Orca> orca_;
    QString window_;
    QList<List> lists_;
};

QTEST_GUILESS_MAIN(EndToEnd)
#include "accessibility.moc"
