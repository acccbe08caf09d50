#include "ui/desktop/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "lang/LanguageFonts.h"
#include "ui/PanelForm.h"
#include "ui/desktop/CardDialog.h"
#include "ui/desktop/ResultsPanel.h"
#include "ui/desktop/RunLabelsBar.h"

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

// At most about 60 refreshes a second, however often the forms change.
constexpr qint64 kRefreshIntervalMs = 16;

const QSize kPreferredSize(1280, 900);
// What a desktop's title bar and borders take around the window.
const QSize kWindowFrame(16, 40);

std::vector<QString> qStrings(const std::vector<std::string>& texts) {
    std::vector<QString> out;
    for (const std::string& text : texts) out.push_back(QString::fromStdString(text));
    return out;
}

}  // namespace

MainWindow::MainWindow(QString version, ModelBinder::FontFamilyFor familyFor)
    : version_(std::move(version)), familyFor_(std::move(familyFor)), messages_(this) {
    setObjectName("fomMAIN");
    refreshTimer_.setSingleShot(true);
    connect(&refreshTimer_, &QTimer::timeout, this, [this] { refresh(); });
    publishTimer_.setSingleShot(true);
    connect(&publishTimer_, &QTimer::timeout, this, [this] { results_->show(published_); });
    sinceRefresh_.start();
}

void MainWindow::attach(MainForm& form, CardForm& card) {
    form_ = &form;
    card_ = &card;
    binder_.emplace([this](const std::function<void()>& action) { act(action); }, familyFor_,
                    form.fontName);

    auto* left = new QVBoxLayout;
    left->addWidget(buildConnection());
    left->addWidget(buildCommands());
    left->addWidget(buildDrive());
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left, 0);
    top->addWidget(buildConditions(), 1);

    results_ = new ResultsPanel;
    results_->showMessage = [this](const session::Message& message) { messages_.show(message); };
    auto* lower = new QHBoxLayout;
    lower->addWidget(buildResultList(), 0);
    lower->addWidget(results_, 1);

    // The panel keeps its size; the results take what is left, down to a
    // 1024x768 screen.
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 4);
    layout->addLayout(top, 0);
    layout->addLayout(lower, 1);
    layout->addWidget(buildStatus(), 0);
    setCentralWidget(central);

    cardDialog_ = new CardDialog(card, *binder_, this);
    refresh();
    resize(kPreferredSize.boundedTo(screen()->availableSize() - kWindowFrame));
}

MainWindow::~MainWindow() = default;

QGroupBox* MainWindow::optionFrame(int frame, OptionArray& array, const std::vector<int>& order,
                                   int columns, int unitLabel) {
    QGroupBox* box = binder_->frame(form_->frmLAN[frame], indexed("frmLAN", frame));
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(3, 2, 3, 3);
    QWidget* options = binder_->options(array, order, columns);
    for (int index : order)
        captionRoom_.reserveButton(
            options->findChild<QWidget*>(QString::fromStdString(array.name()) +
                                         QString("(%1)").arg(index)),
            qStrings(unitCaptions(*form_, array, index)));
    layout->addWidget(options, 1);
    if (unitLabel) layout->addWidget(unitLabelFor(unitLabel), 0, Qt::AlignBottom);
    return box;
}

QLabel* MainWindow::unitLabelFor(int index) {
    QLabel* label = binder_->label(form_->lblUnit[index], indexed("lblUnit", index));
    captionRoom_.reserveLabel(label, qStrings(unitLabelCaptions(index)));
    return label;
}

QWidget* MainWindow::buildConnection() {
    QGroupBox* box = binder_->frame(form_->frmLAN[1], indexed("frmLAN", 1));
    auto* grid = new QGridLayout(box);
    grid->addWidget(binder_->label(form_->lblCMT[0], indexed("lblCMT", 0)), 0, 0);
    grid->addWidget(binder_->comboBox(form_->cmbCOM, "cmbCOM"), 0, 1);
    grid->addWidget(binder_->button(form_->cmdCONECT, "cmdCONECT"), 1, 0, 1, 2);
    grid->addWidget(binder_->label(form_->lblCMT[3], indexed("lblCMT", 3)), 2, 0, 1, 2);
    grid->addWidget(binder_->label(form_->lblCMT[1], indexed("lblCMT", 1)), 3, 0, 1, 2);
    return box;
}

