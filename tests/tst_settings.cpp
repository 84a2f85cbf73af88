// The per-user settings store and its shifted one-byte encoding.
#include "settings/settingsstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

using namespace tressora;

namespace {

QString chars(std::initializer_list<int> codes)
{
    QString text;
    for (const int code : codes)
        text.append(QChar(code));
    return text;
}

// The store as the program should address it: named after this executable, no application
// level. Built independently of the code under test.
QString expectedStoreFile()
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, name, QString()).fileName();
}

QByteArray storeFileContents()
{
    QFile file(expectedStoreFile());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString printableAscii()
{
    QString text;
    for (int code = 32; code <= 126; ++code)
        text.append(QChar(code));
    return text;
}

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void encode_data();
    void encode();
    void decode_data();
    void decode();
    void printableAsciiRoundTrips();
    void highCodesAreLost();
    void storeRoundTrip_data();
    void storeRoundTrip();
    void neverWrittenReadsEmpty();
    void writeReplacesEarlierValue();
    void keyAndValueNeverStoredPlain();
    void unwritableStoreReportsFailure();
};

void SettingsTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(QFileInfo(expectedStoreFile()).absolutePath().contains(QStringLiteral(".qttest")));
}

void SettingsTest::init()
{
    QFileInfo store(expectedStoreFile());
    if (store.isDir())
        QDir(store.absoluteFilePath()).removeRecursively();
    QSettings(QSettings::NativeFormat, QSettings::UserScope, store.completeBaseName(), QString())
        .clear();
    QFile::remove(store.absoluteFilePath());
    QVERIFY(!QFileInfo::exists(store.absoluteFilePath()));
}

void SettingsTest::cleanup()
{
    init();
}

void SettingsTest::encode_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("encoded");

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("letter") << QStringLiteral("A") << chars({150});
    QTest::newRow("key name") << QStringLiteral("Duration")
                              << chars({153, 202, 199, 182, 201, 190, 196, 195});
    QTest::newRow("order kept") << QStringLiteral("ba") << chars({183, 182});
    QTest::newRow("digits and separators")
        << QStringLiteral("09-:T ") << chars({133, 142, 130, 143, 169, 117});
    QTest::newRow("control characters") << chars({0, 9}) << chars({85, 94});
    QTest::newRow("tilde") << QStringLiteral("~") << chars({211});
    QTest::newRow("170 is the last code kept") << chars({170}) << chars({255});
    QTest::newRow("171 dropped") << chars({171}) << QString();
    QTest::newRow("dropped in the middle") << chars({'a', 171, 'b'}) << chars({182, 183});
    QTest::newRow("e acute dropped") << QStringLiteral("caf\u00e9") << chars({184, 182, 187});
    QTest::newRow("above 255 dropped") << QStringLiteral("1\u20ac2") << chars({134, 135});
    QTest::newRow("256 dropped") << chars({'x', 256}) << chars({205});
    QTest::newRow("surrogate pair dropped") << QStringLiteral("a\U0001F600") << chars({182});
}

void SettingsTest::encode()
{
    QFETCH(QString, plain);
    QFETCH(QString, encoded);
    QCOMPARE(EncodeSetting(plain), encoded);
}

void SettingsTest::decode_data()
{
    QTest::addColumn<QString>("encoded");
    QTest::addColumn<QString>("plain");

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("key name") << chars({153, 202, 199, 182, 201, 190, 196, 195})
                              << QStringLiteral("Duration");
    QTest::newRow("85 gives 0") << chars({85}) << chars({0});
    QTest::newRow("255 gives 170") << chars({255}) << chars({170});
    QTest::newRow("below 85 dropped") << chars({84, 150, 0}) << QStringLiteral("A");
    QTest::newRow("plain ASCII mostly dropped") << QStringLiteral("Az") << QStringLiteral("%");
    QTest::newRow("300 has no one-byte code") << chars({300, 150}) << QStringLiteral("A");
    QTest::newRow("above 255 dropped")
        << QStringLiteral("\u20ac") + chars({150}) << QStringLiteral("A");
}

void SettingsTest::decode()
{
    QFETCH(QString, encoded);
    QFETCH(QString, plain);
    QCOMPARE(DecodeSetting(encoded), plain);
}

