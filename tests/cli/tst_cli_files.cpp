// tavelin-cli without a welder: the command line, help, report conversion and
// the CSV and JSON writers.
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "CliRun.h"
#include "cli/Export.h"
#include "platform/Cp1250.h"
#include "records/GridData.h"
#include "reports/ReportSnapshot.h"
#include "reports/TextReport.h"

using tav::test::Bytes;
using tav::test::CliResult;
using tav::test::ReadAll;
using tav::test::RunCliProgram;

namespace {

QString Golden(const QString& name) {
    return QStringLiteral(TAVELIN_TEST_DATA "/reports/") + name;
}

}  // namespace

class CliFilesTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void usageErrorsGive2_data();
    void usageErrorsGive2();
    void helpForToolAndCommands();
    void convertGoldenReportsGivesGoldenBytes_data();
    void convertGoldenReportsGivesGoldenBytes();
    void convertToCsvAndJson();
    void convertRefusesWhatCannotBeConverted();
    void convertNeverOverwritesWithoutForce();
    void csvQuoting_data();
    void csvQuoting();
    void jsonEscapesControlCharacters();

private:
    QString Path(const QString& name) const { return dir_->filePath(name); }
    void WriteFile(const QString& name, const QByteArray& bytes) {
        QFile file(Path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // A fresh directory for every test function.
    std::unique_ptr<QTemporaryDir> dir_;
};

void CliFilesTest::usageErrorsGive2_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no command") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"fetch"};
    QTest::newRow("unknown option") << QStringList{"ports", "--verbose"};
    QTest::newRow("option of another command") << QStringList{"find", "--yes"};
    QTest::newRow("missing value") << QStringList{"download", "-o"};
    QTest::newRow("no output file") << QStringList{"download"};
    QTest::newRow("bad language") << QStringList{"--lang", "de", "ports"};
    QTest::newRow("bad port") << QStringList{"find", "--port", "COM21"};
    QTest::newRow("port without number") << QStringList{"find", "--port", "ttyUSB0"};
    QTest::newRow("from without to") << QStringList{"download", "--from", "2009-03-01", "-o", "x.htm"};
    QTest::newRow("date form") << QStringList{"download", "--from", "2009-3-1", "--to", "2009-03-31", "-o", "x.htm"};
    QTest::newRow("from after to") << QStringList{"download", "--from", "2009-04-01", "--to", "2009-03-31", "-o", "x.htm"};
    QTest::newRow("stray argument") << QStringList{"find", "COM3"};
    QTest::newRow("convert with one file") << QStringList{"convert", "in.htm"};
    QTest::newRow("convert with three files") << QStringList{"convert", "a.htm", "b.htm", "c.htm"};
    QTest::newRow("text as csv") << QStringList{"text", "-o", "t.csv"};
}

void CliFilesTest::usageErrorsGive2() {
    QFETCH(QStringList, args);
    const CliResult r = RunCliProgram(args, dir_->path());
    QCOMPARE(r.status, 2);
    QVERIFY(r.out.isEmpty());
    QVERIFY2(r.err.startsWith("tavelin-cli: "), r.err);
    QVERIFY(QDir(dir_->path()).isEmpty());
}

void CliFilesTest::helpForToolAndCommands() {
    CliResult r = RunCliProgram({"--help"});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.startsWith("Usage: tavelin-cli"));
    for (const char* command : {"ports", "find", "download", "text", "erase", "convert"}) {
        r = RunCliProgram({command, "--help"});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.startsWith("Usage: tavelin-cli " + QByteArray(command)), command);
        r = RunCliProgram({"--lang", "pl", command, "-h"});
        QCOMPARE(r.status, 0);
        QVERIFY(QString::fromUtf8(r.out).startsWith(QString::fromUtf8("Użycie: tavelin-cli ")));
    }
    r = RunCliProgram({"-h", "--lang=pl"});
    QCOMPARE(r.status, 0);
    QVERIFY(QString::fromUtf8(r.out).contains(QString::fromUtf8("wymazuje pamięć zgrzewarki")));

    r = RunCliProgram({"--lang", "pl", "nosuch"});
    QCOMPARE(r.status, 2);
    QVERIFY(QString::fromUtf8(r.err).contains(QString::fromUtf8("nieznane polecenie: nosuch")));
}

