// The per-user settings store and its shifted one-byte encoding.
#include "settings/settingsstore.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

using namespace tressora;
using namespace testsupport;

namespace {

QString chars(std::initializer_list<int> codes)
{
    QString text;
    for (const int code : codes)
        text.append(QChar(code));
    return text;
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
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY2(settingsKeptApart(), qPrintable(settingsFile()));
    }
    void init()
    {
        removeSettings();
        QVERIFY(!settingsStored());
    }
    void cleanup() { init(); }

    void encode_data()
    {
        columns<QString, QString>("plain", "encoded");
        row("empty", QString(), QString());
        row("letter", "A", chars({150}));
        row("key name", "Duration", chars({153, 202, 199, 182, 201, 190, 196, 195}));
        row("order kept", "ba", chars({183, 182}));
        row("digits and separators", "09-:T ", chars({133, 142, 130, 143, 169, 117}));
        row("control characters", chars({0, 9}), chars({85, 94}));
        row("tilde", "~", chars({211}));
        row("170 is the last code kept", chars({170}), chars({255}));
        row("171 dropped", chars({171}), QString());
        row("dropped in the middle", chars({'a', 171, 'b'}), chars({182, 183}));
        row("e acute dropped", "caf\u00e9", chars({184, 182, 187}));
        row("above 255 dropped", "1\u20ac2", chars({134, 135}));
        row("256 dropped", chars({'x', 256}), chars({205}));
        row("surrogate pair dropped", "a\U0001F600", chars({182}));
    }
    void encode()
    {
        QFETCH(QString, plain);
        QTEST(EncodeSetting(plain), "encoded");
    }

    void decode_data()
    {
        columns<QString, QString>("encoded", "plain");
        row("empty", QString(), QString());
        row("key name", chars({153, 202, 199, 182, 201, 190, 196, 195}), "Duration");
        row("85 gives 0", chars({85}), chars({0}));
        row("255 gives 170", chars({255}), chars({170}));
        row("below 85 dropped", chars({84, 150, 0}), "A");
        row("plain ASCII mostly dropped", "Az", "%");
        row("300 has no one-byte code", chars({300, 150}), "A");
        row("above 255 dropped", "\u20ac" + chars({150}), "A");
    }
    void decode()
    {
        QFETCH(QString, encoded);
        QTEST(DecodeSetting(encoded), "plain");
    }

    void printableAsciiRoundTrips()
    {
        const QString text = printableAscii();
        const QString encoded = EncodeSetting(text);
        QCOMPARE(encoded.size(), text.size());
        for (const QChar ch : encoded)
            QVERIFY2(ch.unicode() >= 117 && ch.unicode() <= 211,
                     qPrintable(QString::number(ch.unicode())));
        QCOMPARE(DecodeSetting(encoded), text);
        for (const QChar ch : text)
            QCOMPARE(DecodeSetting(EncodeSetting(ch)), QString(ch));
    }

    void highCodesAreLost()
    {
        for (int code = 171; code <= 0xFFFF; ++code) {
            if (QChar::isSurrogate(char32_t(code)))
                continue;
            QVERIFY2(EncodeSetting(QString("<") + QChar(code) + ">") == EncodeSetting("<>"),
                     qPrintable(QString::number(code)));
        }
    }

    void storeRoundTrip_data()
    {
        columns<QString, QString, QString>("key", "value", "readBack");
        row("iso date-time", "Duration", "2026-03-20T00:01:59", "2026-03-20T00:01:59");
        row("regional date-time", "Duration", "3/20/26 12:01:59 AM UTC", "3/20/26 12:01:59 AM UTC");
        row("every printable character", "Duration", printableAscii(), printableAscii());
        row("key with separators", "a/b\\c=d;e", "x", "x");
        row("high codes lost", "Duration", "12.\u00bb3.\u00e4" + chars({170}),
            "12.3." + chars({170}));
        row("empty value", "Duration", QString(), QString());
    }
    void storeRoundTrip()
    {
        const auto [key, value] = fetch<QString, QString>("key", "value");
        QVERIFY(WriteSetting(key, value));
        QTEST(ReadSetting(key), "readBack");
        QVERIFY(settingsStored());
    }

    void neverWrittenReadsEmpty()
    {
        QVERIFY(WriteSetting("Other", "value"));
        QCOMPARE(ReadSetting("Duration"), QString());
    }

    void writeReplacesEarlierValue()
    {
        QVERIFY(WriteSetting("Duration", "first value"));
        QVERIFY(WriteSetting("Duration", "second"));
        QCOMPARE(ReadSetting("Duration"), "second");
    }

    void keyAndValueNeverStoredPlain()
    {
        const QString value = "2026-03-20T00:01:59";
        QVERIFY(WriteSetting("Duration", value));
        if (settingsInFile()) {
            QFile file(settingsFile());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray contents = file.readAll();
            QVERIFY(contents.contains("[Settings]"));
            QVERIFY(!contents.contains("Duration"));
            QVERIFY(!contents.contains(value.toUtf8()));
            QVERIFY(!contents.contains("2026"));
        }
        // Read back without the codec: one section, holding the encoded key and value only.
        const auto store = settingsInFile()
                               ? std::make_unique<QSettings>(settingsFile(), QSettings::IniFormat)
                               : openSettingsStore();
        QCOMPARE(store->childGroups(), QStringList{"Settings"});
        store->beginGroup("Settings");
        QCOMPARE(store->childKeys(), QStringList{EncodeSetting("Duration")});
        QCOMPARE(store->value(EncodeSetting("Duration")).toString(), EncodeSetting(value));
    }

    void unwritableStoreReportsFailure() // a directory where the store's file belongs
    {
        if (!settingsInFile())
            QSKIP("a registry key cannot be made unwritable from within the user's own session");
        QVERIFY(QDir().mkpath(settingsFile()));
        QVERIFY(!WriteSetting("Duration", "2026-03-20T00:01:59"));
        QCOMPARE(ReadSetting("Duration"), QString());
    }
};

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
