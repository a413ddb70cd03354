// Printing and preview: the text view printed page by page to a PDF file
// through QPrinter (pages counted with pdfinfo, text read with pdftotext),
// report files printed to PDF, and the table's print and preview handing
// the right file to the desktop, with the fallbacks and messages when the
// desktop fails.
#include <QFile>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include "gui/WindowFixture.h"
#include "platform/QtText.h"
#include "reports/PrintFile.h"

using tav::test::WindowFixture;

namespace {

QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        return QStringLiteral("<%1 failed: %2>")
            .arg(program, QString::fromLocal8Bit(p.readAllStandardError()));
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

int PageCount(const QString& pdf) {
    const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    const QRegularExpressionMatch m = pages.match(Run(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString PdfTitle(const QString& pdf) {
    const QRegularExpression title(QStringLiteral("Title:\\s+([^\\n]*)"));
    const QRegularExpressionMatch m = title.match(Run(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

// The words of one page's text (1-based), in reading order.
QStringList PageWords(const QString& pdf, int page) {
    const QString n = QString::number(page);
    const QString text =
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-f"), n, QStringLiteral("-l"), n,
                                          QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

QString Numbered(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i) {
        lines << QStringLiteral("L%1").arg(i);
    }
    return lines.join(QLatin1Char('\n'));
}

// A table of one record shown in the window, as a download leaves it.
void ShowTable(TForm1& form) {
    form.SetGridHeaders();
    form.GridCells.SetRowCount(2);
    for (int col = 0; col < 17; ++col) {
        form.GridCells.SetCell(col, 1, std::to_string(col + 1));
    }
    form.EnterTableView(true);
    form.setWindowTitle(QString());
}

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT

  private slots:
    // The pages of the text view: 73 lines below the page label on each
    // page, line 74 first on page 2 below "Page 2"; no empty page after an
    // exact multiple; the job title.
    void textViewPrintsPageByPage_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("pages");
        QTest::newRow("one line") << 1 << 1;
        QTest::newRow("73 lines") << 73 << 1;
        QTest::newRow("74 lines") << 74 << 2;
        QTest::newRow("146 lines, no empty third page") << 146 << 2;
        QTest::newRow("147 lines") << 147 << 3;
    }

    void textViewPrintsPageByPage() {
        QFETCH(int, lines);
        QFETCH(int, pages);
        WindowFixture fx;
        TForm1& form = fx.Form();
        form.Pulpit->setPlainText(Numbered(lines));
        form.EnterTextView(true);
        const QString pdf = fx.PathOf(QStringLiteral("out.pdf"));
        fx.Platform().QueuePrintDialog(true, pdf);
        form.SpeedButton5Click();

        QCOMPARE(fx.Platform().PrintDialogs(), 1);
        QVERIFY(fx.Platform().Messages().empty());
        QCOMPARE(PageCount(pdf), pages);
        QCOMPARE(PdfTitle(pdf), QStringLiteral("Rizede - Printing data..."));
        for (int page = 1; page <= pages; ++page) {
            const int first = (page - 1) * 73 + 1;
            const int last = std::min(lines, page * 73);
            QStringList expected{QStringLiteral("Page"), QString::number(page)};
            for (int i = first; i <= last; ++i) {
                expected << QStringLiteral("L%1").arg(i);
            }
            QCOMPARE(PageWords(pdf, page), expected);
        }
    }

    // Polish interface: "Strona n" and the Polish job title. An empty line
    // keeps its slot; a long line is not wrapped.
    void textViewInPolish() {
        WindowFixture fx(WindowFixture::MakeConfig(0, "Firma"));
        TForm1& form = fx.Form();
        form.Pulpit->setPlainText(QStringLiteral("A\n\nB ") + QString(400, QLatin1Char('x')) +
                                  QStringLiteral(" END"));
        form.EnterTextView(true);
        const QString pdf = fx.PathOf(QStringLiteral("pl.pdf"));
        fx.Platform().QueuePrintDialog(true, pdf);
        form.SpeedButton5Click();
        QCOMPARE(PageCount(pdf), 1);
        QCOMPARE(PdfTitle(pdf), tav::U8("Rizede - Drukowanie danych..."));
        const QStringList words = PageWords(pdf, 1);
        QCOMPARE(words.mid(0, 3), (QStringList{"Strona", "1", "A"}));
        QVERIFY2(!words.contains(QStringLiteral("END")), qPrintable(words.join(' ')));
    }

    // A page under 75 device units is printed as if 75 high, never a
    // division by zero; a cancelled print dialog prints nothing.
    void tinyPageAndCancelledDialog() {
        WindowFixture fx;
        TForm1& form = fx.Form();
        form.Pulpit->setPlainText(Numbered(80));
        form.EnterTextView(true);
        form.Printer.setOutputFormat(QPrinter::PdfFormat);
        form.Printer.setResolution(600);
        form.Printer.setFullPage(true);
        form.Printer.setPageSize(
            QPageSize(QSizeF(4, 4), QPageSize::Point, QString(), QPageSize::ExactMatch));
        const QString pdf = fx.PathOf(QStringLiteral("tiny.pdf"));
        fx.Platform().QueuePrintDialog(true, pdf);
        form.SpeedButton5Click();
        QCOMPARE(PageCount(pdf), 2);

        const QString none = fx.PathOf(QStringLiteral("none.pdf"));
        fx.Platform().QueuePrintDialog(false, none);
        form.SpeedButton5Click();
        QVERIFY(!QFile::exists(none));
        QVERIFY(fx.Platform().Messages().empty());
    }

    // A printer that cannot start is reported, not taken for a printout.
    void printerFailureIsReported() {
        WindowFixture fx;
        TForm1& form = fx.Form();
        form.Pulpit->setPlainText(QStringLiteral("A"));
        form.EnterTextView(true);
        fx.Platform().QueuePrintDialog(true, fx.PathOf(QStringLiteral("no/such/dir/x.pdf")));
        form.SpeedButton5Click();
        QCOMPARE(fx.Platform().MessageTexts(),
                 QStringList{QStringLiteral("Error! The data cannot be printed.")});
    }

    // Report files printed as the desktop's print action prints them: an
    // HTML report laid out as a document, a text report as lines.
    void reportFilesPrintToPdf_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("word");
        QTest::newRow("html report") << "report_1.htm"
                                     << "REPORT";
        QTest::newRow("text report") << "report_1.txt"
                                     << "REPORT";
    }

    void reportFilesPrintToPdf() {
        QFETCH(QString, file);
        QFETCH(QString, word);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QVERIFY(tav::reports::PrintReportFile(QStringLiteral(TAVELIN_TEST_DATA "/reports/") + file,
                                              printer));
        QVERIFY(PageCount(pdf) >= 1);
        QVERIFY(PageWords(pdf, 1).contains(word));
        QCOMPARE(PdfTitle(pdf), file);
    }

    // The report's headings stand in one row and its values on one line,
    // as a browser shows the table.
    void htmlReportTableKeepsItsRows() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QVERIFY(tav::reports::PrintReportFile(
            QStringLiteral(TAVELIN_TEST_DATA "/reports/report_1.htm"), printer));
        const QStringList lines =
            Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                .split(QLatin1Char('\n'));
        const QRegularExpression headings(
            QStringLiteral("Fusion date +Fusion time +Operator ID .*Fusion evaluation"));
        const QRegularExpression record(QStringLiteral("2024\\.03\\.01 +08:15 +1 +0001 +A +FRI"));
        QCOMPARE(int(lines.filter(headings).size()), 3);
        QCOMPARE(int(lines.filter(record).size()), 1);
    }

    void reportFileFailures() {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("x.pdf")));
        QVERIFY(
            !tav::reports::PrintReportFile(dir.filePath(QStringLiteral("missing.htm")), printer));
        // A printer that cannot start fails the print.
        for (const char* file : {"report_1.htm", "report_1.txt"}) {
            QPrinter broken(QPrinter::HighResolution);
            broken.setOutputFormat(QPrinter::PdfFormat);
            broken.setOutputFileName(dir.filePath(QStringLiteral("no/such/dir/x.pdf")));
            QVERIFY2(
                !tav::reports::PrintReportFile(
                    QStringLiteral(TAVELIN_TEST_DATA "/reports/") + QLatin1String(file), broken),
                file);
        }
    }

    // The table saved or opened: printed from the file the caption names,
    // without writing anything; the desktop failing gives its message.
    void tablePrintsTheCaptionFile() {
        WindowFixture fx;
        TForm1& form = fx.Form();
        ShowTable(form);
        const QString saved = fx.PathOf(QStringLiteral("saved report.txt"));
        form.setWindowTitle(saved);
        fx.Platform().QueueShellResult(42);
        form.SpeedButton5Click();
        fx.Platform().QueueShellResult(2);
        form.SpeedButton5Click();

        const auto& calls = fx.Platform().ShellCalls();
        QCOMPARE(int(calls.size()), 2);
        QCOMPARE(calls[0].verb, QStringLiteral("print"));
        QCOMPARE(calls[0].file, saved);
        QCOMPARE(fx.Platform().MessageTexts(),
                 QStringList{QStringLiteral("Error! The fusion report cannot be printed. Open the "
                                            "file in a web browser and start printing!")});
        QCOMPARE(fx.Platform().Messages()[0].kind, tav::MsgKind::Confirmation);
        QVERIFY(!QFile::exists(fx.PathOf(QStringLiteral("~tmp.html"))));
        QCOMPARE(fx.Platform().PrintDialogs(), 0);
    }

    // The table in no file: "~tmp.html" is written and printed; the
    // desktop failing gives the other message.
    void tablePrintsATemporaryReport() {
        WindowFixture fx;
        TForm1& form = fx.Form();
        ShowTable(form);
        fx.Platform().QueueShellResult(2);
        form.SpeedButton5Click();
        const auto& calls = fx.Platform().ShellCalls();
        QCOMPARE(int(calls.size()), 1);
        QCOMPARE(calls[0].verb, QStringLiteral("print"));
        QCOMPARE(calls[0].file, QStringLiteral("~tmp.html"));
        QVERIFY(QFile::exists(fx.PathOf(QStringLiteral("~tmp.html"))));
        QCOMPARE(fx.Platform().MessageTexts(),
                 QStringList{QStringLiteral(
                     "Error! For unknown reasons the fusion report cannot be printed. Save the "
                     "report as *.htm or *.txt file and try again!")});
        QCOMPARE(form.windowTitle(), QString());
    }

    // Preview: "~tmp.html" opened; when the desktop cannot, "~tmp.htm";
    // when neither opens, the message.
    void previewFallsBack_data() {
        QTest::addColumn<QList<int>>("results");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<bool>("message");
        QTest::newRow("first opens") << QList<int>{42} << QStringList{"~tmp.html"} << false;
        QTest::newRow("fallback opens")
            << QList<int>{2, 42} << QStringList{"~tmp.html", "~tmp.htm"} << false;
        QTest::newRow("neither opens")
            << QList<int>{32, 0} << QStringList{"~tmp.html", "~tmp.htm"} << true;
    }

    void previewFallsBack() {
        QFETCH(QList<int>, results);
        QFETCH(QStringList, opened);
        QFETCH(bool, message);
        WindowFixture fx;
        TForm1& form = fx.Form();
        ShowTable(form);
        form.setWindowTitle(fx.PathOf(QStringLiteral("other.htm")));  // not used by preview
        for (int r : results) {
            fx.Platform().QueueShellResult(r);
        }
        form.SpeedButton15Click();
        QStringList files;
        for (const auto& call : fx.Platform().ShellCalls()) {
            QCOMPARE(call.verb, QStringLiteral("open"));
            files << call.file;
            QVERIFY2(QFile::exists(fx.PathOf(call.file)), qPrintable(call.file));
        }
        QCOMPARE(files, opened);
        const QStringList expected =
            message ? QStringList{QStringLiteral(
                          "Error! For unknown reasons the fusion report cannot be previewed. Save "
                          "the report as HTML file and try to open it in a web browser!")}
                    : QStringList{};
        QCOMPARE(fx.Platform().MessageTexts(), expected);
    }

    // The fallback name is no temporary name of its own: an existing
    // "~tmp.htm" is replaced only when the user agrees; "~tmp.html" never
    // asks.
    void previewFallbackAsksBeforeReplacing() {
        WindowFixture fx;
        TForm1& form = fx.Form();
        ShowTable(form);
        for (const char* name : {"~tmp.html", "~tmp.htm"}) {
            QFile old(fx.PathOf(QString::fromLatin1(name)));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        fx.Platform().QueueShellResult(2);
        fx.Platform().QueueAnswer(tav::Answer::No);
        form.SpeedButton15Click();

        QCOMPARE(int(fx.Platform().ShellCalls().size()), 1);
        const QStringList messages = fx.Platform().MessageTexts();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(QStringLiteral("~tmp.htm' already exists.Replace?")),
                 qPrintable(messages[0]));
        QFile kept(fx.PathOf(QStringLiteral("~tmp.htm")));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("old"));
        QFile fresh(fx.PathOf(QStringLiteral("~tmp.html")));
        QVERIFY(fresh.open(QIODevice::ReadOnly));
        QVERIFY(fresh.readAll() != QByteArray("old"));
    }

    // Preview with the text view does nothing; print with neither view
    // does nothing; printer setup runs the dialog on the window's printer.
    void commandsWithoutATable() {
        WindowFixture fx;
        TForm1& form = fx.Form();
        form.SpeedButton5Click();
        form.Pulpit->setPlainText(QStringLiteral("text"));
        form.EnterTextView(true);
        form.SpeedButton15Click();
        QVERIFY(fx.Platform().ShellCalls().empty());
        QCOMPARE(fx.Platform().PrintDialogs(), 0);
        QVERIFY(fx.Platform().Messages().empty());
        fx.Platform().QueuePrinterSetup(true);
        form.PrintSetup1Click();
        QCOMPARE(fx.Platform().PrinterSetupDialogs(), 1);
    }
};

QTEST_MAIN(PrintingTest)
#include "tst_printing.moc"
