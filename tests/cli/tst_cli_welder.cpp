// tavelin-cli against the simulated welder on a pseudo-terminal: every welder
// command, its output files compared with what the program's own writers
// give for the same welder answer, and the link's faults.
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QProcess>
#include <QTest>

#include <unistd.h>

#include <optional>
#include <memory>
#include <string>
#include <vector>

#include "CliRun.h"
#include "core/SimHarness.h"
#include "link/CommPort.h"
#include "link/Exchange.h"
#include "platform/Cp1250.h"
#include "records/GridData.h"
#include "records/RecordTable.h"
#include "reports/HtmlReport.h"
#include "reports/ReportSnapshot.h"
#include "reports/TextReport.h"
#include "sim/Lines.h"
#include "sim/Pty.h"
#include "sim/Records.h"

using tav::test::Bytes;
using tav::test::CliResult;
using tav::test::ReadAll;
using tav::test::RunCliProgram;
using tav::test::SimHarness;

namespace {

constexpr const char* kStamp = "2009.05.04 12:00";

// A small memory with what a report must carry through: Polish letters in a
// site ID, a comma and double quotes in a fitting type, two sites.
tav::sim::RecordStore SmallStore() {
    const std::string text = tav::cp1250::FromUtf8(
        "site ŁÓDŹ\n"
        "2009.03.15;07:42;1;12;A;ZKP;R \"6,3\";39.5;39.4;120;120;10;10;21;1.25;+\n"
        "2009.03.15;08:05;1;13;M;ZKP;T 90;39.5;39.6;95;95;8;8;21;0.84;-\n"
        "site 1024\n"
        "2009.03.20;09:00;2;14;A;FRI;M 110;39.5;39.5;100;100;9;9;-3;1.10;1\n");
    return tav::sim::ParseRecordText(text, "small");
}

// What the window holds after receiving the welder's answer: the answer's
// lines run through the program's own line handling.
struct Received {
    tav::records::GridData grid;
    tav::records::RecordTableState state;
    std::string typeLine;
    std::string downloadTime;

    tav::reports::ReportSnapshot Snapshot(const std::string& company) const {
        return {grid,           company,        typeLine,
                downloadTime,   state.PeriodFrom, state.PeriodTo,
                state.DocumentLanguage == -1 ? 1 : state.DocumentLanguage};
    }
};

Received FromAnswer(const std::vector<std::string>& lines) {
    Received r;
    r.state.NextRecordRow = 1;
    for (const std::string& line : lines) {
        tav::records::LineEffects effects;
        tav::records::ApplyRecordLine(r.state, r.grid, line, 0, effects);
        if (effects.typeLineStatus) {
            r.typeLine = *effects.typeLineStatus;
        }
        if (effects.downloadTime) {
            r.downloadTime = *effects.downloadTime;
        }
    }
    return r;
}

SimHarness::Options WithRecords(tav::sim::RecordStore store,
                                tav::sim::Language language = tav::sim::Language::Polish) {
    SimHarness::Options options;
    options.records = std::move(store);
    options.language = language;
    options.downloadTime = kStamp;
    return options;
}

// The records (without the heading row) of a CSV file, by Python's reader.
QJsonArray CsvRecords(const QString& path) {
    QJsonArray rows = tav::test::ReadCsvWithPython(path);
    if (!rows.isEmpty()) {
        rows.removeFirst();
    }
    return rows;
}

}  // namespace

class CliWelderTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void findsTheWelderAndListsPorts();
    void noWelderGivesStatus3();
    void downloadWritesWhatTheWindowWrites_data();
    void downloadWritesWhatTheWindowWrites();
    void downloadCsvAndJson();
    void progressOnlyOnATerminal();
    void countMismatchWritesAndGives4();
    void existingOrUnwritableFileGives5();
    void hangUpGives7AndKeepPartialWrites();
    void stallGives7();
    void textDownloads();
    void textHangUpGives7();
    void erase();

private:
    QString Path(const char* name) const { return dir_->filePath(QString::fromUtf8(name)); }
    // A fresh directory for every test function.
    std::unique_ptr<QTemporaryDir> dir_;
};

