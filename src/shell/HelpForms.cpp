#include "shell/HelpForms.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include "platform/QtText.h"
#include "shell/SvgPicture.h"

namespace {

using tav::U8;

// Colours of the manual: the light yellow page, navy headings, the teal
// title, red warnings and the lime of the toolbar when the welder is
// connected.
const QColor kPageColor(0xFF, 0xFF, 0xD5);
const QColor kNavy(0x00, 0x00, 0x80);
const QColor kTeal(0x00, 0x80, 0x80);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kLime(0x00, 0xFF, 0x00);
const QColor kFrameColor(0x80, 0x80, 0x80);

constexpr int kBodyPixels = 13;
constexpr int kTitlePixels = 29;
constexpr int kMargin = 20;
constexpr QSize kPhotoSize(240, 110);
constexpr QSize kWiringSize(300, 110);
constexpr QSize kLogoSize(120, 64);
constexpr int kGlyph = 16;

QFont ArialPixels(int pixels, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void SetBackground(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Base, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

// A frame drawn as an outline with optional rounded corners and fill; the
// pictures and captions it holds are its children.
class OutlineFrame : public QWidget {
  public:
    OutlineFrame(QWidget* parent, const QColor& pen, int penWidth, int radius, QColor fill)
        : QWidget(parent), pen_(pen), penWidth_(penWidth), radius_(radius), fill_(fill) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(pen_, penWidth_));
        painter.setBrush(fill_.isValid() ? QBrush(fill_) : QBrush(Qt::NoBrush));
        const qreal inset = penWidth_ / 2.0;
        painter.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), radius_,
                                radius_);
    }

  private:
    QColor pen_;
    int penWidth_;
    int radius_;
    QColor fill_;
};

// One command of the Tools menu or one table operation: the toolbar glyph,
// the command's name as the user reads it on the button's hint, and what it
// does.
struct Command {
    const char* glyph;
    QString name;
    QString description;
};

// The whole manual in one language.
struct Manual {
    QString title;
    QString connectHeading;
    QString connectDirect;
    QString connectConverter;
    QString converterCaption;
    QString cableCaption;
    QString directCaption;
    QString viaConverterCaption;
    QString driverNote;
    QString startHeading;
    QString startConnect;
    QString connectedStatus;
    QString startCommands;
    std::vector<Command> tools;
    int eraseIndex;  // the command followed by the warning below
    QString eraseWarning;
    QString tablesHeading;
    QString tablesAdvice;
    QString tablesText;
    QString operationsHeading;
    std::vector<Command> operations;  // name and the text box under it
    QString textHeading;
    QString textText;
};

