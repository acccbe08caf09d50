#include "app/HeadlessDriver.h"

#include <QFileInfo>
#include <QJsonArray>
#include <iostream>
#include <stdexcept>

#include "app/StateDump.h"

namespace kt520::app {
namespace {

// A script line that cannot be carried out (a combo-box item that is not there).
struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

const std::string kCardPrefix = "fomCARD.";
const std::string kMainPrefix = "fomMAIN.";
// The files a run leaves in the data folder.
const char* const kDataFiles[] = {"Measured.csv", "Evaluation.csv", "Parameter.csv",
                                  "Condition.csv"};

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::map<std::string, ControlRef> byName(const std::vector<NamedControl>& controls) {
    std::map<std::string, ControlRef> out;
    for (const NamedControl& named : controls) out.emplace(named.name, named.control);
    return out;
}

// Whether the verb can be done to this kind of control.
bool accepts(Verb verb, const ControlRef& control) {
    switch (verb) {
        case Verb::Click:
            return std::holds_alternative<ui::CommandButton*>(control) ||
                   std::holds_alternative<ui::CheckBox*>(control) ||
                   std::holds_alternative<OptionEntry>(control);
        case Verb::Press:
        case Verb::Release:
            return std::holds_alternative<ui::CommandButton*>(control);
        case Verb::Type:
            return std::holds_alternative<ui::TextBox*>(control);
        case Verb::Choose:
            return std::holds_alternative<ui::ComboBox*>(control);
        default:
            return false;
    }
}

}  // namespace

HeadlessDriver::HeadlessDriver(MainWindow& main, link::EventPump& pump,
                               std::function<void()>& pumpRound, HeadlessOperator& op,
                               EventWriter& events)
    : main_(main),
      pump_(pump),
      pumpRound_(pumpRound),
      operator_(op),
      events_(events),
      mainControls_(byName(mainWindowControls(main.window()))),
      cardControls_(byName(cardDialogControls(main.card()))) {}

int HeadlessDriver::run(const std::function<void()>& startUp, std::istream& script) {
    pumpRound_ = [this] {
        deliverDueActions();
        reportStatus();
    };
    try {
        startUp();
        reportStatus();
        resultsShown_ = main_.window().lstSTATUS.items;
        filesSeen_ = dataFiles();
        std::string line;
        for (int number = 1; std::getline(script, line); ++number) {
            const ParsedLine parsed = parseScriptLine(line);
            std::string error = parsed.error;
            if (parsed.action && error.empty()) error = checkTarget(*parsed.action);
            if (!error.empty()) {
                std::cerr << "kt520: script line " << number << ": " << error << "\n";
                return kExitScriptError;
            }
            if (!parsed.action) continue;
            try {
                deliverDueActions();
                perform(*parsed.action);
            } catch (const ScriptError& failure) {
                std::cerr << "kt520: script line " << number << ": " << failure.what() << "\n";
                return kExitScriptError;
            }
        }
    } catch (const lang::ProgramEnded&) {
        return endedStatus();
    }
    // The end of the script is the operator's Exit.
    operator_.endProgram();
    return kExitOk;
}

int HeadlessDriver::endedStatus() const {
    return main_.exitClicked() ? kExitOk : kExitEndedItself;
}

std::optional<HeadlessDriver::Target> HeadlessDriver::resolve(const std::string& name) const {
    const auto find = [](const std::map<std::string, ControlRef>& controls,
                         const std::string& key) -> const ControlRef* {
        const auto it = controls.find(key);
        return it == controls.end() ? nullptr : &it->second;
    };
    if (startsWith(name, kCardPrefix)) {
        if (const ControlRef* found = find(cardControls_, name.substr(kCardPrefix.size())))
            return Target{*found, true};
        return std::nullopt;
    }
    if (startsWith(name, kMainPrefix)) {
        if (const ControlRef* found = find(mainControls_, name.substr(kMainPrefix.size())))
            return Target{*found, false};
        return std::nullopt;
    }
    // A name both windows have means the dialog's while the dialog is open.
    const ControlRef* onCard = find(cardControls_, name);
    if (onCard != nullptr && main_.card().shown) return Target{*onCard, true};
    if (const ControlRef* onMain = find(mainControls_, name)) return Target{*onMain, false};
    if (onCard != nullptr) return Target{*onCard, true};
    return std::nullopt;
}

std::string HeadlessDriver::checkTarget(const ScriptAction& action) const {
    if (action.verb == Verb::After) return checkTarget(*action.delayed);
    if (action.verb == Verb::Wait || action.verb == Verb::Dump) return {};
    const auto target = resolve(action.target);
    if (!target) return "no control named \"" + action.target + "\"";
    if (!accepts(action.verb, target->control))
        return "\"" + action.target + "\" cannot take \"" +
               action.text.substr(0, action.text.find(' ')) + "\"";
    return {};
}

void HeadlessDriver::perform(const ScriptAction& action) {
    switch (action.verb) {
        case Verb::Wait:
            waitFor(action.millis);
            return;
        case Verb::After:
            timed_.emplace(pump_.now() + link::Millis{action.millis}, action.delayed);
            return;
        case Verb::Dump:
            dump();
            return;
        default:
            operate(action);
            reportStatus();
            reportResults();
            reportFiles();
    }
}

void HeadlessDriver::operate(const ScriptAction& action) {
    const auto target = resolve(action.target);
    const ui::Control& control = baseOf(target->control);
    // The card dialog is modal: while it is open the main window takes nothing,
    // and while it is closed its controls are not there to be used.
    const bool reachable = target->onCard == main_.card().shown;
    if (!reachable || !control.enabled || !control.visible) {
        events_.write({{QStringLiteral("event"), QStringLiteral("ignored")},
                       {QStringLiteral("action"), QString::fromStdString(action.text)}});
        return;
    }
    std::visit(
        [&](auto ref) {
            using Ref = decltype(ref);
            if constexpr (std::is_same_v<Ref, OptionEntry>) {
                ref.array->click(ref.index);
            } else if constexpr (std::is_same_v<Ref, ui::CommandButton*>) {
                if (action.verb == Verb::Click) ref->click();
                if (action.verb == Verb::Press) ref->press();
                if (action.verb == Verb::Release) ref->release();
            } else if constexpr (std::is_same_v<Ref, ui::CheckBox*>) {
                ref->click();
            } else if constexpr (std::is_same_v<Ref, ui::TextBox*>) {
                ref->setText(action.value);
            } else if constexpr (std::is_same_v<Ref, ui::ComboBox*>) {
                for (std::size_t i = 0; i < ref->items.size(); ++i) {
                    if (ref->items[i] == action.value) {
                        ref->choose(static_cast<int>(i));
                        return;
                    }
                }
                throw ScriptError(action.target + " has no item \"" + action.value + "\"");
            }
        },
        target->control);
}

void HeadlessDriver::waitFor(long long millis) {
    const link::Millis until = pump_.now() + link::Millis{millis};
    do {
        pump_.processEvents();
    } while (pump_.now() < until);
}

void HeadlessDriver::deliverDueActions() {
    while (!timed_.empty() && timed_.begin()->first <= pump_.now()) {
        const std::shared_ptr<const ScriptAction> action = timed_.begin()->second;
        timed_.erase(timed_.begin());
        perform(*action);
    }
}

void HeadlessDriver::dump() {
    events_.write({{QStringLiteral("event"), QStringLiteral("state")},
                   {QStringLiteral("window"), windowJson(main_.window())},
                   {QStringLiteral("card"), cardJson(main_.card())},
                   {QStringLiteral("state"), stateJson(main_, main_.runMode())}});
}

void HeadlessDriver::reportStatus() {
    const std::string& status = main_.window().lblCMT[4].caption;
    if (status == statusShown_) return;
    statusShown_ = status;
    events_.write({{QStringLiteral("event"), QStringLiteral("status")},
                   {QStringLiteral("text"), QString::fromStdString(status)}});
}

void HeadlessDriver::reportResults() {
    const std::vector<std::string>& items = main_.window().lstSTATUS.items;
    if (items == resultsShown_) return;
    resultsShown_ = items;
    QJsonArray lines;
    for (const std::string& item : items) lines.append(QString::fromStdString(item));
    events_.write(
        {{QStringLiteral("event"), QStringLiteral("results")}, {QStringLiteral("items"), lines}});
}

std::map<std::string, HeadlessDriver::FileStamp> HeadlessDriver::dataFiles() const {
    std::map<std::string, FileStamp> stamps;
    for (const char* name : kDataFiles) {
        const std::string path = main_.dataFolder() + name;
        const QFileInfo file(QString::fromStdString(path));
        if (file.exists()) stamps[path] = {file.lastModified(), file.size()};
    }
    return stamps;
}

void HeadlessDriver::reportFiles() {
    const auto now = dataFiles();
    QJsonArray written;
    for (const auto& [path, stamp] : now) {
        const auto before = filesSeen_.find(path);
        if (before == filesSeen_.end() || before->second != stamp)
            written.append(QString::fromStdString(path));
    }
    filesSeen_ = now;
    if (!written.isEmpty())
        events_.write({{QStringLiteral("event"), QStringLiteral("files")},
                       {QStringLiteral("written"), written}});
}

}  // namespace kt520::app
