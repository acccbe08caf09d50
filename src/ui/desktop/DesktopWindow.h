#pragma once
// The main window on the desktop: shows fomMAIN (and fomCARD) as the models
// hold them, forwards every click, press, release and edit to the models, and
// shows what the last run wrote. The window keeps no state of the program's
// own; the models have the last word after every event.
#include <QDateTime>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <map>

#include "ui/MainWindowModel.h"
#include "ui/desktop/ModelBinder.h"

namespace kt520::ui::desktop {

class CardDialog;
class ResultsPanel;

class DesktopWindow : public QMainWindow {
  public:
    DesktopWindow(MainWindowModel& model, CardDialogModel& card, QString dataFolder,
                  QString version, ModelBinder::FontFamilyFor familyFor);
    ~DesktopWindow() override;

    // Runs one operator action against the models. When the program ends inside
    // it, the window closes once the outermost action has unwound.
    void dispatch(const std::function<void()>& action);
    // Brings every widget in line with the models.
    void refresh();
    // As refresh, at most about 60 times a second: for the event pump's rounds.
    void refreshSoon();
    // Runs fomCARD modally until its model is no longer shown.
    void execCardDialog();

    bool programEnded() const { return ended_; }
    // Called once when the core ends the program.
    std::function<void()> onProgramEnded;

    ResultsPanel* results() const { return results_; }
    // Reads the run files again when they changed since the window last looked.
    void reloadRunFilesIfChanged();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* buildConnection();
    QWidget* buildCommands();
    QWidget* buildDrive();
    QWidget* buildConditions();
    QWidget* buildOutput();
    QWidget* buildStatus();
    QGroupBox* optionFrame(int frame, OptionArray& array, const std::vector<int>& order,
                           int columns, int unitLabel = 0);
    void endProgram();

    MainWindowModel& model_;
    CardDialogModel& card_;
    QString dataFolder_;
    QString version_;
    ModelBinder binder_;
    ResultsPanel* results_ = nullptr;
    CardDialog* cardDialog_ = nullptr;
    QTimer refreshTimer_;
    QElapsedTimer sinceRefresh_;
    std::string shownCaption_;
    int depth_ = 0;
    bool ended_ = false;
    QDateTime openedAt_;
    std::map<QString, QDateTime> runFilesSeen_;
};

}  // namespace kt520::ui::desktop
