#include "gui/WindowFixture.h"

#include <QDir>
#include <QFile>

namespace tav::test {

WindowFixture::WindowFixture() : previousDir_(QDir::currentPath()) {
    QDir::setCurrent(dir_.path());
    Create();
}

WindowFixture::WindowFixture(const QByteArray& config) : previousDir_(QDir::currentPath()) {
    QDir::setCurrent(dir_.path());
    WriteConfig(config);
    Create();
}

WindowFixture::~WindowFixture() {
    windows_.Reset();
    QDir::setCurrent(previousDir_);
}

void WindowFixture::Create() {
    windows_ = CreateAppWindows(platform_, ConfigPath().toStdString());
}

void WindowFixture::Restart() {
    windows_.Reset();
    Create();
}

void WindowFixture::Show() {
    Form().showMaximized();
    if (!QTest::qWaitForWindowExposed(&Form())) {
        QTest::qFail("the main window was not exposed", __FILE__, __LINE__);
    }
}

QString WindowFixture::ConfigPath() const { return PathOf(QStringLiteral("config.cfg")); }

QString WindowFixture::PathOf(const QString& name) const { return QDir(dir_.path()).filePath(name); }

QByteArray WindowFixture::ReadConfig() const {
    QFile file(ConfigPath());
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

void WindowFixture::WriteConfig(const QByteArray& bytes) const {
    QFile file(ConfigPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        QTest::qFail("config.cfg could not be written", __FILE__, __LINE__);
    }
}

void WindowFixture::RemoveConfig() const { QFile::remove(ConfigPath()); }

QByteArray WindowFixture::MakeConfig(std::uint8_t language, const std::string& company,
                                     char reserved) {
    QByteArray bytes(123, '\0');
    bytes[0] = static_cast<char>(language);
    for (int i = 1; i <= 20; ++i) {
        bytes[i] = reserved;
    }
    bytes[121] = reserved;
    bytes[122] = reserved;
    const std::size_t n = std::min<std::size_t>(company.size(), 100);
    for (std::size_t i = 0; i < n; ++i) {
        bytes[static_cast<qsizetype>(21 + i)] = company[i];
    }
    return bytes;
}

}  // namespace tav::test
