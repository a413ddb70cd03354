// The text tools on the text view: find next with its restart one past the
// last match, match case, whole word, the end of the text, replace, replace
// all (also on a whole-memory sized text), copy, paste, select all and the
// unsaved-data mark. Real widgets under the offscreen platform.
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QtTest>

#include "gui/WindowFixture.h"
#include "platform/QtText.h"
#include "shell/FindReplaceDialog.h"

using tav::test::WindowFixture;

namespace {

const QString kEnd = QStringLiteral("End of document reached.");

struct Selection {
    int start;
    int length;
    bool operator==(const Selection&) const = default;
};

Selection SelectionOf(const QPlainTextEdit& edit) {
    const QTextCursor c = edit.textCursor();
    return {c.selectionStart(), c.selectionEnd() - c.selectionStart()};
}

void Select(QPlainTextEdit& edit, int start, int length) {
    QTextCursor c(edit.document());
    c.setPosition(start);
    c.setPosition(start + length, QTextCursor::KeepAnchor);
    edit.setTextCursor(c);
}

// The window in the text view with `text` in it, counting as saved.
struct TextRig {
    WindowFixture fx;
    TForm1& form;
    tav::FindReplaceDialog& find;
    tav::FindReplaceDialog& replace;

    explicit TextRig(const QString& text)
        : form(fx.Form()), find(*fx.Form().FindDialog1), replace(*fx.Form().ReplaceDialog1) {
        form.Pulpit->setPlainText(text);
        form.EnterTextView(true);
        form.DataModified = false;
        Select(*form.Pulpit, 0, 0);
    }
    QStringList Messages() { return fx.Platform().MessageTexts(); }
};

}  // namespace

Q_DECLARE_METATYPE(Selection)

class TextToolsTest : public QObject {
    Q_OBJECT

  private slots:
    // "aa" in "aaa": 0-1, 1-2, the end (caret to 0), 0-1 again.
    void findNextFindsOverlappingMatchesAndRestarts() {
        TextRig rig(QStringLiteral("aaa"));
        rig.find.SetFindText(QStringLiteral("aa"));
        rig.form.ReplaceDialog1Find(&rig.find);
        QCOMPARE(SelectionOf(*rig.form.Pulpit), (Selection{0, 2}));
        rig.form.ReplaceDialog1Find(&rig.find);
        QCOMPARE(SelectionOf(*rig.form.Pulpit), (Selection{1, 2}));
        QVERIFY(rig.Messages().isEmpty());
        rig.form.ReplaceDialog1Find(&rig.find);
        QCOMPARE(rig.Messages(), QStringList{kEnd});
        QCOMPARE(rig.fx.Platform().Messages()[0].kind, tav::MsgKind::Information);
        QCOMPARE(SelectionOf(*rig.form.Pulpit), (Selection{0, 0}));
        rig.form.ReplaceDialog1Find(&rig.find);
        QCOMPARE(SelectionOf(*rig.form.Pulpit), (Selection{0, 2}));
        // Searching changes nothing.
        QVERIFY(!rig.form.DataModified);
    }

    void findOptions_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<int>("found");  // -1: the end of the text

