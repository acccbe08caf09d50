#include "ui/desktop/HistoryDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "history/RunText.h"
#include "report/Report.h"
#include "ui/desktop/HistoryTexts.h"
#include "ui/desktop/OverlayView.h"
#include "ui/desktop/RunListModel.h"
#include "ui/desktop/RunView.h"
#include "ui/desktop/StatisticsView.h"
#include "ui/desktop/ToleranceEditor.h"

namespace kt520::ui::desktop {
namespace {

std::chrono::system_clock::time_point startOf(const QDate& date) {
    return std::chrono::system_clock::time_point(
        std::chrono::milliseconds(date.startOfDay().toMSecsSinceEpoch()));
}

}  // namespace

HistoryDialog::HistoryDialog(app::RunKeeper& keeper, std::string dataFolder, bool japanese,
                             QWidget* parent)
    : QDialog(parent),
      keeper_(keeper),
      history_(keeper.history()),
      dataFolder_(std::move(dataFolder)),
      japanese_(japanese) {
    setObjectName("historyDialog");
    tabs_ = new QTabWidget;
    runView_ = new RunView(japanese_);
    overlay_ = new OverlayView(japanese_);
    statistics_ = new StatisticsView(history_, japanese_);
    tolerances_ = new ToleranceEditor(history_, japanese_);
    tabs_->addTab(buildRuns(), {});
    tabs_->addTab(runView_, {});
    tabs_->addTab(overlay_, {});
    tabs_->addTab(statistics_, {});
    tabs_->addTab(tolerances_, {});
    tabs_->addTab(buildReportSettings(), {});
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (tabs_->widget(index) == statistics_) statistics_->show(filter());
        if (tabs_->widget(index) == tolerances_) tolerances_->reload();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    retitle();
    resize(1000, 700);
}

QWidget* HistoryDialog::buildRuns() {
    auto* page = new QWidget;
    auto* filters = new QGridLayout;
    partTitle_ = new QLabel;
    lotTitle_ = new QLabel;
    fromTitle_ = new QLabel;
    toTitle_ = new QLabel;
    verdictTitle_ = new QLabel;
    part_ = new QLineEdit;
    part_->setObjectName("filterPart");
    lot_ = new QLineEdit;
    lot_->setObjectName("filterLot");
    useDates_ = new QCheckBox;
    from_ = new QDateEdit(QDate::currentDate().addMonths(-1));
    to_ = new QDateEdit(QDate::currentDate());
    for (QDateEdit* date : {from_, to_}) {
        date->setCalendarPopup(true);
        date->setDisplayFormat("yyyy-MM-dd");
        date->setEnabled(false);
        connect(date, &QDateEdit::dateChanged, this, [this] { refreshRuns(); });
    }
    connect(useDates_, &QCheckBox::toggled, this, [this](bool on) {
        from_->setEnabled(on);
        to_->setEnabled(on);
        refreshRuns();
    });
    verdict_ = new QComboBox;
    verdict_->setObjectName("filterVerdict");
    verdict_->addItems({{}, "OK", "NG"});
    for (QLineEdit* edit : {part_, lot_})
        connect(edit, &QLineEdit::textChanged, this, [this] { refreshRuns(); });
    connect(verdict_, &QComboBox::currentIndexChanged, this, [this] { refreshRuns(); });
    filters->addWidget(partTitle_, 0, 0);
    filters->addWidget(part_, 0, 1);
    filters->addWidget(lotTitle_, 0, 2);
    filters->addWidget(lot_, 0, 3);
    filters->addWidget(verdictTitle_, 0, 4);
    filters->addWidget(verdict_, 0, 5);
    filters->addWidget(useDates_, 1, 0);
    filters->addWidget(fromTitle_, 1, 1, Qt::AlignRight);
    filters->addWidget(from_, 1, 2);
    filters->addWidget(toTitle_, 1, 3, Qt::AlignRight);
    filters->addWidget(to_, 1, 4);
    filters->setColumnStretch(1, 1);
    filters->setColumnStretch(3, 1);

    model_ = new RunListModel(this);
    model_->setJapanese(japanese_);
    list_ = new QTableView;
    list_->setObjectName("runList");
    list_->setModel(model_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    list_->setColumnWidth(0, 60);
    list_->setColumnWidth(1, 150);
    connect(list_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { openRun(model_->run(index.row()).id); });
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { updateButtons(); });

    const auto button = [&](QPushButton*& out, const char* name, auto action) {
        out = new QPushButton;
        out->setObjectName(name);
        connect(out, &QPushButton::clicked, this, action);
    };
    button(open_, "openRunButton", [this] { openRun(selected().front()); });
    button(overlayButton_, "overlayButton", [this] {
        const auto ids = selected();
        overlayRuns(ids[1], ids[0]);
    });
    button(exportResults_, "exportResultsButton", [this] { exportResults(); });
    button(exportProfiles_, "exportProfilesButton", [this] { exportProfiles(); });
    button(report_, "reportButton", [this] { writeReport(); });
    button(delete_, "deleteButton", [this] { deleteSelected(); });
    count_ = new QLabel;
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b :
         {open_, overlayButton_, exportResults_, exportProfiles_, report_, delete_})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(count_);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(filters);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    updateButtons();
    return page;
}