void CliWelderTest::findsTheWelderAndListsPorts() {
    SimHarness sim;
    const QByteArray expected =
        "COM3  " + Bytes(tav::sim::ShortTypeLine(tav::sim::Language::Polish)) + "\n";

    CliResult found = RunCliProgram({"find"});
    QCOMPARE(found.status, 0);
    QCOMPARE(found.out, expected);

    found = RunCliProgram({"find", "--port", "COM3"});
    QCOMPARE(found.status, 0);
    QCOMPARE(found.out, expected);

    // The device's text reaches the terminal without its control characters.
    sim.Welder().SetRawReply("TZB", "ZT\x1b]0;x\x07\x9c\xb9\r\n");
    found = RunCliProgram({"find"});
    QCOMPARE(found.status, 0);
    QCOMPARE(found.out, QByteArray("COM3  ZT ]0;x \xc5\x9b\xc4\x85\n"));
    sim.Welder().ClearFaults();

    const CliResult ports = RunCliProgram({"ports"});
    QCOMPARE(ports.status, 0);
    const QList<QByteArray> lines = ports.out.split('\n');
    QCOMPARE(lines.size(), 21);  // 20 names and the final line end
    QCOMPARE(lines[0], QByteArray("COM1   none"));
    QCOMPARE(lines[2], "COM3   " + Bytes(sim.LinkPath(3)) + "  opens");
    QCOMPARE(lines[19], QByteArray("COM20  none"));

    // Held by another program: the name resolves, the port does not open.
    TCommPort held;
    held.SetPortName("COM3");
    held.Open();
    const CliResult busy = RunCliProgram({"ports"});
    QCOMPARE(busy.status, 0);
    QVERIFY2(busy.out.contains("COM3   " + Bytes(sim.LinkPath(3)) +
                               "  does not open: Device or resource busy\n"),
             busy.out);
}

void CliWelderTest::noWelderGivesStatus3() {
    SimHarness::Options options;
    options.comNumber = 0;
    SimHarness sim(options);
    sim.AddSilentDevice(2);  // a port that opens and never answers

    CliResult r = RunCliProgram({"find"});
    QCOMPARE(r.status, 3);
    QVERIFY(r.out.isEmpty());
    QVERIFY(r.err.contains("Welder is not responding."));

    r = RunCliProgram({"find", "--port", "COM7"});
    QCOMPARE(r.status, 3);
    QVERIFY2(r.err.contains("COM7") && r.err.contains("No such file or directory"), r.err);

    r = RunCliProgram({"download", "-o", Path("none.htm")});
    QCOMPARE(r.status, 3);
    QVERIFY(!QFileInfo::exists(Path("none.htm")));

    // The welder answers identify but sends no type line: no welder either.
    SimHarness mute;
    mute.Welder().SetNoTypeLine(true);
    r = RunCliProgram({"--lang", "pl", "find"});
    QCOMPARE(r.status, 3);
    QVERIFY(r.err.contains("Zgrzewarka nie odpowiada."));
}

void CliWelderTest::downloadWritesWhatTheWindowWrites_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("html, Polish welder") << "all.htm" << 0 << "" << "";
    QTest::newRow("text report, English welder") << "all.txt" << 1 << "" << "";
    QTest::newRow("html, Czech welder") << "all.html" << 2 << "" << "";
    QTest::newRow("period, html") << "period.htm" << 0 << "2009-03-15" << "2009-03-15";
    QTest::newRow("period, text report") << "period.txt" << 3 << "2009-03-16" << "2009-03-31";
}

void CliWelderTest::downloadWritesWhatTheWindowWrites() {
    QFETCH(QString, file);
    QFETCH(int, language);
    QFETCH(QString, from);
    QFETCH(QString, to);
    const auto lang = static_cast<tav::sim::Language>(language);
    SimHarness sim(WithRecords(SmallStore(), lang));

    QStringList args = {"download", "--company", "Zakład Łódź & <Syn>", "-o", Path(qPrintable(file))};
    std::optional<tav::sim::Period> period;
    if (!from.isEmpty()) {
        args << "--from" << from << "--to" << to;
        const auto frame = tav::link::MakePeriodFrame(from.toStdString(), to.toStdString());
        QVERIFY(frame.has_value());
        period = tav::sim::ParsePeriodFrame(
            std::string(reinterpret_cast<const char*>(frame->data()), 24));
    }
    const CliResult r = RunCliProgram(args);
    QVERIFY2(r.status == 0, r.err);

    const Received received =
        FromAnswer(tav::sim::TableAnswer(SmallStore(), lang, kStamp, period));
    const auto snapshot = received.Snapshot(tav::cp1250::FromUtf8("Zakład Łódź & <Syn>"));
    const std::string expected = file.contains("htm") ? tav::reports::WriteHtmlReport(snapshot)
                                                       : tav::reports::WriteTextReport(snapshot);
    QCOMPARE(ReadAll(Path(qPrintable(file))), Bytes(expected));
    QVERIFY(received.state.RecordsParsed > 0);
}

