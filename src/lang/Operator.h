#pragma once
// How the program speaks to the operator: message boxes, the beep and the end
// of the program. The desktop adapter, the headless driver and the tests each
// implement it, so the core never touches a toolkit.
#include <string>

namespace kt520::lang {

enum class MessageIcon { Stop, Information };

// Thrown after Operator::endProgram() to unwind the core from wherever the
// program decided to end; the adapters catch it at the event boundary.
struct ProgramEnded {};

class Operator {
  public:
    virtual ~Operator() = default;
    // Modal: returns when the operator has acknowledged the box.
    virtual void showMessage(const std::string& text, const std::string& title,
                             MessageIcon icon) = 0;
    virtual void beep() = 0;
    // Records that the program ends; the caller then throws ProgramEnded.
    virtual void endProgram() = 0;
};

// Ends the program: tells the operator side, then unwinds the core.
[[noreturn]] inline void endProgramNow(Operator& op) {
    op.endProgram();
    throw ProgramEnded{};
}

}  // namespace kt520::lang
