// The connect command and its search window, with the simulated welder and
// silent devices behind the COMn links of a private ports directory.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "LinkWindow.h"
#include "core/TestClock.h"
#include "shell/Colors.h"

using tav::test::JumpClock;
using tav::test::LinkWindow;
using tav::test::SimHarness;

namespace {

const QString kNotRespondingEn =
    QStringLiteral("Welder is not responding. Check the cable or turn off/on the welder!");
const QString kNotRespondingPl = QStringLiteral(
    "Zgrzewarka nie odpowiada. Sprawd\u017A kabel lub wy\u0142\u0105cz a nastepnie "
    "w\u0142\u0105cz zgrzewark\u0119!");

SimHarness::Options WelderOn(int com) {
    SimHarness::Options o;
    o.comNumber = com;
    return o;
}

QColor Background(QWidget* w) {
    return w->palette().color(QPalette::Window);
}

QStringList Ports(std::initializer_list<int> numbers) {
    QStringList out;
    for (int n : numbers) {
        out << QStringLiteral("COM%1?").arg(n);
    }
    return out;
}

// The controls of the connected state and of the start state.
void VerifyConnectedState(TForm1& form) {
    for (QWidget* w : std::initializer_list<QWidget*>{form.SpeedButton7, form.SBPobierzOkres,
                                                      form.SBPobierzCalosc, form.SBKasuj}) {
        QVERIFY2(TForm1::IsShown(w), qPrintable(w->objectName()));
    }
    QVERIFY(TForm1::IsMenuEnabled(form.Narzdzia1));
    for (QAction* a :
         {form.Zastpnazwlokalizacji1, form.Kopiuj1, form.Wklej1, form.Znajd1, form.Zastp1}) {
        QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    }
}

void VerifyStartStateRest(TForm1& form) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             form.Grid, form.PasekObjasnieniaOceny, form.SpeedButton3, form.SpeedButton5,
             form.PrintSetup1, form.SpeedButton15, form.SpeedButton16, form.SpeedButton20,
             form.SpeedButton21, form.SpeedButton10, form.SpeedButton17, form.SpeedButton18,
             form.SpeedButton19, form.ToolBar2}) {
        QVERIFY2(!TForm1::IsShown(w), qPrintable(w->objectName()));
    }
    for (QAction* a :
         {form.N23, form.Podgldraportuzgrzewania1, form.Trybrcznejedycjitabeli1, form.Usuzaz1}) {
        QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    }
}

void VerifyNoWelderState(TForm1& form, const QString& status) {
    for (QWidget* w : std::initializer_list<QWidget*>{form.SpeedButton7, form.SBPobierzOkres,
                                                      form.SBPobierzCalosc, form.SBKasuj}) {
        QVERIFY2(!TForm1::IsShown(w), qPrintable(w->objectName()));
    }
    QVERIFY(!TForm1::IsMenuEnabled(form.Narzdzia1));
    QCOMPARE(form.StatusPanelText(0), status);
    QCOMPARE(Background(form.Label1), tav::colors::clRed());
}

}  // namespace

class TestConnect : public QObject {
    Q_OBJECT

  private slots:
    void init() { clock_ = std::make_unique<JumpClock>(); }
    void cleanup() { clock_.reset(); }

