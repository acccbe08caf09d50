#pragma once
// An operator that acknowledges every box at once and remembers what it saw.
#include <string>
#include <vector>

#include "lang/Operator.h"

namespace kt520::testing {

struct ShownMessage {
    std::string text;
    std::string title;
    lang::MessageIcon icon;
};

class RecordingOperator : public lang::Operator {
  public:
    void showMessage(const std::string& text, const std::string& title,
                     lang::MessageIcon icon) override {
        messages.push_back({text, title, icon});
    }
    void beep() override { ++beeps; }
    void endProgram() override { ended = true; }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& m : messages) out.push_back(m.text);
        return out;
    }

    std::vector<ShownMessage> messages;
    int beeps = 0;
    bool ended = false;
};

}  // namespace kt520::testing
