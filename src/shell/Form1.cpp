// The main window: construction and layout, the command wrapper, the view
// modes and connection states, the status area and the shell's own small
// commands (about, help, the read-only period box).
#include "shell/Form1.h"

#include <clocale>
#include <cstring>
#include <exception>

#include <locale.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/QtText.h"
#include "records/GridModel.h"
#include "shell/AboutBox.h"
#include "shell/Colors.h"
#include "shell/FindReplaceDialog.h"
#include "shell/HelpForms.h"
#include "shell/QtTexts.h"
#include "shell/StatusLabel.h"
#include "shell/Texts.h"

using tav::text::Id;

namespace {

// Sizes of the main window's controls.
constexpr int kDesignWidth = 972;
constexpr int kDesignHeight = 563;
constexpr int kToolBar1Height = 28;
constexpr int kToolBar2Height = 29;
constexpr int kButtonWidth = 25;
constexpr int kButtonHeight = 21;
constexpr int kGapWidth = 13;
constexpr int kLegendHeight = 42;
constexpr int kDefaultColumnWidth = 60;
constexpr int kStatusPanel0Width = 400;
constexpr int kStatusPanel1Width = 500;

void SetBackground(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetTextColor(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

QFont PixelFont(const QString& family, int pixels, bool bold = false, bool italic = false) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QToolButton* NewSpeedButton(QWidget* parent, const char* name, int width = kButtonWidth,
                            int glyphWidth = 16) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(true);
    button->setFixedSize(width, kButtonHeight);
    button->setFocusPolicy(Qt::NoFocus);
    // The glyphs are Qt resources named after the button; a missing one
    // leaves the button without a picture.
    const QString glyph = QStringLiteral(":/glyphs/%1.svg").arg(QString::fromLatin1(name));
    if (QFile::exists(glyph)) {
        button->setIcon(QIcon(glyph));
    }
    button->setIconSize(QSize(glyphWidth, 16));
    return button;
}

QWidget* NewGap(QWidget* parent, const char* name, int width) {
    auto* gap = new QWidget(parent);
    gap->setObjectName(QString::fromLatin1(name));
    gap->setFixedWidth(width);
    return gap;
}

QAction* NewAction(QMenu* menu, const char* name) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void NewSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

// The system's reason for an error number, always in the same wording
// whatever the desktop's locale.
QString ErrorReason(std::uint32_t error) {
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const char* reason = cLocale != static_cast<locale_t>(nullptr)
                             ? strerror_l(static_cast<int>(error), cLocale)
                             : std::strerror(static_cast<int>(error));
    return QString::fromLocal8Bit(reason);
}

}  // namespace

// ------------------------------------------------------------------ texts

void tav::text::Show(TForm1& form, Id id, MsgKind kind) {
    form.ShowMessageInLanguage(Pl(id), En(id), kind);
}

// ------------------------------------------------------------ construction

TForm1::TForm1(tav::PlatformService& platform, std::string settingsPath, QWidget* parent)
    : QMainWindow(parent), SettingsPath(std::move(settingsPath)), platform_(platform) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(tav::text::Q(Id::AppTitle, 0));
    setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
    resize(kDesignWidth, kDesignHeight);

    BuildControls();
    BuildMenus();
    // The texts that never change, and the Polish design captions, so every
    // control has its text before the interface language is known.
    tav::text::ApplyControlTexts(*this, tav::text::FixedControlTexts(), 0);
    tav::text::ApplyControlTexts(*this, tav::text::ControlTexts(), 0);
    BindCommands();

    Connected = false;
    DocumentLanguage = -1;
    DataModified = false;
    TableEditMode = false;
    Label7->setText(tav::text::Q(Id::ProductLabel, 0) + tav::text::Q(Id::Version, 0));

    SaveDialog1.filter = tav::text::Q(Id::SaveFilterDesign, 0);
    SaveDialog1.filterIndex = 1;
    SaveDialog1.defaultExt = QStringLiteral("*.txt");
    OpenDialog1.filter = tav::text::Q(Id::OpenFilterDesign, 0);
    OpenDialog1.filterIndex = 1;

    EnterEmptyView();
    EnterConnectionState(ConnectionState::NotConnected);
    if (LoadSettingsFile() == 0) {
        ApplyInterfaceLanguage();
    } else {
        InterfaceLanguage = 1;
        ApplyInterfaceLanguage();
        SetGridHeaders();
    }
}