Manual PolishManual() {
    Manual m;
    m.title = U8("Pomoc programu Tavelin");
    m.connectHeading = U8("Podłączenie zgrzewarki do komputera");
    m.connectDirect =
        U8("Zgrzewarkę łączy się z komputerem kablem szeregowym RS-232 zakończonym wtykami "
           "9-stykowymi (DB9). Jeżeli komputer ma port szeregowy (COM), podłącz kabel "
           "bezpośrednio do tego portu i do gniazda transmisji danych zgrzewarki.");
    m.connectConverter =
        U8("Większość współczesnych komputerów, zwłaszcza laptopów, nie ma portu szeregowego. "
           "Wtedy między kablem RS-232 a portem USB komputera stosuje się konwerter USB-RS232, "
           "który pełni rolę kabla pośredniczącego. Po podłączeniu konwertera w systemie "
           "pojawia się nowy port szeregowy, z którego program korzysta tak samo jak ze "
           "zwykłego portu COM.");
    m.converterCaption = U8("Konwerter USB-RS232");
    m.cableCaption = U8("Kabel RS-232");
    m.directCaption = U8("Połączenie bezpośrednie zgrzewarki z komputerem");
    m.viaConverterCaption =
        U8("Połączenie zgrzewarki z komputerem za pośrednictwem konwertera USB-RS232");
    m.driverNote =
        U8("Uwaga! Większość konwerterów USB-RS232 działa w systemie Linux bez instalowania "
           "sterownika. Aby program mógł otworzyć port szeregowy, użytkownik musi należeć do "
           "grupy dialout (po dodaniu do grupy trzeba się wylogować i zalogować ponownie). "
           "Szczegóły znajdziesz w pliku README dołączonym do programu.");
    m.startHeading = U8("Rozpoczęcie pracy");
    m.startConnect =
        U8("Podłącz zgrzewarkę do komputera i włącz ją. Następnie kliknij przycisk „Połącz się "
           "ze zgrzewarką” na pasku narzędzi albo polecenie menu o tej samej nazwie. Program "
           "sprawdza kolejno porty COM1–COM20; w tym czasie widoczne jest okienko z nazwą "
           "sprawdzanego portu, a jego zamknięcie przerywa wyszukiwanie. Po odnalezieniu "
           "zgrzewarki pasek narzędzi zmienia kolor na zielony i pojawia się napis:");
    m.connectedStatus = U8("Zgrzewarka podłączona");
    m.startCommands =
        U8("Od tej chwili dostępne są polecenia menu Narzędzia i odpowiadające im przyciski:");
    m.tools = {
        {"SpeedButton7", U8("Pobierz wszystkie zgrzewy w postaci tekstowej"),
         U8("pobiera raport wszystkich zgrzewów w postaci tekstu przygotowanego przez "
            "zgrzewarkę.")},
        {"SBPobierzOkres", U8("Pobierz zawartość pamięci z wybranego okresu do tabeli"),
         U8("po wybraniu daty początkowej i końcowej pobiera do tabeli zgrzewy wykonane w tym "
            "okresie.")},
        {"SBPobierzCalosc", U8("Pobierz całą zawartość pamięci do tabeli"),
         U8("pobiera do tabeli wszystkie zgrzewy zapisane w pamięci zgrzewarki.")},
        {"SBKasuj", U8("Skasuj całą zawartość pamięci"),
         U8("po potwierdzeniu wymazuje wszystkie zgrzewy z pamięci zgrzewarki.")},
        {nullptr, U8("Pobierz całą zawartość pamięci w postaci tekstowej"),
         U8("(tylko w menu Narzędzia) pobiera całą pamięć zgrzewarki jako tekst; pobieranie "
            "kończy się około 10 sekund po ostatnich danych.")},
    };
    m.eraseIndex = 3;
    m.eraseWarning =
        U8("Uwaga! Wymazanie pamięci jest nieodwracalne – skasowanych zgrzewów nie da się "
           "odzyskać. Przed kasowaniem pobierz dane i zapisz raport w pliku.");
    m.tablesHeading = U8("Tabele");
    m.tablesAdvice =
        U8("Zalecamy pobieranie danych do tabeli, a nie w postaci tekstowej: tabelę można "
           "poprawić, zapisać jako raport HTML, ponownie otworzyć w programie i wydrukować.");
    m.tablesText =
        U8("Każdy wiersz tabeli to jeden zgrzew. Kolumny zawierają kolejno: kod lokalizacji "
           "budowy, datę i godzinę, numer operatora, numer zgrzewu, tryb pracy (A – "
           "automatyczny, M – ręczny), producenta i typ kształtki, zadane i osiągnięte napięcie "
           "zgrzewania, zadany i osiągnięty czas zgrzewania, zadany i osiągnięty czas "
           "chłodzenia, temperaturę otoczenia, rezystancję kształtki oraz kod oceny zgrzewu.\n"
           "Kody oceny objaśnia pasek pod tabelą: (+) zgrzew prawidłowy, zaakceptowany "
           "klawiszem TAK; (-) zgrzew niezaakceptowany klawiszem; (1) brak zasilania lub "
           "wyłączenie zgrzewarki; (2) brak styku w obwodzie zgrzewania; (3) przerwanie "
           "zgrzewania klawiszem STOP.\n"
           "Nad tabelą wpisz nazwę firmy, która pojawi się w nagłówku raportu (przycisk „+” "
           "zapisuje ją jako domyślną); obok widać datę i czas pobrania danych oraz okres, z "
           "którego pochodzą. Tabelę zapisuje się przyciskiem „Zapisz plik raportu” jako raport "
           "HTML (*.htm) lub plik tekstowy (*.txt). Raport HTML można obejrzeć w przeglądarce "
           "internetowej i wydrukować.");
    m.operationsHeading = U8("Operacje na tabelach");
    m.operations = {
        {"SpeedButton16", U8("Znajdź i zastąp nazwę lokalizacji zgrzewu"),
         U8("Zgrzewarka zapisuje lokalizację budowy jako krótki kod. Zaznacz wiersz z tym kodem "
            "i kliknij przycisk „Zmień nazwę lokalizacji” (albo wybierz to polecenie z menu "
            "Edycja). W okienku wpisz nową nazwę, np. nazwę ulicy lub budowy, i naciśnij "
            "„Zamień” lub Enter: program zamieni ten kod we wszystkich wierszach tabeli i poda "
            "liczbę zamian. Wielkość liter ma znaczenie.")},
        {"SpeedButton21", U8("Tryb ręcznej edycji tabeli"),
         U8("Przycisk „Przejście do trybu ręcznej edycji tabeli” (albo dwukrotne kliknięcie "
            "tabeli) włącza tryb, w którym można poprawić zawartość dowolnej komórki. Ponowne "
            "kliknięcie przycisku wyłącza ten tryb. To samo polecenie jest w menu podręcznym "
            "tabeli (prawy przycisk myszy). Aby zachować poprawki, zapisz raport.")},
        {"SpeedButton20", U8("Usuwanie zgrzewów (wierszy tabeli)"),
         U8("Zaznacz myszą jeden lub kilka sąsiednich wierszy (z klawiszem Shift zaznaczysz "
            "zakres) i kliknij przycisk „Usuń zaznaczone zgrzewy” albo wybierz to polecenie z "
            "menu podręcznego tabeli. Po potwierdzeniu wiersze zostaną usunięte. Tej operacji "
            "nie można cofnąć: jeżeli usuniesz zgrzewy przez pomyłkę, zamknij tabelę bez "
            "zapisywania i otwórz zapisany wcześniej raport albo pobierz dane ponownie.")},
    };
    m.textHeading = U8("Dane w postaci tekstowej");
    m.textText =
        U8("Polecenia pobierania w postaci tekstowej pokazują raport dokładnie w takiej postaci, "
           "w jakiej przygotowała go zgrzewarka. Tekst można przeglądać, kopiować i wklejać, "
           "wyszukiwać i zamieniać w nim dowolne fragmenty (przyciski na pasku narzędzi i menu "
           "podręczne), wydrukować oraz zapisać jako plik tekstowy (*.txt). Danych tekstowych "
           "nie można zapisać jako raportu HTML ani przenieść do tabeli – jeżeli raport ma być "
           "poprawiany lub przechowywany w postaci tabeli, pobierz dane do tabeli.");
    return m;
}

