#include "app/HeadlessDriver.h"

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

QString text(const std::string& value) {
    return QString::fromStdString(value);
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

HeadlessDriver::HeadlessDriver(async::EventLoop& loop, EventWriter& events, std::istream& script)
    : loop_(loop), events_(events), script_(script) {}

void HeadlessDriver::run(Controller& controller, std::function<void(int)> finished) {
    controller_ = &controller;
    finished_ = std::move(finished);
    mainControls_ = byName(mainWindowControls(controller.form()));
    cardControls_ = byName(cardDialogControls(controller.card()));
    if (!controller.start()) return;  // it ended: programEnds() has finished the run
    reportStatus();
    resultsShown_ = controller.form().lstSTATUS.items;
    // The start-up search runs first, as the window opens only once it is done.
    waiting_ = Waiting::Operation;
    if (controller.idle()) sessionIdle();
}

void HeadlessDriver::sessionIdle() {
    // A run's stored event comes before the next line is read.
    if (done_ || waiting_ != Waiting::Operation || storing()) return;
    waiting_ = Waiting::Nothing;
    reportResults();
    continueScript();
}

// On the loop's next round, so that whatever told the driver has unwound.
void HeadlessDriver::continueScript() {
    if (continuing_ != 0 || done_) return;
    continuing_ = loop_.post([this] {
        continuing_ = 0;
        nextLines();
    });
}

// Reads and carries out lines until one has to wait (for its operation or
// its time) or the script ends, which is the operator's Exit.
void HeadlessDriver::nextLines() {
    std::string line;
    while (!done_ && waiting_ == Waiting::Nothing) {
        if (!std::getline(script_, line)) {
            programEnds(true);
            return;
        }
        ++lineNumber_;
        const ParsedLine parsed = parseScriptLine(line);
        std::string error = parsed.error;
        if (parsed.action && error.empty()) error = checkTarget(*parsed.action);
        if (!error.empty()) {
            std::cerr << "kt520: script line " << lineNumber_ << ": " << error << "\n";
            finish(kExitScriptError);
            return;
        }
        if (!parsed.action) continue;
        try {
            if (!perform(*parsed.action)) return;
        } catch (const ScriptError& failure) {
            std::cerr << "kt520: script line " << lineNumber_ << ": " << failure.what() << "\n";
            finish(kExitScriptError);
            return;
        }
    }
}

// False when the line waits: for the operation it started, or for its time.
bool HeadlessDriver::perform(const ScriptAction& action) {
    if (isHistoryVerb(action.verb)) return performHistory(action);
    switch (action.verb) {
        case Verb::Wait:
            waiting_ = Waiting::Timer;
            timed_.push_back(loop_.callAt(loop_.now() + async::Millis{action.millis}, [this] {
                waiting_ = Waiting::Nothing;
                nextLines();
            }));
            return false;
        case Verb::After: {
            const auto delayed = action.delayed;
            timed_.push_back(
                loop_.callAt(loop_.now() + async::Millis{action.millis}, [this, delayed] {
                    if (done_) return;
                    try {
                        if (delayed->verb == Verb::Dump)
                            dump();
                        else
                            operate(*delayed);
                    } catch (const ScriptError& failure) {
                        std::cerr << "kt520: " << failure.what() << "\n";
                        finish(kExitScriptError);
                    }
                }));
            return true;
        }
        case Verb::Dump:
            dump();
            return true;
        case Verb::Card:
            return importCard(action);
        default:
            operate(action);
            if (done_ || controller_->idle()) {
                reportResults();
                return !done_;
            }
            waiting_ = Waiting::Operation;
            return false;
    }
}

std::optional<HeadlessDriver::Target> HeadlessDriver::resolve(const std::string& name) const {
    const auto find = [](const std::map<std::string, ControlRef>& controls,
                         const std::string& key) -> const ControlRef* {
        const auto it = controls.find(key);
        return it == controls.end() ? nullptr : &it->second;
    };
    if (name.starts_with(kCardPrefix)) {
        if (const ControlRef* found = find(cardControls_, name.substr(kCardPrefix.size())))
            return Target{*found, true};
        return std::nullopt;
    }
    if (name.starts_with(kMainPrefix)) {
        if (const ControlRef* found = find(mainControls_, name.substr(kMainPrefix.size())))
            return Target{*found, false};
        return std::nullopt;
    }
    // A name both windows have means the dialog's while the dialog is open.
    const ControlRef* onCard = find(cardControls_, name);
    if (onCard != nullptr && controller_->card().shown) return Target{*onCard, true};
    if (const ControlRef* onMain = find(mainControls_, name)) return Target{*onMain, false};
    if (onCard != nullptr) return Target{*onCard, true};
    return std::nullopt;
}

std::string HeadlessDriver::checkTarget(const ScriptAction& action) const {
    if (action.verb == Verb::After) return checkTarget(*action.delayed);
    if (action.verb == Verb::Wait || action.verb == Verb::Dump || action.verb == Verb::Card ||
        isHistoryVerb(action.verb))
        return {};
    const auto target = resolve(action.target);
    if (!target) return "no control named \"" + action.target + "\"";
    if (!accepts(action.verb, target->control))
        return "\"" + action.target + "\" cannot take \"" +
               action.text.substr(0, action.text.find(' ')) + "\"";
    return {};
}

void HeadlessDriver::operate(const ScriptAction& action) {
    const auto target = resolve(action.target);
    const ui::Control& control = baseOf(target->control);
    // The card dialog is modal: while it is open the main window takes nothing,
    // and while it is closed its controls are not there to be used.
    const bool reachable = target->onCard == controller_->card().shown;
    if (!reachable || !control.enabled || !control.visible) {
        events_.write({{QStringLiteral("event"), QStringLiteral("ignored")},
                       {QStringLiteral("action"), text(action.text)}});
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
                // A script line is a whole entry: typed, then complete.
                ref->type(action.value);
                ref->enter();
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

bool HeadlessDriver::importCard(const ScriptAction& action) {
    controller_->importCard(action.value);
    if (done_ || controller_->idle()) {
        reportResults();
        return !done_;
    }
    waiting_ = Waiting::Operation;
    return false;
}

void HeadlessDriver::dump() {
    events_.write({{QStringLiteral("event"), QStringLiteral("state")},
                   {QStringLiteral("window"), windowJson(controller_->form())},
                   {QStringLiteral("card"), cardJson(controller_->card())},
                   {QStringLiteral("state"), stateJson(*controller_)}});
}

void HeadlessDriver::formChanged() {
    reportStatus();
}

void HeadlessDriver::reportStatus() {
    if (controller_ == nullptr) return;
    const std::string& status = controller_->form().lblCMT[4].caption;
    if (status == statusShown_) return;
    statusShown_ = status;
    events_.write({{QStringLiteral("event"), QStringLiteral("status")},
                   {QStringLiteral("text"), text(status)}});
}

void HeadlessDriver::reportResults() {
    const std::vector<std::string>& items = controller_->form().lstSTATUS.items;
    if (items == resultsShown_) return;
    resultsShown_ = items;
    QJsonArray lines;
    for (const std::string& item : items) lines.append(text(item));
    events_.write(
        {{QStringLiteral("event"), QStringLiteral("results")}, {QStringLiteral("items"), lines}});
}

void HeadlessDriver::showMessage(const session::Message& message) {
    events_.write({{QStringLiteral("event"), QStringLiteral("message")},
                   {QStringLiteral("title"), text(message.title)},
                   {QStringLiteral("text"), text(message.text)},
                   {QStringLiteral("icon"), message.icon == session::Icon::Stop
                                                ? QStringLiteral("stop")
                                                : QStringLiteral("information")}});
}

void HeadlessDriver::beep() {
    events_.write({{QStringLiteral("event"), QStringLiteral("beep")}});
}

void HeadlessDriver::runEnded(const measurement::RunRecord& record) {
    reportResults();
    if (!record.analysis.empty()) {
        QJsonArray parameters;
        for (const analysis::Parameter& parameter : record.analysis)
            parameters.append(QJsonObject{{QStringLiteral("name"), text(parameter.name)},
                                          {QStringLiteral("value"), parameter.value},
                                          {QStringLiteral("unit"), text(parameter.unit)},
                                          {QStringLiteral("standard"), text(parameter.standard)}});
        events_.write({{QStringLiteral("event"), QStringLiteral("analysis")},
                       {QStringLiteral("parameters"), parameters}});
    }
    if (record.files.empty()) return;
    QJsonArray written;
    for (const std::string& path : record.files) written.append(text(path));
    events_.write(
        {{QStringLiteral("event"), QStringLiteral("files")}, {QStringLiteral("written"), written}});
}

void HeadlessDriver::programEnds(bool byOperator) {
    if (done_) return;
    events_.write({{QStringLiteral("event"), QStringLiteral("end")}});
    finish(byOperator ? kExitOk : kExitEndedItself);
}

void HeadlessDriver::finish(int status) {
    if (done_) return;
    done_ = true;
    for (async::EventLoop::TimerId id : timed_) loop_.cancel(id);
    if (continuing_ != 0) loop_.cancel(std::exchange(continuing_, 0));
    if (finished_) finished_(status);
}

}  // namespace kt520::app
