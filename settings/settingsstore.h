// The per-user settings store: (application, "Settings", key) -> text, with key names and
// values stored in a shifted one-byte encoding so that nothing is kept as plain text.
#pragma once

#include <QString>

#include <memory>

class QSettings;

namespace tressora {

// Shifts every character's one-byte (Latin-1) code up by 85; a character whose shifted code
// would exceed 255, or that has no one-byte code at all, is dropped.
QString EncodeSetting(const QString &text);

// The reverse shift; a character whose code would fall below 0 is dropped.
QString DecodeSetting(const QString &text);

// The decoded value stored under the encoded key, or the empty text when there is none.
QString ReadSetting(const QString &key);

// Stores the encoded value under the encoded key, replacing any earlier value. False when the
// store could not be written.
bool WriteSetting(const QString &key, const QString &value);

// The user's store of the running program, one per program and named after its executable: a
// file in the user's settings folder, or on Windows the key of that name under the current
// user's Software key, with one subkey per section.
std::unique_ptr<QSettings> openSettingsStore();

} // namespace tressora
