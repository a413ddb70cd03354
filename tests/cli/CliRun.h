// Runs the real tavelin-cli program and hands back its exit status and
// output. The program inherits this process's environment, so a SimHarness
// alive at the time (TAVELIN_PORTS) is what it finds.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>

#include <string>

namespace tav::test {

struct CliResult {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

inline QString CliProgram() {
    return QStringLiteral(TAVELIN_BINARY_DIR "/src/cli/tavelin-cli");
}

// Runs the program in `workDir` (the current directory when empty).
inline CliResult RunCliProgram(const QStringList& args, const QString& workDir = {}) {
    QProcess process;
    if (!workDir.isEmpty()) {
        process.setWorkingDirectory(workDir);
    }
    process.start(CliProgram(), args);
    CliResult result;
    if (!process.waitForFinished(90000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        result.err = "tavelin-cli did not finish normally";
        return result;
    }
    result.status = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

inline QByteArray Bytes(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

// The rows of a CSV file as Python's csv module reads them, an independent
// reader (UTF-8 with its byte-order mark, RFC 4180 quoting).
inline QJsonArray ReadCsvWithPython(const QString& path) {
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv, json, sys\n"
                                 "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                                 "    print(json.dumps(list(csv.reader(f))))\n"),
                  path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        qWarning() << python.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

}  // namespace tav::test
