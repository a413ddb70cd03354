#include "records/Form10.h"

#include <string>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "platform/QtText.h"
#include "records/GridSelection.h"
#include "shell/Form1.h"
#include "shell/QtTexts.h"

using tav::text::Id;

namespace {

constexpr int kMaxIdLength = 80;

QGroupBox* NewBoxWithEdit(QWidget* parent, const char* boxName, QLineEdit*& edit,
                          const char* editName) {
    auto* box = new QGroupBox(parent);
    box->setObjectName(QString::fromLatin1(boxName));
    auto* row = new QHBoxLayout(box);
    edit = new QLineEdit(box);
    edit->setObjectName(QString::fromLatin1(editName));
    edit->setMaxLength(kMaxIdLength);
    row->addWidget(edit);
    return box;
}

}  // namespace

TForm10::TForm10(TForm1& form, QWidget* parent) : QDialog(parent), form_(form) {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QString());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(435, 165);

    auto* column = new QVBoxLayout(this);
    GroupBox1 = NewBoxWithEdit(this, "GroupBox1", Edit1, "Edit1");
    GroupBox2 = NewBoxWithEdit(this, "GroupBox2", Edit2, "Edit2");
    column->addWidget(GroupBox1);
    column->addWidget(GroupBox2);
    auto* buttons = new QHBoxLayout();
    Button1 = new QPushButton(this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(this);
    Button2->setObjectName(QStringLiteral("Button2"));
    // Enter replaces only from Edit2 (Edit2KeyDown); Esc cancels as the
    // dialog's own reject does.
    for (QPushButton* b : {Button1, Button2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    column->addLayout(buttons);

    Edit2->installEventFilter(this);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TForm10::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TForm10::FormShow() {
    const tav::GridSelectionRect selection = tav::CurrentGridSelection(*form_.Grid);
    if (selection.left == 0) {
        Edit1->setText(tav::FromCp1250(form_.GridCells.Cell(0, selection.top)));
        Edit2->setFocus();
    }
    const std::uint8_t language = form_.InterfaceLanguage;
    if (language == 0 || language == 1) {
        setWindowTitle(tav::text::Q(Id::SiteDialogTitle, language));
        GroupBox1->setTitle(tav::text::Q(Id::SiteDialogCurrent, language));
        GroupBox2->setTitle(tav::text::Q(Id::SiteDialogNew, language));
        Button1->setText(tav::text::Q(Id::SiteDialogReplace, language));
        Button2->setText(tav::text::Q(Id::SiteDialogCancel, language));
    }
}

void TForm10::Button1Click() {
    const std::string from = tav::ToCp1250(Edit1->text());
    const std::string to = tav::ToCp1250(Edit2->text());
    tav::records::GridData& cells = form_.GridCells;
    int count = 0;
    for (int row = 0; row < cells.RowCount(); ++row) {
        if (cells.Cell(0, row) == from) {
            cells.SetCell(0, row, to);
            ++count;
        }
    }

    const std::uint8_t language = form_.InterfaceLanguage;
    tav::PlatformService& platform = form_.Platform();
    if (count > 0) {
        if (language == 0) {
            platform.MessageDialog(tav::text::Pl(Id::ReplacedCount) + QString::number(count),
                                   tav::MsgKind::Information, tav::kBtnOk);
        } else if (language == 1) {
            platform.MessageDialog(QString::number(count) + tav::text::En(Id::ReplacedCount),
                                   tav::MsgKind::Information, tav::kBtnOk);
        }
    } else if (language == 0 || language == 1) {
        platform.MessageDialog(tav::text::Q(Id::SiteIdNotFound1, language) + Edit1->text() +
                                   tav::text::Q(Id::SiteIdNotFound2, language),
                               tav::MsgKind::Error, tav::kBtnOk);
    }
    accept();
}

void TForm10::Button2Click() {
    reject();
}

void TForm10::Edit2KeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        Button1Click();
    }
}

bool TForm10::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit2 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Edit2KeyDown(key);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
