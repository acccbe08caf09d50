// The controller's part of the card dialog: browsing the card, READ and
// CANCEL, and the import they start.
#include "app/Controller.h"

#include <system_error>

namespace kt520::app {
namespace {

constexpr int kDriveUnreadable = 13;  // "Please insert a disk into drive."
constexpr int kWarning = 1;

}  // namespace

void Controller::bindCardForm() {
    card_.cmdREAD.onClick = [this] { closeCardDialog(true); };
    card_.cmdCANCEL.onClick = [this] { closeCardDialog(false); };
    card_.chkKTM.onClick = [this] {
        card_.chkKTM.checked = !card_.chkKTM.checked;
        frontend_.formChanged();
    };
    card_.devDRIVE.onChoose = [this](int index) { browsed(browser_.chooseDrive(index)); };
    card_.dirFOLDER.onChoose = [this](int index) { browsed(browser_.chooseFolder(index)); };
    card_.filLIST.onChoose = [this](int) { frontend_.formChanged(); };
}

void Controller::openCardDialog() {
    card_.shown = true;
    // The card browser starts where it was last left.
    const bool readable = browser_.open(readFolderIni(dataFolder()));
    frontend_.formChanged();
    frontend_.cardDialogOpened();
    browsed(readable);
}

void Controller::browsed(bool readable) {
    if (!readable)
        showMessage(
            {catalog_.message(kDriveUnreadable), catalog_.boxTitle(kWarning), session::Icon::Stop});
    frontend_.formChanged();
}

void Controller::closeCardDialog(bool read) {
    card_.shown = false;
    frontend_.formChanged();
    if (!read) return;
    if (const auto chosen = browser_.chosenFile()) {
        importCard(*chosen);
    } else if (!browser_.folder().empty()) {
        writeFolderIni(dataFolder(), browser_.folder().string());
    }
}

void Controller::importCard(const std::filesystem::path& smbFile) {
    if (ended_ || !session_) return;
    std::error_code error;
    writeFolderIni(dataFolder(), std::filesystem::absolute(smbFile, error).parent_path().string());
    session_->post({session::Action::CardImport, card_.chkKTM.checked ? 1 : 0, {}, smbFile});
}

}  // namespace kt520::app
