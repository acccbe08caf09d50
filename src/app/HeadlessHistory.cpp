// The headless driver's part of the history: the script lines that label
// runs, set tolerances, write the report and export the history, and the
// verdict and stored events after each kept run.
#include <QJsonArray>
#include <iostream>

#include "app/HeadlessDriver.h"
#include "history/RunText.h"
#include "report/Report.h"

namespace kt520::app {
namespace {

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

QJsonValue optionalNumber(const std::optional<double>& value) {
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QJsonObject acceptanceJson(const quality::InspectionStep& step) {
    QJsonArray parameters;
    for (const quality::ParameterAcceptance& p : step.parameters)
        parameters.append(QJsonObject{{"name", text(p.name)},
                                      {"rule", quality::ruleName(p.rule)},
                                      {"state", quality::acceptanceWord(p.outcome.acceptance)},
                                      {"traces", p.outcome.traces},
                                      {"beyond", p.outcome.beyond},
                                      {"tracesToDecide", p.outcome.tracesToDecide}});
    return {{"state", quality::acceptanceWord(*step.overall)},
            {"trace", step.trace},
            {"parameters", parameters}};
}

const char* storedState(history::StoreOutcome::State state) {
    switch (state) {
        case history::StoreOutcome::State::Stored:
            return "stored";
        case history::StoreOutcome::State::Queued:
            return "queued";
        case history::StoreOutcome::State::Failed:
            break;
    }
    return "failed";
}

}  // namespace

void HeadlessDriver::runJudged(const quality::RunJudgement& judgement) {
    QJsonArray parameters;
    for (const quality::ParameterVerdict& p : judgement.verdict.parameters) {
        const auto& limit = p.limit;
        parameters.append(
            QJsonObject{{"name", text(p.name)},
                        {"value", optionalNumber(p.value)},
                        {"unit", text(p.unit)},
                        {"low", optionalNumber(limit ? limit->low : std::nullopt)},
                        {"high", optionalNumber(limit ? limit->high : std::nullopt)},
                        {"rule", limit ? QJsonValue(quality::ruleName(limit->rule)) : QJsonValue()},
                        {"verdict", p.verdict == quality::Verdict::NotJudged
                                        ? QJsonValue()
                                        : QJsonValue(quality::verdictWord(p.verdict))}});
    }
    QJsonObject event{{"event", "verdict"},
                      {"part", text(judgement.labels.part)},
                      {"lot", text(judgement.labels.lot)},
                      {"operator", text(judgement.labels.operatorName)},
                      {"overall", quality::verdictWord(judgement.verdict.overall)},
                      {"parameters", parameters}};
    if (judgement.acceptance.overall) event["acceptance"] = acceptanceJson(judgement.acceptance);
    events_.write(event);
}

void HeadlessDriver::runStored(const history::StoreOutcome& outcome) {
    const bool stored = outcome.state == history::StoreOutcome::State::Stored;
    events_.write({{"event", "stored"},
                   {"id", stored ? QJsonValue(static_cast<qint64>(outcome.id)) : QJsonValue()},
                   {"uid", text(outcome.uid)},
                   {"state", storedState(outcome.state)}});
    if (waiting_ == Waiting::Operation && controller_->idle()) sessionIdle();
}

void HeadlessDriver::historyLineFailed(const std::string& error) {
    std::cerr << "kt520: script line " << lineNumber_ << ": " << error << "\n";
    finish(kExitScriptError);
}

bool HeadlessDriver::performHistory(const ScriptAction& action) {
    if (keeper_ == nullptr) {
        historyLineFailed("this program keeps no history");
        return false;
    }
    quality::RunLabels labels = keeper_->labels();
    switch (action.verb) {
        case Verb::Part:
            labels.part = action.value;
            break;
        case Verb::Lot:
            labels.lot = action.value;
            break;
        case Verb::Operator:
            labels.operatorName = action.value;
            break;
        case Verb::Tolerance: {
            const quality::Tolerance& tolerance = action.tolerance;
            if (tolerance.limit.low || tolerance.limit.high)
                keeper_->history().setTolerance(tolerance);
            else
                keeper_->history().removeTolerance(tolerance.part, tolerance.parameter);
            return true;
        }
        case Verb::Report: {
            if (!keeper_->lastRun()) {
                historyLineFailed("report: no run has been kept yet");
                return false;
            }
            std::string error;
            const QString path = text(action.value);
            if (!report::writeRunReport(
                    path, *keeper_->lastRun(), keeper_->lastAcceptance(),
                    report::reportStyleFor(controller_->dataFolder(), keeper_->japanese()),
                    error)) {
                historyLineFailed("report: " + action.value + ": " + error);
                return false;
            }
            events_.write({{"event", "report"}, {"path", path}});
            return true;
        }
        case Verb::Export: {
            struct Exported {
                int runs = 0;
                std::string error;
            };
            waiting_ = Waiting::History;
            const QString path = text(action.value);
            keeper_->history().query<Exported>(
                [path](history::HistoryDatabase& database) {
                    const auto csv = database.exportCsv({});
                    Exported out;
                    if (!csv)
                        out.error = database.error();
                    else if (history::writeWhole(path, *csv, out.error))
                        out.runs = static_cast<int>(std::count(csv->begin(), csv->end(), '\n')) - 1;
                    return out;
                },
                [this, path, value = action.value](Exported exported) {
                    if (done_) return;
                    if (!exported.error.empty()) {
                        historyLineFailed("export: " + value + ": " + exported.error);
                        return;
                    }
                    events_.write({{"event", "exported"}, {"path", path}, {"runs", exported.runs}});
                    waiting_ = Waiting::Nothing;
                    nextLines();
                });
            return false;
        }
        default:
            return true;
    }
    keeper_->setLabels(std::move(labels));
    return true;
}

}  // namespace kt520::app