void CliFilesTest::convertGoldenReportsGivesGoldenBytes_data() {
    QTest::addColumn<QString>("golden");
    for (const char* name : {"report_0.htm", "report_1.htm", "report_2.htm", "report_3.htm",
                             "report_4.htm"}) {
        QTest::newRow(name) << QString::fromLatin1(name);
    }
}

void CliFilesTest::convertGoldenReportsGivesGoldenBytes() {
    QFETCH(QString, golden);
    const CliResult r = RunCliProgram({"convert", Golden(golden), Path("out.html")});
    QVERIFY2(r.status == 0, r.err);
    QCOMPARE(ReadAll(Path("out.html")), ReadAll(Golden(golden)));
}

void CliFilesTest::convertToCsvAndJson() {
    CliResult r = RunCliProgram({"convert", Golden("report_0.htm"), Path("r.csv")});
    QVERIFY2(r.status == 0, r.err);
    const QJsonArray rows = tav::test::ReadCsvWithPython(Path("r.csv"));
    QCOMPARE(rows.size(), 5);
    QCOMPARE(rows[0].toArray()[0].toString(), QString("Lokalizacja"));
    // An empty site ID comes back from an HTML report as "-".
    QCOMPARE(rows[1].toArray()[0].toString(), QString("-"));
    QCOMPARE(rows[2].toArray()[7].toString(), QString::fromUtf8("Trójnik 63"));
    QCOMPARE(rows[4].toArray()[0].toString(), QString("Hala <2> & Co"));
    QCOMPARE(rows[3].toArray()[14].toString(), QString());

    r = RunCliProgram({"convert", Golden("report_1.htm"), Path("r.json")});
    QVERIFY2(r.status == 0, r.err);
    const QJsonObject root = QJsonDocument::fromJson(ReadAll(Path("r.json"))).object();
    QCOMPARE(root["company"].toString(), QString::fromUtf8("Zakład Instalacji Wodnych Łódź & Syn"));
    QCOMPARE(root["typeLine"].toString(), QString("Zgrzewarka ZT-400 <v1.3>"));
    QCOMPARE(root["periodTo"].toString(), QString("Wydruk do: 2024.03.05"));
    QCOMPARE(root["language"].toInt(), 1);
    const QJsonArray records = root["records"].toArray();
    QCOMPARE(records.size(), 4);
    QCOMPARE(records[3].toObject()["fittingManufacturer"].toString(), QString("A<B"));

    // A text file is text: it is written as the window saves its text view.
    const std::vector<std::string> lines = {"Wykaz", "  Nr 1  +"};
    WriteFile("plain.txt", "Wykaz\r\n  Nr 1  +\r\n");
    r = RunCliProgram({"convert", Path("plain.txt"), Path("copy.txt")});
    QVERIFY2(r.status == 0, r.err);
    QCOMPARE(ReadAll(Path("copy.txt")), Bytes(tav::reports::WriteTextViewCopy(lines)));
}

void CliFilesTest::convertRefusesWhatCannotBeConverted() {
    WriteFile("page.htm", "<html><body>not a report</body></html>\r\n");
    CliResult r = RunCliProgram({"convert", Path("page.htm"), Path("out.txt")});
    QCOMPARE(r.status, 6);
    QVERIFY(r.err.contains("This is not a valid fusion report file"));
    QVERIFY(!QFileInfo::exists(Path("out.txt")));

    r = RunCliProgram({"--lang", "pl", "convert", Path("page.htm"), Path("out.txt")});
    QCOMPARE(r.status, 6);
    QVERIFY(QString::fromUtf8(r.err).contains(
        QString::fromUtf8("To nie jest plik raportu zgrzewania lub plik jest uszkodzony!")));

    WriteFile("plain.txt", "text\r\n");
    r = RunCliProgram({"convert", Path("plain.txt"), Path("out.htm")});
    QCOMPARE(r.status, 2);
    QVERIFY(!QFileInfo::exists(Path("out.htm")));

    r = RunCliProgram({"convert", Path("missing.htm"), Path("out.htm")});
    QCOMPARE(r.status, 1);
    QVERIFY(r.err.contains("No such file or directory"));
}

