#include "link/Wyszukaj.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

#include "shell/Colors.h"
#include "shell/Form1.h"
#include "shell/QtTexts.h"
#include "shell/SvgPicture.h"

namespace {

constexpr QSize kClientSize(378, 185);
constexpr QPoint kPlace(344, 269);
constexpr int kBlinkMs = 1000;

}  // namespace

TWyszukaj::TWyszukaj(TForm1& form, QWidget* parent)
    // Owned by the main window so that it stays above it; the program
    // deletes it before the main window, which lets go of it then.
    : QDialog(parent != nullptr ? parent : &form, Qt::Dialog | Qt::WindowTitleHint |
                                                      Qt::WindowCloseButtonHint |
                                                      Qt::MSWindowsFixedSizeDialogHint),
      form_(form) {
    setObjectName(QStringLiteral("Wyszukaj"));
    setWindowTitle(QString());
    setModal(false);
    setFixedSize(kClientSize);
    move(kPlace);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, tav::colors::clYellow());
    setPalette(palette);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(28, 5, 327, 139);
    Image1->setPixmap(
        tav::shell::SvgPixmap(QStringLiteral(":/pictures/search.svg"), Image1->size()));

    Label2 = new QLabel(QStringLiteral("?"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont mark(QStringLiteral("Arial"));
    mark.setBold(true);
    mark.setPixelSize(37);
    Label2->setFont(mark);
    Label2->move(189, 52);
    Label2->adjustSize();
    Label2->raise();

    Label1 = new QLabel(QStringLiteral("?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(174, 156);
    Label1->adjustSize();

    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setGeometry(337, 152, 25, 25);
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setIcon(QIcon(QStringLiteral(":/glyphs/Wyszukaj_SpeedButton1.svg")));
    SpeedButton1->setIconSize(QSize(16, 16));
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kBlinkMs);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

void TWyszukaj::FormShow() {
    setWindowTitle(
        tav::text::Q(tav::text::Id::SearchCaption, form_.InterfaceLanguage == 0 ? 0 : 1));
    Timer1->start();
}

void TWyszukaj::Timer1Timer() {
    Label2->setVisible(Label2->isHidden());
}

void TWyszukaj::SpeedButton1Click() {
    close();
}

void TWyszukaj::FormCloseQuery() {
    Timer1->stop();
    form_.SearchAborted = true;
}

void TWyszukaj::reject() {
    close();
}

void TWyszukaj::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TWyszukaj::closeEvent(QCloseEvent* event) {
    // Closing is always allowed; the window is hidden, not destroyed, and
    // shown again by the next search.
    FormCloseQuery();
    event->accept();
}
