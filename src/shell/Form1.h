// TForm1: the main window. It lives for the whole run and owns all lasting
// state: the serial port, the receive buffer, the connection flag, the two
// language fields, the unsaved-data flag, the download bookkeeping, the record
// table, the text view and the line store of a report being read.
//
// One class, as the rest of the program knows it; its commands are defined in
// the folder of the subsystem that owns them:
//   src/shell/    construction, modes, languages, settings, text tools,
//                 about and help, unsaved-data prompt, clear screen, closing
//   src/link/     connect (SpeedButton8Click), text downloads, erase
//   src/records/  ParseRecordLine, table downloads, table editing
//   src/reports/  WriteReportFile, Save as, Open, print, preview
//
// Every control carries its name as objectName, so tests find it by name.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QPrinter>

#include "link/CommPort.h"
#include "link/Exchange.h"
#include "platform/PlatformService.h"
#include "records/GridData.h"
#include "records/RecordTable.h"
#include "records/TableReception.h"
#include "reports/TagReader.h"
#include "shell/Settings.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QStatusBar;
class QTableView;
class QToolButton;

class TForm2;
class TWyszukaj;
class TAboutBox;
class TPostep;
class TForm9;
class TForm10;
class THelpFormPolski;
class THelpFormEnglish;

namespace tav {
class GridModel;
class FindReplaceDialog;
}  // namespace tav

class TForm1 : public QMainWindow, public tav::records::RecordTableState {
    Q_OBJECT

public:
    // Builds the window, sets Connected false, DocumentLanguage -1,
    // DataModified false, TableEditMode false, the closed Port on "COM5" and
    // Label7 "Tavelin 3.2", then loads config.cfg from `settingsPath` and
    // labels the window in the interface language.
    explicit TForm1(tav::PlatformService& platform, std::string settingsPath = "config.cfg",
                    QWidget* parent = nullptr);
    ~TForm1() override;

    // The other eight windows, created after this one (start-up order).
    struct Windows {
        TForm2* Form2 = nullptr;
        TWyszukaj* Wyszukaj = nullptr;
        TAboutBox* AboutBox = nullptr;
        TPostep* Postep = nullptr;
        TForm9* Form9 = nullptr;
        TForm10* Form10 = nullptr;
        THelpFormPolski* HelpFormPolski = nullptr;
        THelpFormEnglish* HelpFormEnglish = nullptr;
    };
    void AttachWindows(const Windows& windows) { W = windows; }
    const Windows& Others() const { return W; }

    tav::PlatformService& Platform() { return platform_; }

    // ---------------------------------------------------------------- fields
    // (RecordTableState adds CurrentSiteId, NextRecordRow, RecordsParsed,
    // SiteLineReceived, TypeLineReceived, PeriodFrom, PeriodTo, LastLineTick,
    // DocumentLanguage and InterfaceLanguage.)
    tav::SettingsRecordBytes SettingsRecord{};
    bool TableEditMode = false;
    bool Connected = false;
    tav::link::RxBuffer RxBuffer{};
    bool DataModified = false;
    std::string LineAccumulator;
    TCommPort Port;
    tav::reports::TagCursors TagCursors;
    bool SearchAborted = false;
    // The lines of the report file being read (Windows-1250 bytes).
    std::vector<std::string> Memo1;
    // The record table's cells; Grid shows them.
    tav::records::GridData GridCells;
    // The printer the text view is printed on (printer setup chooses it).
    QPrinter Printer;
    // The save and open dialogs' filters and filter indexes.
    tav::FileDialogSettings SaveDialog1;
    tav::FileDialogSettings OpenDialog1;
    // config.cfg, relative to the current directory unless a test says else.
    std::string SettingsPath;

