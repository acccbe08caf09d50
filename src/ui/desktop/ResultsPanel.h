#pragma once
// What the runs handed on, from their records in memory: the measured and
// evaluation profiles as plots over the traverse, the results as a table (the
// instrument's fields beside the parameters computed on the PC), and the files
// written with a button that opens their folder. Each part says which run it
// comes from, and says so when that is not the latest one: a run without
// profiles (CSV Data Save OFF), a Result Read or a run that ended without data
// replaces only what it has.
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "measurement/RunRecord.h"
#include "quality/Verdict.h"
#include "session/SessionObserver.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QVBoxLayout;

namespace kt520::ui::desktop {

class ProfileChart;

class ResultsPanel : public QWidget {
  public:
    explicit ResultsPanel(QWidget* parent = nullptr);

    // Every run's end and every Result Read. The evaluation profile follows
    // on the next round of the event loop.
    void show(const measurement::RunRecord& record);
    void setJapanese(bool japanese);
    // A strip above the plots (the run labels and verdict of the history): the
    // panel above leaves no height to spare on a 1024x768 screen for a bar of its own.
    void addAbovePlots(QWidget* strip);
    // The latest run's verdict against its part's limits: each judged
    // parameter's value in green (OK) or red (NG).
    void showVerdict(const quality::RunVerdict& verdict);

    // The operator's names of the instrument's fields, in their order (empty:
    // unnamed), kept in the user's settings between program starts.
    void setFieldNames(const QStringList& names);
    QStringList fieldNames() const { return fieldNames_; }

    // Where the panel's messages go (the folder that could not be opened).
    std::function<void(const session::Message&)> showMessage;
    // Opens the data folder in the desktop's file manager; false when none could.
    std::function<bool(const QUrl&)> openFolder;

    ProfileChart* measuredChart() const { return measured_; }
    ProfileChart* evaluationChart() const { return evaluation_; }
    QTableWidget* resultsTable() const { return table_; }
    QListWidget* filesList() const { return files_; }

  private:
    // Which run a part shows: its kind and when it ended.
    struct Stamp {
        measurement::RunRecord::Source source;
        std::chrono::system_clock::time_point at;
        bool operator==(const Stamp&) const = default;
    };
    struct Part {
        QLabel* header;
        QLabel* note;  // shown when the part is not from the latest run
        std::optional<Stamp> stamp;
    };

    QString text(const char* english, const char* japanese) const;
    QString stampText(const Stamp& stamp) const;
    Part makePart(const QString& name);
    void retitle();
    void retitle(Part& part, const QString& title, const QString& remark = {});
    void fillTable();
    void markVerdict(QTableWidgetItem& value, const quality::ParameterVerdict& judged) const;
    void editFieldNames();
    void openDataFolder();

    bool japanese_ = false;
    bool inch_ = false;
    bool byPosition_ = false;
    QString folder_;
    QStringList fieldNames_;
    std::optional<Stamp> latest_;
    bool resultsRefused_ = false;                  // the table's run had its result read refused
    std::vector<analysis::Parameter> parameters_;  // what the table shows, kept for renaming
    std::vector<std::string> fields_;
    std::map<std::string, quality::ParameterVerdict> verdicts_;  // judged parameters by name
    std::vector<QPointF> evaluationPending_;  // drawn when evaluationTimer_ fires
    QTimer evaluationTimer_;
    Part profiles_;
    Part results_;
    Part filesPart_;
    ProfileChart* measured_;
    ProfileChart* evaluation_;
    QTableWidget* table_;
    QVBoxLayout* profilesColumn_ = nullptr;
    QAction* nameFields_;
    QListWidget* files_;
    QPushButton* openFolder_;
};

// The heights as points over the traverse: x in mm (inch for an inch run)
// from the sampling pitch in micrometres, or the point number when the pitch
// is not known (empty or not above 0).
[[nodiscard]] std::vector<QPointF> traversePoints(const std::vector<double>& heights,
                                                  const std::string& pitchMicrometres, bool inch);

}  // namespace kt520::ui::desktop