TForm1::~TForm1() {
    // The widgets are destroyed by the base class, after this class's fields
    // are gone, and a shown window is closed on the way: nothing they do then
    // may reach the fields. So the window is hidden while the table's model
    // can still answer, the model goes before the cells it reads, and the
    // views are cut from the handlers.
    hide();
    disconnect(Pulpit, nullptr, this, nullptr);
    disconnect(GridModel, nullptr, this, nullptr);
    Grid->setModel(nullptr);
    delete GridModel;
    GridModel = nullptr;
    GridCells.SetObserver(nullptr);
    delete FindDialog1;
    delete ReplaceDialog1;
}

void TForm1::BuildControls() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    SetBackground(central, tav::colors::clGray());

    // ToolBar1: the commands, then the status label filling the rest.
    ToolBar1 = new QFrame(central);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setFixedHeight(kToolBar1Height);
    SetBackground(ToolBar1, tav::colors::clRed());
    auto* row1 = new QHBoxLayout(ToolBar1);
    row1->setContentsMargins(2, 0, 2, 0);
    row1->setSpacing(0);
    SpeedButton1 = NewSpeedButton(ToolBar1, "SpeedButton1");
    SpeedButton2 = NewSpeedButton(ToolBar1, "SpeedButton2");
    SpeedButton3 = NewSpeedButton(ToolBar1, "SpeedButton3");
    PrintSetup1 = NewSpeedButton(ToolBar1, "PrintSetup1");
    SpeedButton5 = NewSpeedButton(ToolBar1, "SpeedButton5");
    Label3 = NewGap(ToolBar1, "Label3", kGapWidth);
    SpeedButton17 = NewSpeedButton(ToolBar1, "SpeedButton17");
    SpeedButton10 = NewSpeedButton(ToolBar1, "SpeedButton10");
    SpeedButton19 = NewSpeedButton(ToolBar1, "SpeedButton19");
    SpeedButton18 = NewSpeedButton(ToolBar1, "SpeedButton18");
    SpeedButton15 = NewSpeedButton(ToolBar1, "SpeedButton15");
    SpeedButton16 = NewSpeedButton(ToolBar1, "SpeedButton16");
    SpeedButton20 = NewSpeedButton(ToolBar1, "SpeedButton20");
    SpeedButton21 = NewSpeedButton(ToolBar1, "SpeedButton21");
    SpeedButton21->setCheckable(true);
    Label4 = NewGap(ToolBar1, "Label4", kGapWidth);
    SpeedButton8 = NewSpeedButton(ToolBar1, "SpeedButton8", 65, 57);
    Label6 = NewGap(ToolBar1, "Label6", kGapWidth);
    SpeedButton7 = NewSpeedButton(ToolBar1, "SpeedButton7");
    SBPobierzOkres = NewSpeedButton(ToolBar1, "SBPobierzOkres");
    SBPobierzCalosc = NewSpeedButton(ToolBar1, "SBPobierzCalosc", 20);
    Label8 = NewGap(ToolBar1, "Label8", kGapWidth);
    SBKasuj = NewSpeedButton(ToolBar1, "SBKasuj");
    Label5 = NewGap(ToolBar1, "Label5", kGapWidth);
    SpeedButton12 = NewSpeedButton(ToolBar1, "SpeedButton12");
    SpeedButton11 = NewSpeedButton(ToolBar1, "SpeedButton11");
    Label1 = new QLabel(ToolBar1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(PixelFont(QStringLiteral("Arial"), 15));
    Label1->setMinimumWidth(0);
    Label1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    SetBackground(Label1, tav::colors::clRed());
    SetTextColor(Label1, QPalette::WindowText, tav::colors::clBlack());
    for (QWidget* w : std::initializer_list<QWidget*>{
             SpeedButton1,  SpeedButton2,  SpeedButton3,  PrintSetup1,    SpeedButton5,
             Label3,        SpeedButton17, SpeedButton10, SpeedButton19,  SpeedButton18,
             SpeedButton15, SpeedButton16, SpeedButton20, SpeedButton21,  Label4,
             SpeedButton8,  Label6,        SpeedButton7,  SBPobierzOkres, SBPobierzCalosc,
             Label8,        SBKasuj,       Label5,        SpeedButton12,  SpeedButton11}) {
        row1->addWidget(w, 0, Qt::AlignVCenter);
    }
    row1->addWidget(Label1, 1);
    column->addWidget(ToolBar1);

    // ToolBar2: company name, download time and period.
    ToolBar2 = new QFrame(central);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->setFixedHeight(kToolBar2Height);
    ToolBar2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SetBackground(ToolBar2, palette().color(QPalette::Button));
    auto* row2 = new QHBoxLayout(ToolBar2);
    row2->setContentsMargins(2, 1, 2, 1);
    row2->setSpacing(2);
    Label2 = new QLabel(ToolBar2);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11, true));
    Label2->setMinimumWidth(44);
    SetTextColor(Label2, QPalette::WindowText, tav::colors::clBlue());
    ComboBox1 = new QComboBox(ToolBar2);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    // The list holds only the name last loaded or saved: typing a name and
    // pressing Enter must not add entries.
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setFixedWidth(145);
    SpeedButton9 = new QToolButton(ToolBar2);
    SpeedButton9->setObjectName(QStringLiteral("SpeedButton9"));
    SpeedButton9->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 16, true));
    SpeedButton9->setFixedSize(23, 22);
    SpeedButton9->setAutoRaise(true);
    Edit3 = new QLineEdit(ToolBar2);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit3->setFixedWidth(291);
    SetTextColor(Edit3, QPalette::Text, tav::colors::clNavy());
    Panel1 = NewGap(ToolBar2, "Panel1", 16);
    Edit2 = new QLineEdit(ToolBar2);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setFixedWidth(384);
    Edit2->setReadOnly(true);
    Edit2->setFrame(false);
    Edit2->setCursor(Qt::ArrowCursor);
    SetTextColor(Edit2, QPalette::Text, tav::colors::clNavy());
    Edit2->installEventFilter(this);
    row2->addWidget(Label2);
    row2->addWidget(ComboBox1);
    row2->addWidget(SpeedButton9);
    row2->addWidget(Edit3);
    row2->addWidget(Panel1);
    row2->addWidget(Edit2);
    row2->addStretch(1);
    column->addWidget(ToolBar2);

    // The client area: the product label behind the table and the text view.
    auto* client = new QWidget(central);
    client->setObjectName(QStringLiteral("ViewArea"));
    auto* stack = new QGridLayout(client);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    Label7 = new QLabel(client);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setAlignment(Qt::AlignCenter);
    Label7->setFont(PixelFont(QStringLiteral("Arial"), 67, false, true));
    SetTextColor(Label7, QPalette::WindowText, tav::colors::clTeal());
    stack->addWidget(Label7, 0, 0);

    GridModel = new tav::GridModel(GridCells, this);
    GridModel->setObjectName(QStringLiteral("GridModel"));
    Grid = new QTableView(client);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setModel(GridModel);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    // One block of rows, as the row deletion takes the first and the last
    // selected row.
    Grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    Grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                          QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    Grid->setFrameShape(QFrame::NoFrame);
    Grid->verticalHeader()->hide();
    Grid->verticalHeader()->setDefaultSectionSize(Grid->fontMetrics().height() + 6);
    Grid->horizontalHeader()->setDefaultSectionSize(kDefaultColumnWidth);
    Grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    Grid->horizontalHeader()->setHighlightSections(false);
    Grid->setWordWrap(false);
    {
        QPalette p = Grid->palette();
        p.setColor(QPalette::Base, tav::colors::clWhite());
        Grid->setPalette(p);
    }
    Grid->setContextMenuPolicy(Qt::CustomContextMenu);
    Grid->installEventFilter(this);
    Grid->viewport()->installEventFilter(this);
    stack->addWidget(Grid, 0, 0);

    Pulpit = new QPlainTextEdit(client);
    Pulpit->setObjectName(QStringLiteral("Pulpit"));
    QFont fixed = PixelFont(QStringLiteral("Courier New"), 13);
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    Pulpit->setFont(fixed);
    Pulpit->setLineWrapMode(QPlainTextEdit::NoWrap);
    Pulpit->setWordWrapMode(QTextOption::NoWrap);
    Pulpit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Pulpit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    {
        // The selection stays visible when the text view loses the focus
        // (the find dialog has it while a match is shown).
        QPalette p = Pulpit->palette();
        p.setColor(QPalette::Inactive, QPalette::Highlight,
                   p.color(QPalette::Active, QPalette::Highlight));
        p.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   p.color(QPalette::Active, QPalette::HighlightedText));
        Pulpit->setPalette(p);
    }
    Pulpit->setContextMenuPolicy(Qt::CustomContextMenu);
    stack->addWidget(Pulpit, 0, 0);
    column->addWidget(client, 1);

    // The legend of the evaluation codes.
    PasekObjasnieniaOceny = new QFrame(central);
    PasekObjasnieniaOceny->setObjectName(QStringLiteral("PasekObjasnieniaOceny"));
    PasekObjasnieniaOceny->setFixedHeight(kLegendHeight);
    PasekObjasnieniaOceny->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
    SetBackground(PasekObjasnieniaOceny, tav::colors::LegendYellow());
    auto* legend = new QVBoxLayout(PasekObjasnieniaOceny);
    legend->setContentsMargins(6, 1, 6, 1);
    legend->setSpacing(0);
    LabelObjZgrz1 = new QLabel(PasekObjasnieniaOceny);
    LabelObjZgrz1->setObjectName(QStringLiteral("LabelObjZgrz1"));
    LabelObjZgrz1->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11, true));
    LabelObjZgrz2 = new QLabel(PasekObjasnieniaOceny);
    LabelObjZgrz2->setObjectName(QStringLiteral("LabelObjZgrz2"));
    LabelObjZgrz3 = new QLabel(PasekObjasnieniaOceny);
    LabelObjZgrz3->setObjectName(QStringLiteral("LabelObjZgrz3"));
    for (QLabel* label : {LabelObjZgrz1, LabelObjZgrz2, LabelObjZgrz3}) {
        SetTextColor(label, QPalette::WindowText, tav::colors::clBlack());
        legend->addWidget(label);
    }
    column->addWidget(PasekObjasnieniaOceny);
    setCentralWidget(central);

    // The status bar: the connection panel and the document panel.
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    const int widths[2] = {kStatusPanel0Width, kStatusPanel1Width};
    for (int i = 0; i < 2; ++i) {
        auto* panel = new QLabel(StatusBar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFixedWidth(widths[i]);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        StatusBar->addWidget(panel);
        statusPanels_[i] = panel;
    }
    setStatusBar(StatusBar);

    FindDialog1 = new tav::FindReplaceDialog(*this, tav::FindReplaceDialog::Mode::Find);
    ReplaceDialog1 = new tav::FindReplaceDialog(*this, tav::FindReplaceDialog::Mode::Replace);
}

