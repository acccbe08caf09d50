// The memory-card import. A measurement the instrument saved to its card
// becomes the same data files as a run: the same routines on its profiles,
// the same staging and all-or-nothing publishing, the same record handed on
// at the end. The window is then configured from the card's model and
// firmware, as identification configures it for the instrument on the line,
// and the panel shows the card's conditions.
//
// The import never touches the line, but it is an action of the session:
// it shares the run's files, record and analysis, and it runs in turn with
// the operator's other actions, never inside a run.
#include "card/CardFolder.h"
#include "conditions/ConditionReader.h"
#include "lang/InternalFault.h"
#include "link/Identification.h"
#include "profile/NumberText.h"
#include "session/Session.h"
#include "session/Texts.h"

namespace kt520::session {
namespace {

using Outcome = measurement::RunRecord::Outcome;

constexpr int kOtherModel = 11;
constexpr int kDriveUnreadable = 13;
constexpr int kCannotConfigure = 15;
constexpr int kCardVersionError = 21;

profile::TextList numberTexts(const std::vector<float>& points) {
    profile::TextList texts(1);
    texts.reserve(points.size() + 1);
    for (const float point : points) texts.push_back(profile::numberText(point));
    return texts;
}

lang::ProgramText damageText(card::Damage damage) {
    switch (damage) {
        case card::Damage::NotCardFile:
            return lang::ProgramText::CardNotCardFile;
        case card::Damage::Checksum:
            return lang::ProgramText::CardChecksum;
        case card::Damage::Trailing:
            return lang::ProgramText::CardTrailingBytes;
        case card::Damage::TooManyPoints:
            return lang::ProgramText::CardTooManyPoints;
        case card::Damage::UnknownCode:
            return lang::ProgramText::CardUnknownCode;
        case card::Damage::Contents:
        case card::Damage::None:
            break;
    }
    return lang::ProgramText::CardContents;
}

}  // namespace

async::Task<void> Session::importCard(Request request) {
    beginRun(measurement::RunRecord::Source::Card);
    record_.cardFile = request.cardFile.string();
    const card::CardRead read = card::readCardMeasurement(request.cardFile);
    if (!read.measurement) {
        finishRun({Outcome::Failed, tellCardProblem(read.problem)});
        co_return;
    }
    const card::CardMeasurement& saved = *read.measurement;
    record_.measuredOn = saved.header.date;
    conditions::ConditionLayouts layouts;
    layouts.prepareConditionLayouts(saved.header.romVersion);
    layouts.prepareCardLayout(saved.header.romVersion);

    conditions::ConditionSet set;
    measurement::ProfileHeights heights;
    try {
        set = conditions::conditionsFromCardRecord(saved.conditionRecord, layouts);
        profile_.clearOutputLines();
        for (const float point : saved.evaluation) profile_.appendPoint(profile::numberText(point));
        const bool inch =
            conditions::itemText(set, layouts.items, codeOf(conditions::Item::Unit)) == "2";
        heights = measurement::stageProfiles(
            numberTexts(saved.measured), profile_,
            {conditions::itemText(set, layouts.items, codeOf(conditions::Item::Filter)),
             request.argument != 0, inch},
            files_, record_);
        record_.results = saved.results;
        measurement::stageResults(record_, files_);
        measurement::stageConditions(profile_,
                                     {set, layouts.items, saved.header.romVersion, p_.languageCode},
                                     files_, record_);
    } catch (const lang::InternalFault&) {
        // A card is input: a code that no table knows makes its record damaged,
        // it is no fault of the program.
        files_.discard();
        finishRun({Outcome::Failed, tellCardProblem({card::CardFault::Damaged,
                                                     request.cardFile.stem().string() + ".RCB",
                                                     card::Damage::UnknownCode})});
        co_return;
    }

    configureFromCard(saved.header, layouts);
    conditions_ = std::move(set);
    // Every code of the record was found in the tables above: none stays unread.
    (void)p_.panel.showConditions(conditions_, layouts_.items);
    p_.observer.statusList(record_.results);
    co_await analyse(std::move(heights));
    finishRun({Outcome::Written, {}});
}

// As identification configures the window for a KT-520 on the line; the drive
// range stays that of the instrument last identified.
void Session::configureFromCard(const card::CardHeader& header,
                                const conditions::ConditionLayouts& layouts) {
    model_.modelName = header.modelName;
    model_.romVersion = header.romVersion;
    model_.modelKind = link::modelKindFor(header.romVersion);
    layouts_ = layouts;
    p_.panel.configureFor(model_, true, p_.languageCode);
    p_.observer.identified(model_, true);
}

std::string Session::tellCardProblem(const card::CardProblem& problem) {
    using lang::ProgramText;
    std::string text;
    switch (problem.fault) {
        case card::CardFault::DriveUnreadable:
            return warn(kDriveUnreadable);
        case card::CardFault::OtherModel:
            return warn(kOtherModel);
        case card::CardFault::UnsupportedModel:
            return warn(texts::kModelNotSupported);
        case card::CardFault::Firmware:
            return warn(kCannotConfigure);
        case card::CardFault::VersionCheck:
            text = p_.catalog.instrumentError(kCardVersionError);
            break;
        case card::CardFault::Missing:
            text = p_.catalog.programText(ProgramText::CardFileMissing, problem.file);
            break;
        case card::CardFault::Truncated:
            text = p_.catalog.programText(ProgramText::CardFileTruncated, problem.file,
                                          std::to_string(problem.bytesPresent),
                                          std::to_string(problem.bytesNeeded));
            break;
        case card::CardFault::Damaged:
            text = p_.catalog.programText(ProgramText::CardFileDamaged, problem.file,
                                          p_.catalog.programText(damageText(problem.damage)));
            break;
    }
    p_.observer.showMessage({text, p_.catalog.boxTitle(texts::kWarning), Icon::Stop});
    return text;
}

}  // namespace kt520::session
