#include "ui/desktop/DesktopWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>
#include <exception>

#include "lang/Operator.h"
#include "ui/desktop/CardDialog.h"
#include "ui/desktop/ResultsPanel.h"

namespace kt520::ui::desktop {
namespace {

QString indexed(const char* name, int index) {
    return QString("%1(%2)").arg(name).arg(index);
}

// A section title such as "Conditions": bold, a little larger than the rest.
QLabel* sectionTitle(QLabel* label) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

constexpr int kRefreshIntervalMs = 33;  // about 30 a second
constexpr int kPumpRefreshMs = 16;

}  // namespace

DesktopWindow::DesktopWindow(MainWindowModel& model, CardDialogModel& card, QString dataFolder,
                             QString version, ModelBinder::FontFamilyFor familyFor)
    : model_(model),
      card_(card),
      dataFolder_(std::move(dataFolder)),
      version_(std::move(version)),
      binder_([this](const std::function<void()>& action) { dispatch(action); },
              std::move(familyFor), model.fontName),
      openedAt_(QDateTime::currentDateTime()) {
    setObjectName("fomMAIN");

    auto* left = new QVBoxLayout;
    left->addWidget(buildConnection());
    left->addWidget(buildCommands());
    left->addWidget(buildDrive());
    left->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(buildOutput());
    right->addWidget(buildStatus(), 1);

    auto* panel = new QHBoxLayout;
    panel->addLayout(left, 0);
    panel->addWidget(buildConditions(), 1);
    panel->addLayout(right, 0);
    auto* top = new QWidget;
    top->setLayout(panel);

    results_ = new ResultsPanel(dataFolder_);
    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(top);
    split->addWidget(results_);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setChildrenCollapsible(false);
    setCentralWidget(split);

    cardDialog_ = new CardDialog(
        card_, binder_, [this](const std::function<void()>& action) { dispatch(action); }, this);

    refresh();
    resize(1280, 900);
    sinceRefresh_.start();
    refreshTimer_.setInterval(kRefreshIntervalMs);
    connect(&refreshTimer_, &QTimer::timeout, this, [this] { refresh(); });
    refreshTimer_.start();
}

DesktopWindow::~DesktopWindow() = default;

QGroupBox* DesktopWindow::optionFrame(int frame, OptionArray& array, const std::vector<int>& order,
                                      int columns, int unitLabel) {
    QGroupBox* box = binder_.frame(model_.frmLAN[frame], indexed("frmLAN", frame));
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addWidget(binder_.options(array, order, columns), 1);
    if (unitLabel)
        layout->addWidget(binder_.label(model_.lblUnit[unitLabel], indexed("lblUnit", unitLabel)),
                          0, Qt::AlignBottom);
    return box;
}

QWidget* DesktopWindow::buildConnection() {
    QGroupBox* box = binder_.frame(model_.frmLAN[1], indexed("frmLAN", 1));
    auto* grid = new QGridLayout(box);
    grid->addWidget(binder_.label(model_.lblCMT[0], indexed("lblCMT", 0)), 0, 0);
    grid->addWidget(binder_.comboBox(model_.cmbCOM, "cmbCOM"), 0, 1);
    grid->addWidget(binder_.button(model_.cmdCONECT, "cmdCONECT"), 1, 0, 1, 2);
    grid->addWidget(binder_.label(model_.lblCMT[3], indexed("lblCMT", 3)), 2, 0, 1, 2);
    grid->addWidget(binder_.label(model_.lblCMT[1], indexed("lblCMT", 1)), 3, 0, 1, 2);
    return box;
}

QWidget* DesktopWindow::buildCommands() {
    auto* widget = new QWidget;
    auto* grid = new QGridLayout(widget);
    grid->setContentsMargins(0, 0, 0, 0);
    const std::pair<CommandButton*, const char*> buttons[] = {
        {&model_.cmdSTART, "cmdSTART"}, {&model_.cmdSTOP, "cmdSTOP"},
        {&model_.cmdREAD, "cmdREAD"},   {&model_.cmdRESULT, "cmdRESULT"},
        {&model_.cmdCOND, "cmdCOND"},   {&model_.cmdCARD, "cmdCARD"},
        {&model_.cmdEND, "cmdEND"}};
    int slot = 0;
    for (auto& [button, name] : buttons) {
        QPushButton* widgetButton = binder_.button(*button, name);
        widgetButton->setMinimumHeight(30);
        grid->addWidget(widgetButton, slot / 2, slot % 2);
        ++slot;
    }
    return widget;
}

QWidget* DesktopWindow::buildDrive() {
    QGroupBox* box = binder_.frame(model_.frmLAN[17], indexed("frmLAN", 17));
    auto* grid = new QGridLayout(box);
    grid->addWidget(binder_.options(model_.optART, {1, 2}, 2), 0, 0, 1, 2);
    grid->addWidget(binder_.button(model_.cmdORG, "cmdORG"), 1, 0, 1, 2);
    for (int i = 1; i <= 4; ++i)
        grid->addWidget(binder_.button(model_.cmdMOV[i], indexed("cmdMOV", i)), 2 + (i - 1) / 2,
                        (i - 1) % 2);
    return box;
}

QWidget* DesktopWindow::buildConditions() {
    auto* widget = new QWidget;
    auto* grid = new QGridLayout(widget);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(sectionTitle(binder_.label(model_.lblLAN[2], indexed("lblLAN", 2))), 0, 0, 1,
                    4);
    // Hidden entries go last, so that they leave no hole in the rows.
    grid->addWidget(optionFrame(5, model_.optUNT, {1, 2}, 1), 1, 0);
    grid->addWidget(optionFrame(2, model_.optSTD, {1, 2, 3, 4, 5, 6}, 2), 1, 1);
    grid->addWidget(optionFrame(3, model_.optCUV, {1, 2, 3, 4, 5, 6}, 2), 1, 2);
    grid->addWidget(optionFrame(4, model_.optFLT, {1, 2, 3, 4}, 2), 1, 3);

    grid->addWidget(optionFrame(6, model_.optCUT, {1, 2, 3, 4, 5}, 3, 1), 2, 0);
    QGroupBox* sections = optionFrame(8, model_.optSCT, {1, 3, 5, 6, 2, 4}, 2);
    auto* length = new QHBoxLayout;
    QLineEdit* lengthBox = binder_.textBox(model_.txtLENG, "txtLENG");
    lengthBox->setMaximumWidth(70);
    length->addWidget(lengthBox);
    length->addWidget(binder_.label(model_.lblUnit[3], indexed("lblUnit", 3)));
    static_cast<QHBoxLayout*>(sections->layout())->addLayout(length);
    grid->addWidget(sections, 2, 1);
    grid->addWidget(optionFrame(7, model_.optRNG, {5, 6, 7}, 3, 2), 2, 2);
    grid->addWidget(optionFrame(15, model_.optSPD, {0, 1, 3, 4, 2, 5}, 2, 6), 2, 3);

    grid->addWidget(optionFrame(14, model_.optTRA, {1, 0}, 2), 3, 0);
    grid->addWidget(optionFrame(11, model_.optORT, {1, 2, 3, 4}, 2), 3, 1);
    grid->addWidget(optionFrame(16, model_.optFHL, {0, 1, 2, 3, 4}, 3, 7), 3, 2);
    grid->addWidget(optionFrame(18, model_.optANX, {0, 1}, 2), 3, 3);

    grid->addWidget(optionFrame(9, model_.optMTA, {2, 3, 4, 5, 0}, 2, 4), 4, 0);
    grid->addWidget(optionFrame(10, model_.optMTB, {3, 4, 5, 6, 0, 2}, 2, 5), 4, 1);
    QGroupBox* motif = binder_.frame(model_.frmLAN[19], indexed("frmLAN", 19));
    auto* motifGrid = new QGridLayout(motif);
    motifGrid->setContentsMargins(4, 2, 4, 4);
    for (int i = 1; i <= 4; ++i)
        motifGrid->addWidget(binder_.textBox(model_.txtALEN[i], indexed("txtALEN", i)), (i - 1) / 2,
                             (i - 1) % 2);
    motifGrid->addWidget(binder_.button(model_.cmdDefault, "cmdDefault"), 2, 0);
    motifGrid->addWidget(binder_.label(model_.lblUnit[8], indexed("lblUnit", 8)), 2, 1);
    grid->addWidget(motif, 4, 2, 1, 2);
    grid->setRowStretch(5, 1);
    return widget;
}

QWidget* DesktopWindow::buildOutput() {
    auto* widget = new QWidget;
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sectionTitle(binder_.label(model_.lblLAN[1], indexed("lblLAN", 1))));
    layout->addWidget(optionFrame(12, model_.optCUW, {1, 2}, 2));
    QGroupBox* tilt = binder_.frame(model_.frmLAN[13], indexed("frmLAN", 13));
    auto* tiltLayout = new QVBoxLayout(tilt);
    tiltLayout->addWidget(binder_.checkBox(model_.chkKTM, "chkKTM"));
    layout->addWidget(tilt);
    return widget;
}

