#include "shell/FindReplaceDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/QtText.h"
#include "shell/Form1.h"

namespace tav {
namespace {

struct Caption {
    const char* pl;  // UTF-8
    const char* en;
};

constexpr Caption kFindTitle{"Znajdź", "Find"};
constexpr Caption kReplaceTitle{"Zamień", "Replace"};
constexpr Caption kFindWhat{"&Znajdź:", "Fi&nd what:"};
constexpr Caption kReplaceWith{"Za&mień na:", "Re&place with:"};
constexpr Caption kMatchCase{"&Uwzględniaj wielkość liter", "Match &case"};
constexpr Caption kWholeWord{"&Tylko całe wyrazy", "Match &whole word only"};
constexpr Caption kDirection{"Kierunek", "Direction"};
constexpr Caption kUp{"W &górę", "&Up"};
constexpr Caption kDown{"W &dół", "&Down"};
constexpr Caption kFindNext{"Znajdź &następny", "&Find Next"};
constexpr Caption kReplace{"Z&amień", "&Replace"};
constexpr Caption kReplaceAll{"Zamień &wszystko", "Replace &All"};
constexpr Caption kCancel{"Anuluj", "Cancel"};

QString In(const Caption& caption, int language) {
    return U8(language == 1 ? caption.en : caption.pl);
}

}  // namespace

FindReplaceDialog::FindReplaceDialog(TForm1& form, Mode mode, QWidget* parent)
    : QDialog(parent != nullptr ? parent : &form), form_(form), mode_(mode) {
    const bool replacing = mode == Mode::Replace;
    setObjectName(replacing ? QStringLiteral("ReplaceDialog1") : QStringLiteral("FindDialog1"));
    setModal(false);

    findLabel_ = new QLabel(this);
    findEdit_ = new QLineEdit(this);
    findEdit_->setObjectName(QStringLiteral("FindText"));
    findLabel_->setBuddy(findEdit_);
    matchCase_ = new QCheckBox(this);
    matchCase_->setObjectName(QStringLiteral("MatchCase"));
    wholeWord_ = new QCheckBox(this);
    wholeWord_->setObjectName(QStringLiteral("WholeWord"));
    findNext_ = new QPushButton(this);
    findNext_->setObjectName(QStringLiteral("FindNext"));
    findNext_->setDefault(true);
    close_ = new QPushButton(this);
    close_->setObjectName(QStringLiteral("Cancel"));

    auto* fields = new QGridLayout;
    fields->addWidget(findLabel_, 0, 0);
    fields->addWidget(findEdit_, 0, 1);
    if (replacing) {
        replaceLabel_ = new QLabel(this);
        replaceEdit_ = new QLineEdit(this);
        replaceEdit_->setObjectName(QStringLiteral("ReplaceText"));
        replaceLabel_->setBuddy(replaceEdit_);
        fields->addWidget(replaceLabel_, 1, 0);
        fields->addWidget(replaceEdit_, 1, 1);
    }

    auto* options = new QHBoxLayout;
    auto* checks = new QVBoxLayout;
    checks->addWidget(wholeWord_);
    checks->addWidget(matchCase_);
    checks->addStretch(1);
    options->addLayout(checks);
    if (!replacing) {
        // The direction, as the find dialog offers it; searches run down.
        direction_ = new QGroupBox(this);
        up_ = new QRadioButton(direction_);
        up_->setObjectName(QStringLiteral("SearchUp"));
        down_ = new QRadioButton(direction_);
        down_->setObjectName(QStringLiteral("SearchDown"));
        down_->setChecked(true);
        auto* directions = new QHBoxLayout(direction_);
        directions->addWidget(up_);
        directions->addWidget(down_);
        options->addWidget(direction_);
    }

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(options);
    left->addStretch(1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(findNext_);
    if (replacing) {
        replace_ = new QPushButton(this);
        replace_->setObjectName(QStringLiteral("Replace"));
        replaceAllButton_ = new QPushButton(this);
        replaceAllButton_->setObjectName(QStringLiteral("ReplaceAll"));
        buttons->addWidget(replace_);
        buttons->addWidget(replaceAllButton_);
    }
    buttons->addWidget(close_);
    buttons->addStretch(1);

    auto* row = new QHBoxLayout(this);
    row->addLayout(left, 1);
    row->addLayout(buttons);

    connect(findEdit_, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
    connect(findNext_, &QPushButton::clicked, this, [this] { PressFindNext(); });
    if (replacing) {
        connect(replace_, &QPushButton::clicked, this, [this] { PressReplace(); });
        connect(replaceAllButton_, &QPushButton::clicked, this, [this] { PressReplaceAll(); });
    }
    connect(close_, &QPushButton::clicked, this, &QDialog::close);

    Retranslate(0);
    UpdateButtons();
    resize(replacing ? QSize(420, 150) : QSize(420, 120));
}

QString FindReplaceDialog::FindText() const {
    return findEdit_->text();
}

void FindReplaceDialog::SetFindText(const QString& text) {
    findEdit_->setText(text);
}

QString FindReplaceDialog::ReplaceText() const {
    return replaceEdit_ != nullptr ? replaceEdit_->text() : QString();
}

void FindReplaceDialog::SetReplaceText(const QString& text) {
    if (replaceEdit_ != nullptr) {
        replaceEdit_->setText(text);
    }
}

bool FindReplaceDialog::MatchCase() const {
    return matchCase_->isChecked();
}

void FindReplaceDialog::SetMatchCase(bool on) {
    matchCase_->setChecked(on);
}

bool FindReplaceDialog::WholeWord() const {
    return wholeWord_->isChecked();
}

void FindReplaceDialog::SetWholeWord(bool on) {
    wholeWord_->setChecked(on);
}

bool FindReplaceDialog::SearchUp() const {
    return up_ != nullptr && up_->isChecked();
}

void FindReplaceDialog::SetSearchUp(bool on) {
    if (up_ != nullptr) {
        (on ? up_ : down_)->setChecked(true);
    }
}

void FindReplaceDialog::Retranslate(int language) {
    setWindowTitle(In(mode_ == Mode::Replace ? kReplaceTitle : kFindTitle, language));
    findLabel_->setText(In(kFindWhat, language));
    if (replaceLabel_ != nullptr) {
        replaceLabel_->setText(In(kReplaceWith, language));
    }
    matchCase_->setText(In(kMatchCase, language));
    wholeWord_->setText(In(kWholeWord, language));
    if (direction_ != nullptr) {
        direction_->setTitle(In(kDirection, language));
        up_->setText(In(kUp, language));
        down_->setText(In(kDown, language));
    }
    findNext_->setText(In(kFindNext, language));
    if (replace_ != nullptr) {
        replace_->setText(In(kReplace, language));
        replaceAllButton_->setText(In(kReplaceAll, language));
    }
    close_->setText(In(kCancel, language));
}

void FindReplaceDialog::PressFindNext() {
    form_.RunCommand([this] { form_.ReplaceDialog1Find(this); });
}

void FindReplaceDialog::PressReplace() {
    replaceAll_ = false;
    form_.RunCommand([this] { form_.ReplaceDialog1Replace(this); });
}

void FindReplaceDialog::PressReplaceAll() {
    replaceAll_ = true;
    form_.RunCommand([this] { form_.ReplaceDialog1Replace(this); });
}

void FindReplaceDialog::UpdateButtons() {
    // Nothing to look for: the buttons wait for a find text.
    const bool any = !findEdit_->text().isEmpty();
    findNext_->setEnabled(any);
    if (replace_ != nullptr) {
        replace_->setEnabled(any);
        replaceAllButton_->setEnabled(any);
    }
}

}  // namespace tav