QWidget* MainWindow::buildCommands() {
    auto* widget = new QWidget;
    auto* grid = new QGridLayout(widget);
    grid->setContentsMargins(0, 0, 0, 0);
    const std::pair<CommandButton*, const char*> buttons[] = {
        {&form_->cmdSTART, "cmdSTART"}, {&form_->cmdSTOP, "cmdSTOP"},
        {&form_->cmdREAD, "cmdREAD"},   {&form_->cmdRESULT, "cmdRESULT"},
        {&form_->cmdCOND, "cmdCOND"},   {&form_->cmdCARD, "cmdCARD"},
        {&form_->cmdEND, "cmdEND"}};
    int slot = 0;
    for (auto& [button, name] : buttons) {
        QPushButton* widgetButton = binder_->button(*button, name);
        widgetButton->setMinimumHeight(30);
        grid->addWidget(widgetButton, slot / 2, slot % 2);
        ++slot;
    }
    return widget;
}

QWidget* MainWindow::buildDrive() {
    QGroupBox* box = binder_->frame(form_->frmLAN[17], indexed("frmLAN", 17));
    auto* grid = new QGridLayout(box);
    grid->addWidget(binder_->options(form_->optART, {1, 2}, 2), 0, 0, 1, 2);
    grid->addWidget(binder_->button(form_->cmdORG, "cmdORG"), 1, 0, 1, 2);
    for (int i = 1; i <= 4; ++i)
        grid->addWidget(binder_->button(form_->cmdMOV[i], indexed("cmdMOV", i)), 2 + (i - 1) / 2,
                        (i - 1) % 2);
    return box;
}

// Four columns of frames; the output frames share the last row with the
// motif entries, so that the panel fits a 1024x768 screen.
QWidget* MainWindow::buildConditions() {
    auto* widget = new QWidget;
    auto* grid = new QGridLayout(widget);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(4);
    grid->addWidget(sectionTitle(binder_->label(form_->lblLAN[2], indexed("lblLAN", 2))), 0, 0, 1,
                    4);
    // Hidden entries go last, so that they leave no hole in the rows.
    grid->addWidget(optionFrame(5, form_->optUNT, {1, 2}, 1), 1, 0);
    grid->addWidget(optionFrame(2, form_->optSTD, {1, 2, 3, 4, 5, 6}, 2), 1, 1);
    grid->addWidget(optionFrame(3, form_->optCUV, {1, 2, 3, 4, 5, 6}, 2), 1, 2);
    grid->addWidget(optionFrame(4, form_->optFLT, {1, 2, 3, 4}, 2), 1, 3);

    grid->addWidget(optionFrame(6, form_->optCUT, {1, 2, 3, 4, 5}, 2, 1), 2, 0);
    QGroupBox* sections = optionFrame(8, form_->optSCT, {1, 3, 5, 6, 2, 4}, 2);
    auto* length = new QHBoxLayout;
    QLineEdit* lengthBox = binder_->textBox(form_->txtLENG, "txtLENG");
    lengthBox->setMaximumWidth(60);
    length->addWidget(lengthBox);
    length->addWidget(unitLabelFor(3));
    static_cast<QHBoxLayout*>(sections->layout())->addLayout(length);
    grid->addWidget(sections, 2, 1);
    grid->addWidget(optionFrame(7, form_->optRNG, {5, 6, 7}, 2, 2), 2, 2);
    grid->addWidget(optionFrame(15, form_->optSPD, {0, 1, 3, 4, 2, 5}, 2, 6), 2, 3);

    grid->addWidget(optionFrame(14, form_->optTRA, {1, 0}, 2), 3, 0);
    grid->addWidget(optionFrame(11, form_->optORT, {1, 2, 3, 4}, 2), 3, 1);
    grid->addWidget(optionFrame(16, form_->optFHL, {0, 1, 2, 3, 4}, 2, 7), 3, 2);
    grid->addWidget(optionFrame(18, form_->optANX, {0, 1}, 2), 3, 3);

    grid->addWidget(optionFrame(9, form_->optMTA, {2, 3, 4, 5, 0}, 2, 4), 4, 0);
    grid->addWidget(optionFrame(10, form_->optMTB, {3, 4, 5, 6, 0, 2}, 2, 5), 4, 1);
    QGroupBox* motif = binder_->frame(form_->frmLAN[19], indexed("frmLAN", 19));
    auto* motifGrid = new QGridLayout(motif);
    motifGrid->setContentsMargins(3, 2, 3, 3);
    // One box a row, each wide enough for the range it shows until a length is entered.
    for (int i = 1; i <= 4; ++i) {
        QLineEdit* box = binder_->textBox(form_->txtALEN[i], indexed("txtALEN", i));
        const QString range = QString::fromStdString(form_->txtALEN[i].toolTip);
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(range) * 11 / 10 + 8);
        motifGrid->addWidget(box, i - 1, 0, 1, 2);
    }
    motifGrid->addWidget(binder_->button(form_->cmdDefault, "cmdDefault"), 4, 0);
    motifGrid->addWidget(unitLabelFor(8), 4, 1);
    grid->addWidget(motif, 4, 2);
    grid->addWidget(buildOutput(), 4, 3, Qt::AlignTop);
    grid->setRowStretch(5, 1);
    return widget;
}