Manual EnglishManual() {
    Manual m;
    m.title = U8("Tavelin Help");
    m.connectHeading = U8("Connecting welder to a PC computer");
    m.connectDirect =
        U8("The welder is connected to the computer with an RS-232 serial cable with 9-pin "
           "(DB9) connectors. If your computer has a serial (COM) port, plug the cable straight "
           "into that port and into the data socket of the welder.");
    m.connectConverter =
        U8("Most modern computers, laptops in particular, have no serial port. Then a USB-RS232 "
           "converter serves as the intermediate cable between the RS-232 cable and a USB port "
           "of the computer. Once the converter is plugged in, the system adds a new serial "
           "port, which the program uses just like an ordinary COM port.");
    m.converterCaption = U8("USB-RS232 Converter");
    m.cableCaption = U8("RS-232 Cable");
    m.directCaption = U8("PC-Welder direct connection");
    m.viaConverterCaption =
        U8("Connecting the Welder to a PC using serial RS232 and  USB-RS232 converter.");
    m.driverNote =
        U8("Note: most USB-RS232 converters work on Linux without installing any driver. For "
           "the program to open the serial port, your user account must be a member of the "
           "dialout group (log out and back in after adding it). See the README file supplied "
           "with the program for details.");
    m.startHeading = U8("Staring the work");
    m.startConnect =
        U8("Connect the welder to the computer and switch it on. Then click the “Connect to "
           "the welder” button on the toolbar, or the menu command of the same name. The "
           "program tries the ports COM1 to COM20 in turn; meanwhile a small window shows the "
           "port being tried, and closing that window stops the search. When the welder is "
           "found, the toolbar turns green and shows:");
    m.connectedStatus = U8("Welder connected");
    m.startCommands =
        U8("From then on the commands of the Tools menu and their toolbar buttons are "
           "available:");
    m.tools = {
        {"SpeedButton7", U8("Get all fusion data as text"),
         U8("downloads a report of all fusions as text, laid out by the welder itself.")},
        {"SBPobierzOkres", U8("Load table with memory entries from a given time period"),
         U8("asks for a start date and an end date, then loads the fusions of that period "
            "into the table.")},
        {"SBPobierzCalosc", U8("Load table with all fusion data"),
         U8("loads every fusion stored in the welder's memory into the table.")},
        {"SBKasuj", U8("Clear memory"),
         U8("after your confirmation, erases all fusion data from the welder's memory.")},
        {nullptr, U8("Download welder memory as text"),
         U8("(Tools menu only) downloads the whole memory of the welder as text; the download "
            "ends about 10 seconds after the last data.")},
    };
    m.eraseIndex = 3;
    m.eraseWarning =
        U8("Warning! Erasing the memory is irreversible: erased fusion data cannot be "
           "recovered. Download the data and save the report to a file before erasing.");
    m.tablesHeading = U8("Tables");
    m.tablesAdvice =
        U8("We recommend downloading the data into a table rather than as text: a table can "
           "be corrected, saved as an HTML report, opened again in the program and printed.");
    m.tablesText =
        U8("Each row of the table is one fusion. The columns hold, in order: the construction "
           "site ID, the date and time, the operator number, the fusion number, the mode (A "
           "automatic, M manual), the fitting manufacturer and type, the set and achieved "
           "fusion voltage, the set and achieved fusion time, the set and achieved cooling "
           "time, the ambient temperature, the fitting resistance and the fusion evaluation "
           "code.\n"
           "The bar below the table explains the evaluation codes: (+) fusion correct, "
           "accepted by pressing the OK key; (-) fusion not accepted by the user; (1) no power "
           "supply or the welder turned off; (2) output circuit broken (no fitting); (3) fusion "
           "interrupted with the STOP key.\n"
           "Above the table, type the company name to appear on the fusion report (the “+” "
           "button saves it as the default); next to it you see when the data were downloaded "
           "and the period they cover. Save the table with the “Save fusion report file” "
           "button as an HTML report (*.htm) or a text file (*.txt). An HTML report can be "
           "previewed in the web browser and printed.");
    m.operationsHeading = U8("Performing operations on tables");
    m.operations = {
        {"SpeedButton16", U8("Find and replace construction site ID"),
         U8("The welder stores the construction site as a short ID. Select a row with that ID "
            "and click the “Replace construction site ID” button (or choose the command from "
            "the Edit menu). Type the new name, for example the street or the name of the "
            "site, and press “Replace” or Enter: the program replaces the ID in every row of "
            "the table and tells you how many were replaced. Upper and lower case letters "
            "count as different.")},
        {"SpeedButton21", U8("Manual table editing mode"),
         U8("The “Toggle manual table editing mode” button (or a double click on the table) "
            "switches on a mode in which you can correct any cell. Click the button again to "
            "switch the mode off. The same command is in the table's context menu (right mouse "
            "button), where it reads “Tryb ręcznej edycji tabeli”. Save the report to keep "
            "your corrections.")},
        {"SpeedButton20", U8("Deleting fusion data"),
         U8("Select one or more adjacent rows with the mouse (hold Shift to select a range) and "
            "click the “Delete selected fusion data” button, or choose “Usuń zaznaczone "
            "zgrzewy” from the table's context menu. After you confirm, the rows are removed. "
            "This cannot be undone: if you delete fusions by mistake, close the table without "
            "saving and open the report saved before, or download the data again.")},
    };
    m.textHeading = U8("Fusion data as text");
    m.textText =
        U8("The text download commands show the report exactly as the welder lays it out. You "
           "can scroll through the text, copy and paste it, find and replace any text (toolbar "
           "buttons and the context menu), print it and save it as a text file (*.txt). Text "
           "data cannot be saved as an HTML report or turned into a table; if a report is to "
           "be corrected or kept as a table, download the data into a table instead.");
    return m;
}