void CliFilesTest::convertNeverOverwritesWithoutForce() {
    WriteFile("taken.txt", "keep me");
    CliResult r = RunCliProgram({"convert", Golden("report_0.htm"), Path("taken.txt")});
    QCOMPARE(r.status, 5);
    QCOMPARE(ReadAll(Path("taken.txt")), QByteArray("keep me"));

    r = RunCliProgram({"convert", "--force", Golden("report_0.htm"), Path("taken.txt")});
    QCOMPARE(r.status, 0);
    QVERIFY(ReadAll(Path("taken.txt")).contains("WYKAZ"));

    // A name without ".txt" gains it, as in the window's Save as; the
    // temporary file is renamed into place and nothing else is left.
    r = RunCliProgram({"convert", Golden("report_0.htm"), Path("plain")});
    QCOMPARE(r.status, 0);
    QVERIFY(QFileInfo::exists(Path("plain.txt")));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files).size(), 2);

    r = RunCliProgram({"convert", Golden("report_0.htm"), Path("nodir/out.csv")});
    QCOMPARE(r.status, 5);
}

void CliFilesTest::csvQuoting_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("written");
    QTest::newRow("plain") << "39.5" << "39.5";
    QTest::newRow("blanks kept") << "  7" << "  7";
    QTest::newRow("comma") << "6,3" << "\"6,3\"";
    QTest::newRow("quotes") << "R \"63\"" << "\"R \"\"63\"\"\"";
    QTest::newRow("line end") << "a\r\nb" << "\"a\r\nb\"";
    QTest::newRow("empty") << "" << "";
}

void CliFilesTest::csvQuoting() {
    QFETCH(QString, cell);
    QFETCH(QString, written);
    QCOMPARE(QString::fromStdString(tav::cli::CsvField(cell.toStdString())), written);
}

void CliFilesTest::jsonEscapesControlCharacters() {
    tav::records::GridData grid;
    grid.SetCell(0, 1, tav::cp1250::FromUtf8("Ł\"\\"));
    grid.SetCell(7, 1, std::string("a\x01\tb\x1a\x7f\x81", 7));
    const tav::reports::ReportSnapshot snapshot{grid, "c\nd", "", "", "", "", 0};
    const std::string json = tav::cli::WriteJsonReport(snapshot);
    for (const unsigned char c : json) {
        QVERIFY2(c >= 0x20 || c == '\n', "raw control character in the JSON text");
    }
    QVERIFY(json.find("\\u0001") != std::string::npos);
    QVERIFY(json.find("\\u0081") != std::string::npos);
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(Bytes(json), &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    QCOMPARE(doc.object()["company"].toString(), QString("c\nd"));
    const QJsonObject record = doc.object()["records"].toArray()[0].toObject();
    QCOMPARE(record["siteId"].toString(), QString::fromUtf8("Ł\"\\"));
    QCOMPARE(record["fittingType"].toString(), QString::fromUtf8("a\x01\tb\x1a\x7f\xc2\x81"));

    // An empty table (one empty data row) has no records.
    const tav::records::GridData empty;
    const tav::reports::ReportSnapshot none{empty, "", "", "", "", "", 1};
    QCOMPARE(QJsonDocument::fromJson(Bytes(tav::cli::WriteJsonReport(none)))
                 .object()["records"].toArray().size(), 0);
    QCOMPARE(tav::cli::WriteCsvReport(none).find("\r\n"),
             tav::cli::WriteCsvReport(none).size() - 2);
}

QTEST_GUILESS_MAIN(CliFilesTest)
#include "tst_cli_files.moc"