void TForm1::BuildMenus() {
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    Plik1 = MainMenu1->addMenu(QString());
    Plik1->setObjectName(QStringLiteral("Plik1"));
    N01 = NewAction(Plik1, "N01");
    N13 = NewAction(Plik1, "N13");
    N23 = NewAction(Plik1, "N23");
    NewSeparator(Plik1, "N1");
    N32 = NewAction(Plik1, "N32");
    N41 = NewAction(Plik1, "N41");
    NewSeparator(Plik1, "N2");
    Podgldraportuzgrzewania1 = NewAction(Plik1, "Podgldraportuzgrzewania1");
    NewSeparator(Plik1, "N9");
    N51 = NewAction(Plik1, "N51");

    Edycja1 = MainMenu1->addMenu(QString());
    Edycja1->setObjectName(QStringLiteral("Edycja1"));
    Kopiuj1 = NewAction(Edycja1, "Kopiuj1");
    Wklej1 = NewAction(Edycja1, "Wklej1");
    NewSeparator(Edycja1, "N3");
    Znajd1 = NewAction(Edycja1, "Znajd1");
    Zastp1 = NewAction(Edycja1, "Zastp1");
    Zastpnazwlokalizacji1 = NewAction(Edycja1, "Zastpnazwlokalizacji1");
    NewSeparator(Edycja1, "N5");
    Trybrcznejedycjitabeli1 = NewAction(Edycja1, "Trybrcznejedycjitabeli1");
    NewSeparator(Edycja1, "N6");
    Usuzaz1 = NewAction(Edycja1, "Usuzaz1");

    Narzdzia1 = MainMenu1->addMenu(QString());
    Narzdzia1->setObjectName(QStringLiteral("Narzdzia1"));
    N11 = NewAction(Narzdzia1, "N11");
    N21 = NewAction(Narzdzia1, "N21");
    N31 = NewAction(Narzdzia1, "N31");
    NewSeparator(Narzdzia1, "N42");
    Zmienazwlokalizacji1 = NewAction(Narzdzia1, "Zmienazwlokalizacji1");
    NewSeparator(Narzdzia1, "N10");
    Pobierzcazawartopamiciwpostacitekstowej1 =
        NewAction(Narzdzia1, "Pobierzcazawartopamiciwpostacitekstowej1");

    Jzyk1 = MainMenu1->addMenu(QString());
    Jzyk1->setObjectName(QStringLiteral("Jzyk1"));
    Polski1 = NewAction(Jzyk1, "Polski1");
    Angielski1 = NewAction(Jzyk1, "Angielski1");

    Poczsizezgrzewark1 = MainMenu1->addAction(QString());
    Poczsizezgrzewark1->setObjectName(QStringLiteral("Poczsizezgrzewark1"));

    Pomoc1 = MainMenu1->addMenu(QString());
    Pomoc1->setObjectName(QStringLiteral("Pomoc1"));
    N12 = NewAction(Pomoc1, "N12");
    N22 = NewAction(Pomoc1, "N22");
    setMenuBar(MainMenu1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    w1 = NewAction(PopupMenu1, "w1");
    w1->setCheckable(true);
    NewSeparator(PopupMenu1, "N4");
    Usuzaznaczonezgrzewy1 = NewAction(PopupMenu1, "Usuzaznaczonezgrzewy1");

    PopupMenuPulpit = new QMenu(this);
    PopupMenuPulpit->setObjectName(QStringLiteral("PopupMenuPulpit"));
    Kopiuj2 = NewAction(PopupMenuPulpit, "Kopiuj2");
    Wklej2 = NewAction(PopupMenuPulpit, "Wklej2");
    NewSeparator(PopupMenuPulpit, "N7");
    Znajd2 = NewAction(PopupMenuPulpit, "Znajd2");
    Znajdizaspdowolnytekst1 = NewAction(PopupMenuPulpit, "Znajdizaspdowolnytekst1");
    NewSeparator(PopupMenuPulpit, "N8");
    Zaznaczwszystko1 = NewAction(PopupMenuPulpit, "Zaznaczwszystko1");
}

void TForm1::BindCommands() {
    using Handler = void (TForm1::*)();
    const auto run = [this](Handler handler) {
        return [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); };
    };
    const auto button = [&](QToolButton* b, Handler handler) {
        connect(b, &QToolButton::clicked, this, run(handler));
    };
    const auto item = [&](QAction* a, Handler handler) {
        connect(a, &QAction::triggered, this, run(handler));
    };

    button(SpeedButton1, &TForm1::SpeedButton1Click);
    button(SpeedButton2, &TForm1::SpeedButton2Click);
    button(SpeedButton3, &TForm1::SpeedButton3Click);
    button(PrintSetup1, &TForm1::PrintSetup1Click);
    button(SpeedButton5, &TForm1::SpeedButton5Click);
    button(SpeedButton17, &TForm1::Kopiuj1Click);
    button(SpeedButton10, &TForm1::Wklej1Click);
    button(SpeedButton19, &TForm1::Znajd1Click);
    button(SpeedButton18, &TForm1::Zastp1Click);
    button(SpeedButton15, &TForm1::SpeedButton15Click);
    button(SpeedButton16, &TForm1::SpeedButton16Click);
    button(SpeedButton20, &TForm1::Usuzaznaczonezgrzewy1Click);
    button(SpeedButton21, &TForm1::w1Click);
    button(SpeedButton8, &TForm1::SpeedButton8Click);
    button(SpeedButton7, &TForm1::SpeedButton7Click);
    button(SBPobierzOkres, &TForm1::SBPobierzOkresClick);
    button(SBPobierzCalosc, &TForm1::SBPobierzCaloscClick);
    button(SBKasuj, &TForm1::SBKasujClick);
    button(SpeedButton12, &TForm1::Polski1Click);
    button(SpeedButton11, &TForm1::Angielski1Click);
    button(SpeedButton9, &TForm1::SpeedButton9Click);

    item(N01, &TForm1::SpeedButton1Click);
    item(N13, &TForm1::SpeedButton2Click);
    item(N23, &TForm1::SpeedButton3Click);
    item(N32, &TForm1::SpeedButton5Click);
    item(N41, &TForm1::PrintSetup1Click);
    item(Podgldraportuzgrzewania1, &TForm1::SpeedButton15Click);
    item(N51, &TForm1::N51Click);
    item(Kopiuj1, &TForm1::Kopiuj1Click);
    item(Wklej1, &TForm1::Wklej1Click);
    item(Znajd1, &TForm1::Znajd1Click);
    item(Zastp1, &TForm1::Zastp1Click);
    item(Zastpnazwlokalizacji1, &TForm1::SpeedButton16Click);
    item(Trybrcznejedycjitabeli1, &TForm1::w1Click);
    item(Usuzaz1, &TForm1::Usuzaznaczonezgrzewy1Click);
    item(N11, &TForm1::SpeedButton7Click);
    item(N21, &TForm1::SBPobierzOkresClick);
    item(N31, &TForm1::SBPobierzCaloscClick);
    item(Zmienazwlokalizacji1, &TForm1::SBKasujClick);
    item(Pobierzcazawartopamiciwpostacitekstowej1,
         &TForm1::Pobierzcazawartopamiciwpostacitekstowej1Click);
    item(Polski1, &TForm1::Polski1Click);
    item(Angielski1, &TForm1::Angielski1Click);
    item(Poczsizezgrzewark1, &TForm1::SpeedButton8Click);
    item(N12, &TForm1::N12Click);
    item(N22, &TForm1::N22Click);

    item(w1, &TForm1::w1Click);
    item(Usuzaznaczonezgrzewy1, &TForm1::Usuzaznaczonezgrzewy1Click);
    item(Kopiuj2, &TForm1::Kopiuj1Click);
    item(Wklej2, &TForm1::Wklej1Click);
    item(Znajd2, &TForm1::Znajd1Click);
    item(Znajdizaspdowolnytekst1, &TForm1::Zastp1Click);
    item(Zaznaczwszystko1, &TForm1::Zaznaczwszystko1Click);

    connect(Grid, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (!LongCommandRunning()) {
            PopupMenu1->popup(Grid->viewport()->mapToGlobal(at));
        }
    });
    connect(Pulpit, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (!LongCommandRunning()) {
            PopupMenuPulpit->popup(Pulpit->viewport()->mapToGlobal(at));
        }
    });
    connect(GridModel, &tav::GridModel::CellEdited, this,
            [this](int, int) { RunCommand([this] { GridSetEditText(); }); });
    // Every change of the text view counts, also those a running download
    // makes, so this one is not a command that a long command would refuse.
    connect(Pulpit, &QPlainTextEdit::textChanged, this, [this] {
        try {
            PulpitChange();
        } catch (...) {
        }
    });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit2 && event->type() == QEvent::MouseButtonDblClick) {
        RunCommand([this] { Edit2DblClick(); });
        return true;
    }
    if (Grid != nullptr && watched == Grid->viewport() &&
        event->type() == QEvent::MouseButtonDblClick) {
        RunCommand([this] { GridDblClick(); });
        return false;
    }
    if (watched == Grid && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (!text.isEmpty() && text.at(0).isPrint()) {
            RunCommand([this] { GridKeyPress(); });
        }
        return false;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    // Nothing may close the window under a running welder command.
    if (LongCommandRunning()) {
        event->ignore();
        return;
    }
    bool canClose = true;
    RunCommand([this, &canClose] { canClose = FormCloseQuery(); });
    if (canClose) {
        event->accept();
    } else {
        event->ignore();
    }
}

