// The main window holding the report fixture's table (ReportFixture.h), for
// the GUI tests of saving, opening, clear screen and closing.
#pragma once

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <string>
#include <vector>

#include "ReportFixture.h"
#include "platform/QtText.h"
#include "shell/Form1.h"

namespace tav::test {

// The fixture's table and header fields shown in the table view, as a table
// download leaves them (type line with leading blanks in the status panel),
// with the data unsaved.
inline void ShowFixtureTable(TForm1& form, int language) {
    FillReportFixture(form.GridCells);
    const reports::ReportSnapshot report = FixtureSnapshot(form.GridCells, language);
    form.ComboBox1->setEditText(FromCp1250(report.CompanyName));
    form.SetStatusPanelText(1, QStringLiteral("  ") + FromCp1250(report.TypeLine));
    form.Edit3->setText(FromCp1250(report.DownloadTime));
    form.PeriodFrom = report.PeriodFrom;
    form.PeriodTo = report.PeriodTo;
    form.Edit2->setText(FromCp1250(report.PeriodFrom + " " + report.PeriodTo));
    form.DocumentLanguage = static_cast<std::int8_t>(language);
    form.EnterTableView(true);
    form.DataModified = true;
}

// The text view shown with `lines` (Windows-1250), unsaved.
inline void ShowText(TForm1& form, const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += (i == 0 ? "" : "\n") + lines[i];
    }
    form.EnterTextView(true);
    form.Pulpit->setPlainText(FromCp1250(text));
    form.DataModified = true;
}

inline bool WriteFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
}

// The visible entries of a folder (temporary files beside a report would
// show up here).
inline QStringList FilesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace tav::test
