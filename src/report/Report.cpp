#include "report/Report.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSettings>
#include <algorithm>
#include <cmath>
#include <map>

#include "history/HistoryTarget.h"
#include "history/RunText.h"
#include "profile/NumberText.h"
#include "quality/Statistics.h"

namespace kt520::report {
namespace {

using history::StoredRun;
using quality::Verdict;

constexpr int kDpi = 300;
constexpr double kMarginMm = 14;

int mm(double millimetres) {
    return static_cast<int>(std::lround(millimetres * kDpi / 25.4));
}

QString number(double value) {
    return QString::number(value, 'g', 5);
}

QString limitText(const std::optional<double>& value) {
    return value ? number(*value) : QStringLiteral("-");
}

const QColor kOk(0x1b, 0x7f, 0x3b);
const QColor kNg(0xc6, 0x28, 0x28);

QColor verdictColour(Verdict verdict) {
    return verdict == Verdict::Ng ? kNg : verdict == Verdict::Ok ? kOk : QColor(Qt::black);
}

// The page as it fills: a cursor that runs down the page, a new page when the
// next block does not fit.
class Sheet {
  public:
    Sheet(QPdfWriter& writer, const ReportStyle& style)
        : writer_(writer), painter_(&writer), style_(style) {
        width_ = writer.width() - 2 * mm(kMarginMm);
        bottom_ = writer.height() - mm(kMarginMm);
        y_ = mm(kMarginMm);
        family_ =
            style.japanese ? QStringLiteral("Noto Sans CJK JP") : QStringLiteral("DejaVu Sans");
    }

    QString tr(const char* english, const char* japanese) const {
        return QString::fromUtf8(style_.japanese ? japanese : english);
    }
    QPainter& painter() { return painter_; }
    int left() const { return mm(kMarginMm); }
    int width() const { return width_; }
    int& y() { return y_; }

    void font(double points, bool bold = false) {
        QFont font(family_);
        font.setPointSizeF(points);
        font.setBold(bold);
        painter_.setFont(font);
    }
    int lineHeight() const { return painter_.fontMetrics().height(); }

    void room(int height) {
        if (y_ + height <= bottom_) return;
        writer_.newPage();
        y_ = mm(kMarginMm);
    }

    // One line of text at the cursor, in `colour`.
    void line(const QString& text, QColor colour = Qt::black) {
        room(lineHeight());
        painter_.setPen(colour);
        painter_.drawText(QRect(left(), y_, width_, lineHeight()), Qt::AlignLeft | Qt::AlignVCenter,
                          text);
        y_ += lineHeight();
    }

    void heading(const QString& text) {
        y_ += mm(3);
        font(11, true);
        room(lineHeight() * 3);
        line(text);
        painter_.setPen(QPen(Qt::gray, 2));
        painter_.drawLine(left(), y_, left() + width_, y_);
        y_ += mm(1.5);
        font(9);
    }

    // Rows of cells, columns at the given shares of the width; a cell's
    // colour (if any) fills its background.
    struct Cell {
        QString text;
        std::optional<QColor> fill;
    };
    void table(const std::vector<double>& shares, const std::vector<std::vector<Cell>>& rows,
               bool header = true) {
        const int height = lineHeight() + mm(1);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            room(height);
            int x = left();
            if (header && r == 0)
                painter_.fillRect(left(), y_, width_, height, QColor(0xe8, 0xe8, 0xe8));
            for (std::size_t c = 0; c < rows[r].size() && c < shares.size(); ++c) {
                const int w = static_cast<int>(shares[c] * width_);
                const Cell& cell = rows[r][c];
                if (cell.fill) painter_.fillRect(x, y_, w, height, *cell.fill);
                painter_.setPen(cell.fill ? Qt::white : Qt::black);
                painter_.drawText(QRect(x + mm(1), y_, w - mm(2), height),
                                  Qt::AlignLeft | Qt::AlignVCenter, cell.text);
                x += w;
            }
            y_ += height;
        }
    }

