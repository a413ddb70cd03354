// Report file names and the safe writer on real files: new and replaced
// files, permissions, links, devices, a read-only file system and a full one.
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "ReportFixture.h"
#include "reports/ReportFile.h"

using tav::reports::ReportKind;
using tav::reports::SaveFileSafely;
using tav::test::ScratchFileSystem;

Q_DECLARE_METATYPE(ReportKind)

namespace {

std::string Read(const std::string& path) {
    return tav::test::ReadBytes(QString::fromStdString(path));
}

bool WriteOld(const std::string& path, const std::string& bytes) {
    return SaveFileSafely(path, bytes) == tav::reports::kSaveWritten;
}

QStringList Entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                               QDir::NoDotAndDotDot);
}

const std::string kOld = "old report\r\n";

}  // namespace

class TestReportFile : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void fileNames_data();
    void fileNames();
    void writesNewFile();
    void replacesFileKeepingItsPermissions();
    void writesThroughSymbolicLink();
    void targetsThatAreNoRegularFile_data();
    void targetsThatAreNoRegularFile();
    void readOnlyDirectory();
    void fullDisk();
};

void TestReportFile::initTestCase() {
    // Mounts made by this test stay private to it where the system allows,
    // so nothing is left behind even if it dies half way.
    if (::unshare(CLONE_NEWNS) == 0) {
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
    }
}

void TestReportFile::fileNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<ReportKind>("kind");
    QTest::addColumn<QString>("finalName");
    QTest::addColumn<bool>("skipsQuestion");
    QTest::newRow("html") << "report.html" << ReportKind::Html << "report.html" << false;
    QTest::newRow("htm") << "/home/k/report.htm" << ReportKind::Html << "/home/k/report.htm"
                         << false;
    QTest::newRow("HTM is text") << "report.HTM" << ReportKind::Text << "report.HTM.txt" << false;
    QTest::newRow("no extension") << "report" << ReportKind::Text << "report.txt" << false;
    QTest::newRow("xhtml") << "a.xhtml" << ReportKind::Html << "a.xhtml.htm" << false;
    QTest::newRow("htm before txt")
        << "notes.htm.txt" << ReportKind::Text << "notes.htm.txt" << false;
    QTest::newRow("dot in a folder only")
        << "/tmp/raporty.htm/marzec" << ReportKind::Text << "/tmp/raporty.htm/marzec.txt" << false;
    QTest::newRow("txt anywhere in the name")
        << "/tmp/x.txt/marzec" << ReportKind::Text << "/tmp/x.txt/marzec" << false;
    QTest::newRow("print copy") << "~tmp.html" << ReportKind::Html << "~tmp.html" << true;
    QTest::newRow("print copy with folder")
        << "/work/~tmp.html" << ReportKind::Html << "/work/~tmp.html" << true;
    QTest::newRow("preview copy asks") << "~tmp.htm" << ReportKind::Html << "~tmp.htm" << false;
}

void TestReportFile::fileNames() {
    QFETCH(QString, name);
    QFETCH(ReportKind, kind);
    QFETCH(QString, finalName);
    QFETCH(bool, skipsQuestion);
    const std::string bytes = name.toStdString();
    QCOMPARE(tav::reports::ReportKindOf(bytes), kind);
    QCOMPARE(tav::reports::FinalReportFileName(bytes, kind), finalName.toStdString());
    QCOMPARE(tav::reports::SkipsOverwriteQuestion(bytes), skipsQuestion);
}

void TestReportFile::writesNewFile() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string path = dir.filePath("raport.htm").toStdString();
    const mode_t oldMask = ::umask(027);
    const std::uint8_t result = SaveFileSafely(path, "<html>\r\n");
    ::umask(oldMask);
    QCOMPARE(result, tav::reports::kSaveWritten);
    QCOMPARE(Read(path), std::string("<html>\r\n"));
    struct stat st {};
    QCOMPARE(::stat(path.c_str(), &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t{0640});
    QCOMPARE(Entries(dir.path()), QStringList{"raport.htm"});

    // A name without a folder is written in the current directory.
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const std::uint8_t here = SaveFileSafely("tutaj.txt", "x");
    QDir::setCurrent(previous);
    QCOMPARE(here, tav::reports::kSaveWritten);
    QCOMPARE(Read(dir.filePath("tutaj.txt").toStdString()), std::string("x"));
}

void TestReportFile::replacesFileKeepingItsPermissions() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string path = dir.filePath("raport.txt").toStdString();
    QVERIFY(WriteOld(path, std::string(5000, 'o')));
    QCOMPARE(::chmod(path.c_str(), 0604), 0);

    QCOMPARE(SaveFileSafely(path, "new"), tav::reports::kSaveWritten);
    QCOMPARE(Read(path), std::string("new"));
    struct stat st {};
    QCOMPARE(::stat(path.c_str(), &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t{0604});
    QCOMPARE(Entries(dir.path()), QStringList{"raport.txt"});
}