// ------------------------------------------------------------ status area

QString TForm1::StatusPanelText(int panel) const {
    if (panel < 0 || panel > 1) {
        return {};
    }
    return statusPanels_[panel]->text();
}

void TForm1::SetStatusPanelText(int panel, const QString& text) {
    if (panel < 0 || panel > 1) {
        return;
    }
    statusPanels_[panel]->setText(text);
}

void TForm1::SetStatusSimpleText(const QString& text) {
    if (text.isEmpty()) {
        StatusBar->clearMessage();
    } else {
        StatusBar->showMessage(text);
    }
}

void TForm1::ShowStatus(const QString& text, const QColor& color) {
    SetStatusPanelText(0, text);
    SetBackground(Label1, color);
    SetBackground(ToolBar1, color);
}

void TForm1::ShowMessageInLanguage(const QString& polish, const QString& english,
                                   tav::MsgKind kind) {
    if (InterfaceLanguage == 0) {
        platform_.MessageDialog(polish, kind, tav::kBtnOk);
    } else if (InterfaceLanguage == 1) {
        platform_.MessageDialog(english, kind, tav::kBtnOk);
    }
}

std::string TForm1::CompanyName() const {
    return tav::ToCp1250(ComboBox1->currentText());
}

std::string TForm1::TypeLineText() const {
    const std::string text = tav::ToCp1250(StatusPanelText(1));
    std::size_t start = 0;
    while (start < text.size() && static_cast<unsigned char>(text[start]) <= 0x20) {
        ++start;
    }
    return text.substr(start);
}

