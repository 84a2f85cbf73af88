#include "common.h"

#include "settings/settingsstore.h"

#include <QDateTime>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace e2e {

QString env(const char *name)
{
    return qEnvironmentVariable(name);
}

QString http(const char *hostVariable, const QString &path)
{
    return u"http://"_s + env(hostVariable) + path;
}

QString downloadPage()
{
    return http("TRESSORA_E2E_PRODUCT_HOST", u"/download-tressora.html"_s);
}

QByteArray noise(int size, quint32 seed)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator generator(seed);
    for (char &byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

void writeDuration(const QString &file, const QString &value, bool encodeKey, bool encodeValue)
{
    const QString key = u"Duration"_s;
    QSettings(file, QSettings::IniFormat)
        .setValue(u"Settings/"_s + (encodeKey ? tressora::EncodeSetting(key) : key),
                  encodeValue ? tressora::EncodeSetting(value) : value);
}

std::optional<QString> readDuration(const QString &file)
{
    if (!QFileInfo(file).isFile())
        return std::nullopt;
    const QVariant value = QSettings(file, QSettings::IniFormat)
                               .value(u"Settings/"_s + tressora::EncodeSetting(u"Duration"_s));
    return value.isValid() ? std::optional(tressora::DecodeSetting(value.toString()))
                           : std::nullopt;
}

bool isNow(const std::optional<QString> &value)
{
    const QDateTime stored = QDateTime::fromString(value.value_or(QString()), Qt::ISODate);
    return stored.isValid() && qAbs(stored.secsTo(QDateTime::currentDateTime())) < 600;
}

void checkTools(const QStringList &tools)
{
    QVERIFY2(!env("DISPLAY").isEmpty(), "run under xvfb-run: no X display");
    for (const QString &tool : tools)
        QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(),
                 qPrintable(u"%1 is missing (make setup installs it)"_s.arg(tool)));
    QVERIFY2(QFileInfo(env("TRESSORA_PROGRAM")).isExecutable(), "TRESSORA_PROGRAM is not set");
}

} // namespace e2e
