#include "app/RunKeeper.h"

namespace kt520::app {

RunKeeper::RunKeeper(history::History& history, Frontend& frontend, std::function<bool()> japanese)
    : history_(history), frontend_(frontend), japanese_(std::move(japanese)) {
    history_.onNote = [this](const history::HistoryNote& note) {
        frontend_.showMessage({history::noteText(note, japanese_()),
                               history::noteTitle(japanese_()),
                               note.fault() ? session::Icon::Stop : session::Icon::Information});
    };
}

void RunKeeper::open() {
    history_.open();
}

bool RunKeeper::keeps(const measurement::RunRecord& record) {
    using measurement::RunRecord;
    return record.source != RunRecord::Source::ResultRead &&
           (record.outcome == RunRecord::Outcome::Written ||
            record.outcome == RunRecord::Outcome::ResultsOnly);
}

void RunKeeper::runEnded(const measurement::RunRecord& record, const link::ModelInfo& model) {
    if (!keeps(record)) return;
    quality::RunVerdict verdict =
        quality::judge(record.analysis, quality::tolerancesOf(history_.tolerances(), labels_.part));
    lastAcceptance_ = inspection_.add(labels_.part, labels_.lot, verdict);
    frontend_.runJudged({labels_, verdict, *lastAcceptance_});
    lastRun_ = history::storedRunOf(record, labels_, model, std::move(verdict));
    history_.store(*lastRun_, [this, uid = lastRun_->uid](const history::StoreOutcome& outcome) {
        if (lastRun_ && lastRun_->uid == uid) lastRun_->id = outcome.id;
        frontend_.runStored(outcome);
    });
}

}  // namespace kt520::app
