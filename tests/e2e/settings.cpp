// The one setting, damaged in every way a disk, a user or another locale can damage it: the
// program still starts, and the update prompt comes when it should.
#include "common.h"
#include "tables.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>

using namespace e2e;
using namespace testsupport;
using namespace Qt::StringLiterals;

namespace {

enum class Damage { None, ReadOnlyFolder, ReadOnlyFile, Folder, Garbage, Huge, Unshifted, Plain };
enum class Kept { Absent, Same, Now };

} // namespace

Q_DECLARE_METATYPE(Damage)
Q_DECLARE_METATYPE(Kept)

class EndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { checkTools({"xdotool", "setpriv"}); }

    void damagedSettings_data()
    {
        using enum Damage;
        using enum Kept;
        columns<Damage, QString, QString, bool, int, Kept, int, Kept>(
            "damage", "locale", "value", "answerYes", "firstPrompts", "afterFirst", "laterPrompts",
            "afterLater");
        const QDateTime now = QDateTime::currentDateTime();
        const QString c = u"C.UTF-8"_s, us = u"en_US.UTF-8"_s, de = u"de_DE.UTF-8"_s;
        const auto iso = [&](int days) { return now.addDays(days).toString(Qt::ISODate); };
        const auto american = [&](int days) {
            return QLocale(QLocale::English, QLocale::UnitedStates)
                .toString(now.addDays(days), u"M/d/yy h:mm:ss AP"_s);
        };
        const QString german = now.addDays(-2).toString(u"dd.MM.yy HH:mm:ss"_s);
        const QString none;
        row("settings folder read-only", ReadOnlyFolder, c, none, false, 0, Absent, 0, Now);
        row("file read-only, 30 days old", ReadOnlyFile, c, iso(-30), false, 1, Same, 1, Now);
        row("file read-only, 2 days old", ReadOnlyFile, c, iso(-2), false, 0, Same, 0, Same);
        row("file is a folder", Folder, c, none, false, 0, Absent, 0, Now);
        row("binary garbage", Garbage, c, none, false, 0, Now, 0, Now);
        row("1 MB long, 2 days old", Huge, c, iso(-2), false, 0, Same, 0, Same);
        row("damaged date", None, c, "32/13/20x1 25:61", false, 0, Now, 0, Now);
        row("empty date", None, c, none, false, 0, Now, 0, Now);
        row("far future date", None, c, "2099-12-31T23:59:59", false, 1, Now, 0, Now);
        row("15 days ahead", None, c, iso(15), false, 1, Now, 0, Now);
        row("far past date, answered Yes", None, c, "2001-01-01T00:00:00", true, 1, Now, 0, Now);
        row("two-digit year, 2 days ago", None, us, american(-2), false, 0, Same, 0, Same);
        row("two-digit year, 20 days ago", None, us, american(-20), false, 1, Now, 0, Now);
        row("German date, German locale", None, de, german, false, 0, Same, 0, Same);
        row("German date, other locale", None, c, german, false, 0, Now, 0, Now);
        row("value stored unshifted", Unshifted, c, iso(-2), false, 0, Now, 0, Now);
        row("key and value stored plain", Plain, c, iso(-30), false, 0, Now, 0, Now);
    }

    void damagedSettings()
    {
        QFETCH(Damage, damage);
        QFETCH(QString, locale);
        QFETCH(QString, value);
        QFETCH(bool, answerYes);
        QFETCH(int, firstPrompts);
        QFETCH(Kept, afterFirst);
        QFETCH(int, laterPrompts);
        QFETCH(Kept, afterLater);
        using enum Damage;
        Sandbox sandbox(Opener::XdgOpen, damage == ReadOnlyFolder || damage == ReadOnlyFile);
        sandbox.environment.insert(u"LANG"_s, locale);
        const QString file = sandbox.settingsFile();
        const QString folder = sandbox.path(u"config"_s);
        QFile out(file);
        if (damage == None || damage == ReadOnlyFile || damage == Huge)
            writeDuration(file, value);
        if (damage == Unshifted || damage == Plain)
            writeDuration(file, value, damage == Unshifted, false);
        if (damage == Folder)
            QVERIFY(QDir().mkpath(file));
        if (damage == Garbage)
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(noise(4096, 42)) == 4096);
        if (damage == Huge)
            QVERIFY(out.open(QIODevice::Append) && out.write("\n[Filler]\n") == 10);
        for (int i = 0; damage == Huge && out.size() < 1024 * 1024; ++i)
            out.write("key" + QByteArray::number(i) + '=' + QByteArray(100, 'v') + '\n');
        out.close();
        if (damage != None)
            value = readDuration(file).value_or(QString());
        sandbox.handOver();
        // The damage is in place at the first start; the later one finds it undone where it is
        // about permissions or a folder in the file's place.
        const auto undone = [&](bool later) {
            const QFile::Permissions write = later ? QFile::WriteOwner : QFile::Permissions();
            if (damage == ReadOnlyFolder)
                return QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | write);
            if (damage == ReadOnlyFile)
                return QFile::setPermissions(file, QFile::ReadOwner | write);
            return !later || damage != Folder || QDir(file).removeRecursively();
        };
        // The program starts and the quiz works; a later start puts the value right.
        for (const bool later : {false, true}) {
            QVERIFY(undone(later));
            Copy copy(sandbox);
            QElapsedTimer clock;
            clock.start();
            STEP(copy.start(answerYes, later ? "no quiz window at the later start"
                                             : "no quiz window after start"));
            if (!later && copy.prompts == 0)
                qInfo("quiz window after %lld ms", clock.elapsed());
            QCOMPARE(copy.prompts, later ? laterPrompts : firstPrompts);
            if (!later)
                STEP(copy.go(calculateKeys, resultWidth));
            STEP(copy.leave(later ? Keys{"alt+x"} : Keys{"alt+f", "x"}));
            const auto stored = readDuration(file);
            const Kept kept = later ? afterLater : afterFirst;
            QVERIFY2(kept == Kept::Absent ? !stored
                     : kept == Kept::Same ? stored == value
                                          : isNow(stored),
                     "Duration is " + (stored ? stored->toUtf8() : QByteArray("<none>")));
        }
        const int asked = answerYes ? firstPrompts + laterPrompts : 0;
        QCOMPARE(sandbox.openedAddresses(), QStringList(asked, downloadPage()));
    }
};

QTEST_GUILESS_MAIN(EndToEnd)
#include "settings.moc"