// ------------------------------------------------------- modes and states

void TForm1::SetShown(QWidget* widget, bool shown) {
    if (widget != nullptr) {
        widget->setHidden(!shown);
    }
}

bool TForm1::IsShown(const QWidget* widget) {
    return widget != nullptr && !widget->isHidden();
}

namespace {

// The enabled state a menu of the menu bar should have. Kept on the menu's
// action because disabling the menu bar for a long command disables every
// menu with it, and enabling the bar again enables them all.
constexpr const char* kMenuEnabledProperty = "tavelinMenuEnabled";

}  // namespace

void TForm1::SetMenuEnabled(QMenu* menu, bool enabled) {
    if (menu != nullptr) {
        menu->menuAction()->setProperty(kMenuEnabledProperty, enabled);
        menu->menuAction()->setEnabled(enabled);
    }
}

bool TForm1::IsMenuEnabled(const QMenu* menu) {
    if (menu == nullptr) {
        return false;
    }
    const QVariant wanted = menu->menuAction()->property(kMenuEnabledProperty);
    return wanted.isValid() ? wanted.toBool() : menu->menuAction()->isEnabled();
}

void TForm1::EnterEmptyView() {
    SetShown(Pulpit, false);
    SetShown(Grid, false);
    SetShown(PasekObjasnieniaOceny, false);
    SetShown(ToolBar2, false);
    SetShown(SpeedButton3, false);
    N23->setEnabled(false);
    SetShown(PrintSetup1, false);
    SetShown(SpeedButton5, false);
    for (QToolButton* b : {SpeedButton17, SpeedButton10, SpeedButton19, SpeedButton18,
                           SpeedButton15, SpeedButton16, SpeedButton20, SpeedButton21}) {
        SetShown(b, false);
    }
    SetMenuEnabled(Edycja1, false);
    Zastpnazwlokalizacji1->setEnabled(false);
    Trybrcznejedycjitabeli1->setEnabled(false);
    Usuzaz1->setEnabled(false);
    Podgldraportuzgrzewania1->setEnabled(false);
}