QWidget* HistoryDialog::buildReportSettings() {
    auto* page = new QWidget;
    const report::ReportStyle style = report::reportStyleFor(dataFolder_, japanese_);
    companyTitle_ = new QLabel;
    logoTitle_ = new QLabel;
    company_ = new QLineEdit(style.company);
    company_->setObjectName("companyEdit");
    logo_ = new QLineEdit(style.logoFile);
    logo_->setObjectName("logoEdit");
    browseLogo_ = new QPushButton;
    connect(browseLogo_, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(
            this, {}, logo_->text(), "Images (*.png *.jpg *.jpeg *.bmp *.svg)");
        if (!file.isEmpty()) logo_->setText(file);
    });
    const auto save = [this] {
        report::saveReportStyle(dataFolder_, {company_->text(), logo_->text(), japanese_});
    };
    connect(company_, &QLineEdit::editingFinished, this, save);
    connect(logo_, &QLineEdit::textChanged, this, save);
    auto* logoRow = new QHBoxLayout;
    logoRow->addWidget(logo_, 1);
    logoRow->addWidget(browseLogo_);
    auto* form = new QFormLayout(page);
    form->addRow(companyTitle_, company_);
    form->addRow(logoTitle_, logoRow);
    return page;
}

void HistoryDialog::setJapanese(bool japanese) {
    if (japanese_ == japanese) return;
    japanese_ = japanese;
    model_->setJapanese(japanese);
    runView_->setJapanese(japanese);
    overlay_->setJapanese(japanese);
    statistics_->setJapanese(japanese);
    tolerances_->setJapanese(japanese);
    retitle();
}

void HistoryDialog::retitle() {
    const bool j = japanese_;
    setWindowTitle(pick(j, "History", "履歴"));
    const char* titles[][2] = {{"Runs", "測定一覧"},    {"Run", "測定"},
                               {"Overlay", "重ね表示"}, {"Statistics", "統計"},
                               {"Tolerances", "公差"},  {"Report", "報告書"}};
    for (int i = 0; i < tabs_->count(); ++i)
        tabs_->setTabText(i, pick(j, titles[i][0], titles[i][1]));
    partTitle_->setText(pick(j, "Part", "部品"));
    lotTitle_->setText(pick(j, "Lot", "ロット"));
    verdictTitle_->setText(pick(j, "Verdict", "判定"));
    useDates_->setText(pick(j, "Dates", "期間"));
    fromTitle_->setText(pick(j, "from", "開始"));
    toTitle_->setText(pick(j, "to", "終了"));
    open_->setText(pick(j, "Open", "開く"));
    overlayButton_->setText(pick(j, "Overlay two", "2件を重ねる"));
    exportResults_->setText(pick(j, "Export results...", "結果を出力..."));
    exportProfiles_->setText(pick(j, "Export profiles...", "曲線を出力..."));
    report_->setText(pick(j, "Report (PDF)...", "報告書 (PDF)..."));
    delete_->setText(pick(j, "Delete...", "削除..."));
    companyTitle_->setText(pick(j, "Company name", "会社名"));
    logoTitle_->setText(pick(j, "Logo image", "ロゴ画像"));
    browseLogo_->setText(pick(j, "Browse...", "参照..."));
    count_->setText(pick(j, "%1 runs", "%1 件").arg(model_->rowCount()));
}

history::RunFilter HistoryDialog::filter() const {
    history::RunFilter f;
    f.part = part_->text().trimmed().toStdString();
    f.lot = lot_->text().trimmed().toStdString();
    if (useDates_->isChecked()) {
        f.from = startOf(from_->date());
        f.to = startOf(to_->date().addDays(1));
    }
    if (verdict_->currentIndex() > 0)
        f.verdict = verdict_->currentIndex() == 1 ? quality::Verdict::Ok : quality::Verdict::Ng;
    return f;
}

void HistoryDialog::refreshRuns(std::function<void()> done) {
    using Runs = std::optional<std::vector<history::RunSummary>>;
    const int generation = ++listGeneration_;
    history_.query<Runs>(
        [f = filter()](history::HistoryDatabase& db) { return db.list(f); },
        [this, generation, done = std::move(done)](Runs runs) {
            // An answer to an older filter is dropped: a newer one is on its way.
            if (generation != listGeneration_) return;
            model_->setRuns(runs.value_or(std::vector<history::RunSummary>{}));
            count_->setText(pick(japanese_, "%1 runs", "%1 件").arg(model_->rowCount()));
            updateButtons();
            if (done) done();
        });
}