QWidget* DesktopWindow::buildStatus() {
    auto* widget = new QWidget;
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sectionTitle(binder_.label(model_.lblLAN[3], indexed("lblLAN", 3))));
    QListWidget* status = binder_.listBox(model_.lstSTATUS, "lstSTATUS");
    status->setMinimumWidth(200);
    layout->addWidget(status, 1);
    auto* line = new QHBoxLayout;
    line->addWidget(binder_.label(model_.lblCMT[2], indexed("lblCMT", 2)));
    QLabel* comment = binder_.label(model_.lblCMT[4], indexed("lblCMT", 4));
    comment->setWordWrap(true);
    line->addWidget(comment, 1);
    layout->addLayout(line);
    layout->addWidget(binder_.progressBar(model_.progressBar1, "ProgressBar1"));
    return widget;
}

void DesktopWindow::refresh() {
    sinceRefresh_.restart();
    binder_.refresh();
    if (shownCaption_ != model_.caption) {
        shownCaption_ = model_.caption;
        setWindowTitle(QString::fromStdString(model_.caption) + version_);
    }
    results_->setJapanese(model_.fontName == "ＭＳゴシック");
    cardDialog_->refresh();
}

void DesktopWindow::refreshSoon() {
    if (sinceRefresh_.elapsed() >= kPumpRefreshMs) refresh();
}

