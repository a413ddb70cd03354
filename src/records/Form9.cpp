#include "records/Form9.h"

#include <QLabel>
#include <QPalette>
#include <QVBoxLayout>

#include "shell/Form1.h"
#include "shell/QtTexts.h"

namespace {

// The progress line under the wait text (this window's own texts).
constexpr const char* kProgressOfPl = "Pobrano zgrzewów: %1 z %2";
constexpr const char* kProgressOfEn = "Records received: %1 of %2";
constexpr const char* kProgressPl = "Pobrano zgrzewów: %1";
constexpr const char* kProgressEn = "Records received: %1";

}  // namespace

TForm9::TForm9(TForm1& form, QWidget* parent) : QDialog(parent), form_(form) {
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(tav::text::Q(tav::text::Id::AppTitle, 0));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(287, 125);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::yellow);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    Label1->setFont(font);
    Label1->setAlignment(Qt::AlignCenter);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(font);
    Label2->setAlignment(Qt::AlignCenter);
    column->addStretch(1);
    column->addWidget(Label1);
    column->addWidget(Label2);
    column->addStretch(1);
}

void TForm9::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TForm9::FormShow() {
    Label1->setText(tav::text::Q(tav::text::Id::WaitLabel, form_.InterfaceLanguage));
    Label2->clear();
}

void TForm9::SetProgress(int received, int announced) {
    const bool english = form_.InterfaceLanguage == 1;
    QString text;
    if (announced >= 0) {
        text =
            QString::fromUtf8(english ? kProgressOfEn : kProgressOfPl).arg(received).arg(announced);
    } else {
        text = QString::fromUtf8(english ? kProgressEn : kProgressPl).arg(received);
    }
    Label2->setText(text);
}