  private:
    QPdfWriter& writer_;
    QPainter painter_;
    const ReportStyle& style_;
    QString family_;
    int width_ = 0;
    int bottom_ = 0;
    int y_ = 0;
};

void header(Sheet& sheet, const ReportStyle& style, const QString& title) {
    QPainter& p = sheet.painter();
    int logoWidth = 0;
    const QImage logo = style.logoFile.isEmpty() ? QImage() : QImage(style.logoFile);
    if (!logo.isNull()) {
        const QImage scaled = logo.scaledToHeight(mm(14), Qt::SmoothTransformation);
        p.drawImage(sheet.left(), sheet.y(), scaled);
        logoWidth = scaled.width() + mm(4);
    }
    sheet.font(13, true);
    p.setPen(Qt::black);
    p.drawText(QRect(sheet.left() + logoWidth, sheet.y(), sheet.width() - logoWidth, mm(7)),
               Qt::AlignLeft | Qt::AlignVCenter, style.company);
    sheet.font(15, true);
    p.drawText(QRect(sheet.left() + logoWidth, sheet.y() + mm(7), sheet.width() - logoWidth, mm(8)),
               Qt::AlignLeft | Qt::AlignVCenter, title);
    sheet.y() += mm(17);
    sheet.font(9);
}

// The heights over the traverse in a framed plot with its scales; each pixel
// column draws the span of the points that fall into it.
void plot(Sheet& sheet, const QString& title, const std::vector<double>& heights, double step,
          const QString& xUnit, const QString& yUnit) {
    const int height = mm(52);
    sheet.font(9, true);
    sheet.room(height + sheet.lineHeight());
    sheet.line(title);
    sheet.font(7);
    QPainter& p = sheet.painter();
    const int axisLeft = mm(16);
    const QRect area(sheet.left() + axisLeft, sheet.y() + mm(1), sheet.width() - axisLeft - mm(2),
                     height - mm(10));
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(area);
    if (!heights.empty()) {
        const auto [lowIt, highIt] = std::minmax_element(heights.begin(), heights.end());
        const double low = *lowIt, high = std::max(*highIt, *lowIt + 1e-9);
        const double span = high - low;
        const double xEnd = std::max(1.0, static_cast<double>(heights.size() - 1)) * step;
        const auto yOf = [&](double v) {
            return area.bottom() - (v - low + 0.05 * span) / (1.1 * span) * area.height();
        };
        QPen grid(QColor(0xd0, 0xd0, 0xd0), 1);
        for (int i = 0; i <= 4; ++i) {
            const double v = low - 0.05 * span + 1.1 * span * i / 4;
            const int y = static_cast<int>(yOf(v));
            p.setPen(grid);
            p.drawLine(area.left(), y, area.right(), y);
            p.setPen(Qt::black);
            p.drawText(QRect(sheet.left(), y - mm(2), axisLeft - mm(1), mm(4)),
                       Qt::AlignRight | Qt::AlignVCenter, number(v));
            const int x = area.left() + area.width() * i / 4;
            p.setPen(grid);
            p.drawLine(x, area.top(), x, area.bottom());
            p.setPen(Qt::black);
            p.drawText(QRect(x - mm(10), area.bottom() + mm(0.5), mm(20), mm(4)), Qt::AlignCenter,
                       number(xEnd * i / 4));
        }
        QPainterPath path;
        const int columns = area.width();
        const std::size_t n = heights.size();
        for (int c = 0; c < columns; ++c) {
            const std::size_t from =
                n * static_cast<std::size_t>(c) / static_cast<std::size_t>(columns);
            const std::size_t to = std::max(
                from + 1, n * static_cast<std::size_t>(c + 1) / static_cast<std::size_t>(columns));
            if (from >= n) break;
            const auto [a, b] =
                std::minmax_element(heights.begin() + static_cast<long>(from),
                                    heights.begin() + static_cast<long>(std::min(to, n)));
            const double x = area.left() + c;
            if (path.isEmpty())
                path.moveTo(x, yOf(*a));
            else
                path.lineTo(x, yOf(*a));
            path.lineTo(x, yOf(*b));
        }
        p.setPen(QPen(QColor(0x15, 0x4c, 0x9e), 2));
        p.drawPath(path);
    }
    p.setPen(Qt::black);
    p.drawText(QRect(area.left(), area.bottom() + mm(4), area.width(), mm(4)), Qt::AlignCenter,
               xUnit);
    p.save();
    p.translate(sheet.left() - mm(0.5), area.center().y());
    p.rotate(-90);
    p.drawText(QRect(-mm(20), -mm(1), mm(40), mm(4)), Qt::AlignCenter, yUnit);
    p.restore();
    sheet.y() += height;
    sheet.font(9);
}

QString acceptanceText(const Sheet& sheet, const quality::InspectionStep& step) {
    switch (*step.overall) {
        case quality::Acceptance::Accepted:
            return sheet.tr("Part accepted after %1 trace(s)", "%1 回の測定で部品は合格")
                .arg(step.trace);
        case quality::Acceptance::Rejected:
            return sheet.tr("Part rejected after %1 trace(s)", "%1 回の測定で部品は不合格")
                .arg(step.trace);
        case quality::Acceptance::AnotherTrace:
            break;
    }
    return sheet.tr("Trace %1: another trace needed", "%1 回目: 追加の測定が必要").arg(step.trace);
}

void runBody(Sheet& sheet, const StoredRun& run,
             const std::optional<quality::InspectionStep>& acceptance) {
    const QString q = QStringLiteral(": ");
    const auto s = [](const std::string& text) { return QString::fromStdString(text); };
    sheet.table({0.16, 0.34, 0.16, 0.34},
                {{{sheet.tr("Part", "部品") + q, {}},
                  {s(run.labels.part), {}},
                  {sheet.tr("Date", "日時") + q, {}},
                  {history::localTimeText(run.finishedAt), {}}},
                 {{sheet.tr("Lot", "ロット") + q, {}},
                  {s(run.labels.lot), {}},
                  {sheet.tr("Instrument", "測定機") + q, {}},
                  {s(run.model), {}}},
                 {{sheet.tr("Operator", "測定者") + q, {}},
                  {s(run.labels.operatorName), {}},
                  {sheet.tr("Firmware", "ファームウェア") + q, {}},
                  {s(run.firmware), {}}},
                 {{sheet.tr("Run", "測定番号") + q, {}},
                  {QString::number(run.id), {}},
                  {sheet.tr("Station", "端末") + q, {}},
                  {s(run.station), {}}}},
                false);
    sheet.y() += mm(2);
    sheet.font(16, true);
    const Verdict overall = run.verdict.overall;
    sheet.line(sheet.tr("Verdict: ", "判定: ") + quality::verdictWord(overall),
               verdictColour(overall));
    sheet.font(10);
    if (acceptance && acceptance->overall) sheet.line(acceptanceText(sheet, *acceptance));

    sheet.heading(sheet.tr("Conditions", "測定条件"));
    for (const std::string& line : run.listing) sheet.line(s(line));

    const double pitch = run.conditions.samplingPitchText.empty()
                             ? 0.0
                             : profile::readValue(run.conditions.samplingPitchText);
    const double step = pitch > 0 ? pitch / (run.inch ? 25400.0 : 1000.0) : 1.0;
    const QString xUnit = pitch > 0
                              ? sheet.tr("Position (%1)", "位置 (%1)").arg(run.inch ? "inch" : "mm")
                              : sheet.tr("Point", "点番号");
    const QString yUnit = sheet.tr("Height (%1)", "高さ (%1)").arg(run.inch ? "µinch" : "µm");
    sheet.heading(sheet.tr("Profiles", "曲線"));
    plot(sheet, sheet.tr("Measured profile", "測定曲線"), run.measured, step, xUnit, yUnit);
    plot(sheet, sheet.tr("Evaluation profile", "評価曲線"), run.evaluation, step, xUnit, yUnit);

    sheet.heading(sheet.tr("Results", "測定結果"));
    std::vector<std::vector<Sheet::Cell>> rows{{{sheet.tr("Parameter", "パラメータ"), {}},
                                                {sheet.tr("Value", "値"), {}},
                                                {sheet.tr("Unit", "単位"), {}},
                                                {sheet.tr("Lower limit", "下限"), {}},
                                                {sheet.tr("Upper limit", "上限"), {}},
                                                {sheet.tr("Rule", "規則"), {}},
                                                {sheet.tr("Verdict", "判定"), {}}}};
    for (const quality::ParameterVerdict& p : run.verdict.parameters) {
        const auto& limit = p.limit;
        std::optional<QColor> fill;
        if (p.verdict != Verdict::NotJudged) fill = verdictColour(p.verdict);
        rows.push_back({{s(p.name), {}},
                        {p.value ? number(*p.value) : sheet.tr("missing", "なし"), {}},
                        {s(p.unit), {}},
                        {limit ? limitText(limit->low) : QString(), {}},
                        {limit ? limitText(limit->high) : QString(), {}},
                        {limit ? QString(quality::ruleName(limit->rule)) : QString(), {}},
                        {quality::verdictWord(p.verdict), fill}});
    }
    sheet.table({0.24, 0.16, 0.1, 0.14, 0.14, 0.1, 0.12}, rows);

    sheet.heading(sheet.tr("Instrument's results", "測定機の結果"));
    std::vector<std::vector<Sheet::Cell>> fields;
    constexpr std::size_t kColumns = 4;
    for (std::size_t i = 0; i < run.results.size(); i += kColumns) {
        std::vector<Sheet::Cell> row;
        for (std::size_t j = i; j < std::min(i + kColumns, run.results.size()); ++j)
            row.push_back({QString("%1: %2").arg(j + 1).arg(s(run.results[j])), {}});
        fields.push_back(std::move(row));
    }
    sheet.table({0.25, 0.25, 0.25, 0.25}, fields, false);
}

// Renders into memory, then writes the file whole.
template <typename Draw>
bool render(const QString& path, const QString& title, const ReportStyle& style, std::string& error,
            Draw draw) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kDpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setCreator(QStringLiteral("kt520"));
        writer.setTitle(title);
        Sheet sheet(writer, style);
        draw(sheet);
    }
    return history::writeWhole(path, bytes.toStdString(), error);
}

}  // namespace