void CliWelderTest::downloadCsvAndJson() {
    SimHarness sim(WithRecords(SmallStore()));
    CliResult r = RunCliProgram({"download", "-o", Path("all.csv")});
    QVERIFY2(r.status == 0, r.err);
    const QByteArray csv = ReadAll(Path("all.csv"));
    QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
    QVERIFY(csv.contains("\"   R \"\"6,3\"\"\""));  // quoted, quotes doubled

    const QJsonArray all = tav::test::ReadCsvWithPython(Path("all.csv"));
    QCOMPARE(all.size(), 4);
    QCOMPARE(all[0].toArray().size(), 17);
    QCOMPARE(all[0].toArray()[6].toString(), QString::fromUtf8("Producent kształtki"));
    const QJsonArray first = all[1].toArray();
    QCOMPARE(first[0].toString(), QString::fromUtf8("ŁÓDŹ"));
    QCOMPARE(first[1].toString(), QString("2009.03.15"));
    QCOMPARE(first[7].toString(), QString("   R \"6,3\""));
    QCOMPARE(all[3].toArray()[0].toString(), QString("1024"));

    r = RunCliProgram({"download", "--company", "Firma \"Ł\"\t1", "-o", Path("all.json")});
    QVERIFY2(r.status == 0, r.err);
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(ReadAll(Path("all.json")), &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    const QJsonObject root = doc.object();
    QCOMPARE(root["company"].toString(), QString::fromUtf8("Firma \"Ł\"\t1"));
    QCOMPARE(root["language"].toInt(), 0);
    QCOMPARE(root["typeLine"].toString(),
             QString::fromStdString(tav::sim::TypeLine(tav::sim::Language::Polish)).trimmed());
    QVERIFY(root["downloadTime"].toString().contains("2009.05.04 12:00"));
    const QJsonArray records = root["records"].toArray();
    QCOMPARE(records.size(), 3);
    const QJsonObject second = records[1].toObject();
    QCOMPARE(second["siteId"].toString(), QString::fromUtf8("ŁÓDŹ"));
    QCOMPARE(second["time"].toString(), QString("08:05"));
    QCOMPARE(second["mode"].toString(), QString("M"));
    QCOMPARE(second["fittingResistance"].toString(), QString("0.84"));
    QCOMPARE(second["evaluation"].toString(), QString(" -"));
    QCOMPARE(second.size(), 17);
}

void CliWelderTest::progressOnlyOnATerminal() {
    SimHarness sim(WithRecords(SmallStore()));
    CliResult r = RunCliProgram({"download", "-o", Path("plain.htm")});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err, "Saved 3 records to " + Path("plain.htm").toUtf8() + "\n");

    tav::sim::PtyPair terminal;
    QProcess process;
    process.setStandardErrorFile(QString::fromStdString(terminal.SlavePath()));
    process.start(tav::test::CliProgram(), {"download", "-o", Path("shown.htm")});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    QByteArray shown;
    char buffer[4096];
    for (ssize_t n; (n = read(terminal.Master(), buffer, sizeof buffer)) > 0;) {
        shown.append(buffer, n);
    }
    QVERIFY2(shown.contains("\r\x1b[KSearching for the welder: COM3?"), shown);
    QVERIFY2(shown.contains("\r\x1b[KRecords received: 3"), shown);
    QVERIFY(shown.endsWith("Saved 3 records to " + Path("shown.htm").toUtf8() + "\n"));
}

void CliWelderTest::countMismatchWritesAndGives4() {
    SimHarness sim(WithRecords(SmallStore()));
    sim.Welder().SetCountDelta(2);
    const CliResult r = RunCliProgram({"download", "-o", Path("short.csv")});
    QCOMPARE(r.status, 4);
    QVERIFY2(r.err.contains("Warning! 3 out of 5 welds were downloaded.Try again!"), r.err);
    QVERIFY(r.err.contains(Bytes(Path("short.csv").toStdString())));
    QCOMPARE(CsvRecords(Path("short.csv")).size(), 3);
}

