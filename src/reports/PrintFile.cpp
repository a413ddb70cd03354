#include "reports/PrintFile.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTextDocument>

#include "platform/QtText.h"

namespace tav::reports {
namespace {

constexpr qreal kScreenDpi = 96.0;
constexpr qreal kHtmlShrink = 2.0;

// The report's table as a browser reads it: a row opened with "<tr/>" is
// an open row, and heading cells that follow a closed row start a row of
// their own (the rich-text reader would otherwise give every such cell a
// row of its own).
QString AsBrowserReadsIt(QString html) {
    static const QRegularExpression kSelfClosedRow(QStringLiteral("<tr\\s*/>"),
                                                   QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression kHeadingsWithoutRow(QStringLiteral("(</tr>\\s*)(<th[\\s>])"),
                                                        QRegularExpression::CaseInsensitiveOption);
    html.replace(kSelfClosedRow, QStringLiteral("<tr>"));
    html.replace(kHeadingsWithoutRow, QStringLiteral("\\1<tr>\\2"));
    return html;
}

bool PrintHtml(const QString& html, QPrinter& printer) {
    QTextDocument document;
    document.setHtml(AsBrowserReadsIt(html));
    // Laid out as on a screen twice the paper's width (the 17 columns of
    // the table then keep their values on one line), and scaled down to
    // the page as a browser shrinks a wide page to fit.
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const qreal paperWidth = page.width() * kScreenDpi / printer.resolution();
    const qreal width = paperWidth * kHtmlShrink;
    if (page.width() > 0) {
        document.setPageSize(QSizeF(width, width * page.height() / page.width()));
    }
    document.print(&printer);
    return printer.printerState() != QPrinter::Error;
}

bool PrintLines(const QString& text, QPrinter& printer) {
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();  // the line end of the last line opens no new line
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(10);
    painter.setFont(font);
    const QFontMetrics metrics(painter.font(), &printer);
    const int lineHeight = qMax(1, metrics.lineSpacing());
    const int pageHeight = painter.viewport().height();
    const int linesPerPage = qMax(1, pageHeight / lineHeight);

    int slot = 0;
    for (const QString& line : lines) {
        if (slot == linesPerPage) {
            if (!printer.newPage()) {
                painter.end();
                return false;
            }
            slot = 0;
        }
        painter.drawText(0, slot * lineHeight + metrics.ascent(), line);
        ++slot;
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

// The fixed layout of the text view's printout, in printer dots.
constexpr int kLeftMargin = 300;
constexpr int kSlotsPerPageHeight = 75;
constexpr int kMinimumPageHeight = kSlotsPerPageHeight;
constexpr int kMinimumResolution = 300;
constexpr int kPreferredResolution = 600;

}  // namespace

bool PrintTextLines(const QStringList& lines, QPrinter& printer, const QString& pageLabel) {
    // Device units are printer dots; a printer left at screen resolution
    // would put the 300-dot margin a third of the page in.
    if (printer.resolution() < kMinimumResolution) {
        printer.setResolution(kPreferredResolution);
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const int pageWidth = painter.device()->width();
    const int pageHeight = std::max(painter.device()->height(), kMinimumPageHeight);
    const int slot = pageHeight / kSlotsPerPageHeight;  // at least 1

    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(slot);
    {
        // The font's cell (ascent, descent and leading) fits the slot, so
        // neighbouring lines never overlap.
        const QFontMetrics metrics(font, painter.device());
        if (metrics.height() > slot) {
            font.setPixelSize(std::max(1, slot * slot / metrics.height()));
        }
    }
    painter.setFont(font);
    const int ascent = QFontMetrics(font, painter.device()).ascent();
    // A slot's text stands with its top at the slot's top.
    auto write = [&](int x, int y, const QString& text) { painter.drawText(x, y + ascent, text); };

    int page = 0;
    auto pageHead = [&] {
        ++page;
        write(pageWidth / 2, 0, pageLabel + QString::number(page));
    };
    pageHead();
    const int breakEvery = pageHeight / slot - 1;  // at least 74
    int k = 1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        write(kLeftMargin, k * slot, lines.at(i));
        ++k;
        const bool last = i + 1 == lines.size();
        if (k % breakEvery == 0 && i != 0 && !last) {
            k = 1;
            if (!printer.newPage()) {
                painter.end();
                return false;
            }
            pageHead();
        }
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

bool IsHtmlFileName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("htm") || suffix == QLatin1String("html");
}

bool PrintReportFile(const QString& path, QPrinter& printer) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return false;
    }
    const QString text =
        FromCp1250(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (printer.docName().isEmpty()) {
        printer.setDocName(QFileInfo(path).fileName());
    }
    return IsHtmlFileName(path) ? PrintHtml(text, printer) : PrintLines(text, printer);
}

}  // namespace tav::reports