// Puts plain text into a text box's document, with a little space after
// each paragraph.
void FillTextBox(QTextDocument* document, const QFont& font, const QString& text) {
    document->setDefaultFont(font);
    document->setPlainText(text);
    QTextCursor cursor(document);
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setBottomMargin(5);
    cursor.mergeBlockFormat(format);
}

// Lays the manual out down the page at absolute positions, one block under
// the other, each block as high as its text needs at the page's width.
class ManualPage {
  public:
    explicit ManualPage(QWidget* page)
        : page_(page), left_(kMargin), width_(page->width() - 2 * kMargin), y_(16) {}

    void TitleBlock(const QString& title) {
        auto* frame = new OutlineFrame(page_, kTeal, 2, 0, Qt::white);
        frame->setObjectName("Shape4");
        frame->setGeometry(left_, y_, width_, kLogoSize.height() + 24);
        auto* logo = Picture(frame, ":/pictures/logo.svg", kLogoSize);
        logo->setObjectName("Image5");
        logo->move(16, 12);
        auto* text = new QLabel(title, frame);
        text->setObjectName("TitleLabel");
        text->setFont(ArialPixels(kTitlePixels, true));
        SetTextColor(text, kTeal);
        text->adjustSize();
        text->move(16 + kLogoSize.width() + 24, (frame->height() - text->height()) / 2);
        y_ += frame->height();
    }

