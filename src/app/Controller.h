#pragma once
// fomMAIN's controller. It owns the forms of the two windows, the condition
// panel and its rules, and the instrument session; it turns the operator's
// actions on the forms into panel changes and session requests, and fills the
// forms from what the panel and the session report. The frontend (the Qt
// window or the headless driver) shows the forms and operates their controls.
//
// Start-up: the language file and the captions, the port list, the message
// catalog, the data folder and "Folder.INI", then the search for the
// instrument, which runs while the window is already shown.
#include <memory>
#include <optional>
#include <string>

#include "app/CardBrowser.h"
#include "app/DataFolder.h"
#include "app/Frontend.h"
#include "app/RunKeeper.h"
#include "async/EventLoop.h"
#include "async/Worker.h"
#include "conditions/ConditionPanel.h"
#include "lang/MessageCatalog.h"
#include "link/SerialLine.h"
#include "rules/ConditionRules.h"
#include "session/Session.h"
#include "ui/MainForm.h"

namespace kt520::app {

struct Folders {
    std::string programFolder;  // holds "520Language.ini"
    DataFolder data;
};

class Controller : public session::SessionObserver, public conditions::PanelObserver {
  public:
    Controller(async::EventLoop& loop, async::Worker& worker, link::SerialLine& line,
               Folders folders, Frontend& frontend);
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;
    ~Controller() override;

    // Window creation and load, then the search. False when the program
    // ended during start-up (no language file); the frontend has been told.
    bool start();

    // The keeper of finished runs (the history); none keeps no history.
    void setKeeper(RunKeeper* keeper) { keeper_ = keeper; }

    ui::MainForm& form() { return form_; }
    ui::CardForm& card() { return card_; }
    const ui::MainForm& form() const { return form_; }
    const conditions::ConditionPanel& panel() const { return panel_; }
    const session::Session& session() const { return *session_; }
    session::Session& session() { return *session_; }
    const std::string& languageCode() const { return languageCode_; }
    std::string dataFolder() const { return folders_.data.path(); }
    bool idle() const { return session_ == nullptr || session_->idle(); }

    // READ on the card dialog for the measurement whose ".SMB" file is
    // `smbFile`: its folder is kept in "Folder.INI", and the session imports it
    // with the dialog's tilt compensation (ControllerCard.cpp).
    void importCard(const std::filesystem::path& smbFile);

    // session::SessionObserver
    void showMessage(const session::Message& message) override;
    void lengthRefused() override;
    void statusText(const std::string& text) override;
    void statusList(const std::vector<std::string>& lines) override;
    void progress(const session::Progress& progress) override;
    void identified(const link::ModelInfo& model, bool isKt520) override;
    void connected(int portNumber, link::LinkState state) override;
    void actionStarted(session::Action action) override;
    void actionEnded(session::Action action) override;
    void runBusy(bool busy) override;
    void runEnded(const measurement::RunRecord& record) override;
    void programEnds() override;

    // conditions::PanelObserver
    void panelChanged() override;

  private:
    void bindMainForm();
    void bindCardForm();
    bool loadLanguageFile();
    void fillPortList();
    void post(session::Action action, int argument = 0);
    // Runs an operator action on the panel; an internal fault it meets ends the program.
    void onPanel(const std::function<void()>& change);
    // The command and drive buttons as the run, the connection and the model allow them.
    void updateButtons();
    void showNotConnected();
    void openCardDialog();
    void closeCardDialog(bool read);
    // Message 13 when the card browser could not read what it was to show.
    void browsed(bool readable);
    void end(bool byOperator);

    async::EventLoop& loop_;
    async::Worker& worker_;
    link::SerialLine& line_;
    Folders folders_;
    Frontend& frontend_;

    ui::MainForm form_;
    ui::CardForm card_;
    CardBrowser browser_{card_};
    lang::MessageCatalog catalog_;
    std::string languageCode_;
    conditions::ConditionPanel panel_;
    rules::ConditionRules rules_;
    std::unique_ptr<session::Session> session_;
    RunKeeper* keeper_ = nullptr;

    bool runBusy_ = false;
    // What the version label says of the instrument: nothing works without one.
    enum class Connection { Searching, Connected, NotConnected };
    Connection connection_ = Connection::NotConnected;
    std::int16_t modelKind_ = -1;  // none identified yet
    int heldJog_ = 1;              // the jog button last pressed
    bool ended_ = false;
};

}  // namespace kt520::app