void TForm1::EnterTextView(bool afterDownload) {
    SetShown(Grid, false);
    SetShown(PasekObjasnieniaOceny, false);
    SetShown(ToolBar2, false);
    SetShown(Pulpit, true);
    SetShown(SpeedButton3, true);
    N23->setEnabled(true);
    if (afterDownload) {
        SetShown(PrintSetup1, true);
        SetShown(SpeedButton5, true);
    }
    for (QToolButton* b : {SpeedButton17, SpeedButton10, SpeedButton19, SpeedButton18}) {
        SetShown(b, true);
    }
    for (QToolButton* b : {SpeedButton15, SpeedButton16, SpeedButton20, SpeedButton21}) {
        SetShown(b, false);
    }
    SetMenuEnabled(Edycja1, true);
    for (QAction* a : {Kopiuj1, Wklej1, Znajd1, Zastp1}) {
        a->setEnabled(true);
    }
    Zastpnazwlokalizacji1->setEnabled(false);
    Trybrcznejedycjitabeli1->setEnabled(afterDownload);
    Usuzaz1->setEnabled(afterDownload);
    Podgldraportuzgrzewania1->setEnabled(false);
}

void TForm1::EnterTableView(bool withRecords) {
    SetShown(Pulpit, false);
    SetShown(Grid, true);
    SetShown(PasekObjasnieniaOceny, true);
    SetShown(ToolBar2, true);
    SetShown(SpeedButton3, withRecords);
    N23->setEnabled(withRecords);
    SetShown(PrintSetup1, true);
    SetShown(SpeedButton5, true);
    for (QToolButton* b : {SpeedButton17, SpeedButton10, SpeedButton19, SpeedButton18}) {
        SetShown(b, false);
    }
    for (QToolButton* b : {SpeedButton15, SpeedButton16, SpeedButton20, SpeedButton21}) {
        SetShown(b, true);
    }
    SetMenuEnabled(Edycja1, true);
    for (QAction* a : {Kopiuj1, Wklej1, Znajd1, Zastp1}) {
        a->setEnabled(false);
    }
    Zastpnazwlokalizacji1->setEnabled(true);
    Trybrcznejedycjitabeli1->setEnabled(true);
    Usuzaz1->setEnabled(true);
    Podgldraportuzgrzewania1->setEnabled(true);
}

