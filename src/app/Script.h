#pragma once
// The headless driver's script language, one action a line:
//   click NAME | press NAME | release NAME | type NAME TEXT | choose NAME TEXT
//   wait MS | dump | after MS ACTION | card PATH
// and for the history (HistoryScript.cpp):
//   part NAME | lot NAME | operator NAME | tolerance PART PARAMETER LOW HIGH [max]
//   report PATH | export PATH
// Blank lines and lines starting with "#" hold no action. NAME is a control
// as the state dump names it, optionally preceded by "fomMAIN." or "fomCARD.".
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "quality/Tolerance.h"

namespace kt520::app {

enum class Verb {
    Click,
    Press,
    Release,
    Type,
    Choose,
    Wait,
    Dump,
    After,
    Card,
    Part,
    Lot,
    Operator,
    Tolerance,
    Report,
    Export,
};

// The verbs of the history's lines, which name no control.
[[nodiscard]] bool isHistoryVerb(Verb verb);

struct ScriptAction {
    Verb verb = Verb::Dump;
    std::string text;                             // the line as written (for "ignored" events)
    std::string target;                           // the control's name, as written
    std::string value;                            // what type and choose enter; card's path
    long long millis = 0;                         // wait and after
    std::shared_ptr<const ScriptAction> delayed;  // what after delivers
    quality::Tolerance tolerance;                 // tolerance (no limit at all: remove it)
};

struct ParsedLine {
    std::optional<ScriptAction> action;  // none on a blank or comment line, or on an error
    std::string error;                   // why the line cannot be read
};

ParsedLine parseScriptLine(std::string_view line);

// A history line; none when `verb` is not one of its verbs.
[[nodiscard]] std::optional<ParsedLine> parseHistoryLine(std::string_view verb,
                                                         std::string_view rest,
                                                         const std::string& text);

}  // namespace kt520::app
