#include "reports/Postep.h"

#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int kClientWidth = 387;
constexpr int kClientHeight = 26;
}  // namespace

TPostep::TPostep(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Postep"));
    // The same caption in both interface languages.
    setWindowTitle(QStringLiteral("Importowanie danych...."));
    // A fixed dialog frame: no resizing, no help or context button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    layout->addWidget(ProgressBar);
    setFixedSize(kClientWidth, kClientHeight);
}

void TPostep::ShowCentred() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
}
