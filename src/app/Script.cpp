#include "app/Script.h"

#include <charconv>
#include <utility>

namespace kt520::app {
namespace {

// The next word of `rest`, which then starts after the single blank that ends it.
std::string_view takeWord(std::string_view& rest) {
    const auto start = rest.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        rest = {};
        return {};
    }
    rest.remove_prefix(start);
    const auto end = rest.find(' ');
    const std::string_view word = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    return word;
}

std::optional<long long> readMillis(std::string_view text) {
    long long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc{} || result.ptr != text.data() + text.size() ||
        value < 0)
        return std::nullopt;
    return value;
}

bool onlyBlanks(std::string_view text) {
    return text.find_first_not_of(' ') == text.npos;
}

ParsedLine fail(std::string error) {
    return {std::nullopt, std::move(error)};
}

// "card PATH": the path is the rest of the line, blanks included.
ParsedLine parseCard(ScriptAction action, std::string_view path) {
    if (onlyBlanks(path)) return fail("card needs the path of a .SMB file");
    action.verb = Verb::Card;
    action.value = std::string(path);
    return {std::move(action), {}};
}

ParsedLine parseAction(std::string_view line) {
    ScriptAction action;
    action.text = std::string(line);
    std::string_view rest = line;
    const std::string_view verb = takeWord(rest);

    if (verb == "click" || verb == "press" || verb == "release") {
        action.verb = verb == "click" ? Verb::Click : verb == "press" ? Verb::Press : Verb::Release;
        action.target = std::string(takeWord(rest));
        if (action.target.empty()) return fail(std::string(verb) + " needs a control name");
        if (!onlyBlanks(rest)) return fail("unexpected text after " + action.target);
    } else if (verb == "type" || verb == "choose") {
        action.verb = verb == "type" ? Verb::Type : Verb::Choose;
        action.target = std::string(takeWord(rest));
        if (action.target.empty()) return fail(std::string(verb) + " needs a control name");
        action.value = std::string(rest);  // blanks included: they are part of the text
        if (verb == "choose" && action.value.empty()) return fail("choose needs an item text");
    } else if (verb == "wait" || verb == "after") {
        action.verb = verb == "wait" ? Verb::Wait : Verb::After;
        const std::string_view number = takeWord(rest);
        const auto millis = readMillis(number);
        if (!millis)
            return fail(std::string(verb) + " needs milliseconds, not \"" + std::string(number) +
                        "\"");
        action.millis = *millis;
        if (verb == "wait") {
            if (!onlyBlanks(rest)) return fail("unexpected text after wait " + std::string(number));
        } else {
            const auto firstChar = rest.find_first_not_of(' ');
            ParsedLine inner = firstChar == std::string_view::npos
                                   ? fail("after needs an action")
                                   : parseAction(rest.substr(firstChar));
            if (!inner.action) return fail("after " + std::string(number) + ": " + inner.error);
            if (inner.action->verb == Verb::Wait || inner.action->verb == Verb::After ||
                inner.action->verb == Verb::Card || isHistoryVerb(inner.action->verb))
                return fail("after delivers clicks, presses, releases, typing, choices and dumps");
            action.delayed = std::make_shared<const ScriptAction>(std::move(*inner.action));
        }
    } else if (verb == "card") {
        return parseCard(std::move(action), rest);
    } else if (verb == "dump") {
        action.verb = Verb::Dump;
        if (!onlyBlanks(rest)) return fail("unexpected text after dump");
    } else if (auto history = parseHistoryLine(verb, rest, action.text)) {
        return std::move(*history);
    } else {
        return fail("unknown action \"" + std::string(verb) + "\"");
    }
    return {std::move(action), {}};
}

}  // namespace

ParsedLine parseScriptLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == '#') return {};
    return parseAction(line.substr(first));
}

}  // namespace kt520::app
