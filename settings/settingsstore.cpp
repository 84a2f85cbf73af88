#include "settings/settingsstore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace tressora {
namespace {

constexpr int shift = 85;
constexpr int largestOneByteCode = 255;

// Moves every character's one-byte code by delta; characters that have no one-byte code, or
// whose moved code leaves 0..255, are left out.
QString shifted(const QString &text, int delta)
{
    QString result;
    result.reserve(text.size());
    for (const QChar ch : text) {
        const int code = ch.unicode();
        if (code > largestOneByteCode)
            continue; // no code in the one-byte (Latin-1) code page
        const int moved = code + delta;
        if (moved < 0 || moved > largestOneByteCode)
            continue;
        result.append(QChar(moved));
    }
    return result;
}

// The store is named after the running executable, without directory and extension, and has no
// application level of its own: one file (or registry key) per program.
QString storeName()
{
    const QString baseName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return baseName.isEmpty() ? QCoreApplication::applicationName() : baseName;
}

const QString &section()
{
    static const QString name = QStringLiteral("Settings");
    return name;
}

} // namespace

std::unique_ptr<QSettings> openSettingsStore()
{
#ifdef Q_OS_WIN
    // Qt's organisation-only form would keep it under "OrganizationDefaults" in the registry.
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\") + storeName(), QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, storeName(),
                                       QString());
#endif
}

QString EncodeSetting(const QString &text)
{
    return shifted(text, shift);
}

QString DecodeSetting(const QString &text)
{
    return shifted(text, -shift);
}

QString ReadSetting(const QString &key)
{
    const auto store = openSettingsStore();
    store->beginGroup(section());
    return DecodeSetting(store->value(EncodeSetting(key), QString()).toString());
}

bool WriteSetting(const QString &key, const QString &value)
{
    const auto store = openSettingsStore();
    if (store->status() != QSettings::NoError || !store->isWritable())
        return false;
    store->beginGroup(section());
    store->setValue(EncodeSetting(key), EncodeSetting(value));
    store->endGroup();
    store->sync();
    return store->status() == QSettings::NoError;
}

} // namespace tressora
