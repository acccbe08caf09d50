#pragma once
// A code or a reply that no table of the program knows, found wherever it is
// turned into text or a choice. The operator sees InstrumentErrors 22 directly
// followed by "No.17" (or, for a condition length the listing has no line for,
// Messages 14 followed by "No.1"), and the program ends. Code that meets such
// a value calls failInternal; the boundaries of operations and of operator
// actions are the only places that catch it and tell the operator.
#include <string>
#include <utility>

namespace kt520::lang {

enum class FaultText { No17, No1 };

struct InternalFault {
    FaultText text = FaultText::No17;
    std::string detail;  // what was met, for the log and the tests; never shown
};

[[noreturn]] inline void failInternal(std::string detail, FaultText text = FaultText::No17) {
    throw InternalFault{text, std::move(detail)};
}

}  // namespace kt520::lang
