// Every text pair of the program in one keyed table, so each text exists
// once. A text is chosen when it is shown: English when the interface
// language is 1, Polish otherwise. The literals are UTF-8 here; the core
// converts them to Windows-1250 with Cp1250() below, the windows to QString
// with the helpers of shell/QtTexts.h.
//
//   tav::text::Get(Id::CompanyNameSaved).en        "Company name saved!"
//   tav::text::For(Id::PageLabel, language)        "Page " or "Strona "
//   tav::text::Cp1250(Id::WelderNotResponding, 0)  Windows-1250 bytes
//
// Pieces of built messages are entries of their own (e.g. CountMismatch1,
// CountMismatch2, CountMismatch3 are joined around the two numbers). A piece
// that exists in one language only has an empty other half; its comment says
// how the message is built.
//
// The captions and hints of the main window's controls are in a second
// table, keyed by the control's objectName (ControlTexts()), which
// TForm1::ApplyInterfaceLanguage walks in order.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tav::text {

struct Pair {
    std::string_view pl;  // UTF-8
    std::string_view en;  // UTF-8
};

enum class Id {
    // ------------------------------------------------------- main window
    AppTitle,                  // "Tavelin" (both)
    ProductLabel,              // "Tavelin " (both), followed by Version
    Version,                   // "3.2" (both)
    LabelWelderConnected,      // Label1 caption when connected
    LabelWelderDisconnected,   // Label1 caption when not connected
    StatusWelderConnected,     // status panel 0 after a found welder
    StatusWelderDisconnected,  // status panel 0 after a port without a welder
    DataNotEditable,           // double click on Edit2

    // ------------------------------------------------------- languages
    LanguageReminder,  // after a language switch, in the new language

    // ------------------------------------------------------- settings
    CompanyNameSaved,     // "+"
    CompanyNameNotSaved,  // "+" when config.cfg could not be written

    // ------------------------------------------------------- unsaved data
    SaveDataClearScreen,  // "Zapisać dane do pliku?" (clear screen)
    SaveDataToTheFile,    // "Czy zapisać dane do pliku?" (closing, after identify)
    SaveDataToAFile,      // "Czy zapisać dane do pliku?" / "...to a file?" (open)
    SaveBeforeConnect,    // connect and the text downloads

    // ------------------------------------------------------- welder link
    SearchCaption,  // search window caption
    WelderNotResponding,
    EraseQuestion,  // simple box, empty title, flags 308
    MemoryErased,
    EraseFailed,

    // ------------------------------------------------------- table downloads
    WaitLabel,  // wait window label
    // Missing header lines. English: the whole message is MissingHeaders.en.
    // Polish: MissingHeaders.pl + (site line missing ? MissingHeadersSite.pl)
    //   + (type line missing ? (site missing ? MissingHeadersSiteAndType.pl
    //   : MissingHeadersType.pl)) + MissingHeadersTryAgain.pl.
    MissingHeaders,
    MissingHeadersSite,
    MissingHeadersSiteAndType,
    MissingHeadersType,
    MissingHeadersTryAgain,
    NoDataInMemory,  // count 0
    FromAfterTo,     // from-date later than to-date
    NoFusionsInPeriod,
    NoFusionsInMemory,
    // Count mismatch: CountMismatch1 + parsed + CountMismatch2 + count +
    // CountMismatch3, in both languages.
    CountMismatch1,
    CountMismatch2,
    CountMismatch3,

    // ------------------------------------------------------- date dialog
    DateFrom,      // GroupBox1
    DateTo,        // GroupBox2
    DateDownload,  // SpeedButton1 (confirm)
    DateAbort,     // SpeedButton2
    DateMonth,     // Label3, Label5
    DateYear,      // Label4, Label6
    InvalidDate,

    // ------------------------------------------------------- table editing
    RemoveSelectedQuestion,
    // Polish: ReplacedCount.pl + count; English: count + ReplacedCount.en.
    ReplacedCount,
    // SiteIdNotFound1 + the ID + SiteIdNotFound2, in both languages.
    SiteIdNotFound1,
    SiteIdNotFound2,
    SiteDialogTitle,
    SiteDialogCurrent,  // GroupBox1
    SiteDialogNew,      // GroupBox2
    SiteDialogReplace,  // Button1
    SiteDialogCancel,   // Button2

    // ------------------------------------------------------- reports
    SaveFilter,        // Save as filter, per language
    SaveFilterDesign,  // the save dialog's filter before the first Save as
    OpenFilter,        // Open filter, per language
    OpenFilterDesign,  // the open dialog's filter before the first Open
    HtmlNotForText,    // an HTML name with the text view shown
    // FileExists1 + final name + FileExists2, in both languages.
    FileExists1,
    FileExists2,
    FileOpenError,
    WriteError,  // a write failed (full disk)
    NotAReport,
    ImportCaption,  // import progress window caption (both)
    ImportStatus,   // status text of an import without a count
    PrintTempFailed,
    PrintFileFailed,
    PreviewFailed,
    PageLabel,  // followed by the page number
    PrintJobTitle,

    // ------------------------------------------------------- text tools
    EndOfDocument,
    DynamicCastFailed,   // "Dynamic Cast Failed!" (both)
    DynamicCastCaption,  // "Find/Rep" (both)

    // ------------------------------------------------------- about and help
    AboutCaption,        // "O programie" (both)
    AboutVersion,        // "Wersja:" / "Version:"
    HelpPolishCaption,   // "Pomoc" (both)
    HelpEnglishCaption,  // "Help" (both)

    // ------------------------------------------------------- errors of a command
    // SerialPortError + code + ": " + strerror(LastError).
    SerialPortError,
    // UnexpectedError + what().
    UnexpectedError,

    Count_
};

inline constexpr int kIdCount = static_cast<int>(Id::Count_);

// The pair of an id.
const Pair& Get(Id id);

// The text for an interface language: English when 1, Polish otherwise.
inline std::string_view For(Id id, std::uint8_t language) {
    return language == 1 ? Get(id).en : Get(id).pl;
}

// The same as Windows-1250 bytes, as the core holds every string.
std::string Cp1250(Id id, std::uint8_t language);

// ------------------------------------------------------------ control texts

enum class ControlRole {
    Hint,         // the control's hint (tooltip)
    Caption,      // a label's text, a menu's title or a menu item's text
    CaptionHint,  // a menu item whose caption is the current hint of `hintOf`
};

struct ControlText {
    std::string_view name;  // objectName of the control, menu or action
    ControlRole role;
    std::string_view pl;  // UTF-8; empty for CaptionHint
    std::string_view en;
    std::string_view hintOf;  // CaptionHint: the button whose hint is copied
};

// The texts the interface language sets on the main window, in the order
// they are applied: hints, legend captions, menu captions (hints before the
// captions that copy them).
std::span<const ControlText> ControlTexts();

// Texts of the main window that are the same in both languages (the
// language buttons' hints, the language menu items, "  Firma:   ", the
// context menus): set once at construction.
std::span<const ControlText> FixedControlTexts();

}  // namespace tav::text