    void Heading(const QString& text) {
        y_ += 36;
        auto* label = Text(page_, text, 0, width_, ArialPixels(kBodyPixels, true), kNavy);
        label->setProperty("manualHeading", true);
        y_ += 8;
    }

    QLabel* Paragraph(const QString& text, const QColor& color = Qt::black, bool bold = false,
                      int indent = 0) {
        y_ += 6;
        return Text(page_, text, indent, width_ - indent, ArialPixels(kBodyPixels, bold), color);
    }

    // A borderless text box in the page's colour: it reads like the text
    // around it, can be typed into, and nothing typed is kept.
    QTextEdit* TextBox(const QString& text, int indent = 0) {
        y_ += 4;
        auto* box = new QTextEdit(page_);
        box->setAcceptRichText(false);
        box->setFrameShape(QFrame::NoFrame);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        const QFont font = ArialPixels(kBodyPixels);
        box->setFont(font);
        FillTextBox(box->document(), font, text);
        SetBackground(box->viewport(), kPageColor);
        SetBackground(box, kPageColor);
        // The document keeps a small margin inside the box; widen the box by
        // it so the text lines up with the labels.
        const int inset = static_cast<int>(box->document()->documentMargin());
        const int boxWidth = width_ - indent + 2 * inset;
        // The box lays its text out at its own width once placed; measure the
        // same text at that width to make the box exactly as high.
        QTextDocument measure;
        measure.setDocumentMargin(inset);
        FillTextBox(&measure, font, text);
        measure.setTextWidth(boxWidth);
        const int height = static_cast<int>(std::ceil(measure.size().height()));
        box->setGeometry(left_ + indent - inset, y_ - inset, boxWidth, height);
        y_ += height - inset;
        return box;
    }

