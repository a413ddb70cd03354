// config.cfg as bytes: reading whole or not at all, writing through a
// temporary file, and the language and company fields.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "shell/Settings.h"

using tav::SettingsRecordBytes;

namespace {

std::string Path(const QTemporaryDir& dir, const char* name) {
    return QDir(dir.path()).filePath(QString::fromLatin1(name)).toStdString();
}

void WriteBytes(const std::string& path, const QByteArray& bytes) {
    QFile file(QString::fromStdString(path));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ReadBytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

SettingsRecordBytes Filled(std::uint8_t value) {
    SettingsRecordBytes record{};
    record.fill(value);
    return record;
}

}  // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

private slots:
    void readRefusesUnusableFiles_data() {
        QTest::addColumn<int>("size");  // -1: no file at all
        QTest::addColumn<int>("expected");
        QTest::newRow("missing") << -1 << 1;
        QTest::newRow("empty") << 0 << 2;
        QTest::newRow("122 bytes") << 122 << 2;
        QTest::newRow("124 bytes") << 124 << 2;
    }
    void readRefusesUnusableFiles() {
        QFETCH(int, size);
        QFETCH(int, expected);
        QTemporaryDir dir;
        const std::string path = Path(dir, "config.cfg");
        if (size >= 0) {
            WriteBytes(path, QByteArray(size, '\x01'));
        }
        SettingsRecordBytes record = Filled(0xAB);
        QCOMPARE(tav::ReadSettingsFile(path, record), expected);
        QVERIFY(record == Filled(0xAB));  // untouched
    }

    void readTakesAll123Bytes() {
        QTemporaryDir dir;
        const std::string path = Path(dir, "config.cfg");
        QByteArray bytes(123, '\0');
        for (int i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<char>(i * 7 + 3);
        }
        WriteBytes(path, bytes);
        SettingsRecordBytes record{};
        QCOMPARE(tav::ReadSettingsFile(path, record), 0);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(record.data()), 123), bytes);
    }

    void writeReplacesTheFileWhole() {
        QTemporaryDir dir;
        const std::string path = Path(dir, "config.cfg");
        WriteBytes(path, QByteArray(500, 'x'));  // an old, longer file
        SettingsRecordBytes record = Filled(0x5A);
        QCOMPARE(tav::WriteSettingsFile(path, record), 0);
        QCOMPARE(ReadBytes(path), QByteArray(123, '\x5A'));
        // Nothing is left beside it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"config.cfg"});
    }

    void writeFailuresAreReported() {
        QTemporaryDir dir;
        // No directory to create the file in.
        QCOMPARE(tav::WriteSettingsFile(Path(dir, "missing/config.cfg"), Filled(0)), 1);
        // The name is taken by a directory: the new file cannot replace it.
        const std::string blocked = Path(dir, "config.cfg");
        QVERIFY(QDir(dir.path()).mkdir("config.cfg"));
        QCOMPARE(tav::WriteSettingsFile(blocked, Filled(0)), 2);
        QVERIFY(QFileInfo(QString::fromStdString(blocked)).isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{});
    }

    void language_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("language");
        QTest::newRow("Polish") << 0 << 0;
        QTest::newRow("English") << 1 << 1;
        QTest::newRow("7 counts as English") << 7 << 1;
        QTest::newRow("255 counts as English") << 255 << 1;
    }
    void language() {
        QFETCH(int, byte);
        QFETCH(int, language);
        SettingsRecordBytes record{};
        record[0] = static_cast<std::uint8_t>(byte);
        QCOMPARE(int{tav::SettingsLanguage(record)}, language);
    }

    void companyField_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("stored");  // offsets 21..120
        QTest::addColumn<QByteArray>("readBack");
        const QByteArray polish("Zak\xB3\x61\x64 \xA3\xF3\x64\xBC", 10);  // Windows-1250
        QTest::newRow("empty") << QByteArray() << QByteArray(100, '\0') << QByteArray();
        QTest::newRow("Polish letters as single bytes")
            << polish << polish + QByteArray(90, '\0') << polish;
        QTest::newRow("100 bytes, no terminating NUL")
            << QByteArray(100, 'A') << QByteArray(100, 'A') << QByteArray(100, 'A');
        QTest::newRow("101 bytes cut at 100")
            << QByteArray(100, 'B') + "C" << QByteArray(100, 'B') << QByteArray(100, 'B');
    }
    void companyField() {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, readBack);
        // Start from a record holding a longer name and reserved bytes.
        SettingsRecordBytes record = Filled('R');
        tav::StoreSettings(record, 0, name.toStdString());
        QCOMPARE(record[0], std::uint8_t{0});
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(record.data()) + 21, 100), stored);
        for (int i : {1, 10, 20, 121, 122}) {
            QCOMPARE(record[static_cast<std::size_t>(i)], std::uint8_t{'R'});
        }
        QCOMPARE(QByteArray::fromStdString(tav::SettingsCompany(record)), readBack);
    }
};

QTEST_APPLESS_MAIN(TestSettingsFile)
#include "tst_settings_file.moc"