void TForm1::EnterConnectionState(ConnectionState state) {
    const bool connected = state == ConnectionState::Connected;
    // The flag goes with the state, so a later relabelling (a language
    // switch) paints the status label for the state the window shows.
    Connected = connected;
    for (QToolButton* b : {SpeedButton7, SBPobierzOkres, SBPobierzCalosc, SBKasuj}) {
        SetShown(b, connected);
    }
    SetMenuEnabled(Narzdzia1, connected);
    if (state != ConnectionState::Searching) {
        tav::shell::ApplyStatusLabel(*this, connected);
    }
}

void TForm1::LeaveTableEditMode() {
    // An edit in progress is kept: the open editor hands its text to the
    // table before it closes.
    if (QWidget* focus = QApplication::focusWidget();
        focus != nullptr && Grid->viewport()->isAncestorOf(focus)) {
        emit Grid->itemDelegate()->commitData(focus);
        emit Grid->itemDelegate()->closeEditor(focus, QAbstractItemDelegate::NoHint);
    }
    GridModel->SetEditable(false);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    w1->setChecked(false);
    TableEditMode = false;
    Grid->setFrameShape(QFrame::NoFrame);
    SpeedButton21->setChecked(false);
}

// ------------------------------------------------------------ commands

void TForm1::RunCommand(const std::function<void()>& body) {
    if (LongCommandRunning()) {
        return;
    }
    // The language at the moment of the failure: the command may have
    // switched it.
    const auto language = [this]() -> std::uint8_t { return InterfaceLanguage == 1 ? 1 : 0; };
    QString message;
    try {
        body();
        return;
    } catch (const ECommError& e) {
        message = tav::text::Q(Id::SerialPortError, language()) + QString::number(e.Code) +
                  QStringLiteral(": ") + ErrorReason(e.LastError);
    } catch (const std::exception& e) {
        message = tav::text::Q(Id::UnexpectedError, language()) + QString::fromLocal8Bit(e.what());
    } catch (...) {
        message = tav::text::Q(Id::UnexpectedError, language()).trimmed();
        if (message.endsWith(QLatin1Char(':'))) {
            message.chop(1);
        }
    }
    // Whatever the command had changed stays; the program goes on.
    platform_.MessageDialog(message, tav::MsgKind::Error, tav::kBtnOk);
}

