// One copy per user, proven across real processes: this test starts copies of itself that take
// the same lock as the program does.
#include "app/singleinstance.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>

namespace {

// A copy started with --copy takes the lock, says whether it got it, then waits to be killed
// (or, with --copy-then-quit, gives the lock up and ends).
int runCopy(bool quit)
{
    const bool taken = tressora::acquireSingleInstance();
    std::printf("%s\n", taken ? "taken" : "refused");
    std::fflush(stdout);
    if (!taken || quit)
        return taken ? 0 : 3;
    QThread::sleep(60);
    return 0;
}

QProcess *startCopy(QObject *parent, const QProcessEnvironment &env = {})
{
    auto *copy = new QProcess(parent);
    if (!env.isEmpty())
        copy->setProcessEnvironment(env);
    copy->start(QCoreApplication::applicationFilePath(), {QStringLiteral("--copy")});
    return copy;
}

QString answerOf(QProcess *copy)
{
    if (!copy->waitForReadyRead(10000))
        return QStringLiteral("silent");
    return QString::fromLatin1(copy->readLine()).trimmed();
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondCopyRefused();
    void killedCopyDoesNotBlock();
    void simultaneousStartsLeaveOne();
    void lockNamingNobody_data();
    void lockNamingNobody();
    void unusableRuntimeFolder_data();
    void unusableRuntimeFolder();
    void lockNamingThisProcess();
};

void TestSingleInstance::secondCopyRefused()
{
    QProcess *first = startCopy(this);
    QCOMPARE(answerOf(first), "taken");
    QProcess *second = startCopy(this);
    QCOMPARE(answerOf(second), "refused");
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitCode(), 3);
    QCOMPARE(first->state(), QProcess::Running); // the first copy is left alone
    first->kill();
    first->waitForFinished();
}

void TestSingleInstance::killedCopyDoesNotBlock()
{
    QProcess *first = startCopy(this);
    QCOMPARE(answerOf(first), "taken");
    first->kill(); // no chance to clean up: SIGKILL, or TerminateProcess on Windows
    QVERIFY(first->waitForFinished(10000));
    QVERIFY(QFile::exists(tressora::singleInstanceLockPath())); // the lock is left behind...
    QProcess *next = startCopy(this);
    QCOMPARE(answerOf(next), "taken"); // ...and does not count
    next->kill();
    next->waitForFinished();
}

void TestSingleInstance::simultaneousStartsLeaveOne()
{
    for (int round = 0; round < 5; ++round) {
        QList<QProcess *> copies;
        for (int i = 0; i < 3; ++i)
            copies << startCopy(this);
        int taken = 0;
        int refused = 0;
        for (QProcess *copy : copies) {
            const QString said = answerOf(copy);
            taken += said == "taken";
            refused += said == "refused";
        }
        QCOMPARE(taken, 1);
        QCOMPARE(refused, 2);
        for (QProcess *copy : copies) {
            copy->kill();
            copy->waitForFinished();
        }
    }
}

void TestSingleInstance::lockNamingNobody_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<QString>("expected");
    QByteArray garbage(256, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 37 + 11) % 256);
    QTest::newRow("empty, left long ago") << QByteArray() << 60 << "taken";
    QTest::newRow("garbage, left long ago") << garbage << 60 << "taken";
    // A lock this fresh may belong to a copy that is still writing its details.
    QTest::newRow("empty, just written") << QByteArray() << 0 << "refused";
}

void TestSingleInstance::lockNamingNobody()
{
    QFETCH(QByteArray, content);
    QFETCH(int, ageSeconds);
    QFETCH(QString, expected);
    QFile lock(tressora::singleInstanceLockPath());
    QVERIFY(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
    lock.write(content);
    lock.close(); // written out first, so that the time set below is the last change
    QVERIFY(lock.open(QIODevice::Append));
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                             QFileDevice::FileModificationTime));
    lock.close();
    QProcess *copy = startCopy(this);
    QCOMPARE(answerOf(copy), expected);
    copy->kill();
    copy->waitForFinished();
    QFile::remove(tressora::singleInstanceLockPath());
}

void TestSingleInstance::unusableRuntimeFolder_data()
{
    QTest::addColumn<QString>("runtime");
    QTest::newRow("unset") << QString();
    QTest::newRow("missing and uncreatable") << "/proc/no-such-folder";
    QTest::newRow("a file") << "/etc/hostname";
}

void TestSingleInstance::unusableRuntimeFolder()
{
    QFETCH(QString, runtime);
    QTemporaryDir tmp;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), tmp.path());
    if (runtime.isEmpty())
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    else
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    QProcess *first = startCopy(this, env);
    QCOMPARE(answerOf(first), "taken");
    QProcess *second = startCopy(this, env);
    QCOMPARE(answerOf(second), "refused");
    first->kill();
    first->waitForFinished();
    second->waitForFinished();
}

// A lock left with this process's own number (by an earlier copy whose number the system gave
// out again) names no other copy: it is taken over, while a live copy's lock still refuses.
void TestSingleInstance::lockNamingThisProcess()
{
    const QString path = tressora::singleInstanceLockPath();
    QByteArray left;
    {
        QLockFile own(path);
        QVERIFY(own.tryLock(0));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        left = file.readAll();
    }
    QVERIFY(!QFile::exists(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(left), left.size());
    file.close();
    QVERIFY(tressora::acquireSingleInstance());
    QProcess *copy = startCopy(this);
    QCOMPARE(answerOf(copy), QStringLiteral("refused"));
    copy->waitForFinished();
    tressora::releaseSingleInstance();
    QVERIFY(!QFile::exists(path));
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.contains(QStringLiteral("--copy")))
        return runCopy(false);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