        QTest::newRow("case ignored") << "nr zgrzew 5"
                                      << "ZGRZEW" << false << false << 3;
        QTest::newRow("case matched") << "nr zgrzew 5"
                                      << "ZGRZEW" << true << false << -1;
        QTest::newRow("case matched, found") << "zgrzew ZGRZEW"
                                             << "ZGRZEW" << true << false << 7;
        QTest::newRow("whole word skips a word's start") << "zgrzewarka zgrzew"
                                                         << "zgrzew" << false << true << 11;
        QTest::newRow("whole word, none") << "zgrzewarka"
                                          << "zgrzew" << false << true << -1;
        QTest::newRow("whole word at a line end and punctuation") << "xzgrzew\nzgrzew."
                                                                  << "zgrzew" << false << true << 8;
        QTest::newRow("Polish letters are word letters")
            << tav::U8("zgrzewą zgrzew") << "zgrzew" << false << true << 8;
        QTest::newRow("across a line break") << "ab\ncd"
                                             << "b\nc" << false << false << 1;
    }

    void findOptions() {
        QFETCH(QString, text);
        QFETCH(QString, needle);
        QFETCH(bool, matchCase);
        QFETCH(bool, wholeWord);
        QFETCH(int, found);
        TextRig rig(text);
        rig.find.SetFindText(needle);
        rig.find.SetMatchCase(matchCase);
        rig.find.SetWholeWord(wholeWord);
        rig.form.ReplaceDialog1Find(&rig.find);
        if (found < 0) {
            QCOMPARE(rig.Messages(), QStringList{kEnd});
            QCOMPARE(SelectionOf(*rig.form.Pulpit), (Selection{0, 0}));
        } else {
            QVERIFY(rig.Messages().isEmpty());
            QCOMPARE(SelectionOf(*rig.form.Pulpit), (Selection{found, int(needle.size())}));
        }
    }

    // Up in the direction option still searches towards the end; the
    // dialog opened over a selected word takes it as the find text and
    // the search goes on after the word's start. The Polish interface
    // says so in Polish.
    void openedOverASelectionSearchesOnDownwards() {
        TextRig rig(QStringLiteral("abc zgrzew abc zgrzew"));
        rig.form.InterfaceLanguage = 0;
        Select(*rig.form.Pulpit, 11, 3);
        rig.form.Znajd1Click();
        QVERIFY(rig.find.isVisible());
        QCOMPARE(rig.find.FindText(), QStringLiteral("abc"));
        rig.find.SetSearchUp(true);
        rig.form.ReplaceDialog1Find(&rig.find);
        QCOMPARE(rig.Messages(), QStringList{QString::fromUtf8("Wyszukiwanie zakończone.")});
        QCOMPARE(SelectionOf(*rig.form.Pulpit), (Selection{0, 0}));
        rig.form.ReplaceDialog1Find(&rig.find);
        QCOMPARE(SelectionOf(*rig.form.Pulpit), (Selection{0, 3}));

        Select(*rig.form.Pulpit, 4, 6);
        rig.form.Zastp1Click();
        QVERIFY(rig.replace.isVisible());
        QCOMPARE(rig.replace.FindText(), QStringLiteral("zgrzew"));
        // The replace dialog is a find dialog too.
        rig.form.ReplaceDialog1Find(&rig.replace);
        QCOMPARE(SelectionOf(*rig.form.Pulpit), (Selection{15, 6}));
    }

    // Any other sender: the plain box and no search.
    void senderThatIsNoFindDialog() {
        TextRig rig(QStringLiteral("aaa"));
        QObject stranger;
        rig.form.ReplaceDialog1Find(&stranger);
        const auto& messages = rig.fx.Platform().Messages();
        QCOMPARE(int(messages.size()), 1);
        QCOMPARE(messages[0].type, tav::test::ShownMessage::Type::SimpleBox);
        QCOMPARE(messages[0].text, QStringLiteral("Dynamic Cast Failed!"));
        QCOMPARE(messages[0].caption, QStringLiteral("Find/Rep"));
        QCOMPARE(SelectionOf(*rig.form.Pulpit), (Selection{0, 0}));
    }

    // Replace puts the replace text over the selection, whatever it holds,
    // then selects the next occurrence of the find text.
    void replaceReplacesTheSelectionAndFindsTheNext() {
        TextRig rig(QStringLiteral("one two one two"));
        rig.replace.SetFindText(QStringLiteral("two"));
        rig.replace.SetReplaceText(QStringLiteral("2"));
        Select(*rig.form.Pulpit, 0, 3);  // "one", not the find text
        rig.replace.PressReplace();
        QCOMPARE(rig.form.Pulpit->toPlainText(), QStringLiteral("2 two one two"));
        QCOMPARE(SelectionOf(*rig.form.Pulpit), (Selection{2, 3}));
        QVERIFY(rig.form.DataModified);
        rig.replace.PressReplace();
        QCOMPARE(rig.form.Pulpit->toPlainText(), QStringLiteral("2 2 one two"));
        QCOMPARE(SelectionOf(*rig.form.Pulpit), (Selection{8, 3}));
        QVERIFY(rig.Messages().isEmpty());
    }

    void replaceAll_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Selection>("selection");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<QString>("expected");

        QTest::newRow("a by aa in aXa ends") << "aXa" << Selection{0, 0} << "a"
                                             << "aa" << false << "aaXaa";
        QTest::newRow("from the middle: earlier ones stay")
            << "ab ab ab ab" << Selection{4, 0} << "ab"
            << "X" << false << "ab ab X X";
        QTest::newRow("the selection first, matching or not")
            << "zz ab ab" << Selection{0, 2} << "ab"
            << "-" << false << "- - -";
        QTest::newRow("overlapping text replaced left to right")
            << "aaaaa" << Selection{0, 0} << "aa"
            << "b" << false << "bba";
        QTest::newRow("whole word sees the inserted text") << "xab ab" << Selection{0, 1} << "ab"
                                                           << "-" << true << "-- -";
        QTest::newRow("whole word: inserted letters join the word")
            << "x ab" << Selection{0, 2} << "ab"
            << "q" << true << "qab";
        QTest::newRow("across lines") << "ab\nab\nab" << Selection{0, 0} << "b\na"
                                      << "_" << false << "a__b";
        QTest::newRow("nothing found: unchanged") << "abc" << Selection{0, 0} << "x"
                                                  << "y" << false << "abc";
    }

    // Replace all: one end message, the caret at the start.
    void replaceAll() {
        QFETCH(QString, text);
        QFETCH(Selection, selection);
        QFETCH(QString, needle);
        QFETCH(QString, replacement);
        QFETCH(bool, wholeWord);
        QFETCH(QString, expected);
        TextRig rig(text);
        Select(*rig.form.Pulpit, selection.start, selection.length);
        rig.replace.SetFindText(needle);
        rig.replace.SetReplaceText(replacement);
        rig.replace.SetWholeWord(wholeWord);
        rig.replace.PressReplaceAll();
        QCOMPARE(rig.form.Pulpit->toPlainText(), expected);
        QCOMPARE(rig.Messages(), QStringList{kEnd});
        QCOMPARE(SelectionOf(*rig.form.Pulpit), (Selection{0, 0}));
        QCOMPARE(rig.form.DataModified, expected != text);
    }

    // A whole-memory dump of 40000 lines: every occurrence replaced in one
    // change of the text, undone again in one step. Pressed as a person
    // would, on the dialog's button.
    void replaceAllOnAWholeMemoryDump() {
        QStringList lines;
        QStringList expected;
        for (int i = 0; i < 40000; ++i) {
            lines << QStringLiteral("#%1 SITE=1024 ZGRZEW OK zgrzewarka")
                         .arg(i, 5, 10, QLatin1Char('0'));
            expected << QStringLiteral("#%1 SITE=1024 FUSION OK zgrzewarka")
                            .arg(i, 5, 10, QLatin1Char('0'));
        }
        const QString original = lines.join(QLatin1Char('\n'));
        TextRig rig(original);
        rig.replace.SetFindText(QStringLiteral("zgrzew"));
        rig.replace.SetReplaceText(QStringLiteral("FUSION"));
        rig.replace.SetWholeWord(true);
        int changes = 0;
        QObject::connect(rig.form.Pulpit->document(), &QTextDocument::contentsChange,
                         [&changes](int, int, int) { ++changes; });
        QTest::mouseClick(rig.replace.findChild<QPushButton*>(QStringLiteral("ReplaceAll")),
                          Qt::LeftButton);
        QCOMPARE(rig.form.Pulpit->toPlainText(), expected.join(QLatin1Char('\n')));
        QCOMPARE(changes, 1);
        QCOMPARE(rig.Messages(), QStringList{kEnd});
        QVERIFY(rig.form.DataModified);
        rig.form.Pulpit->undo();
        QCOMPARE(rig.form.Pulpit->toPlainText(), original);
    }

    // Copy, select all and paste through the clipboard; paste marks the
    // data as changed.
    void copyPasteAndSelectAll() {
        TextRig rig(QStringLiteral("first\nsecond"));
        Select(*rig.form.Pulpit, 6, 6);
        rig.form.Kopiuj1Click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("second"));
        QVERIFY(!rig.form.DataModified);
        Select(*rig.form.Pulpit, 0, 5);
        rig.form.Wklej1Click();
        QCOMPARE(rig.form.Pulpit->toPlainText(), QStringLiteral("second\nsecond"));
        QVERIFY(rig.form.DataModified);
        rig.form.Zaznaczwszystko1Click();
        QCOMPARE(SelectionOf(*rig.form.Pulpit), (Selection{0, 13}));
        // Typing counts as a change as well.
        rig.form.DataModified = false;
        QTest::keyClick(rig.form.Pulpit, Qt::Key_X);
        QVERIFY(rig.form.DataModified);
    }

    // An empty find text looks for nothing: the buttons wait for a text.
    void emptyFindTextDisablesTheButtons() {
        TextRig rig(QStringLiteral("abc"));
        rig.replace.SetFindText(QString());
        for (const char* name : {"FindNext", "Replace", "ReplaceAll"}) {
            QVERIFY(!rig.replace.findChild<QPushButton*>(QString::fromLatin1(name))->isEnabled());
        }
        rig.replace.SetFindText(QStringLiteral("b"));
        QVERIFY(rig.replace.findChild<QPushButton*>(QStringLiteral("FindNext"))->isEnabled());
    }
};

QTEST_MAIN(TextToolsTest)
#include "tst_text_tools.moc"