    // The two photographs side by side, each centred over its caption.
    void Photos(const QString& converterCaption, const QString& cableCaption) {
        y_ += 14;
        const int half = width_ / 2;
        int captionBottom = 0;
        const struct {
            const char* picture;
            const char* name;
            const QString& caption;
        } photos[] = {{":/pictures/converter.svg", "Image1", converterCaption},
                      {":/pictures/cable.svg", "Image2", cableCaption}};
        for (int i = 0; i < 2; ++i) {
            const int x = left_ + i * half;
            auto* picture = Picture(page_, photos[i].picture, kPhotoSize);
            picture->setObjectName(photos[i].name);
            picture->move(x + (half - kPhotoSize.width()) / 2, y_);
            auto* caption = new QLabel(photos[i].caption, page_);
            caption->setFont(ArialPixels(kBodyPixels, true));
            caption->setAlignment(Qt::AlignHCenter);
            caption->setWordWrap(true);
            caption->setGeometry(x, y_ + kPhotoSize.height() + 6, half,
                                 caption->heightForWidth(half));
            captionBottom = std::max(captionBottom, caption->geometry().bottom() + 1);
        }
        y_ = captionBottom;
    }

    // The two wiring diagrams, each in a rounded frame above its caption.
    void WiringFrames(const QString& directCaption, const QString& converterCaption) {
        y_ += 16;
        const int gap = 16;
        const int frameWidth = (width_ - gap) / 2;
        const int captionWidth = frameWidth - 24;
        const struct {
            const char* picture;
            const QString& caption;
        } frames[] = {{":/pictures/wiring-direct.svg", directCaption},
                      {":/pictures/wiring-converter.svg", converterCaption}};
        QFont captionFont = ArialPixels(kBodyPixels);
        int captionHeight = 0;
        std::vector<QLabel*> captions;
        std::vector<QWidget*> outlines;
        for (int i = 0; i < 2; ++i) {
            auto* frame = new OutlineFrame(page_, kFrameColor, 1, 12, QColor());
            frame->setObjectName(QString("Shape%1").arg(i + 1));
            auto* picture = Picture(frame, frames[i].picture, kWiringSize);
            picture->setObjectName(QString("ImageWiring%1").arg(i + 1));
            picture->move((frameWidth - kWiringSize.width()) / 2, 12);
            auto* caption = new QLabel(frames[i].caption, frame);
            caption->setFont(captionFont);
            caption->setAlignment(Qt::AlignHCenter);
            caption->setWordWrap(true);
            captionHeight = std::max(captionHeight, caption->heightForWidth(captionWidth));
            captions.push_back(caption);
            outlines.push_back(frame);
        }
        const int frameHeight = 12 + kWiringSize.height() + 8 + captionHeight + 12;
        for (int i = 0; i < 2; ++i) {
            outlines[static_cast<std::size_t>(i)]->setGeometry(left_ + i * (frameWidth + gap), y_,
                                                               frameWidth, frameHeight);
            captions[static_cast<std::size_t>(i)]->setGeometry(12, 12 + kWiringSize.height() + 8,
                                                               captionWidth, captionHeight);
        }
        y_ += frameHeight;
    }

    // The toolbar's status label as it looks once the welder answers.
    void ConnectedSample(const QString& text) {
        y_ += 8;
        auto* label = new QLabel(text, page_);
        label->setObjectName("ConnectedSample");
        label->setFont(ArialPixels(15));
        SetTextColor(label, Qt::black);
        SetBackground(label, kLime);
        label->setContentsMargins(12, 3, 12, 3);
        label->adjustSize();
        label->move(left_ + 24, y_);
        y_ += label->height();
    }

    // A command by its toolbar glyph and its name in bold, with what it does
    // underneath.
    void CommandEntry(const Command& command) {
        y_ += 12;
        NameWithGlyph(command);
        y_ += 2;
        Text(page_, command.description, kGlyph + 8, width_ - kGlyph - 8, ArialPixels(kBodyPixels),
             Qt::black);
    }

    void NameWithGlyph(const Command& command) {
        const int textLeft = kGlyph + 8;
        if (command.glyph != nullptr) {
            auto* glyph = Picture(page_, QString(":/glyphs/%1.svg").arg(command.glyph),
                                  QSize(kGlyph, kGlyph));
            glyph->move(left_, y_);
        }
        Text(page_, command.name, textLeft, width_ - textLeft, ArialPixels(kBodyPixels, true),
             Qt::black);
    }

    void Space(int pixels) { y_ += pixels; }

    int Bottom() const { return y_; }

