#include "app/singleinstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

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

LockResult tryLockAt(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // Age never makes a lock stale: only a lock whose process is gone is taken over.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
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
