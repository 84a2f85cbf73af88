// What the end-to-end tests share beyond driving the desktop: the addresses the program is
// built with, the settings file as the program keeps it, and test data.
#pragma once

#include "desktop.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace e2e {

constexpr int updatePrompt = -1; // in place of a window width: while the update prompt asks
using Keys = QStringList;

QString env(const char *name);
// "http://", the host the program was built with (named by the variable), the path.
QString http(const char *hostVariable, const QString &path);
QString downloadPage();
// Reproducible random bytes.
QByteArray noise(int size, quint32 seed);

// Writes "Duration" into a settings file as the program keeps it: key and value encoded, unless
// a test wants either plain.
void writeDuration(const QString &file, const QString &value, bool encodeKey = true,
                   bool encodeValue = true);
// The decoded "Duration" of a settings file; nothing when the file or the value is missing.
std::optional<QString> readDuration(const QString &file);
// A stored ISO date-time within ten minutes of now.
bool isNow(const std::optional<QString> &value);

// Fails the test unless every tool is on the PATH and the program to drive is built.
void checkTools(const QStringList &tools);

} // namespace e2e
