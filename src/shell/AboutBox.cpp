#include "shell/AboutBox.h"

#include <algorithm>
#include <functional>
#include <utility>

#include <qdrawutil.h>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "platform/PlatformService.h"
#include "platform/QtText.h"
#include "shell/SvgPicture.h"

namespace {

const char* const kMakerMail = "serwis@tavelin.example";

constexpr QSize kClientSize(298, 213);
constexpr QRect kPanelRect(8, 8, 281, 161);
const QColor kTeal(0x00, 0x80, 0x80);
const QColor kBlue(0x00, 0x00, 0xFF);

QFont PixelFont(const char* family, int pixels, bool bold = false) {
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void SetTextColor(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

// Runs an action when the left mouse button is released over the watched
// widget, as a click on a label does.
class ClickFilter : public QObject {
  public:
    ClickFilter(QWidget* watched, std::function<void()> action)
        : QObject(watched), action_(std::move(action)) {
        watched->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const auto* widget = static_cast<QWidget*>(watched);
            if (mouse->button() == Qt::LeftButton &&
                widget->rect().contains(mouse->position().toPoint())) {
                action_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> action_;
};

// A panel edged by a lowered outer bevel around a raised inner one.
class BevelPanel : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        qDrawShadePanel(&painter, rect(), palette(), true, 1);
        qDrawShadePanel(&painter, rect().adjusted(1, 1, -1, -1), palette(), false, 1);
    }
};

}  // namespace

TAboutBox::TAboutBox(tav::PlatformService& platform, const std::uint8_t& interfaceLanguage,
                     QWidget* parent)
    : QDialog(parent), platform_(platform), interfaceLanguage_(interfaceLanguage) {
    setObjectName("AboutBox");
    setWindowTitle(tav::U8("O programie"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setWindowIcon(QIcon(":/pictures/program-icon.svg"));
    setFont(PixelFont("MS Sans Serif", 11));
    setFixedSize(kClientSize);

    auto* panel = new BevelPanel(this);
    panel->setObjectName("Panel1");
    panel->setGeometry(kPanelRect);

    auto* icon = new QLabel(panel);
    icon->setObjectName("ProgramIcon");
    icon->setGeometry(8, 8, 65, 57);
    icon->setPixmap(tav::shell::SvgPixmap(":/pictures/program-icon.svg", QSize(65, 57)));

    ProductName = new QLabel("Tavelin ", panel);
    ProductName->setObjectName("ProductName");
    ProductName->setFont(PixelFont("Arial", 20));
    ProductName->move(88, 16);
    ProductName->adjustSize();

    Label2 = new QLabel(panel);
    Label2->setObjectName("Label2");
    Label2->setFont(PixelFont("Arial", 40, true));
    SetTextColor(Label2, kTeal);
    Label2->move(196, 15);
    Label2->setText("3.2");
    Label2->adjustSize();

    Version = new QLabel(panel);
    Version->setObjectName("Version");
    Version->move(144, 40);

    // The maker's mail link. It keeps its place under the version unless the
    // address is too long for it, then moves left so it stays inside the panel.
    Label1 = new QLabel(QString::fromLatin1(kMakerMail), panel);
    Label1->setObjectName("Label1");
    QFont linkFont = font();
    linkFont.setUnderline(true);
    Label1->setFont(linkFont);
    SetTextColor(Label1, kBlue);
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->adjustSize();
    Label1->move(std::min(164, kPanelRect.width() - 8 - Label1->width()), 144);
    new ClickFilter(Label1, [this] { Label1Click(); });

    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setGeometry(111, 180, 75, 25);
    OKButton->setDefault(true);
    OKButton->setAutoDefault(true);
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void TAboutBox::FormShow() {
    Version->setText(interfaceLanguage_ == 0 ? "Wersja:" : "Version:");
    Version->adjustSize();
}

void TAboutBox::Label1Click() {
    // The mail client's answer is of no interest: nothing follows the click.
    static_cast<void>(platform_.ShellExecute("open", QString("mailto:") + kMakerMail));
}

void TAboutBox::OKButtonClick() {
    accept();
}

void TAboutBox::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}