void TestReportFile::writesThroughSymbolicLink() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir("reports"));
    const std::string file = dir.filePath("reports/real.htm").toStdString();
    const std::string link = dir.filePath("link.htm").toStdString();
    QVERIFY(WriteOld(file, kOld));
    QCOMPARE(::symlink("reports/real.htm", link.c_str()), 0);

    QCOMPARE(SaveFileSafely(link, "new"), tav::reports::kSaveWritten);
    struct stat st {};
    QCOMPARE(::lstat(link.c_str(), &st), 0);
    QVERIFY(S_ISLNK(st.st_mode));
    QCOMPARE(Read(file), std::string("new"));
    QCOMPARE(Entries(dir.filePath("reports")), QStringList{"real.htm"});

    // A link to a file that does not exist yet creates that file.
    const std::string dangling = dir.filePath("later.htm").toStdString();
    QCOMPARE(::symlink("reports/later.htm", dangling.c_str()), 0);
    QCOMPARE(SaveFileSafely(dangling, "later"), tav::reports::kSaveWritten);
    QCOMPARE(Read(dir.filePath("reports/later.htm").toStdString()), std::string("later"));
}

void TestReportFile::targetsThatAreNoRegularFile_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("error");
    QTest::newRow("directory") << "dir" << int{tav::reports::kSaveOpenError} << EISDIR;
    QTest::newRow("pipe without reader") << "fifo" << int{tav::reports::kSaveOpenError} << ENXIO;
    QTest::newRow("full device") << "/dev/full" << int{tav::reports::kSaveWriteError} << ENOSPC;
    QTest::newRow("null device") << "/dev/null" << int{tav::reports::kSaveWritten} << 0;
    QTest::newRow("missing folder")
        << "no/such/file.htm" << int{tav::reports::kSaveOpenError} << ENOENT;
}

// Devices and pipes are written into, never replaced by a file; a directory
// or a missing folder is an open error.
void TestReportFile::targetsThatAreNoRegularFile() {
    QFETCH(QString, target);
    QFETCH(int, result);
    QFETCH(int, error);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir("dir"));
    QCOMPARE(::mkfifo(dir.filePath("fifo").toLocal8Bit().constData(), 0600), 0);
    const std::string path =
        target.startsWith('/') ? target.toStdString() : dir.filePath(target).toStdString();
    struct stat before {};
    const bool existed = ::stat(path.c_str(), &before) == 0;

    int got = 0;
    QCOMPARE(int{SaveFileSafely(path, std::string(4096, 'x'), &got)}, result);
    if (result != tav::reports::kSaveWritten) {
        QCOMPARE(got, error);
    }
    struct stat after {};
    QCOMPARE(::stat(path.c_str(), &after) == 0, existed);
    if (existed) {
        QCOMPARE(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
        QCOMPARE(after.st_rdev, before.st_rdev);
    }
    QCOMPARE(Entries(dir.path()), (QStringList{"dir", "fifo"}));
}

// A folder the program may not write into: nothing is created, the old
// report stays as it was.
void TestReportFile::readOnlyDirectory() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ScratchFileSystem scratch(dir.path());
    const std::string old = dir.filePath("raport.htm").toStdString();
    if (::geteuid() == 0) {
        // Permissions do not stop root: a read-only file system does.
        if (!scratch.Mount("size=64k,mode=0755")) {
            QSKIP("cannot mount a tmpfs here");
        }
        QVERIFY(WriteOld(old, kOld));
        QVERIFY(scratch.MakeReadOnly());
    } else {
        QVERIFY(WriteOld(old, kOld));
        QCOMPARE(::chmod(dir.path().toLocal8Bit().constData(), 0555), 0);
    }

    int error = 0;
    QCOMPARE(SaveFileSafely(old, "new", &error), tav::reports::kSaveOpenError);
    QVERIFY2(error == EROFS || error == EACCES, std::strerror(error));
    QCOMPARE(SaveFileSafely(dir.filePath("nowy.htm").toStdString(), "new"),
             tav::reports::kSaveOpenError);
    QCOMPARE(Read(old), kOld);
    QCOMPARE(Entries(dir.path()), QStringList{"raport.htm"});
    if (::geteuid() != 0) {
        ::chmod(dir.path().toLocal8Bit().constData(), 0755);
    }
}

// The disk fills up while the report is written: a write error, the old
// report intact, no half-written file left, the space given back.
void TestReportFile::fullDisk() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ScratchFileSystem scratch(dir.path());
    if (!scratch.Mount("size=64k")) {
        QSKIP("cannot mount a tmpfs here");
    }
    const std::string path = dir.filePath("raport.htm").toStdString();
    const std::string old(20000, 'o');
    QVERIFY(WriteOld(path, old));

    int error = 0;
    QCOMPARE(SaveFileSafely(path, std::string(100000, 'n'), &error), tav::reports::kSaveWriteError);
    QCOMPARE(error, ENOSPC);
    QVERIFY(Read(path) == old);
    QCOMPARE(Entries(dir.path()), QStringList{"raport.htm"});

    QCOMPARE(SaveFileSafely(path, std::string(30000, 'n')), tav::reports::kSaveWritten);
    QCOMPARE(Read(path), std::string(30000, 'n'));
}

QTEST_GUILESS_MAIN(TestReportFile)
#include "tst_ReportFile.moc"