    // The welder behind COM3, COM1 missing, COM2 silent, a silent COM4 after
    // it: the search stops at COM3 in the connected state, writes the
    // settings and shows no message. An unmodified table shown before is
    // put away.
    void findsTheWelder_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("status");
        QTest::newRow("English") << 1 << "Searching for welder...."
                                 << "Welder connected...";
        QTest::newRow("Polish") << 0 << "Wyszukiwanie zgrzewarki...."
                                << QStringLiteral(" Zgrzewarka pod\u0142\u0105czona...");
    }
    void findsTheWelder() {
        QFETCH(int, language);
        QFETCH(QString, caption);
        QFETCH(QString, status);
        LinkWindow w(WelderOn(3));
        w.sim.AddSilentDevice(2);
        w.sim.AddSilentDevice(4);
        TForm1& form = w.Form();
        form.InterfaceLanguage = static_cast<std::uint8_t>(language);
        form.EnterTableView(true);
        form.DataModified = false;
        QVERIFY(w.fx.ReadConfig().isEmpty());
        bool searchShown = true;
        QString shownCaption;
        w.onPort = [&](const QString&) {
            searchShown = searchShown && w.Search()->isVisible() && w.Search()->Timer1->isActive();
            shownCaption = w.Search()->windowTitle();
            searchShown = searchShown && form.LongCommandRunning() && !form.ToolBar1->isEnabled();
        };

        QVERIFY(w.Connect());

        QCOMPARE(w.tried, Ports({1, 2, 3}));
        QVERIFY(searchShown);
        QCOMPARE(shownCaption, caption);
        QVERIFY(!w.Search()->isVisible());
        QVERIFY(!w.Search()->Timer1->isActive());
        QVERIFY(form.Port.IsOpen());
        QCOMPARE(form.Port.GetPortName(), std::string("COM3"));
        VerifyConnectedState(form);
        VerifyStartStateRest(form);
        QCOMPARE(form.StatusPanelText(0), status);
        QCOMPARE(Background(form.Label1), tav::colors::clLime());
        QCOMPARE(Background(form.ToolBar1), tav::colors::clLime());
        QCOMPARE(w.fx.ReadConfig().size(), 123);
        QCOMPARE(w.Platform().Messages().size(), std::size_t(0));
        QVERIFY(!form.LongCommandRunning());
        QVERIFY(form.ToolBar1->isEnabled());
        QCOMPARE(form.GridCells.RowCount(), 2);

        // Connecting again while connected closes the welder's port first
        // and finds the welder again on it.
        w.sim.Welder().ClearFrames();
        QVERIFY(w.Connect());
        QCOMPARE(w.tried, Ports({1, 2, 3}));
        QCOMPARE(form.Port.GetPortName(), std::string("COM3"));
        QVERIFY(w.sim.Welder().Received("TZA"));
        // The welder link works: the count comes back.
        QCOMPARE(tav::link::QueryRecordCount(form.Connected, form.Port, form.RxBuffer), 20);
    }

    // What the device behind COM3 answers decides; the search window is
    // closed at COM20, so a pass without a welder ends the search.
    void deviceBehindThePort_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("noTypeLine");
        QTest::addColumn<bool>("found");
        QTest::newRow("identify refused") << "TZA" << QByteArray("ZGRA\r\n") << false << false;
        QTest::newRow("ZGRZ but no type line") << "" << QByteArray() << true << false;
        QTest::newRow("type line ended by LF alone")
            << "TZB" << QByteArray("ZT-400\n") << false << true;
    }
    void deviceBehindThePort() {
        QFETCH(QString, command);
        QFETCH(QByteArray, reply);
        QFETCH(bool, noTypeLine);
        QFETCH(bool, found);
        LinkWindow w(WelderOn(3));
        if (!command.isEmpty()) {
            w.sim.Welder().SetRawReply(command.toStdString(), reply.toStdString());
        }
        w.sim.Welder().SetNoTypeLine(noTypeLine);
        TForm1& form = w.Form();
        form.InterfaceLanguage = 1;
        QVERIFY(!TForm1::IsMenuEnabled(form.Edycja1));
        w.onPort = [&](const QString& port) {
            if (port == QLatin1String("COM20?")) {
                w.Search()->SpeedButton1->click();
            }
        };

        QCOMPARE(w.Connect(), found);

        if (found) {
            QCOMPARE(w.tried, Ports({1, 2, 3}));
            VerifyConnectedState(form);
        } else {
            QCOMPARE(w.tried.size(), 20);
            QVERIFY(!form.Port.IsOpen());
            VerifyNoWelderState(form, QStringLiteral("Welder disconnected..."));
            QVERIFY(form.SearchAborted);
        }
        QVERIFY(!w.Search()->isVisible());
        QCOMPARE(w.Platform().Messages().size(), std::size_t(0));
        // The empty view's Edit menu stays disabled: the search touches no
        // menu but Tools.
        QVERIFY(!TForm1::IsMenuEnabled(form.Edycja1));
        QVERIFY(TForm1::IsMenuEnabled(form.Plik1));
    }

    // No welder anywhere: the message after more than 10 s, then again only
    // more than 10 s after it was closed, until the search window is closed.
    // Each pass lets 5001 ms pass at its start.
    void noWelderAnywhere_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("silentDevice");  // false: no port at all
        QTest::newRow("English") << 1 << kNotRespondingEn << true;
        QTest::newRow("Polish") << 0 << kNotRespondingPl << true;
        QTest::newRow("no port at all") << 1 << kNotRespondingEn << false;
    }
    void noWelderAnywhere() {
        QFETCH(int, language);
        QFETCH(QString, message);
        QFETCH(bool, silentDevice);
        LinkWindow w(WelderOn(0));
        if (silentDevice) {
            w.sim.AddSilentDevice(2);
        }
        TForm1& form = w.Form();
        form.InterfaceLanguage = static_cast<std::uint8_t>(language);
        // Messages seen at the start of each pass.
        std::vector<std::size_t> messagesAtPass;
        w.onPort = [&](const QString& port) {
            if (port != QLatin1String("COM1?")) {
                return;
            }
            messagesAtPass.push_back(w.Platform().Messages().size());
            if (messagesAtPass.size() == 5) {
                w.Search()->close();
            } else {
                clock_->Jump(5001);
            }
        };

        QVERIFY(!w.Connect());

        // Passes 1..4 ran; the message came after passes 2 and 4.
        const std::vector<std::size_t> expected{0, 0, 1, 1, 2};
        QCOMPARE(messagesAtPass, expected);
        const auto& shown = w.Platform().Messages();
        QCOMPARE(shown.size(), std::size_t(2));
        for (const auto& m : shown) {
            QCOMPARE(m.text, message);
            QCOMPARE(m.kind, tav::MsgKind::Error);
            QCOMPARE(m.buttons, unsigned(tav::kBtnOk));
        }
        QVERIFY(!form.Connected);
        QVERIFY(!form.Port.IsOpen());
        if (silentDevice) {
            VerifyNoWelderState(
                form, language == 1 ? QStringLiteral("Welder disconnected...")
                                    : QStringLiteral(" Zgrzewarka niepod\u0142\u0105czona..."));
        } else {
            // No port opened: the start state stays, with no status.
            QVERIFY(!TForm1::IsShown(form.SBKasuj));
            QVERIFY(!TForm1::IsMenuEnabled(form.Narzdzia1));
            QCOMPARE(form.StatusPanelText(0), QString());
        }
        QVERIFY(!w.Search()->isVisible());
    }

    // A welder that turns up in the pass during which 10 s go by is taken
    // without the message.
    void lateWelderBringsNoMessage() {
        LinkWindow w(WelderOn(0));
        int passes = 0;
        w.onPort = [&](const QString& port) {
            if (port == QLatin1String("COM1?")) {
                ++passes;
            }
            if (passes == 2 && port == QLatin1String("COM2?")) {
                clock_->Jump(10001);
                w.sim.PublishWelder(3);
            }
        };
        QVERIFY(w.Connect());
        QCOMPARE(passes, 2);
        QCOMPARE(w.Platform().Messages().size(), std::size_t(0));
    }

    // Closing the search window while COM2 is tried ends the search after
    // COM2: the welder on COM3 is never asked.
    void closingTheSearchWindowAborts() {
        LinkWindow w(WelderOn(3));
        w.sim.AddSilentDevice(2);
        w.Form().InterfaceLanguage = 0;
        w.onPort = [&](const QString& port) {
            if (port == QLatin1String("COM2?")) {
                w.Search()->SpeedButton1->click();
            }
        };
        QVERIFY(!w.Connect());
        QCOMPARE(w.tried, Ports({1, 2}));
        QVERIFY(!w.sim.Welder().Received("TZA"));
        QVERIFY(!w.Search()->isVisible());
        QVERIFY(!w.Search()->Timer1->isActive());
        VerifyNoWelderState(w.Form(), QStringLiteral(" Zgrzewarka niepod\u0142\u0105czona..."));
    }

    // Shown text asks first: Cancel leaves everything as it was and shows no
    // search window; Yes saves through Save as and connects; No clears the
    // text and connects.
    void questionBeforeConnecting() {
        LinkWindow w(WelderOn(3));
        TForm1& form = w.Form();
        form.InterfaceLanguage = 1;
        QVERIFY(w.Connect());
        form.EnterTextView(true);
        form.Pulpit->setPlainText(QStringLiteral("fusion 1"));
        form.DataModified = true;
        w.sim.Welder().ClearFrames();

        w.Platform().QueueAnswer(tav::Answer::Cancel);
        w.Connect();
        QCOMPARE(w.Platform().Messages().size(), std::size_t(1));
        const auto& question = w.Platform().Messages()[0];
        QCOMPARE(question.text, QStringLiteral("Before connecting to the welder data window must "
                                               "be closed.Save data to a file?"));
        QCOMPARE(question.kind, tav::MsgKind::Confirmation);
        QCOMPARE(question.buttons, unsigned(tav::kBtnYes | tav::kBtnNo | tav::kBtnCancel));
        QVERIFY(w.tried.isEmpty());
        QVERIFY(!w.Search()->isVisible());
        QVERIFY(form.Connected);
        QVERIFY(form.Port.IsOpen());
        QVERIFY(TForm1::IsShown(form.Pulpit));
        QCOMPARE(form.Pulpit->toPlainText(), QStringLiteral("fusion 1"));
        QVERIFY(form.DataModified);
        QVERIFY(TForm1::IsShown(form.SBKasuj));
        QVERIFY(w.sim.Welder().Frames().empty());

        const QString saved = w.fx.PathOf(QStringLiteral("before.txt"));
        w.Platform().QueueAnswer(tav::Answer::Yes);
        w.Platform().QueueSaveFile(saved);
        QVERIFY(w.Connect());
        QVERIFY(QFile::exists(saved));
        QVERIFY(!TForm1::IsShown(form.Pulpit));
        QVERIFY(form.Pulpit->toPlainText().isEmpty());

        form.EnterTextView(true);
        form.Pulpit->setPlainText(QStringLiteral("fusion 2"));
        w.Platform().QueueAnswer(tav::Answer::No);
        QVERIFY(w.Connect());
        QVERIFY(!TForm1::IsShown(form.Pulpit));
        QVERIFY(form.Pulpit->toPlainText().isEmpty());
        QCOMPARE(w.Platform().Messages().size(), std::size_t(3));
        QCOMPARE(w.Platform().UnusedAnswers(), 0);
    }

    // Data that turned up while the search ran (here put in at COM2) are
    // offered for saving once the welder is found; No goes on as Yes does,
    // only without saving.
    void dataOpenedDuringTheSearch_data() {
        QTest::addColumn<bool>("save");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }
    void dataOpenedDuringTheSearch() {
        QFETCH(bool, save);
        LinkWindow w(WelderOn(3));
        TForm1& form = w.Form();
        form.InterfaceLanguage = 1;
        w.onPort = [&](const QString& port) {
            if (port == QLatin1String("COM2?")) {
                form.EnterTextView(false);
                form.Pulpit->setPlainText(QStringLiteral("opened meanwhile"));
            }
        };
        const QString saved = w.fx.PathOf(QStringLiteral("meanwhile.txt"));
        w.Platform().QueueAnswer(save ? tav::Answer::Yes : tav::Answer::No);
        if (save) {
            w.Platform().QueueSaveFile(saved);
        }

        QVERIFY(w.Connect());

        QCOMPARE(w.Platform().MessageTexts(),
                 QStringList{QStringLiteral("Save data to the file?")});
        QCOMPARE(w.Platform().Messages()[0].buttons, unsigned(tav::kBtnYes | tav::kBtnNo));
        QCOMPARE(QFile::exists(saved), save);
        QCOMPARE(w.fx.ReadConfig().size(), 123);
        VerifyConnectedState(form);
        QCOMPARE(form.StatusPanelText(0), QStringLiteral("Welder connected..."));
        QVERIFY(!w.Search()->isVisible());
    }

    // The search window itself: yellow, its size and place, the caption set
    // when shown, the question mark blinking on a 1000 ms timer, and every
    // close telling the search to stop.
    void searchWindow() {
        tav::test::WindowFixture fx;
        TWyszukaj* search = fx.Form().Others().Wyszukaj;
        QVERIFY(search != nullptr);
        QCOMPARE(search->size(), QSize(378, 185));
        QCOMPARE(Background(search), tav::colors::clYellow());
        QCOMPARE(search->Label1->text(), QStringLiteral("?"));
        QCOMPARE(search->Label2->text(), QStringLiteral("?"));
        QCOMPARE(search->Label2->font().pixelSize(), 37);
        QVERIFY(search->Label2->font().bold());
        QVERIFY(!search->Image1->pixmap().isNull());
        QCOMPARE(search->Timer1->interval(), 1000);
        QVERIFY(!search->Timer1->isActive());

        fx.Form().InterfaceLanguage = 1;
        search->show();
        QCOMPARE(search->windowTitle(), QStringLiteral("Searching for welder...."));
        QVERIFY(search->Timer1->isActive());
        QVERIFY(!search->Label2->isHidden());
        search->Timer1Timer();
        QVERIFY(search->Label2->isHidden());
        search->Timer1Timer();
        QVERIFY(!search->Label2->isHidden());

        fx.Form().SearchAborted = false;
        search->SpeedButton1->click();
        QVERIFY(!search->isVisible());
        QVERIFY(!search->Timer1->isActive());
        QVERIFY(fx.Form().SearchAborted);

        // Escape closes it the same way; the caption follows the language.
        fx.Form().InterfaceLanguage = 0;
        fx.Form().SearchAborted = false;
        search->show();
        QCOMPARE(search->windowTitle(), QStringLiteral("Wyszukiwanie zgrzewarki...."));
        QTest::keyClick(search, Qt::Key_Escape);
        QVERIFY(!search->isVisible());
        QVERIFY(fx.Form().SearchAborted);
    }

  private:
    std::unique_ptr<JumpClock> clock_;
};

QTEST_MAIN(TestConnect)
#include "test_connect.moc"
