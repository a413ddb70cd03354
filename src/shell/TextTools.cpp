// The text tools on the text view: find, replace, copy, paste, select all,
// and the marking of every change as unsaved.
//
// The selection of the text view is the only search cursor. Find next
// starts one character after the start of a selected match, so overlapping
// occurrences are found; at the end of the text it says so and puts the
// caret back at the start. Positions are those of the text view's document
// (one character per line break), the same as in its plain text.
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include "shell/FindReplaceDialog.h"
#include "shell/Form1.h"
#include "shell/QtTexts.h"

using tav::text::Id;

namespace {

struct SearchOptions {
    bool matchCase = false;
    bool wholeWord = false;
};

SearchOptions OptionsOf(const tav::FindReplaceDialog& dialog) {
    return {dialog.MatchCase(), dialog.WholeWord()};
}

bool IsWordChar(QChar c) {
    return c.isLetterOrNumber();
}

// The first occurrence of `needle` in `text` at or after `from`, or -1.
// `charBefore(p)` is the character in front of position p (a null QChar at
// the start of the text); a whole-word match has no letter or digit on
// either side. An empty find text matches nothing.
template <typename CharBefore>
qsizetype FindForward(const QString& text, qsizetype from, const QString& needle,
                      const SearchOptions& options, CharBefore charBefore) {
    if (needle.isEmpty() || from < 0) {
        return -1;
    }
    const Qt::CaseSensitivity cs = options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    qsizetype at = from;
    while ((at = text.indexOf(needle, at, cs)) >= 0) {
        if (!options.wholeWord) {
            return at;
        }
        const qsizetype end = at + needle.size();
        const QChar before = charBefore(at);
        const bool startsWord = before.isNull() || !IsWordChar(before);
        const bool endsWord = end >= text.size() || !IsWordChar(text.at(end));
        if (startsWord && endsWord) {
            return at;
        }
        ++at;
    }
    return -1;
}

qsizetype FindInText(const QString& text, qsizetype from, const QString& needle,
                     const SearchOptions& options) {
    return FindForward(text, from, needle, options,
                       [&text](qsizetype p) { return p > 0 ? text.at(p - 1) : QChar(); });
}

void SetSelection(QPlainTextEdit& edit, int start, int length) {
    QTextCursor cursor(edit.document());
    cursor.setPosition(start);
    if (length > 0) {
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    }
    edit.setTextCursor(cursor);
    edit.ensureCursorVisible();
}

// The selected text with its line breaks as the plain text has them.
QString SelectedPlainText(const QPlainTextEdit& edit) {
    QString text = edit.textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

}  // namespace

void TForm1::Znajd1Click() {
    OpenFindReplaceDialog(*FindDialog1);
}

void TForm1::Zastp1Click() {
    OpenFindReplaceDialog(*ReplaceDialog1);
}

void TForm1::OpenFindReplaceDialog(tav::FindReplaceDialog& dialog) {
    dialog.SetFindText(SelectedPlainText(*Pulpit));
    dialog.Retranslate(InterfaceLanguage);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

void TForm1::ReplaceDialog1Find(QObject* sender) {
    auto* dialog = qobject_cast<tav::FindReplaceDialog*>(sender);
    if (dialog == nullptr) {
        platform_.MessageBox(tav::text::En(Id::DynamicCastFailed),
                             tav::text::En(Id::DynamicCastCaption), 0);
        return;
    }
    FindNextInPulpit(*dialog, Pulpit->toPlainText());
}

bool TForm1::FindNextInPulpit(const tav::FindReplaceDialog& dialog, const QString& text) {
    const QTextCursor current = Pulpit->textCursor();
    qsizetype from = current.selectionStart();
    if (current.hasSelection()) {
        // One past the start of the last match: overlapping ones are found.
        ++from;
    }
    const QString needle = dialog.FindText();
    const qsizetype found = FindInText(text, from, needle, OptionsOf(dialog));
    if (found < 0) {
        tav::text::Show(*this, Id::EndOfDocument, tav::MsgKind::Information);
        SetSelection(*Pulpit, 0, 0);
        return false;
    }
    SetSelection(*Pulpit, static_cast<int>(found), static_cast<int>(needle.size()));
    return true;
}

void TForm1::ReplaceDialog1Replace(QObject* sender) {
    auto* dialog = qobject_cast<tav::FindReplaceDialog*>(sender);
    if (dialog == nullptr) {
        ReplaceDialog1Find(sender);  // the box that says the sender is wrong
        return;
    }
    if (dialog->ReplaceAll()) {
        ReplaceAllInPulpit(*dialog);
        return;
    }
    QTextCursor cursor = Pulpit->textCursor();
    if (cursor.hasSelection()) {
        // Whatever is selected, match or not; the caret ends after it.
        cursor.insertText(dialog->ReplaceText());
        Pulpit->setTextCursor(cursor);
    }
    FindNextInPulpit(*dialog, Pulpit->toPlainText());
}

// Replace all: the selection, then every later occurrence to the end of the
// text, each search starting after the text just inserted. The result is
// the same as replacing and finding one at a time, but the text is read
// once and changed once (one undo step, one change of the document), so
// tens of thousands of replacements in a whole-memory dump stay quick.
void TForm1::ReplaceAllInPulpit(const tav::FindReplaceDialog& dialog) {
    const QString text = Pulpit->toPlainText();
    const QString needle = dialog.FindText();
    const QString replacement = dialog.ReplaceText();
    const SearchOptions options = OptionsOf(dialog);
    const QTextCursor current = Pulpit->textCursor();

    // The changed stretch [begin, pos) of the old text becomes `out`.
    const qsizetype begin = current.selectionStart();
    qsizetype pos = begin;
    QString out;
    bool changed = false;
    if (current.hasSelection()) {
        out = replacement;
        pos = current.selectionEnd();
        changed = true;
    }
    // The character in front of a match as the replaced text has it: the
    // end of what was inserted when the match follows it directly.
    auto charBefore = [&](qsizetype p) {
        if (p > pos) {
            return text.at(p - 1);
        }
        if (!out.isEmpty()) {
            return out.back();
        }
        return begin > 0 ? text.at(begin - 1) : QChar();
    };
    for (;;) {
        const qsizetype found = FindForward(text, pos, needle, options, charBefore);
        if (found < 0) {
            break;
        }
        out += QStringView(text).mid(pos, found - pos);
        out += replacement;
        pos = found + needle.size();
        changed = true;
    }
    if (changed) {
        QTextCursor edit(Pulpit->document());
        edit.beginEditBlock();
        edit.setPosition(static_cast<int>(begin));
        edit.setPosition(static_cast<int>(pos), QTextCursor::KeepAnchor);
        edit.insertText(out);
        edit.endEditBlock();
    }
    tav::text::Show(*this, Id::EndOfDocument, tav::MsgKind::Information);
    SetSelection(*Pulpit, 0, 0);
}

void TForm1::Kopiuj1Click() {
    Pulpit->copy();
}

void TForm1::Wklej1Click() {
    Pulpit->paste();
}

void TForm1::Zaznaczwszystko1Click() {
    Pulpit->selectAll();
}

void TForm1::PulpitChange() {
    DataModified = true;
}
