#pragma once
// Every text shown to the operator in a message box or the status label, in
// English ("E") or Japanese ("J"). Entries are numbered from 1.
#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kt520::lang {

// The program's own texts, for situations the instrument's catalog has no
// entry for. Each "{}" in a text stands for the next of its arguments.
enum class ProgramText {
    BlockDropped,                  // a data block claimed more points than a block may hold
    NotSaved,                      // the data folder could not take the run's files
    RunFinished,                   // how a run ended, in the status label: its files written,
    RunFinishedResultsOnly,        // only its results read (CSV Data Save OFF),
    RunFinishedWithoutParameters,  // its files written but the result read refused,
    RunNotStarted,                 // refused before it began (the reason follows),
    RunFailed,                     // the line lost or the files not written,
    TooManyPoints,                 // more points than a profile may hold
    // The card import: the status label after a card was read, a file of the
    // measurement missing, cut short, or damaged (followed by what is wrong).
    CardRead,
    CardFileMissing,
    CardFileTruncated,
    CardFileDamaged,
    CardNotCardFile,
    CardChecksum,
    CardTrailingBytes,
    CardContents,
    CardTooManyPoints,
    CardUnknownCode,
    Searching,              // the version label while the start-up search runs,
    NotConnected,           // and while no instrument is connected
    DriveMoving,            // the status label while a jog button is held (its caption),
    DriveStopped,           // and once it is let go
    LengthOutOfRange,       // a length entry refused at Start: entry, text, range,
    LengthTooManyDecimals,  // ... entry, text, decimals allowed, range,
    LengthTooLong,          // ... entry, text, characters allowed, range
    UnknownConditionCodes,  // a read-back with codes that name no entry (the list)
    ItemAndCode,            // one item of that list: the item's name, the code
    ConditionsUnconfirmed,  // a run refused on items not confirmed (their names)
};

class MessageCatalog {
  public:
    // Fills every list for the language code; any other code leaves them empty.
    void load(const std::string& languageCode);

    // Entry n of a list; an empty text outside the list's range.
    const std::string& boxTitle(int n) const;         // 1-2
    const std::string& message(int n) const;          // 1-15
    const std::string& instrumentError(int n) const;  // 1-22
    const std::string& statusText(int n) const;       // 1-8

    // InstrumentErrors entry 22 directly followed by "No.17": the internal-error text.
    std::string internalError() const;
    // Messages entry 14 directly followed by "No.1": a condition length the listing has no line
    // for.
    std::string listingLengthError() const;

    // One of the program's own texts, in the catalog's language (English when
    // the language is neither), with the arguments in the places of its "{}"s.
    template <typename... Arguments>
    std::string programText(ProgramText text, const Arguments&... arguments) const {
        return filled(text, {std::string_view(arguments)...});
    }
    // The name of condition item `item` (its number in the condition record) as
    // the panel's frame captions say it, for the program's own texts; empty for
    // an item the panel does not show.
    std::string conditionItemName(int item) const;

  private:
    std::string filled(ProgramText text, std::initializer_list<std::string_view> arguments) const;

    std::array<std::string, 3> boxTitles_;
    std::array<std::string, 16> messages_;
    std::array<std::string, 23> instrumentErrors_;
    std::array<std::string, 9> statusTexts_;
    bool japanese_ = false;
};

}  // namespace kt520::lang