ReportStyle reportStyleFor(const std::string& dataFolder, bool japanese) {
    const QSettings settings(
        QDir(QString::fromStdString(dataFolder)).filePath(history::kSettingsFileName),
        QSettings::IniFormat);
    return {settings.value("report/company").toString(), settings.value("report/logo").toString(),
            japanese};
}

void saveReportStyle(const std::string& dataFolder, const ReportStyle& style) {
    QSettings settings(
        QDir(QString::fromStdString(dataFolder)).filePath(history::kSettingsFileName),
        QSettings::IniFormat);
    settings.setValue("report/company", style.company);
    settings.setValue("report/logo", style.logoFile);
}

bool writeRunReport(const QString& path, const StoredRun& run,
                    const std::optional<quality::InspectionStep>& acceptance,
                    const ReportStyle& style, std::string& error) {
    const QString title =
        QString::fromUtf8(style.japanese ? "表面粗さ測定報告書" : "Surface roughness report");
    return render(path, title, style, error, [&](Sheet& sheet) {
        header(sheet, style, title);
        runBody(sheet, run, acceptance);
    });
}

bool writeSummaryReport(const QString& path, const std::vector<StoredRun>& runs,
                        const ReportStyle& style, std::string& error) {
    const QString title =
        QString::fromUtf8(style.japanese ? "表面粗さ測定集計" : "Surface roughness summary");
    return render(path, title, style, error, [&](Sheet& sheet) {
        header(sheet, style, title);
        const auto s = [](const std::string& text) { return QString::fromStdString(text); };
        sheet.heading(sheet.tr("Runs", "測定") + QString(" (%1)").arg(runs.size()));
        std::vector<std::vector<Sheet::Cell>> rows{{{sheet.tr("Run", "番号"), {}},
                                                    {sheet.tr("Date", "日時"), {}},
                                                    {sheet.tr("Part", "部品"), {}},
                                                    {sheet.tr("Lot", "ロット"), {}},
                                                    {sheet.tr("Operator", "測定者"), {}},
                                                    {sheet.tr("Instrument", "測定機"), {}},
                                                    {sheet.tr("Verdict", "判定"), {}}}};
        // Parameter -> its values (in the limits' unit) and the newest limit given with it.
        std::vector<std::string> names;
        std::map<std::string, std::pair<std::vector<double>, std::optional<quality::Limit>>> values;
        for (const StoredRun& run : runs) {
            rows.push_back(
                {{QString::number(run.id), {}},
                 {history::localTimeText(run.finishedAt), {}},
                 {s(run.labels.part), {}},
                 {s(run.labels.lot), {}},
                 {s(run.labels.operatorName), {}},
                 {s(run.model + " " + run.firmware), {}},
                 {quality::verdictWord(run.verdict.overall), verdictColour(run.verdict.overall)}});
            for (const quality::ParameterVerdict& p : run.verdict.parameters) {
                if (!p.value) continue;
                auto [at, added] = values.try_emplace(p.name);
                if (added) names.push_back(p.name);
                at->second.first.push_back(quality::comparableValue(*p.value, p.unit));
                if (p.limit && !at->second.second) at->second.second = p.limit;
            }
        }
        sheet.table({0.08, 0.22, 0.16, 0.14, 0.14, 0.16, 0.1}, rows);
        sheet.heading(sheet.tr("Statistics", "統計"));
        std::vector<std::vector<Sheet::Cell>> stats{{{sheet.tr("Parameter", "パラメータ"), {}},
                                                     {"n", {}},
                                                     {sheet.tr("Mean", "平均"), {}},
                                                     {sheet.tr("Std. dev.", "標準偏差"), {}},
                                                     {"Min", {}},
                                                     {"Max", {}},
                                                     {sheet.tr("Limits", "規格"), {}},
                                                     {"Cp", {}},
                                                     {"Cpk", {}}}};
        const auto optional = [](const std::optional<double>& v) {
            return v ? number(*v) : QString("-");
        };
        for (const std::string& name : names) {
            const auto& [series, limit] = values[name];
            const quality::Statistics st = quality::describe(series, limit);
            const QString limits =
                limit ? limitText(limit->low) + " .. " + limitText(limit->high) : QString();
            stats.push_back({{s(name), {}},
                             {QString::number(st.n), {}},
                             {number(st.mean), {}},
                             {optional(st.standardDeviation), {}},
                             {number(st.min), {}},
                             {number(st.max), {}},
                             {limits, {}},
                             {optional(st.cp), {}},
                             {optional(st.cpk), {}}});
        }
        sheet.table({0.2, 0.06, 0.11, 0.11, 0.1, 0.1, 0.16, 0.08, 0.08}, stats);
    });
}

}  // namespace kt520::report
