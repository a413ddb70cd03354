// Replays the fuzz targets' seed corpora and every input that once made a
// target fail (fuzz/regressions/<target>/), in the ordinary and the sanitized
// builds, so a fault the fuzzer found stays fixed. A broken property aborts
// the test with the check that failed; the input is named just before.
//
// Also the report import's own guard against the damaged file the fuzzer
// found: a site-ID comment that no cell tag follows.
#include <QtTest>

#include <string>
#include <vector>

#include "FuzzTargets.h"
#include "reports/HtmlImport.h"
#include "reports/TagReader.h"

namespace {

const QString kSource = QStringLiteral(TAVELIN_SOURCE_DIR);

}  // namespace

class FuzzReplay : public QObject {
    Q_OBJECT

private slots:
    void replay_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("path");
        int regressions = 0;
        for (const tav::fuzz::Target& target : tav::fuzz::kTargets) {
            const QString name = QString::fromLatin1(target.name.data(), target.name.size());
            QStringList folders = {kSource + "/fuzz/corpus/" + name,
                                   kSource + "/fuzz/regressions/" + name};
            QStringList filters = {QStringLiteral("*")};
            if (name == QLatin1String("html_import")) {
                folders << kSource + "/tests/data/reports";
                filters = {QStringLiteral("*")};
            }
            for (const QString& folder : folders) {
                const QDir dir(folder);
                for (const QString& file : dir.entryList(QDir::Files, QDir::Name)) {
                    if (folder.endsWith(QLatin1String("reports")) &&
                        !file.endsWith(QLatin1String(".htm"))) {
                        continue;
                    }
                    regressions += folder.contains(QLatin1String("/regressions/")) ? 1 : 0;
                    const QString tag = name + "/" + QDir(kSource).relativeFilePath(dir.filePath(file));
                    QTest::newRow(qPrintable(tag)) << name << dir.filePath(file);
                }
            }
        }
        QVERIFY2(regressions > 0, "no regression inputs found: is the source folder right?");
    }

    void replay() {
        QFETCH(QString, target);
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        const QByteArray bytes = file.readAll();
        for (const tav::fuzz::Target& t : tav::fuzz::kTargets) {
            if (target == QLatin1String(t.name.data(), t.name.size())) {
                qInfo("replaying %s", qPrintable(path));
                t.body(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                       static_cast<std::size_t>(bytes.size()));
                return;
            }
        }
        QFAIL("unknown target");
    }

    // A site-ID comment with no cell tags after it sent every cell search
    // back to the comment's own line, so the import read the same row again
    // without end. The rows end when the comment found is the previous one.
    void damagedReportEnds_data() {
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QByteArray>("lastSite");
        const QByteArray marker = "<!morvalentfusionreport1/morvalentfusionreport>\r\n";
        QTest::newRow("comment alone") << marker + "<!lok1/lok>\r\n" << 1 << QByteArray("1");
        QTest::newRow("cells before the comment")
            << marker + "<data>x</data>\r\n<!lok7/lok>\r\n" << 1 << QByteArray("7");
        QTest::newRow("a full row, then a bare comment")
            << marker + "<!lok1/lok>\r\n<data>d</data>\r\n<ocena>+</ocena>\r\n<!lok2/lok>\r\n"
            << 2 << QByteArray("2");
        QTest::newRow("cell on the comment's line")
            << marker + "<!lok3/lok><czas>t</czas>\r\n" << 1 << QByteArray("3");
    }

    void damagedReportEnds() {
        QFETCH(QByteArray, report);
        QFETCH(int, rows);
        QFETCH(QByteArray, lastSite);
        const std::vector<std::string> lines =
            tav::reports::SplitLines(std::string_view(report.constData(), report.size()));
        tav::reports::TagCursors cursors;
        const tav::reports::HtmlImportResult result =
            tav::reports::ImportHtmlReport(lines, cursors, 1);
        QVERIFY(result.IsReport);
        QCOMPARE(int(result.Rows.size()), rows);
        QCOMPARE(QByteArray::fromStdString(result.Rows.back()[0]), lastSite);
    }
};

QTEST_GUILESS_MAIN(FuzzReplay)
#include "test_fuzz_replay.moc"
