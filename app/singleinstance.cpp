#include "app/singleinstance.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QSysInfo>

#include <memory>

namespace tressora {
namespace {

std::unique_ptr<QLockFile> &heldLock()
{
    static std::unique_ptr<QLockFile> lock;
    return lock;
}

QString lockName()
{
    return QCoreApplication::applicationName() + QStringLiteral(".lock");
}

QString temporaryLockPath()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME", QStringLiteral("user"));
    return QDir(QDir::tempPath()).filePath(user + QLatin1Char('-') + lockName());
}

enum class LockResult { Taken, HeldByAnother, Unusable };

// Whether a lock's host is this machine, as QLockFile writes it: the host name, or on Windows
// the computer name (COMPUTERNAME, in capitals).
bool isThisHost(const QString &host)
{
    return host.isEmpty() || host.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) == 0 ||
           host.compare(qEnvironmentVariable("COMPUTERNAME"), Qt::CaseInsensitive) == 0;
}

// Whether a lock that QLockFile itself does not take over was still left by a copy that is
// gone, read once from the lock:
// - A copy that dies between creating its lock and writing its details into it leaves a lock
//   that names nobody. Once it is older than the moment a live copy needs to fill it in, it is
//   left behind.
// - A lock that names this very process was left by an earlier copy that ended without giving
//   it up, whose process number the system has since handed to us (Windows, and Wine above
//   all, hands the same numbers out again soon): no other copy holds it.
// Either is removed; a live holder keeps a native lock on the file, so removing it fails then.
bool removeLeftLock(QLockFile &lock, const QString &path)
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock.getLockInfo(&pid, &host, &application)) {
        if (pid != QCoreApplication::applicationPid() || !isThisHost(host))
            return false;
    } else {
        const QDateTime written = QFileInfo(path).lastModified();
        if (!written.isValid() || written.secsTo(QDateTime::currentDateTime()) < 2)
            return false;
    }
    return lock.removeStaleLockFile();
}

LockResult tryLockAt(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // Age never makes a lock stale: only a lock whose process is gone is taken over.
    lock->setStaleLockTime(0);
    bool taken = lock->tryLock(0);
    if (!taken && lock->error() == QLockFile::LockFailedError && removeLeftLock(*lock, path))
        taken = lock->tryLock(0);
    if (taken) {
        heldLock() = std::move(lock);
        return LockResult::Taken;
    }
    return lock->error() == QLockFile::LockFailedError ? LockResult::HeldByAnother
                                                       : LockResult::Unusable;
}

} // namespace

QString singleInstanceLockPath()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QDir().mkpath(runtime))
        return QDir(runtime).filePath(lockName());
    return temporaryLockPath();
}

bool acquireSingleInstance()
{
    if (heldLock())
        return true;
    const QString path = singleInstanceLockPath();
    LockResult result = tryLockAt(path);
    // A runtime folder we cannot write falls back to the temporary folder; when neither can
    // hold a lock, no other copy can hold one either, so the program runs.
    if (result == LockResult::Unusable && path != temporaryLockPath())
        result = tryLockAt(temporaryLockPath());
    return result != LockResult::HeldByAnother;
}

void releaseSingleInstance()
{
    heldLock().reset();
}

} // namespace tressora
