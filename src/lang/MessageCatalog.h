#pragma once
// Every text shown to the operator in a message box or the status label, in
// English ("E") or Japanese ("J"). Entries are numbered from 1.
#include <array>
#include <string>

namespace kt520::lang {

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

  private:
    std::array<std::string, 3> boxTitles_;
    std::array<std::string, 16> messages_;
    std::array<std::string, 23> instrumentErrors_;
    std::array<std::string, 9> statusTexts_;
};

}  // namespace kt520::lang