    // -------------------------------------------------------------- controls
    QFrame* ToolBar1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;   // clear screen
    QToolButton* SpeedButton2 = nullptr;   // open
    QToolButton* SpeedButton3 = nullptr;   // save as
    QToolButton* PrintSetup1 = nullptr;    // printer setup
    QToolButton* SpeedButton5 = nullptr;   // print
    QWidget* Label3 = nullptr;             // gap
    QToolButton* SpeedButton17 = nullptr;  // copy
    QToolButton* SpeedButton10 = nullptr;  // paste
    QToolButton* SpeedButton19 = nullptr;  // find
    QToolButton* SpeedButton18 = nullptr;  // replace
    QToolButton* SpeedButton15 = nullptr;  // preview
    QToolButton* SpeedButton16 = nullptr;  // replace site ID
    QToolButton* SpeedButton20 = nullptr;  // delete rows
    QToolButton* SpeedButton21 = nullptr;  // manual editing (toggle)
    QWidget* Label4 = nullptr;             // gap
    QToolButton* SpeedButton8 = nullptr;   // connect
    QWidget* Label6 = nullptr;             // gap
    QToolButton* SpeedButton7 = nullptr;   // all fusions as text
    QToolButton* SBPobierzOkres = nullptr; // period into the table
    QToolButton* SBPobierzCalosc = nullptr;  // all records into the table
    QWidget* Label8 = nullptr;             // gap
    QToolButton* SBKasuj = nullptr;        // erase
    QWidget* Label5 = nullptr;             // gap
    QToolButton* SpeedButton12 = nullptr;  // Polish interface
    QToolButton* SpeedButton11 = nullptr;  // English interface
    QLabel* Label1 = nullptr;              // connection status label

    QFrame* ToolBar2 = nullptr;
    QLabel* Label2 = nullptr;              // "  Firma:   "
    QComboBox* ComboBox1 = nullptr;        // company name
    QToolButton* SpeedButton9 = nullptr;   // "+": save the company name
    QLineEdit* Edit3 = nullptr;            // download date and time
    QWidget* Panel1 = nullptr;             // gap
    QLineEdit* Edit2 = nullptr;            // period (read-only)

    QTableView* Grid = nullptr;
    tav::GridModel* GridModel = nullptr;
    QPlainTextEdit* Pulpit = nullptr;
    QLabel* Label7 = nullptr;              // product label behind the views
    QFrame* PasekObjasnieniaOceny = nullptr;
    QLabel* LabelObjZgrz1 = nullptr;
    QLabel* LabelObjZgrz2 = nullptr;
    QLabel* LabelObjZgrz3 = nullptr;
    QStatusBar* StatusBar = nullptr;

    QMenuBar* MainMenu1 = nullptr;
    QMenu* Plik1 = nullptr;
    QAction* N01 = nullptr;
    QAction* N13 = nullptr;
    QAction* N23 = nullptr;
    QAction* N32 = nullptr;
    QAction* N41 = nullptr;
    QAction* Podgldraportuzgrzewania1 = nullptr;
    QAction* N51 = nullptr;
    QMenu* Edycja1 = nullptr;
    QAction* Kopiuj1 = nullptr;
    QAction* Wklej1 = nullptr;
    QAction* Znajd1 = nullptr;
    QAction* Zastp1 = nullptr;
    QAction* Zastpnazwlokalizacji1 = nullptr;
    QAction* Trybrcznejedycjitabeli1 = nullptr;
    QAction* Usuzaz1 = nullptr;
    QMenu* Narzdzia1 = nullptr;
    QAction* N11 = nullptr;
    QAction* N21 = nullptr;
    QAction* N31 = nullptr;
    QAction* Zmienazwlokalizacji1 = nullptr;
    QAction* Pobierzcazawartopamiciwpostacitekstowej1 = nullptr;
    QMenu* Jzyk1 = nullptr;
    QAction* Polski1 = nullptr;
    QAction* Angielski1 = nullptr;
    QAction* Poczsizezgrzewark1 = nullptr;  // top item: connect
    QMenu* Pomoc1 = nullptr;
    QAction* N12 = nullptr;
    QAction* N22 = nullptr;

    QMenu* PopupMenu1 = nullptr;
    QAction* w1 = nullptr;
    QAction* Usuzaznaczonezgrzewy1 = nullptr;
    QMenu* PopupMenuPulpit = nullptr;
    QAction* Kopiuj2 = nullptr;
    QAction* Wklej2 = nullptr;
    QAction* Znajd2 = nullptr;
    QAction* Znajdizaspdowolnytekst1 = nullptr;
    QAction* Zaznaczwszystko1 = nullptr;