TForm1::LongCommand::LongCommand(TForm1& form) : form_(form) {
    if (form_.longCommandDepth_++ == 0) {
        // The containers are disabled, so each control keeps its own
        // enabled state for the moment the command ends.
        form_.ToolBar1->setEnabled(false);
        form_.ToolBar2->setEnabled(false);
        // Each entry of the menu bar remembers its state, so the command's
        // own changes to it (through SetMenuEnabled) survive the end.
        for (QAction* entry : form_.MainMenu1->actions()) {
            if (!entry->property(kMenuEnabledProperty).isValid()) {
                entry->setProperty(kMenuEnabledProperty, entry->isEnabled());
            }
        }
        form_.MainMenu1->setEnabled(false);
    }
}

TForm1::LongCommand::~LongCommand() {
    if (--form_.longCommandDepth_ == 0) {
        form_.ToolBar1->setEnabled(true);
        form_.ToolBar2->setEnabled(true);
        form_.MainMenu1->setEnabled(true);
        for (QAction* entry : form_.MainMenu1->actions()) {
            const QVariant wanted = entry->property(kMenuEnabledProperty);
            if (wanted.isValid()) {
                entry->setEnabled(wanted.toBool());
            }
        }
    }
}

void TForm1::SetGridHeaders() {
    tav::records::SetGridHeaders(*this, GridCells);
}

void TForm1::N22Click() {
    if (W.AboutBox != nullptr) {
        W.AboutBox->exec();
    }
}

void TForm1::N12Click() {
    if (InterfaceLanguage == 0) {
        if (W.HelpFormPolski != nullptr) {
            W.HelpFormPolski->exec();
        }
    } else if (W.HelpFormEnglish != nullptr) {
        W.HelpFormEnglish->exec();
    }
}

void TForm1::Edit2DblClick() {
    tav::text::Show(*this, Id::DataNotEditable, tav::MsgKind::Information);
}