QWidget* MainWindow::buildOutput() {
    auto* widget = new QWidget;
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(sectionTitle(binder_->label(form_->lblLAN[1], indexed("lblLAN", 1))));
    layout->addWidget(optionFrame(12, form_->optCUW, {1, 2}, 2));
    QGroupBox* tilt = binder_->frame(form_->frmLAN[13], indexed("frmLAN", 13));
    auto* tiltLayout = new QVBoxLayout(tilt);
    tiltLayout->setContentsMargins(6, 2, 3, 3);
    tiltLayout->addWidget(binder_->checkBox(form_->chkKTM, "chkKTM"));
    layout->addWidget(tilt);
    return widget;
}

// The instrument's result fields as it sent them.
QWidget* MainWindow::buildResultList() {
    auto* widget = new QWidget;
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sectionTitle(binder_->label(form_->lblLAN[3], indexed("lblLAN", 3))));
    QListWidget* list = binder_->listBox(form_->lstSTATUS, "lstSTATUS");
    list->setMinimumWidth(100);
    list->setMaximumWidth(list->fontMetrics().horizontalAdvance("-00000.000") * 3 / 2);
    layout->addWidget(list, 1);
    return widget;
}

// The status line across the foot of the window, with the progress bar while
// profile points arrive.
QWidget* MainWindow::buildStatus() {
    auto* widget = new QWidget;
    auto* line = new QHBoxLayout(widget);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(binder_->label(form_->lblCMT[2], indexed("lblCMT", 2)), 0, Qt::AlignTop);
    QLabel* comment = binder_->label(form_->lblCMT[4], indexed("lblCMT", 4));
    comment->setWordWrap(true);
    line->addWidget(comment, 1);
    QProgressBar* bar = binder_->progressBar(form_->progressBar1, "ProgressBar1");
    bar->setFixedWidth(240);
    line->addWidget(bar, 0, Qt::AlignTop);
    return widget;
}

void MainWindow::refresh() {
    refreshTimer_.stop();
    sinceRefresh_.restart();
    if (form_ == nullptr) return;
    binder_->refresh();
    captionRoom_.update();
    if (shownCaption_ != form_->caption) {
        shownCaption_ = form_->caption;
        setWindowTitle(QString::fromStdString(form_->caption) + version_);
    }
    results_->setJapanese(form_->fontName == lang::kJapaneseFace);
    if (labelsBar_) labelsBar_->setJapanese(form_->fontName == lang::kJapaneseFace);
    cardDialog_->refresh();
}

// One refresh on a later round of the event loop for all the changes until
// then, and no sooner than the interval after the last one.
void MainWindow::formChanged() {
    if (refreshTimer_.isActive() || ended_) return;
    refreshTimer_.start(
        static_cast<int>(std::max<qint64>(0, kRefreshIntervalMs - sinceRefresh_.elapsed())));
}

void MainWindow::act(const std::function<void()>& action) {
    if (ended_) return;
    action();
    formChanged();
}

void MainWindow::showMessage(const session::Message& message) {
    messages_.show(message);
}

void MainWindow::beep() {
    QApplication::beep();
}

// On a later round of the event loop: the run's last steps (the files) and
// the plots then each have a round of their own.
void MainWindow::runEnded(const measurement::RunRecord& record) {
    published_ = record;
    publishTimer_.start(0);
}

void MainWindow::attachHistory(app::RunKeeper& keeper, std::string dataFolder) {
    labelsBar_ = new RunLabelsBar(keeper, std::move(dataFolder), this);
    results_->addAbovePlots(labelsBar_);
}

void MainWindow::runJudged(const quality::RunJudgement& judgement) {
    if (labelsBar_) labelsBar_->showJudgement(judgement);
    results_->showVerdict(judgement.verdict);
}

void MainWindow::runStored(const history::StoreOutcome&) {
    if (labelsBar_) labelsBar_->runStored();
}

void MainWindow::cardDialogOpened() {
    refresh();
    if (card_->shown) cardDialog_->open();
}

// The window closes once every message still showing has been read: the
// message that ended the program must be seen before it goes.
void MainWindow::programEnds(bool byOperator) {
    if (ended_) return;
    ended_ = true;
    exitStatus_ = byOperator ? 0 : 1;
    refreshTimer_.stop();
    if (messages_.pending())
        messages_.onAllAcknowledged = [this] { closeAndEnd(); };
    else
        closeAndEnd();
}

void MainWindow::closeAndEnd() {
    close();
    if (onEnded) onEnded(exitStatus_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The title bar's close button is the Exit button; while a run is busy
    // Exit is disabled, and so is closing.
    if (!ended_ && form_ != nullptr) {
        form_->cmdEND.click();
        if (!ended_) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

}  // namespace kt520::ui::desktop