  private:
    QLabel* Text(QWidget* parent, const QString& text, int indent, int width, const QFont& font,
                 const QColor& color) {
        auto* label = new QLabel(text, parent);
        label->setFont(font);
        SetTextColor(label, color);
        label->setWordWrap(true);
        label->setGeometry(left_ + indent, y_, width, label->heightForWidth(width));
        y_ += label->height();
        return label;
    }

    static QLabel* Picture(QWidget* parent, const QString& path, QSize size) {
        auto* label = new QLabel(parent);
        label->setPixmap(tav::shell::SvgPixmap(path, size));
        label->resize(size);
        return label;
    }

    QWidget* page_;
    int left_;
    int width_;
    int y_;
};

void BuildManual(QWidget* page, const Manual& m) {
    ManualPage out(page);
    out.TitleBlock(m.title);

    out.Heading(m.connectHeading);
    out.Paragraph(m.connectDirect);
    out.Paragraph(m.connectConverter);
    out.Photos(m.converterCaption, m.cableCaption);
    out.WiringFrames(m.directCaption, m.viaConverterCaption);
    out.Space(8);
    out.Paragraph(m.driverNote, kRed, true)->setObjectName("DriverNote");

    out.Heading(m.startHeading);
    out.Paragraph(m.startConnect);
    out.ConnectedSample(m.connectedStatus);
    out.Paragraph(m.startCommands);
    for (std::size_t i = 0; i < m.tools.size(); ++i) {
        out.CommandEntry(m.tools[i]);
        if (static_cast<int>(i) == m.eraseIndex) {
            out.Paragraph(m.eraseWarning, kRed, true, kGlyph + 8)->setObjectName("EraseWarning");
        }
    }

    out.Heading(m.tablesHeading);
    out.Paragraph(m.tablesAdvice, Qt::black, true);
    out.Space(6);
    out.TextBox(m.tablesText);

    out.Heading(m.operationsHeading);
    for (const Command& operation : m.operations) {
        out.Space(16);
        out.NameWithGlyph(operation);
        out.TextBox(operation.description, kGlyph + 8);
    }

    out.Heading(m.textHeading);
    out.TextBox(m.textText);
}

// The window's frame: a scroll box over a page of fixed size in the
// manual's colour.
QScrollArea* MakeScrollBox(QDialog* window, QSize pageSize, const Manual& manual) {
    SetBackground(window, kPageColor);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* box = new QScrollArea(window);
    box->setObjectName("ScrollBox");
    box->setFrameShape(QFrame::NoFrame);
    box->setWidgetResizable(false);
    SetBackground(box->viewport(), kPageColor);
    auto* page = new QWidget;
    page->setObjectName("Page");
    page->setFixedSize(pageSize);
    SetBackground(page, kPageColor);
    BuildManual(page, manual);
    box->setWidget(page);
    layout->addWidget(box);
    return box;
}

void CentreOnScreen(QWidget* window) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
    }
}

}  // namespace

THelpFormPolski::THelpFormPolski(QWidget* parent) : QDialog(parent) {
    setObjectName("HelpFormPolski");
    setWindowTitle("Pomoc");
    // System menu and minimise only, above the other windows.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setWindowIcon(QIcon(":/pictures/program-icon.svg"));
    ScrollBox = MakeScrollBox(this, QSize(678, 2200), PolishManual());
    ScrollBox->verticalScrollBar()->setTracking(true);
    ScrollBox->horizontalScrollBar()->setTracking(true);
    resize(710, 444);
    CentreOnScreen(this);
    FormShow();
}

void THelpFormPolski::FormShow() {
    ScrollBox->verticalScrollBar()->setValue(0);
}

void THelpFormPolski::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

THelpFormEnglish::THelpFormEnglish(QWidget* parent) : QDialog(parent) {
    setObjectName("HelpFormEnglish");
    setWindowTitle("Help");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(":/pictures/program-icon.svg"));
    ScrollBox = MakeScrollBox(this, QSize(691, 2000), EnglishManual());
    // The page follows the scroll bars only when the thumb is let go.
    ScrollBox->verticalScrollBar()->setTracking(false);
    ScrollBox->horizontalScrollBar()->setTracking(false);
    resize(722, 533);
    CentreOnScreen(this);
}