void SettingsTest::printableAsciiRoundTrips()
{
    const QString text = printableAscii();
    const QString encoded = EncodeSetting(text);
    QCOMPARE(encoded.size(), text.size());
    for (const QChar ch : encoded) {
        QVERIFY2(ch.unicode() >= 117 && ch.unicode() <= 211,
                 qPrintable(QString::number(ch.unicode())));
    }
    QCOMPARE(DecodeSetting(encoded), text);
    for (const QChar ch : text)
        QCOMPARE(DecodeSetting(EncodeSetting(QString(ch))), QString(ch));
}

void SettingsTest::highCodesAreLost()
{
    for (int code = 171; code <= 0xFFFF; ++code) {
        if (QChar::isSurrogate(static_cast<char32_t>(code)))
            continue;
        const QString text = QStringLiteral("<") + QChar(code) + QStringLiteral(">");
        QVERIFY2(EncodeSetting(text) == EncodeSetting(QStringLiteral("<>")),
                 qPrintable(QString::number(code)));
    }
}

void SettingsTest::storeRoundTrip_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("iso date-time")
        << QStringLiteral("Duration") << QStringLiteral("2026-03-20T00:01:59")
        << QStringLiteral("2026-03-20T00:01:59");
    QTest::newRow("regional date-time")
        << QStringLiteral("Duration") << QStringLiteral("3/20/26 12:01:59 AM UTC")
        << QStringLiteral("3/20/26 12:01:59 AM UTC");
    QTest::newRow("every printable character")
        << QStringLiteral("Duration") << printableAscii() << printableAscii();
    QTest::newRow("key with separators")
        << QStringLiteral("a/b\\c=d;e") << QStringLiteral("x") << QStringLiteral("x");
    QTest::newRow("high codes lost")
        << QStringLiteral("Duration") << QStringLiteral("12.\u00bb3.\u00e4") + chars({170})
        << QStringLiteral("12.3.") + chars({170});
    QTest::newRow("empty value") << QStringLiteral("Duration") << QString() << QString();
}

void SettingsTest::storeRoundTrip()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, readBack);
    QVERIFY(WriteSetting(key, value));
    QCOMPARE(ReadSetting(key), readBack);
    QVERIFY(QFileInfo::exists(expectedStoreFile()));
}

void SettingsTest::neverWrittenReadsEmpty()
{
    QVERIFY(WriteSetting(QStringLiteral("Other"), QStringLiteral("value")));
    QCOMPARE(ReadSetting(QStringLiteral("Duration")), QString());
}

void SettingsTest::writeReplacesEarlierValue()
{
    QVERIFY(WriteSetting(QStringLiteral("Duration"), QStringLiteral("first value")));
    QVERIFY(WriteSetting(QStringLiteral("Duration"), QStringLiteral("second")));
    QCOMPARE(ReadSetting(QStringLiteral("Duration")), QStringLiteral("second"));
}

void SettingsTest::keyAndValueNeverStoredPlain()
{
    const QString value = QStringLiteral("2026-03-20T00:01:59");
    QVERIFY(WriteSetting(QStringLiteral("Duration"), value));

    const QByteArray contents = storeFileContents();
    QVERIFY(contents.contains("[Settings]"));
    QVERIFY(!contents.contains("Duration"));
    QVERIFY(!contents.contains(value.toUtf8()));
    QVERIFY(!contents.contains("2026"));

    QSettings store(expectedStoreFile(), QSettings::IniFormat);
    QCOMPARE(store.childGroups(), QStringList{QStringLiteral("Settings")});
    store.beginGroup(QStringLiteral("Settings"));
    QCOMPARE(store.childKeys(), QStringList{EncodeSetting(QStringLiteral("Duration"))});
    QCOMPARE(store.value(EncodeSetting(QStringLiteral("Duration"))).toString(),
             EncodeSetting(value));
}

void SettingsTest::unwritableStoreReportsFailure()
{
    // A directory where the store's file belongs cannot be written as a file.
    QVERIFY(QDir().mkpath(expectedStoreFile()));
    QVERIFY(!WriteSetting(QStringLiteral("Duration"), QStringLiteral("2026-03-20T00:01:59")));
    QCOMPARE(ReadSetting(QStringLiteral("Duration")), QString());
}

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
