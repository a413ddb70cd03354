// The Windows-1250 codec: every byte survives both directions, the Polish
// letters land on their code-page bytes, and what the code page lacks becomes
// '?'.
#include <QtTest>

#include <string>

#include "platform/Cp1250.h"

class TestCp1250 : public QObject {
    Q_OBJECT

private slots:
    void everyByteRoundTrips() {
        std::string all;
        for (int b = 0; b < 256; ++b) {
            const auto byte = static_cast<std::uint8_t>(b);
            all.push_back(static_cast<char>(byte));
            QCOMPARE(tav::cp1250::FromUnicode(tav::cp1250::ToUnicode(byte)), b);
        }
        QCOMPARE(tav::cp1250::FromUtf8(tav::cp1250::ToUtf8(all)), all);
    }

    void polishLetters_data() {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<int>("byte");
        const struct {
            const char* utf8;
            int byte;
        } letters[] = {
            {"ą", 0xB9}, {"ć", 0xE6}, {"ę", 0xEA}, {"ł", 0xB3}, {"ń", 0xF1}, {"ó", 0xF3},
            {"ś", 0x9C}, {"ź", 0x9F}, {"ż", 0xBF}, {"Ą", 0xA5}, {"Ć", 0xC6}, {"Ę", 0xCA},
            {"Ł", 0xA3}, {"Ń", 0xD1}, {"Ó", 0xD3}, {"Ś", 0x8C}, {"Ź", 0x8F}, {"Ż", 0xAF},
        };
        for (const auto& l : letters) {
            QTest::newRow(l.utf8) << QString::fromUtf8(l.utf8) << l.byte;
        }
    }
    void polishLetters() {
        QFETCH(QString, letter);
        QFETCH(int, byte);
        const std::string utf8 = letter.toStdString();
        const std::string bytes = tav::cp1250::FromUtf8(utf8);
        QCOMPARE(bytes.size(), std::size_t{1});
        QCOMPARE(static_cast<std::uint8_t>(bytes[0]), static_cast<std::uint8_t>(byte));
        QCOMPARE(tav::cp1250::ToUtf8(bytes), utf8);
    }

    void unmappable_data() {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("n with tilde") << QByteArray("a\xC3\xB1z") << QByteArray("a?z");
        QTest::newRow("cyrillic") << QByteArray("\xD0\xB6") << QByteArray("?");
        QTest::newRow("outside the BMP") << QByteArray("x\xF0\x9F\x98\x80y") << QByteArray("x?y");
        QTest::newRow("malformed lead byte") << QByteArray("x\xC3y") << QByteArray("x?y");
    }
    void unmappable() {
        QFETCH(QByteArray, utf8);
        QFETCH(QByteArray, expected);
        const std::string out = tav::cp1250::FromUtf8(utf8.toStdString());
        QCOMPARE(QByteArray::fromStdString(out), expected);
    }
};

QTEST_GUILESS_MAIN(TestCp1250)
#include "test_cp1250.moc"