void DesktopWindow::dispatch(const std::function<void()>& action) {
    if (ended_) return;
    ++depth_;
    try {
        action();
    } catch (const lang::ProgramEnded&) {
        endProgram();
    } catch (const std::exception& error) {
        // The core reports through the operator; anything else is a fault of
        // this program. Say so and keep the window alive.
        QMessageBox::critical(this, "KT-520", QString::fromUtf8(error.what()));
    }
    --depth_;
    refresh();
    if (depth_ > 0) return;
    if (ended_) {
        close();
        return;
    }
    reloadRunFilesIfChanged();
}

void DesktopWindow::endProgram() {
    if (ended_) return;
    ended_ = true;
    refreshTimer_.stop();
    if (onProgramEnded) onProgramEnded();
}

void DesktopWindow::execCardDialog() {
    refresh();
    if (card_.shown) cardDialog_->exec();
}

void DesktopWindow::reloadRunFilesIfChanged() {
    const QDir folder(dataFolder_);
    bool changed = false;
    for (const char* name : kRunFileNames) {
        const QFileInfo info(folder.filePath(name));
        const QDateTime stamp = info.exists() ? info.lastModified() : QDateTime();
        auto& seen = runFilesSeen_[name];
        if (seen != stamp) changed = true;
        seen = stamp;
    }
    // Files from before the window opened belong to an earlier session.
    if (!changed) return;
    RunFilesView run = readRunFiles(dataFolder_, model_.optUNT.isSelected(2));
    bool fresh = false;
    for (const QString& path : run.files) fresh |= QFileInfo(path).lastModified() >= openedAt_;
    if (fresh) results_->show(run);
}

void DesktopWindow::closeEvent(QCloseEvent* event) {
    if (!ended_) {
        // The title bar's close button is the Exit button; while a run is busy
        // Exit is disabled, and so is closing.
        if (!model_.cmdEND.enabled) {
            event->ignore();
            return;
        }
        dispatch([this] { model_.cmdEND.click(); });
        if (!ended_) endProgram();
    }
    refreshTimer_.stop();
    event->accept();
}

}  // namespace kt520::ui::desktop