void CliWelderTest::existingOrUnwritableFileGives5() {
    SimHarness sim(WithRecords(SmallStore()));
    QFile old(Path("old.htm"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("keep me");
    old.close();

    CliResult r = RunCliProgram({"download", "-o", Path("old.htm")});
    QCOMPARE(r.status, 5);
    QVERIFY(r.err.contains("--force"));
    QCOMPARE(ReadAll(Path("old.htm")), QByteArray("keep me"));
    QVERIFY(!sim.Welder().Received("TZC"));  // refused before the welder is asked

    r = RunCliProgram({"download", "--force", "-o", Path("old.htm")});
    QCOMPARE(r.status, 0);
    QVERIFY(ReadAll(Path("old.htm")).startsWith("<!DOCTYPE"));

    r = RunCliProgram({"download", "-o", Path("no-such-dir/x.htm")});
    QCOMPARE(r.status, 5);
    QVERIFY2(r.err.contains("Unable to save the file.File open error!"), r.err);
    QVERIFY(!QFileInfo::exists(Path("no-such-dir")));
}

void CliWelderTest::hangUpGives7AndKeepPartialWrites() {
    {
        SimHarness sim;  // 20 records
        sim.Welder().SetHangUpAfterLine(8);
        const CliResult r = RunCliProgram({"download", "-o", Path("cut.csv")});
        QCOMPARE(r.status, 7);
        QVERIFY2(r.err.contains("Serial port error 10: Input/output error"), r.err);
        QVERIFY(r.err.contains("Records received: "));
        QVERIFY(!QFileInfo::exists(Path("cut.csv")));
    }
    SimHarness sim;
    sim.Welder().SetHangUpAfterLine(8);
    const CliResult r = RunCliProgram({"download", "--keep-partial", "-o", Path("cut.csv")});
    QCOMPARE(r.status, 7);
    const qsizetype at = r.err.indexOf("Records received: ");
    QVERIFY2(at >= 0, r.err);
    const int received = r.err.mid(at + 18).split('\n').front().toInt();
    QVERIFY(received > 0 && received < 20);
    QCOMPARE(CsvRecords(Path("cut.csv")).size(), received);  // no empty row after them
}

void CliWelderTest::stallGives7() {
    SimHarness sim;
    sim.Welder().SetStall(6, 1800);
    const CliResult r = RunCliProgram({"download", "-o", Path("stall.htm")});
    QCOMPARE(r.status, 7);
    QVERIFY2(r.err.contains("Welder is not responding."), r.err);
    QVERIFY(!QFileInfo::exists(Path("stall.htm")));
}

void CliWelderTest::textDownloads() {
    const tav::sim::RecordStore store = SmallStore();
    SimHarness sim(WithRecords(store));

    // The text-view copy: every line with a blank and CR LF; the all-fusions
    // download shows the bytes outside 32..124 as blanks.
    CliResult r = RunCliProgram({"text", "-o", Path("fusions")});
    QVERIFY2(r.status == 0, r.err);
    std::vector<std::string> lines = tav::sim::TableAnswer(store, tav::sim::Language::Polish, kStamp);
    for (std::string& line : lines) {
        for (char& c : line) {
            const auto value = static_cast<signed char>(c);
            if (value < 32 || value > 124) {
                c = ' ';
            }
        }
    }
    QCOMPARE(ReadAll(Path("fusions.txt")), Bytes(tav::reports::WriteTextViewCopy(lines)));

    r = RunCliProgram({"text", "-o", Path("fusions.htm")});
    QCOMPARE(r.status, 2);
    QVERIFY(r.err.contains("This type of data cannot be saved as an HTML (*.htm) file."));

    // The whole memory ends after ten seconds of silence; the byte 26 after
    // the dump's last line end adds an empty line.
    r = RunCliProgram({"text", "--memory", "-o", Path("memory.txt")});
    QVERIFY2(r.status == 0, r.err);
    lines = tav::sim::MemoryDump(store, tav::sim::Language::Polish, kStamp);
    lines.emplace_back();
    QCOMPARE(ReadAll(Path("memory.txt")), Bytes(tav::reports::WriteTextViewCopy(lines)));
}

void CliWelderTest::textHangUpGives7() {
    const tav::sim::RecordStore store = SmallStore();
    SimHarness sim(WithRecords(store));
    sim.Welder().SetHangUpAfterLine(3);
    const CliResult r = RunCliProgram({"text", "--keep-partial", "-o", Path("cut.txt")});
    QCOMPARE(r.status, 7);
    // The failure point is the call that met the hang-up first: asking for
    // the bytes waiting (18) or reading (10).
    QVERIFY2(r.err.contains("Serial port error 1") && r.err.contains(": Input/output error"), r.err);
    QVERIFY2(r.err.contains("Lines received: 3\n"), r.err);
    std::vector<std::string> lines = tav::sim::TableAnswer(store, tav::sim::Language::Polish, kStamp);
    lines.resize(3);
    QCOMPARE(ReadAll(Path("cut.txt")), Bytes(tav::reports::WriteTextViewCopy(lines)));
}

void CliWelderTest::erase() {
    SimHarness sim;
    CliResult r = RunCliProgram({"erase"});
    QCOMPARE(r.status, 2);
    QVERIFY(r.err.contains("irreversible"));
    QVERIFY(!sim.Welder().Received("TZERASE"));

    sim.Welder().SetLowerCaseErase(true);
    r = RunCliProgram({"erase", "--yes"});
    QCOMPARE(r.status, 3);
    QVERIFY(r.err.contains("Unable to erase welder's memory!"));

    sim.Welder().SetLowerCaseErase(false);
    r = RunCliProgram({"--lang", "pl", "erase", "--yes", "--port", "COM3"});
    QCOMPARE(r.status, 0);
    QCOMPARE(QString::fromUtf8(r.out), QString::fromUtf8("Pamięć zgrzewarki wymazana!\n"));
    QVERIFY(sim.Welder().Records().empty());
}

QTEST_GUILESS_MAIN(CliWelderTest)
#include "tst_cli_welder.moc"
