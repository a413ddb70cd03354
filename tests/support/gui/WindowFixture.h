// The program's nine windows for a GUI test, started exactly as main()
// starts them (tav::CreateAppWindows) but with the fake platform and a
// config.cfg of the test's own in a fresh temporary directory.
//
//   tav::test::WindowFixture fx;                       // no config.cfg
//
//   auto config = tav::test::WindowFixture::MakeConfig(0, "Firma \xB9");
//   tav::test::WindowFixture fx(config);               // config.cfg first
//   TForm1& form = fx.Form();
//   fx.Platform().QueueAnswer(tav::Answer::Yes);
//   form.Polski1Click();
//   QCOMPARE(fx.ReadConfig().size(), 123);
//   fx.Restart();                                      // a new run, same directory
//
// While the fixture lives, the temporary directory is also the current
// directory (files the program writes beside itself, such as "~tmp.html",
// land there); the previous current directory comes back at the end. The
// windows are created but not shown; Show() shows the main window as main()
// does (maximised) and waits until it is exposed.
//
// Controls are found by objectName with Control<T>(name), which fails the
// test when there is none.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <string>

#include "gui/FakePlatform.h"
#include "shell/AppWindows.h"
#include "shell/Form1.h"

namespace tav::test {

class WindowFixture {
public:
    // Without config.cfg.
    WindowFixture();
    // With config.cfg holding exactly `config` before the windows exist.
    explicit WindowFixture(const QByteArray& config);
    ~WindowFixture();
    WindowFixture(const WindowFixture&) = delete;
    WindowFixture& operator=(const WindowFixture&) = delete;

    TForm1& Form() { return *windows_.Form1; }
    AppWindows& Windows() { return windows_; }
    FakePlatform& Platform() { return platform_; }

    // The temporary directory and the settings file in it.
    QString Dir() const { return dir_.path(); }
    QString ConfigPath() const;
    // An absolute path for `name` inside the temporary directory.
    QString PathOf(const QString& name) const;
    // config.cfg as it is on disk now (empty when missing).
    QByteArray ReadConfig() const;
    void WriteConfig(const QByteArray& bytes) const;
    void RemoveConfig() const;

    // Destroys the windows and creates them again from the same directory,
    // as a new run of the program would (config.cfg is read again). The
    // fake platform and its records stay.
    void Restart();

    // Shows the main window maximised and waits until it is exposed.
    void Show();

    // The control named `name` in the main window, or a test failure.
    template <typename T = QObject>
    T* Control(const char* name) {
        T* found = Form().findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr) {
            QTest::qFail(QByteArray("no control named ").append(name).constData(), __FILE__,
                         __LINE__);
        }
        return found;
    }

    // A 123-byte config.cfg: the language byte, the company name (Windows-1250
    // bytes, cut at 100, NUL-padded) and the reserved bytes 1..20 and 121..122
    // filled with `reserved`.
    static QByteArray MakeConfig(std::uint8_t language, const std::string& company,
                                 char reserved = 0);

private:
    void Create();

    QString previousDir_;
    QTemporaryDir dir_;
    FakePlatform platform_;
    AppWindows windows_;
};

}  // namespace tav::test
