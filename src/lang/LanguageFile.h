#pragma once
// The language file "520Language.ini" beside the program: one line per
// caption, a key of a capital letter and ":" followed by the value. It sets
// the captions of the section labels, group frames, card-dialog buttons, the
// tilt check box, the main window title and the language code.
#include <array>
#include <map>
#include <string>
#include <string_view>

namespace kt520::lang {

inline constexpr std::string_view kLanguageFileName = "520Language.ini";
// Shown before the message catalog exists, so always in English.
inline constexpr std::string_view kMissingLanguageFileText = "There is not a languagefile";
inline constexpr std::string_view kMissingLanguageFileTitle = "Warning";

// How a language file was read. Latin1 means the file was not UTF-8 and this
// system has no Shift-JIS converter: ASCII captions and the code still come
// through, Japanese captions do not.
enum class TextEncoding { Utf8, ShiftJis, Latin1 };

struct LanguageFile {
    // False when the file does not exist or cannot be read; the program then
    // shows kMissingLanguageFileText and ends.
    bool found = false;
    // The value of every key "A:".."Y:" present in the file, by its letter;
    // when a key appears more than once, the last line wins.
    std::map<char, std::string> values;
    // The value of "X:" as it stands ("E", "J", or anything else); empty
    // without an "X:" line.
    std::string languageCode;
    TextEncoding encoding = TextEncoding::Utf8;
};

// Reads the file at path (UTF-8). A missing or unreadable file gives
// found == false and nothing else.
LanguageFile readLanguageFile(const std::string& path);

// Reads a file's bytes. Valid UTF-8 (a leading byte-order mark is dropped)
// is taken as UTF-8, anything else as Shift-JIS; lines end at CR, LF or
// CR LF. A line is used when its first two characters are a key, and its
// value is everything after them, blanks and ":" included. Values are UTF-8.
LanguageFile parseLanguageFile(std::string_view bytes);

// The controls a key sets.
enum class CaptionTarget {
    SectionLabel,      // lblLAN(index)
    GroupFrame,        // frmLAN(index)
    CardReadButton,    // cmdREAD on the card dialog
    CardCancelButton,  // cmdCANCEL on the card dialog
    TiltCheckBox,      // chkKTM on the main window and on the card dialog
    LanguageCode,      // not a caption: selects the catalog language
    MainWindowTitle,   // fomMAIN
};

struct CaptionKey {
    // The letter before ":".
    char key;
    CaptionTarget target;
    // 1-based index within lblLAN or frmLAN; 0 for the other targets.
    int index;
    // The caption of the window layout, in English.
    std::string_view layoutCaption;
};

// Every key the file may hold, in file order "A:".."Y:".
inline constexpr std::array<CaptionKey, 25> kCaptionKeys{{
    {'A', CaptionTarget::SectionLabel, 1, "Output"},
    {'B', CaptionTarget::SectionLabel, 2, "Conditions"},
    {'C', CaptionTarget::SectionLabel, 3, "Result"},
    {'D', CaptionTarget::GroupFrame, 1, "RS-232C"},
    {'E', CaptionTarget::GroupFrame, 2, "Standard"},
    {'F', CaptionTarget::GroupFrame, 3, "Profile"},
    {'G', CaptionTarget::GroupFrame, 4, "Filter"},
    {'H', CaptionTarget::GroupFrame, 5, "Unit"},
    {'I', CaptionTarget::GroupFrame, 6, "Cut-off"},
    {'J', CaptionTarget::GroupFrame, 7, "Range"},
    {'K', CaptionTarget::GroupFrame, 8, "N"},
    {'L', CaptionTarget::GroupFrame, 9, "A"},
    {'M', CaptionTarget::GroupFrame, 10, "B"},
    {'N', CaptionTarget::GroupFrame, 11, "OverRange"},
    {'O', CaptionTarget::GroupFrame, 12, "CSV Data Save"},
    {'P', CaptionTarget::GroupFrame, 13, "M-Profile"},
    {'Q', CaptionTarget::GroupFrame, 14, "Pre/Post"},
    {'R', CaptionTarget::GroupFrame, 15, "Speed"},
    {'S', CaptionTarget::GroupFrame, 16, "Lf/fl"},
    {'T', CaptionTarget::GroupFrame, 17, "AutoReturn"},
    {'U', CaptionTarget::CardReadButton, 0, "READ"},
    {'V', CaptionTarget::CardCancelButton, 0, "CANCEL"},
    {'W', CaptionTarget::TiltCheckBox, 0, "Tilt Comp."},
    {'X', CaptionTarget::LanguageCode, 0, "E"},
    {'Y', CaptionTarget::MainWindowTitle, 0, "ProfiLux KT-520 SerialCommunication Ver*.**"},
}};

// The entry for a key letter, or nullptr when the letter is not a key.
const CaptionKey* findCaptionKey(char key);

}  // namespace kt520::lang
