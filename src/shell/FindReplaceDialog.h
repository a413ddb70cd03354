// The find and replace dialogs of the text view: a small modeless window
// with the find text (and the replace text), match case, whole word, the
// direction (kept but not used: searches always run towards the end), find
// next, replace and replace all. FindDialog1 and ReplaceDialog1 of the main
// window are the two modes of this one class.
//
// The buttons raise the main window's events with the dialog as sender:
// Find next -> ReplaceDialog1Find, Replace and Replace all ->
// ReplaceDialog1Replace (Replace all sets ReplaceAll() first, Replace clears
// it). Each dialog keeps its texts and options between uses.
#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TForm1;

namespace tav {

class FindReplaceDialog : public QDialog {
    Q_OBJECT

  public:
    enum class Mode { Find, Replace };

    FindReplaceDialog(TForm1& form, Mode mode, QWidget* parent = nullptr);

    Mode DialogMode() const { return mode_; }

    QString FindText() const;
    void SetFindText(const QString& text);
    // Empty in the find mode.
    QString ReplaceText() const;
    void SetReplaceText(const QString& text);
    bool MatchCase() const;
    void SetMatchCase(bool on);
    bool WholeWord() const;
    void SetWholeWord(bool on);
    // The direction option; the search ignores it.
    bool SearchUp() const;
    void SetSearchUp(bool on);
    // Set by the Replace all button, cleared by Replace.
    bool ReplaceAll() const { return replaceAll_; }

    // Captions in the interface language (1 English, otherwise Polish).
    void Retranslate(int language);

    // The buttons, as a person presses them.
    void PressFindNext();
    void PressReplace();
    void PressReplaceAll();

  private:
    void UpdateButtons();

    TForm1& form_;
    Mode mode_;
    bool replaceAll_ = false;

    QLabel* findLabel_ = nullptr;
    QLineEdit* findEdit_ = nullptr;
    QLabel* replaceLabel_ = nullptr;
    QLineEdit* replaceEdit_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
    QCheckBox* wholeWord_ = nullptr;
    QGroupBox* direction_ = nullptr;
    QRadioButton* up_ = nullptr;
    QRadioButton* down_ = nullptr;
    QPushButton* findNext_ = nullptr;
    QPushButton* replace_ = nullptr;
    QPushButton* replaceAllButton_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace tav
