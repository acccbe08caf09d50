#pragma once
// The Qt window of the program: shows fomMAIN (and fomCARD) as the controller
// fills the forms, hands every click, press, release and edit to the forms'
// hooks, and shows the data of the last run. It keeps no state of the
// program's own, and nothing in it ever waits: message boxes and the card
// dialog are opened, not executed, so the instrument session goes on under
// them.
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>

#include "app/Frontend.h"
#include "app/RunKeeper.h"
#include "ui/MainForm.h"
#include "ui/desktop/CaptionRoom.h"
#include "ui/desktop/MessageBoxes.h"
#include "ui/desktop/ModelBinder.h"

class QGroupBox;
class QLabel;

namespace kt520::ui::desktop {

class CardDialog;
class ResultsPanel;
class RunLabelsBar;

class MainWindow : public QMainWindow, public app::Frontend {
  public:
    MainWindow(QString version, ModelBinder::FontFamilyFor familyFor);
    ~MainWindow() override;

    // Builds the widgets of the two forms (the controller's, which is made
    // after the window); the forms must outlive the window.
    void attach(MainForm& form, CardForm& card);

    // Brings every widget in line with the forms at once.
    void refresh();

    // Called once the program has ended and the window has closed, with the
    // exit status: 0 after the operator's Exit, 1 when the program ended on its own.
    std::function<void(int)> onEnded;
    bool programEnded() const { return ended_; }

    ResultsPanel* results() const { return results_; }

    // The strip with the part, lot, operator, the last verdict and the history button.
    void attachHistory(app::RunKeeper& keeper, std::string dataFolder);
    RunLabelsBar* labelsBar() const { return labelsBar_; }

    // app::Frontend
    void formChanged() override;
    void showMessage(const session::Message& message) override;
    void beep() override;
    void runEnded(const measurement::RunRecord& record) override;
    void sessionIdle() override {}
    void runJudged(const quality::RunJudgement& judgement) override;
    void runStored(const history::StoreOutcome& outcome) override;
    void cardDialogOpened() override;
    void programEnds(bool byOperator) override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* buildConnection();
    QWidget* buildCommands();
    QWidget* buildDrive();
    QWidget* buildConditions();
    QWidget* buildOutput();
    QWidget* buildResultList();
    QWidget* buildStatus();
    QLabel* unitLabelFor(int index);
    QGroupBox* optionFrame(int frame, OptionArray& array, const std::vector<int>& order,
                           int columns, int unitLabel = 0);
    void act(const std::function<void()>& action);
    void closeAndEnd();

    MainForm* form_ = nullptr;
    CardForm* card_ = nullptr;
    QString version_;
    ModelBinder::FontFamilyFor familyFor_;
    std::optional<ModelBinder> binder_;  // made with the forms
    CaptionRoom captionRoom_;
    MessageBoxes messages_;
    ResultsPanel* results_ = nullptr;
    RunLabelsBar* labelsBar_ = nullptr;
    CardDialog* cardDialog_ = nullptr;
    QTimer refreshTimer_;
    measurement::RunRecord published_;  // shown when publishTimer_ fires
    QTimer publishTimer_;
    QElapsedTimer sinceRefresh_;
    std::string shownCaption_;
    bool ended_ = false;
    int exitStatus_ = 0;
};

}  // namespace kt520::ui::desktop
