// The memory erase against the simulated welder: the question, what is sent,
// the message for each kind of reply, and that nothing else changes.
#include <QPlainTextEdit>
#include <QToolButton>
#include <QtTest>

#include "LinkWindow.h"

using tav::test::JumpClock;
using tav::test::LinkWindow;

namespace {

const char* const kQuestionEn =
    "Erasing welder's memory is irreversible? Are you sure you want to erase welders' memory?";
const QString kQuestionPl = QStringLiteral(
    "Wymazanie pami\u0119ci zgrzewarki jest operacj\u0105 nieodwracaln\u0105. Jeste\u015B pewien "
    "\u017Ce chcesz wymaza\u0107 pami\u0119\u0107 zgrzewarki??");
const char* const kErasedEn = "Welder's memory erased!";
const QString kErasedPl = QStringLiteral("Pami\u0119\u0107 zgrzewarki wymazana!");
const char* const kFailedEn =
    "Unable to erase welder's memory! Check the cable or turn off/on the welder!";

enum class Fault { None, LowerCase, Raw, Silent, HangUp };

}  // namespace

Q_DECLARE_METATYPE(Fault)

class TestErase : public QObject {
    Q_OBJECT

  private slots:
    void init() { clock_ = std::make_unique<JumpClock>(); }
    void cleanup() { clock_.reset(); }

    void erase_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("answer");  // the question's answer
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QByteArray>("raw");   // Fault::Raw: the reply
        QTest::addColumn<bool>("sent");        // the erase frame reached the welder
        QTest::addColumn<QString>("message");  // empty: none after the question

        QTest::newRow("No sends nothing")
            << 1 << 7 << Fault::None << QByteArray() << false << QString();
        QTest::newRow("closed question sends nothing")
            << 1 << 0 << Fault::None << QByteArray() << false << QString();
        QTest::newRow("erased, English")
            << 1 << 6 << Fault::None << QByteArray() << true << QString(kErasedEn);
        QTest::newRow("erased, Polish")
            << 0 << 6 << Fault::None << QByteArray() << true << kErasedPl;
        QTest::newRow("OK CR LF and more")
            << 1 << 6 << Fault::Raw << QByteArray("OK\r\nZZ") << true << QString(kErasedEn);
        QTest::newRow("lower case")
            << 1 << 6 << Fault::LowerCase << QByteArray() << true << QString(kFailedEn);
        QTest::newRow("LF CR") << 1 << 6 << Fault::Raw << QByteArray("OK\n\r") << true
                               << QString(kFailedEn);
        QTest::newRow("three bytes")
            << 1 << 6 << Fault::Raw << QByteArray("OK\r") << true << QString();
        QTest::newRow("silence") << 1 << 6 << Fault::Silent << QByteArray() << true << QString();
        QTest::newRow("hang-up") << 1 << 6 << Fault::HangUp << QByteArray() << false << QString();
    }
    void erase() {
        QFETCH(int, language);
        QFETCH(int, answer);
        QFETCH(Fault, fault);
        QFETCH(QByteArray, raw);
        QFETCH(bool, sent);
        QFETCH(QString, message);

        LinkWindow w;
        TForm1& form = w.Form();
        QVERIFY(w.Connect());
        form.InterfaceLanguage = static_cast<std::uint8_t>(language);
        // Data on show, unsaved: the erase leaves it alone.
        form.EnterTextView(true);
        form.Pulpit->setPlainText(QStringLiteral("fusion 1\nfusion 2"));
        form.DataModified = true;
        const std::size_t records = w.sim.Welder().Records().size();
        QVERIFY(records > 0);
        switch (fault) {
            case Fault::None:
                break;
            case Fault::LowerCase:
                w.sim.Welder().SetLowerCaseErase(true);
                break;
            case Fault::Raw:
                w.sim.Welder().SetRawReply("TZERASE", raw.toStdString());
                break;
            case Fault::Silent:
                w.sim.Welder().SetSilent(true);
                break;
            case Fault::HangUp:
                w.sim.Welder().HangUp();
                break;
        }
        w.sim.Welder().ClearFrames();
        w.Platform().ClearMessages();
        w.Platform().QueueBoxResult(answer);

        form.SBKasujClick();

        const auto shown = w.Platform().TakeMessages();
        QVERIFY(!shown.empty());
        const auto& question = shown[0];
        QCOMPARE(question.type, tav::test::ShownMessage::Type::SimpleBox);
        QCOMPARE(question.text, language == 1 ? QString(kQuestionEn) : kQuestionPl);
        QCOMPARE(question.caption, QString());
        QCOMPARE(question.flags, 308U);
        if (message.isEmpty()) {
            QCOMPARE(shown.size(), std::size_t(1));
        } else {
            QCOMPARE(shown.size(), std::size_t(2));
            QCOMPARE(shown[1].text, message);
            QCOMPARE(shown[1].kind, tav::MsgKind::Information);
            QCOMPARE(shown[1].buttons, unsigned(tav::kBtnOk));
        }
        if (fault != Fault::HangUp) {
            QVERIFY(w.sim.Welder().WaitIdle(2000));
            QCOMPARE(w.sim.Welder().Received("TZERASE"), sent);
            QCOMPARE(w.sim.Welder().Frames().size(), std::size_t(sent ? 1 : 0));
        }
        if (!sent) {
            QCOMPARE(w.sim.Welder().Records().size(), records);
        } else if (fault == Fault::None) {
            QVERIFY(w.sim.Welder().Records().empty());
        }

        // The shown data and the connection stay as they were, and the
        // program takes the next command.
        QCOMPARE(form.Pulpit->toPlainText(), QStringLiteral("fusion 1\nfusion 2"));
        QVERIFY(form.DataModified);
        QVERIFY(form.Connected);
        QVERIFY(form.Port.IsOpen());
        QVERIFY(TForm1::IsShown(form.SBKasuj));
        bool ran = false;
        form.RunCommand([&ran] { ran = true; });
        QVERIFY(ran);
    }

  private:
    std::unique_ptr<JumpClock> clock_;
};

QTEST_MAIN(TestErase)
#include "test_erase.moc"
