// Whether another copy of the program is already running for this user.
#pragma once

#include <QString>

namespace tressora {

// The lock file that marks a running copy: in the per-user runtime folder, or in a per-user
// name in the temporary folder when the platform has no runtime folder.
QString singleInstanceLockPath();

// Takes the per-user lock. False when another live copy holds it. A lock left behind by a copy
// that crashed or was killed does not count: its process is gone, so the lock is taken over.
bool acquireSingleInstance();

// Gives the lock up (also done when the process ends).
void releaseSingleInstance();

} // namespace tressora
