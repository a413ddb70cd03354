#include "reports/PrintFile.h"

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

bool PrintHtml(const QString& html, QPrinter& printer) {
    QTextDocument document;
    document.setHtml(html);
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

}  // namespace

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