    tav::FindReplaceDialog* FindDialog1 = nullptr;
    tav::FindReplaceDialog* ReplaceDialog1 = nullptr;

    // ------------------------------------------------- status and messages
    // Panel 0 (connection) and panel 1 (document: the welder type line).
    QString StatusPanelText(int panel) const;
    void SetStatusPanelText(int panel, const QString& text);
    // The status bar's single-text content shown over the panels (empty
    // string hides it again).
    void SetStatusSimpleText(const QString& text);

    // Writes `text` into panel 0 and paints Label1 and ToolBar1 in `color`.
    void ShowStatus(const QString& text, const QColor& color);
    // Shows the Polish text when InterfaceLanguage is 0, the English one when
    // it is 1, nothing otherwise; OK button only.
    void ShowMessageInLanguage(const QString& polish, const QString& english, tav::MsgKind kind);

    // Windows-1250 text of a control as the core holds it.
    std::string CompanyName() const;                     // ComboBox1
    std::string TypeLineText() const;                    // status panel 1, trimmed

    // ------------------------------------------------- modes and states
    enum class ConnectionState { NotConnected, Searching, Connected };
    // The three view modes: every control of the view-mode table.
    void EnterEmptyView();
    // `afterDownload`: a text download (print tools shown, table items of
    // the Edit menu enabled) rather than an opened text report.
    void EnterTextView(bool afterDownload);
    // `withRecords`: the save button shown and N23 enabled.
    void EnterTableView(bool withRecords);
    // Every control of the connection-state table, and Connected (true only
    // for Connected). Searching leaves Label1 to the port attempts.
    void EnterConnectionState(ConnectionState state);
    // Leaves manual table editing as w1Click does when switching it off.
    void LeaveTableEditMode();

    static void SetShown(QWidget* widget, bool shown);
    static bool IsShown(const QWidget* widget);  // not explicitly hidden
    static void SetMenuEnabled(QMenu* menu, bool enabled);
    static bool IsMenuEnabled(const QMenu* menu);

    // Runs one command: catches ECommError and std::exception and shows them
    // in the interface language, so no exception crosses the event loop.
    // Ignored while a long command runs (see LongCommand).
    void RunCommand(const std::function<void()>& body);

    // Held while a welder command runs: the other welder and file commands
    // are disabled and RunCommand refuses them.
    class LongCommand {
    public:
        explicit LongCommand(TForm1& form);
        ~LongCommand();
        LongCommand(const LongCommand&) = delete;
        LongCommand& operator=(const LongCommand&) = delete;

    private:
        TForm1& form_;
    };
    bool LongCommandRunning() const { return longCommandDepth_ > 0; }

    // ------------------------------------------------- shell commands
    void SpeedButton1Click();          // clear screen (N01)
    void N51Click();                   // exit
    void N22Click();                   // about
    void N12Click();                   // help
    void Polski1Click();               // Polish interface (SpeedButton12)
    void Angielski1Click();            // English interface (SpeedButton11)
    void SpeedButton9Click();          // "+": save the company name
    void Edit2DblClick();
    void ApplyInterfaceLanguage();
    int LoadSettingsFile();            // 0 loaded, 1 cannot open, 2 wrong size
    int SaveSettingsFile();            // 0 written, 1 cannot create, 2 write failed
    // Returns true to proceed, false to abandon.
    enum class SaveStyle { InPlace, ThroughSaveAs };
    bool AskSaveData(const QString& polish, const QString& english, unsigned buttons,
                     SaveStyle style);
    // The closing check; false keeps the window open.
    bool FormCloseQuery();

    // Text editing tools on Pulpit.
    void Znajd1Click();
    void Zastp1Click();
    void ReplaceDialog1Find(QObject* sender);
    void ReplaceDialog1Replace(QObject* sender);
    void Kopiuj1Click();
    void Wklej1Click();
    void Zaznaczwszystko1Click();
    void PulpitChange();

    // ------------------------------------------------- link commands
    void SpeedButton8Click();          // connect (Poczsizezgrzewark1)
    void SpeedButton7Click();          // all fusions as text (N11)
    void Pobierzcazawartopamiciwpostacitekstowej1Click();  // whole memory as text
    void SBKasujClick();               // erase (Zmienazwlokalizacji1)