std::vector<history::RunId> HistoryDialog::selected() const {
    std::vector<int> rows;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    std::vector<history::RunId> ids;
    for (int row : rows) ids.push_back(model_->run(row).id);
    return ids;
}

void HistoryDialog::updateButtons() {
    const std::size_t n = list_->selectionModel()->selectedRows().size();
    open_->setEnabled(n == 1);
    overlayButton_->setEnabled(n == 2);
    exportResults_->setEnabled(n >= 1);
    exportProfiles_->setEnabled(n == 1);
    report_->setEnabled(n >= 1);
    delete_->setEnabled(n >= 1);
}

void HistoryDialog::openRun(history::RunId id) {
    history_.query<std::optional<history::StoredRun>>(
        [id](history::HistoryDatabase& db) { return db.load(id); },
        [this](std::optional<history::StoredRun> run) {
            if (!run) return;
            runView_->show(*run);
            tabs_->setCurrentWidget(runView_);
        });
}

void HistoryDialog::overlayRuns(history::RunId first, history::RunId second) {
    using Pair = std::pair<std::optional<history::StoredRun>, std::optional<history::StoredRun>>;
    history_.query<Pair>(
        [first, second](history::HistoryDatabase& db) {
            return Pair{db.load(first), db.load(second)};
        },
        [this](Pair runs) {
            if (!runs.first || !runs.second) return;
            overlay_->show(*runs.first, *runs.second);
            tabs_->setCurrentWidget(overlay_);
        });
}

void HistoryDialog::tell(const QString& text, bool fault) {
    auto* box = new QMessageBox(fault ? QMessageBox::Warning : QMessageBox::Information,
                                windowTitle(), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void HistoryDialog::exportResults() {
    const QString path = QFileDialog::getSaveFileName(this, {}, "results.csv", "CSV (*.csv)");
    if (path.isEmpty()) return;
    history::RunFilter only;
    only.ids = selected();
    history_.query<std::string>(
        [only, path](history::HistoryDatabase& db) {
            std::string error;
            const auto csv = db.exportCsv(only);
            if (!csv) return db.error();
            return history::writeWhole(path, *csv, error) ? std::string() : error;
        },
        [this, path](std::string error) {
            if (!error.empty()) tell(path + ": " + QString::fromStdString(error), true);
        });
}

void HistoryDialog::exportProfiles() {
    const history::RunId id = selected().front();
    const QString path =
        QFileDialog::getSaveFileName(this, {}, QString("profiles-%1.csv").arg(id), "CSV (*.csv)");
    if (path.isEmpty()) return;
    history_.query<std::string>(
        [id, path](history::HistoryDatabase& db) {
            std::string error;
            const auto run = db.load(id);
            if (!run) return db.error();
            return history::writeWhole(path, history::profilesCsv(*run), error) ? std::string()
                                                                                : error;
        },
        [this, path](std::string error) {
            if (!error.empty()) tell(path + ": " + QString::fromStdString(error), true);
        });
}

void HistoryDialog::writeReport() {
    const auto ids = selected();
    const QString path = QFileDialog::getSaveFileName(
        this, {}, ids.size() == 1 ? QString("run-%1.pdf").arg(ids.front()) : "summary.pdf",
        "PDF (*.pdf)");
    if (path.isEmpty()) return;
    using Runs = std::vector<history::StoredRun>;
    history_.query<Runs>(
        [ids](history::HistoryDatabase& db) {
            Runs runs;
            for (history::RunId id : ids)
                if (auto run = db.load(id)) runs.push_back(std::move(*run));
            return runs;
        },
        [this, path](Runs runs) {
            if (runs.empty()) return;
            const report::ReportStyle style{company_->text(), logo_->text(), japanese_};
            std::string error;
            const bool written =
                runs.size() == 1
                    ? report::writeRunReport(path, runs.front(), std::nullopt, style, error)
                    : report::writeSummaryReport(path, runs, style, error);
            if (!written) tell(path + ": " + QString::fromStdString(error), true);
        });
}

void HistoryDialog::deleteSelected() {
    const auto ids = selected();
    auto* box =
        new QMessageBox(QMessageBox::Question, windowTitle(),
                        pick(japanese_, "Delete %1 run(s) from the history? This cannot be undone.",
                             "%1 件の測定を履歴から削除しますか？元に戻せません。")
                            .arg(ids.size()),
                        QMessageBox::Yes | QMessageBox::No, this);
    box->setObjectName("deleteConfirmation");
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [this, ids](int answer) {
        if (answer != QMessageBox::Yes) return;
        history_.query<bool>([ids](history::HistoryDatabase& db) { return db.remove(ids); },
                             [this](bool) { refreshRuns(); });
    });
    box->open();
}

}  // namespace kt520::ui::desktop
