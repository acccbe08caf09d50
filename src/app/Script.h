#pragma once
// The headless driver's script language, one action a line:
//   click NAME | press NAME | release NAME | type NAME TEXT | choose NAME TEXT
//   wait MS | dump | after MS ACTION | card PATH
// Blank lines and lines starting with "#" hold no action. NAME is a control
// as the state dump names it, optionally preceded by "fomMAIN." or "fomCARD.".
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kt520::app {

enum class Verb { Click, Press, Release, Type, Choose, Wait, Dump, After, Card };

struct ScriptAction {
    Verb verb = Verb::Dump;
    std::string text;                             // the line as written (for "ignored" events)
    std::string target;                           // the control's name, as written
    std::string value;                            // what type and choose enter; card's path
    long long millis = 0;                         // wait and after
    std::shared_ptr<const ScriptAction> delayed;  // what after delivers
};

struct ParsedLine {
    std::optional<ScriptAction> action;  // none on a blank or comment line, or on an error
    std::string error;                   // why the line cannot be read
};

ParsedLine parseScriptLine(std::string_view line);

}  // namespace kt520::app
