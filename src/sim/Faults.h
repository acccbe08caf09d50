#pragma once
// Faults the simulated instrument can be told to commit, so the program's
// handling of a misbehaving line can be tried without a broken instrument.
#include <string>
#include <string_view>
#include <vector>

namespace kt520::sim {

enum class FaultKind {
    NoAnswer,   // the command is lost: nothing is done, nothing answers
    Late,       // the answer starts `delayMs` later than it would
    Garbage,    // the answer is replaced by bytes that are no reply at all
    Truncate,   // only the first half of the answer is sent
    Refuse,     // the command is refused with "NG" + `errorCode`
    CloseLine,  // half the answer is sent, then the line goes dead for good
    StuckBusy,  // every status reply says busy ("5") from then on
    Overlong,   // the answer is a text longer than any receive buffer
    HugeBlock,  // a block reply claims more points than a block may hold, and carries them
};

struct FaultRule {
    FaultKind kind = FaultKind::NoAnswer;
    // The rule applies to commands that begin with this text ("WRCUT" matches
    // every cut-off command); empty matches every command.
    std::string command;
    // 0: every matching command; N: only the N-th matching command (for
    // StuckBusy: from the N-th status query on).
    int occurrence = 0;
    int delayMs = 5000;            // Late
    std::string errorCode = "10";  // Refuse: two digits
    int blockPoints = 1001;        // HugeBlock: the points the block claims and carries
};

struct Faults {
    std::vector<FaultRule> rules;
};

// Reads one fault from its text "KIND[:COMMAND][#N][=VALUE]", for example
// "late:RDSTU00=800", "ng:WRSTD=05", "close:RDDTB00#3", "busy". On failure
// returns false and says why in `error`.
bool parseFaultRule(std::string_view text, FaultRule& rule, std::string& error);

// The kinds as they are spelled in fault texts, for help output.
std::string faultKindNames();

// Counts the commands each rule matches and tells which rules fire for the
// command just received.
class FaultPlan {
  public:
    explicit FaultPlan(Faults faults = {}) : faults_(std::move(faults)) {
        counts_.assign(faults_.rules.size(), 0);
    }
    // The rules that fire for `command` (each matching rule counts it once).
    std::vector<FaultRule> firingFor(std::string_view command);
    bool empty() const { return faults_.rules.empty(); }

  private:
    Faults faults_;
    std::vector<int> counts_;
};

}  // namespace kt520::sim
