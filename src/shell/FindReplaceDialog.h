// The find and replace dialogs of the text view: a small modeless window
// with the find text (and the replace text), match case, whole word, find
// next, replace and replace all. FindDialog1 and ReplaceDialog1 of the main
// window are the two modes of this one class.
#pragma once

#include <QDialog>

class TForm1;

namespace tav {

class FindReplaceDialog : public QDialog {
    Q_OBJECT

  public:
    enum class Mode { Find, Replace };

    FindReplaceDialog(TForm1& form, Mode mode, QWidget* parent = nullptr);

    Mode DialogMode() const { return mode_; }

  private:
    TForm1& form_;
    Mode mode_;
};

}  // namespace tav