    // ------------------------------------------------- record table
    std::uint8_t ParseRecordLine(std::string_view line);
    void SetGridHeaders();
    void ResetHeaderFlags();
    void CheckHeaderLines();
    void SBPobierzCaloscClick();       // all records into the table (N31)
    void SBPobierzOkresClick();        // period into the table (N21)
    void w1Click();                    // manual editing on/off
    void GridDblClick();
    void GridKeyPress();
    void GridSetEditText();
    void Usuzaznaczonezgrzewy1Click(); // delete selected rows
    void SpeedButton16Click();         // replace site ID

    // ------------------------------------------------- reports
    // 0 written; 1 nothing written (refused, declined, or failed).
    std::uint8_t WriteReportFile(const std::string& fileName);
    void SpeedButton3Click();          // save as (N23)
    void SpeedButton2Click();          // open (N13)
    std::string ExtractTaggedText(std::string_view startTag, std::string_view endTag);
    void SpeedButton5Click();          // print (N32)
    void PrintSetup1Click();           // printer setup (N41)
    void SpeedButton15Click();         // preview (Podgldraportuzgrzewania1)

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void BindCommands();

    tav::PlatformService& platform_;
    Windows W;
    int longCommandDepth_ = 0;
    QLabel* statusPanels_[2] = {nullptr, nullptr};

    // ---- connect and erase (src/link/LinkCommands.cpp)


    // ---- text downloads (src/link/TextDownloadCommands.cpp)
    // Both text downloads: "TZK" when `wholeMemory`, "TZC" otherwise.
    void RunTextDownload(bool wholeMemory);


    // ---- record table and its downloads (src/records/TableCommands.cpp)
    // Asks to save a changed table or text before a download replaces it;
    // false: the user abandoned.
    bool AskSaveBeforeTableDownload();
    // Empties the caption, shows the wait window and lets it paint.
    void ShowWaitWindow();
    // Editing off, table and legend hidden, ToolBar2 shown, text view
    // hidden: the window before the frame goes out.
    void PrepareTableDownload();
    // Sends `frame` and receives the table into the window (the shared
    // download routine), showing the table and its tools at the reception
    // start.
    tav::records::ReceptionEnd RunWindowTableDownload(const tav::link::Frame& frame,
                                                      bool allRecords,
                                                      tav::records::TableLineSink& sink);
    // The table and its tools shown at the reception start.
    void StartTableReception(bool allRecords);
    // The table view after a download: data changed, print tools shown.
    void ShowTableDownloadEnd();
    // Asks the welder for its record count. With no records (0) or no answer
    // (-1) the user is told so and there is nothing to download.
    std::optional<int> QueryRecordsToDownload();


    // ---- report files: write, save as, open (src/reports/ReportCommands.cpp)
public:
    // The lines of the text view as Windows-1250 bytes: none when it holds
    // no text; a line end at the very end opens no further line.
    std::vector<std::string> PulpitLines() const;
    // The text view holds at least one line (possibly an empty one).
    bool PulpitHasLines() const;

private:
    // The two kinds of Open, once the file's lines have been read.
    void OpenHtmlReport(const QString& path, std::vector<std::string> lines);
    void OpenTextFile(const QString& path, const std::vector<std::string>& lines);


    // ---- printing and preview (src/reports/PrintCommands.cpp)
    // Prints the lines of the text view on Printer, page by page.
    void PrintPulpitLines();


    // ---- text tools (src/shell/TextTools.cpp)
    // Pre-fills the find text with the selection and shows the dialog.
    void OpenFindReplaceDialog(tav::FindReplaceDialog& dialog);
    // Find next over `text` (the text view's plain text); false at the end
    // of the text (reported, caret back at the start).
    bool FindNextInPulpit(const tav::FindReplaceDialog& dialog, const QString& text);
    void ReplaceAllInPulpit(const tav::FindReplaceDialog& dialog);


    // ---- unsaved-data prompt, clear screen, closing (src/shell/Closing.cpp)
    // A view with data is shown (a text view with at least one line, or the
    // table) and that data changed since it was loaded or saved.
    bool ShownDataUnsaved() const;

};
