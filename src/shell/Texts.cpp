#include "shell/Texts.h"

#include <array>

#include "platform/Cp1250.h"

namespace tav::text {
namespace {

struct Entry {
    Id id;
    Pair pair;
};

// Polish first, English second, exactly as shown to the user (spacing and
// spelling included).
constexpr Entry kEntries[] = {
    {Id::AppTitle, {"Tavelin", "Tavelin"}},
    {Id::ProductLabel, {"Tavelin ", "Tavelin "}},
    {Id::Version, {"3.2", "3.2"}},
    {Id::LabelWelderConnected, {"Zgrzewarka podłączona", "Welder connected"}},
    {Id::LabelWelderDisconnected, {"Zgrzewarka niepodłączona", "Welder disconnected"}},
    {Id::StatusWelderConnected, {" Zgrzewarka podłączona...", "Welder connected..."}},
    {Id::StatusWelderDisconnected, {" Zgrzewarka niepodłączona...", "Welder disconnected..."}},
    {Id::DataNotEditable, {"Tych informacji nie można edytować!", "This data cannot be edited!"}},

    {Id::LanguageReminder,
     {"Zanim pobierzesz dane ze zgrzewarki, nie zapomnij zmienić język zgrzewaki na polski!",
      "Before you download data from the welder don't forget to change welder's language to "
      "english!"}},

    {Id::CompanyNameSaved, {"Nazwa firmy zapisana!", "Company name saved!"}},
    {Id::CompanyNameNotSaved,
     {"Nie można zapisać nazwy firmy! Błąd zapisu pliku config.cfg.",
      "Unable to save the company name! Write error in config.cfg."}},

    {Id::SaveDataClearScreen, {"Zapisać dane do pliku?", "Save data to the file?"}},
    {Id::SaveDataToTheFile, {"Czy zapisać dane do pliku?", "Save data to the file?"}},
    {Id::SaveDataToAFile, {"Czy zapisać dane do pliku?", "Save data to a file?"}},
    {Id::SaveBeforeConnect,
     {"Przed połączeniem ze zgrzewarką okno danych musi zostać zamknięte.Czy zapisać dane do "
      "pliku?",
      "Before connecting to the welder data window must be closed.Save data to a file?"}},

    {Id::SearchCaption, {"Wyszukiwanie zgrzewarki....", "Searching for welder...."}},
    {Id::WelderNotResponding,
     {"Zgrzewarka nie odpowiada. Sprawdź kabel lub wyłącz a nastepnie włącz zgrzewarkę!",
      "Welder is not responding. Check the cable or turn off/on the welder!"}},
    {Id::EraseQuestion,
     {"Wymazanie pamięci zgrzewarki jest operacją nieodwracalną. Jesteś pewien że chcesz "
      "wymazać pamięć zgrzewarki??",
      "Erasing welder's memory is irreversible? Are you sure you want to erase welders' "
      "memory?"}},
    {Id::MemoryErased, {"Pamięć zgrzewarki wymazana!", "Welder's memory erased!"}},
    {Id::EraseFailed,
     {"Nie można wymazać pamięci zgrzewarki! Sprawdź kabel lub wyłącz a nastepnie włącz "
      "zgrzewarkę!",
      "Unable to erase welder's memory! Check the cable or turn off/on the welder!"}},

    {Id::WaitLabel, {"Pobieram dane, proszę czekać....", "Loading data, please wait...."}},
    {Id::MissingHeaders,
     {"Nie udało się pobrać ", "Not all fusion data have been downloaded. Try again!"}},
    {Id::MissingHeadersSite, {"danych lokalizacji", ""}},
    {Id::MissingHeadersSiteAndType, {" oraz typu zgrzewarki.", ""}},
    {Id::MissingHeadersType, {"typu zgrzewarki.", ""}},
    {Id::MissingHeadersTryAgain, {"Spróbuj ponownie!", ""}},
    {Id::NoDataInMemory, {"Brak danych w pamięci zgrzewarki!", "No data in welder's memory!"}},
    {Id::FromAfterTo,
     {"Data początkowa jest większa od daty końcowej. Wprowadź prawidłowy zakres dat!",
      "'From date' is greater than 'To date'. Correct From/To date values and try again!"}},
    {Id::NoFusionsInPeriod,
     {"Brak zgrzewów w podanym okresie czasu!", "No fusion data for the given time period!"}},
    {Id::NoFusionsInMemory, {"Brak zgrzewów w pamięci!", "No fusion data in welder's memory!"}},
    {Id::CountMismatch1, {"Pobrano ", "Warning! "}},
    {Id::CountMismatch2, {" zgrzewów z ", " out of "}},
    {Id::CountMismatch3, {" wszystkich zgrzewów w pamięci.", " welds were downloaded.Try again!"}},

    {Id::DateFrom, {"Od daty", "From date"}},
    {Id::DateTo, {"Do daty", "To date"}},
    {Id::DateDownload, {"Pobierz dane", "Download data"}},
    {Id::DateAbort, {"Anuluj", "Abort"}},
    {Id::DateMonth, {"Miesiąc", "Month"}},
    {Id::DateYear, {"Rok", "Year"}},
    {Id::InvalidDate, {"Niepoprawna data!", "Invalid date!"}},

    {Id::RemoveSelectedQuestion,
     {"Usunąć zaznaczone zgrzewy?", "Do you want to remove selected items?"}},
    {Id::ReplacedCount, {"Zamieniono pozycji: ", " items replaced"}},
    {Id::SiteIdNotFound1, {"Nazwa: '", "Phrase: '"}},
    {Id::SiteIdNotFound2,
     {"' nie występuje jako nazwa lokalizacji. Nie dokonano zamiany!",
      "' does not exist as construction site ID. Replace aborted!"}},
    {Id::SiteDialogTitle, {"Zmień nazwę lokalizacji", "Replace construction site ID"}},
    {Id::SiteDialogCurrent, {"Obecna nazwa lokalizacji", "Current construction site ID"}},
    {Id::SiteDialogNew, {"Nowa nazwa lokalizacji", "New construction site ID"}},
    {Id::SiteDialogReplace, {"Zamień", "Replace"}},
    {Id::SiteDialogCancel, {"Anuluj", "Cancel"}},

    {Id::SaveFilter,
     {"Raporty w wersji HTML|*.htm;*.html|Raporty w wersji tekstowej|*.txt",
      "Fusion report as HTML file|*.htm;*.html|Fusion report as text file|*.txt"}},
    {Id::SaveFilterDesign,
     {"Raport w wersji HTML|*.htm; *.html|Raport w wersji tekstowej|*.txt",
      "Raport w wersji HTML|*.htm; *.html|Raport w wersji tekstowej|*.txt"}},
    {Id::OpenFilter,
     {"Wszystkie pliki raportów|*.htm;*.html;*.txt|Raporty w wersji HTML|*.htm;*.html|Raporty "
      "w wersji tekstowej|*.txt",
      "All fusion report files|*.htm;*.html;*.txt|Fusion report as HTML file|*.htm;*.html|"
      "Fusion report as text file|*.txt"}},
    {Id::OpenFilterDesign,
     {"Wszystkie pliki raportów|*.htm;*.html; *.txt|Raporty w wersji HTML|*.htm; "
      "*.html|Raporty w wersji tekstowej|*.txt",
      "Wszystkie pliki raportów|*.htm;*.html; *.txt|Raporty w wersji HTML|*.htm; "
      "*.html|Raporty w wersji tekstowej|*.txt"}},
    {Id::HtmlNotForText,
     {"Tego typu danych nie można zapisac w pliku HTML (*.htm). Zapisz jako plik tekstowy "
      "(*.txt) !",
      "This type of data cannot be saved as an HTML (*.htm) file. Save it as a text file "
      "(*.txt) !"}},
    {Id::FileExists1, {"Plik: '", "File: '"}},
    {Id::FileExists2, {"' już istnieje. Zastąpić ten plik?", "' already exists.Replace?"}},
    {Id::FileOpenError,
     {"Błąd otwierania pliku do zapisu!", "Unable to save the file.File open error!"}},
    {Id::WriteError, {"Błąd zapisu pliku!", "Unable to save the file. Write error!"}},
    {Id::NotAReport,
     {"To nie jest plik raportu zgrzewania lub plik jest uszkodzony!",
      "This is not a valid fusion report file"}},
    {Id::ImportCaption, {"Importowanie danych....", "Importowanie danych...."}},
    {Id::ImportStatus,
     {"Importuję plik danych, proszę czekać...", "Importing data file, please wait..."}},
    {Id::PrintTempFailed,
     {"Błąd! Z niewiadomych przyczyn nie można uruchomic drukowania. Spóbuj zapisać plik jako "
      "*.htm lub *.txt i spróbuj ponownie!",
      "Error! For unknown reasons the fusion report cannot be printed. Save the report as *.htm "
      "or *.txt file and try again!"}},
    {Id::PrintFileFailed,
     {"Błąd! Nie można uruchomić drukowania. Spóbuj otworzyc plik w przeglądarce internetowej "
      "i uruchmić drukowanie!",
      "Error! The fusion report cannot be printed. Open the file in a web browser and start "
      "printing!"}},
    {Id::PreviewFailed,
     {"Błąd! Z niewiadomych przyczyn nie można uruchomic podglądu. Zapisz plik jako HTML i "
      "otwórz go w przeglądarce internetowej!",
      "Error! For unknown reasons the fusion report cannot be previewed. Save the report as "
      "HTML file and try to open it in a web browser!"}},
    {Id::PageLabel, {"Strona ", "Page "}},
    {Id::PrintJobTitle, {"Rizede - Drukowanie danych...", "Rizede - Printing data..."}},

    {Id::EndOfDocument, {"Wyszukiwanie zakończone.", "End of document reached."}},
    {Id::DynamicCastFailed, {"Dynamic Cast Failed!", "Dynamic Cast Failed!"}},
    {Id::DynamicCastCaption, {"Find/Rep", "Find/Rep"}},

    {Id::AboutCaption, {"O programie", "O programie"}},
    {Id::AboutVersion, {"Wersja:", "Version:"}},
    {Id::HelpPolishCaption, {"Pomoc", "Pomoc"}},
    {Id::HelpEnglishCaption, {"Help", "Help"}},

    {Id::SerialPortError, {"Błąd portu szeregowego ", "Serial port error "}},
    {Id::UnexpectedError, {"Nieoczekiwany błąd: ", "Unexpected error: "}},
};

static_assert(std::size(kEntries) == static_cast<std::size_t>(kIdCount),
              "every text id has exactly one entry");

// The table indexed by id, checked at compile time to be in enum order.
constexpr bool InIdOrder() {
    for (std::size_t i = 0; i < std::size(kEntries); ++i) {
        if (static_cast<std::size_t>(kEntries[i].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(InIdOrder(), "text entries are listed in the order of their ids");

constexpr std::string_view kCompanyHintPl =
    "Nazwa firmy która pojawi się w nagłówku raportu zgrzewania";
constexpr std::string_view kCompanyHintEn = "The company name to appear on the fusion report";

using R = ControlRole;

constexpr ControlText kControlTexts[] = {
    // Hints.
    {"SpeedButton1", R::Hint, "Wyczyść ekran", "Clear screen", {}},
    {"SpeedButton2", R::Hint, "Otwórz plik raportu", "Open fusion report file", {}},
    {"SpeedButton3", R::Hint, "Zapisz plik raportu", "Save fusion report file", {}},
    {"PrintSetup1", R::Hint, "Ustawienia drukarki", "Printer settings", {}},
    {"SpeedButton5", R::Hint, "Drukj raport", "Print fusion report", {}},
    {"SpeedButton17", R::Hint, "Kopiuj", "Copy", {}},
    {"SpeedButton10", R::Hint, "Wklej", "Paste", {}},
    {"SpeedButton19", R::Hint, "Znajdź dowolny tekst", "Find text", {}},
    {"SpeedButton18", R::Hint, "Zamień dowolny tekst", "Replace text", {}},
    {"SpeedButton15",
     R::Hint,
     "Podglądnij raport zgrzewania w domyślnej przeglądarce internetowej",
     "Preview fusion report in default browser",
     {}},
    {"SpeedButton16", R::Hint, "Zmień nazwę lokalizacji", "Replace construction site ID", {}},
    {"SpeedButton20", R::Hint, "Usuń zaznaczone zgrzewy", "Delete selected fusion data", {}},
    {"SpeedButton21",
     R::Hint,
     "Przejście do trybu ręcznej edycji tabeli",
     "Toggle manual table editing mode",
     {}},
    {"SpeedButton8", R::Hint, "Połącz się ze zgrzewarką", "Connect to the welder", {}},
    {"SpeedButton7",
     R::Hint,
     "Pobierz wszystkie zgrzewy w postaci tekstowej",
     "Get all fusion data as text",
     {}},
    {"SBPobierzOkres",
     R::Hint,
     "Pobierz zawartość pamięci z wybranego okresu do tabeli",
     "Load table with memory entries from a given time period",
     {}},
    {"SBPobierzCalosc",
     R::Hint,
     "Pobierz całą zawartość pamięci do tabeli",
     "Load table with all fusion data",
     {}},
    {"SBKasuj", R::Hint, "Skasuj całą zawartość pamięci", "Clear memory", {}},
    {"Label2", R::Hint, kCompanyHintPl, kCompanyHintEn, {}},
    {"ComboBox1", R::Hint, kCompanyHintPl, kCompanyHintEn, {}},
    {"SpeedButton9",
     R::Hint,
     "Zapisz nazwę firmy jako domyślną dla raportów zgrzewania",
     "Save the company name as default for the fusion report",
     {}},
    {"Edit3",
     R::Hint,
     "Data i czas pobrania danych ze zgrzewarki",
     "Date and time of loading fusion data from the welder",
     {}},
    {"Edit2",
     R::Hint,
     "Okres czasu z którego dane zostały pobrane ze zgrzewarki",
     "Period of time of the data downloaded form the welder",
     {}},

    // Legend panel.
    {"LabelObjZgrz1",
     R::Caption,
     "Objaśnienie kodów oceny zgrzewu:",
     "Fusion evaluation code explanation:",
     {}},
    {"LabelObjZgrz2",
     R::Caption,
     "(+) zgrzew prawidłowy zaakceptowany klawiszem TAK.     (-) brak akceptacji zgrzewu "
     "klawiszem. ",
     "(+) Fusion correct,  accepted by pressing the OK key.     (-) Fusion  not accepted by the "
     "user.",
     {}},
    {"LabelObjZgrz3",
     R::Caption,
     "(1) brak zasilania lub wyłączenie zgrzewarki. (2) brak styku w obwodzie zgrzewania. (3) "
     "przerwanie zgrzewania klawiszem STOP.",
     "(1) No power supply  or device turned off. (2) Output  circuit broken (no fitting). (3) "
     "Fusion  interruped with the STOP key.",
     {}},

    // Menus.
    {"Plik1", R::Caption, "Plik", "File", {}},
    {"N01", R::Caption, "Wyczyść ekran", "Clear screen", {}},
    {"N13", R::Caption, "Otwórz", "Open", {}},
    {"N23", R::Caption, "Zapisz jako...", "Save As...", {}},
    {"N32", R::Caption, "Drukuj...", "Print...", {}},
    {"N41", R::Caption, "Opcje drukarki...", "Setup printer...", {}},
    {"Podgldraportuzgrzewania1",
     R::Caption,
     "Podgląd raportu zgrzewania",
     "Preview fusion report",
     {}},
    {"N51", R::Caption, "Wyjście", "Exit", {}},
    {"Edycja1", R::Caption, "Edycja", "Edit", {}},
    {"Kopiuj1", R::Caption, "Kopiuj", "Copy", {}},
    {"Wklej1", R::Caption, "Wklej", "Paste", {}},
    {"Znajd1", R::Caption, "Znajdź", "Find", {}},
    {"Zastp1", R::Caption, "Znajdź i zastąp dowolny tekst", "Find and replace", {}},
    {"Zastpnazwlokalizacji1",
     R::Caption,
     "Znajdź i zastąp nazwę lokalizacji zgrzewu",
     "Find and replace construction site ID",
     {}},
    {"Trybrcznejedycjitabeli1",
     R::Caption,
     "Tryb ręcznej edycji tabeli",
     "Toggle manual table editing mode",
     {}},
    {"Usuzaz1", R::Caption, "Usuń zaznaczone zgrzewy", "Delete selected fusion data", {}},
    {"Narzdzia1", R::Caption, "Narzędzia", "Tools", {}},
    {"N11", R::CaptionHint, {}, {}, "SpeedButton7"},
    {"N21", R::CaptionHint, {}, {}, "SBPobierzOkres"},
    {"N31", R::CaptionHint, {}, {}, "SBPobierzCalosc"},
    {"Zmienazwlokalizacji1", R::CaptionHint, {}, {}, "SBKasuj"},
    {"Pobierzcazawartopamiciwpostacitekstowej1",
     R::Caption,
     "Pobierz całą zawartość pamięci w postaci tekstowej",
     "Download welder memory as text",
     {}},
    {"Jzyk1", R::Caption, "Język", "Language", {}},
    // The Polish caption is the same text as the button's Polish hint.
    {"Poczsizezgrzewark1", R::CaptionHint, {}, {}, "SpeedButton8"},
    {"Pomoc1", R::Caption, "Pomoc", "Help", {}},
    {"N12", R::Caption, "Pomoc...", "Help...", {}},
    {"N22", R::Caption, "O Programie", "About", {}},
};

constexpr ControlText kFixedControlTexts[] = {
    {"SpeedButton12", R::Hint, "Interfejs polski", "Interfejs polski", {}},
    {"SpeedButton11", R::Hint, "English interface", "English interface", {}},
    {"Polski1", R::Caption, "Polski", "Polski", {}},
    {"Angielski1", R::Caption, "English", "English", {}},
    {"Label2", R::Caption, "  Firma:   ", "  Firma:   ", {}},
    {"SpeedButton9", R::Caption, "+", "+", {}},
    {"w1", R::Caption, "Tryb ręcznej edycji tabeli", "Tryb ręcznej edycji tabeli", {}},
    {"Usuzaznaczonezgrzewy1", R::Caption, "Usuń zaznaczone zgrzewy", "Usuń zaznaczone zgrzewy", {}},
    {"Kopiuj2", R::Caption, "Kopiuj", "Kopiuj", {}},
    {"Wklej2", R::Caption, "Wklej", "Wklej", {}},
    {"Znajd2", R::Caption, "Znajdź", "Znajdź", {}},
    {"Znajdizaspdowolnytekst1", R::Caption, "Zastąp dowolny tekst", "Zastąp dowolny tekst", {}},
    {"Zaznaczwszystko1", R::Caption, "Zaznacz wszystko", "Zaznacz wszystko", {}},
};

}  // namespace

const Pair& Get(Id id) {
    const auto index = static_cast<std::size_t>(id);
    if (index >= std::size(kEntries)) {
        static constexpr Pair kNone{};
        return kNone;
    }
    return kEntries[index].pair;
}

std::string Cp1250(Id id, std::uint8_t language) {
    return cp1250::FromUtf8(For(id, language));
}

std::span<const ControlText> ControlTexts() {
    return kControlTexts;
}

std::span<const ControlText> FixedControlTexts() {
    return kFixedControlTexts;
}

}  // namespace tav::text
