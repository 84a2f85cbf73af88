// The quiz window as a screen reader finds it over AT-SPI: the program runs on a private session
// bus (the test runs under dbus-run-session, which starts the accessibility bus on demand) and
// accessible-lists.py reads its accessible tree the way a screen reader does.
#include "common.h"
#include "tables.h"

using namespace e2e;
using namespace testsupport;
using namespace Qt::StringLiterals;

namespace {

struct List {
    QString name;
    QStringList labels; // the labels it is labelled by
};

} // namespace

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
                lists_.append({fields.value(1), fields.value(2).split('|', Qt::SkipEmptyParts)});
        }
    }

    void cleanupTestCase()
    {
        if (copy_ && copy_->running())
            copy_->leave();
    }

    void quizWindowReachable()
    {
        QCOMPARE(window_, u"Tressora v1.0"_s);
        QCOMPARE(lists_.size(), 3);
    }

    void listNamedAfterItsLabel_data()
    {
        columns<QString>("label");
        row("age", u"Age"_s);
        row("sex", u"Sex"_s);
        row("stress", u"Level of Stress"_s);
    }

    void listNamedAfterItsLabel()
    {
        QFETCH(QString, label);
        QList<List> labelled;
        for (const List &list : std::as_const(lists_))
            if (list.labels.contains(label))
                labelled.append(list);
        QVERIFY2(labelled.size() == 1, "no single list is labelled by it");
        // Named after what it asks, not after the entry it shows.
        QCOMPARE(labelled.first().name, label);
    }

private:
    Sandbox sandbox_;
    std::optional<Copy> copy_;
    QString window_;
    QList<List> lists_;
};

QTEST_GUILESS_MAIN(EndToEnd)
#include "accessibility.moc"
