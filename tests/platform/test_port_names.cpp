// Port names: COMn from the TAVELIN_PORTS directory, names that are paths,
// and the order of the serial devices found in sysfs.
#include <QtTest>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

#include "platform/PortNames.h"

namespace {

// Sets TAVELIN_PORTS for the lifetime of the object.
class PortsDirectory {
public:
    PortsDirectory() { qputenv("TAVELIN_PORTS", dir.path().toLocal8Bit()); }
    ~PortsDirectory() { qunsetenv("TAVELIN_PORTS"); }
    PortsDirectory(const PortsDirectory&) = delete;
    PortsDirectory& operator=(const PortsDirectory&) = delete;
    std::string Entry(const char* name) const { return dir.filePath(name).toStdString(); }
    QTemporaryDir dir;
};

void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

}  // namespace

class TestPortNames : public QObject {
    Q_OBJECT

private slots:
    void portsDirectoryIsTheOnlySource() {
        PortsDirectory ports;
        QVERIFY(symlink("/dev/null", ports.Entry("COM3").c_str()) == 0);
        // A link whose target is gone still names the entry; opening it then
        // fails with the system's reason.
        QVERIFY(symlink("/nonexistent/ttyUSB9", ports.Entry("COM4").c_str()) == 0);

        QCOMPARE(tav::ResolvePortName("COM3"), std::optional(ports.Entry("COM3")));
        QCOMPARE(tav::ResolvePortName("COM4"), std::optional(ports.Entry("COM4")));
        QCOMPARE(tav::ResolvePortName("COM1"), std::nullopt);
        QCOMPARE(tav::ResolvePortName("COM5"), std::nullopt);
        // Names never reach outside the directory.
        QCOMPARE(tav::ResolvePortName("../COM3"), std::nullopt);
        QCOMPARE(tav::ResolvePortName(".."), std::nullopt);
        QCOMPARE(tav::ResolvePortName(""), std::nullopt);
    }

    void pathNameIsUsedAsItStands() {
        PortsDirectory ports;
        QCOMPARE(tav::ResolvePortName("/dev/pts/7"), std::optional<std::string>("/dev/pts/7"));
        qunsetenv("TAVELIN_PORTS");
        QCOMPARE(tav::ResolvePortName("/dev/ttyUSB0"),
                 std::optional<std::string>("/dev/ttyUSB0"));
    }

    void namesOutsideComRangeResolveToNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("COM0") << "COM0";
        QTest::newRow("COM21") << "COM21";
        QTest::newRow("COM05") << "COM05";
        QTest::newRow("COM") << "COM";
        QTest::newRow("lower case") << "com1";
        QTest::newRow("device name") << "ttyS0";
    }
    void namesOutsideComRangeResolveToNothing() {
        QFETCH(QString, name);
        qunsetenv("TAVELIN_PORTS");
        QCOMPARE(tav::ResolvePortName(name.toStdString()), std::nullopt);
    }

    // Converters first (USB, then ACM, each by number, 10 after 9), then
    // UARTs that have hardware behind them; other ttys and placeholder UARTs
    // never take a name.
    void scanOrder() {
        QTemporaryDir sys;
        const char* plain[] = {"ttyACM1", "ttyUSB10", "ttyUSB2", "ttyACM0", "tty0",
                               "console", "ttyUSB",   "ttyUSBx", "ptmx"};
        for (const char* name : plain) {
            QVERIFY(QDir(sys.path()).mkdir(name));
        }
        const struct {
            const char* name;
            const char* type;
        } uarts[] = {{"ttyS0", "4\n"}, {"ttyS1", "0\n"}, {"ttyS12", "4\n"}, {"ttyS3", "4\n"},
                     {"ttyS2", ""}};
        for (const auto& u : uarts) {
            QVERIFY(QDir(sys.path()).mkdir(u.name));
            WriteFile(sys.filePath(QString(u.name) + "/type"), u.type);
        }

        const std::vector<std::string> expected = {"/dev/ttyUSB2", "/dev/ttyUSB10",
                                                   "/dev/ttyACM0", "/dev/ttyACM1",
                                                   "/dev/ttyS0",   "/dev/ttyS3",
                                                   "/dev/ttyS12"};
        QCOMPARE(tav::ScanSerialDevices(sys.path().toStdString(), "/dev"), expected);
    }

    void scanKeepsAtMostTwentyConvertersFirst() {
        QTemporaryDir sys;
        for (int i = 0; i < 18; ++i) {
            QVERIFY(QDir(sys.path()).mkdir(QString("ttyUSB%1").arg(i)));
        }
        for (int i = 0; i < 4; ++i) {
            QVERIFY(QDir(sys.path()).mkdir(QString("ttyACM%1").arg(i)));
            QVERIFY(QDir(sys.path()).mkdir(QString("ttyS%1").arg(i)));
            WriteFile(sys.filePath(QString("ttyS%1/type").arg(i)), "4\n");
        }
        const std::vector<std::string> devices =
            tav::ScanSerialDevices(sys.path().toStdString(), "/devx");
        QCOMPARE(devices.size(), std::size_t{20});
        QCOMPARE(devices.front(), std::string("/devx/ttyUSB0"));
        QCOMPARE(devices[17], std::string("/devx/ttyUSB17"));
        QCOMPARE(devices[18], std::string("/devx/ttyACM0"));
        QCOMPARE(devices.back(), std::string("/devx/ttyACM1"));
    }

    void scanOfMissingDirectoryFindsNothing() {
        QVERIFY(tav::ScanSerialDevices("/nonexistent/sys/class/tty").empty());
    }
};

QTEST_GUILESS_MAIN(TestPortNames)
#include "test_port_names.moc"
