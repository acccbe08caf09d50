#include "app/StateDump.h"

#include <QJsonArray>
#include <charconv>

#include "app/ControlRegistry.h"
#include "profile/NumberText.h"

namespace kt520::app {
namespace {

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

QJsonArray items(const std::vector<std::string>& values) {
    QJsonArray out;
    for (const std::string& value : values) out.append(text(value));
    return out;
}

// What every control shows; `withCaption` is false where the caption is not shown.
QJsonObject common(const ui::Control& control, bool withCaption = true) {
    QJsonObject out;
    if (withCaption) out[QStringLiteral("caption")] = text(control.caption);
    out[QStringLiteral("enabled")] = control.enabled;
    out[QStringLiteral("visible")] = control.visible;
    out[QStringLiteral("toolTip")] = text(control.toolTip);
    out[QStringLiteral("foreColor")] = static_cast<double>(control.foreColour);
    out[QStringLiteral("backColor")] = static_cast<double>(control.backColour);
    if (!control.fontName.empty()) out[QStringLiteral("fontName")] = text(control.fontName);
    return out;
}

struct ControlJson {
    QJsonObject operator()(ui::Control* control) const { return common(*control); }
    QJsonObject operator()(ui::CommandButton* button) const { return common(*button); }
    QJsonObject operator()(ui::CheckBox* box) const {
        QJsonObject out = common(*box);
        out[QStringLiteral("checked")] = box->checked;
        return out;
    }
    QJsonObject operator()(ui::TextBox* box) const {
        QJsonObject out = common(*box, false);
        out[QStringLiteral("text")] = text(box->text);
        return out;
    }
    QJsonObject operator()(ui::ComboBox* box) const {
        QJsonObject out = common(*box, false);
        out[QStringLiteral("text")] = text(box->text);
        out[QStringLiteral("items")] = items(box->items);
        return out;
    }
    QJsonObject operator()(ui::ListBox* box) const {
        QJsonObject out = common(*box, false);
        out[QStringLiteral("items")] = items(box->items);
        return out;
    }
    QJsonObject operator()(ui::ProgressBar* bar) const {
        QJsonObject out = common(*bar, false);
        out[QStringLiteral("min")] = bar->min;
        out[QStringLiteral("max")] = bar->max;
        out[QStringLiteral("value")] = bar->value;
        return out;
    }
    QJsonObject operator()(OptionEntry entry) const {
        const ui::OptionButton& button = (*entry.array)[entry.index];
        QJsonObject out = common(button);
        out[QStringLiteral("selected")] = button.selected;
        return out;
    }
};

QJsonObject controlsJson(const std::vector<NamedControl>& controls) {
    QJsonObject out;
    for (const NamedControl& named : controls)
        out[text(named.name)] = std::visit(ControlJson{}, named.control);
    return out;
}

QJsonObject windowItself(const std::string& caption, const std::string& fontName) {
    QJsonObject out;
    out[QStringLiteral("caption")] = text(caption);
    if (!fontName.empty()) out[QStringLiteral("fontName")] = text(fontName);
    return out;
}

}  // namespace

QJsonObject windowJson(ui::MainForm& window) {
    QJsonObject out = controlsJson(mainWindowControls(window));
    out[QStringLiteral("fomMAIN")] = windowItself(window.caption, window.fontName);
    return out;
}

QJsonObject cardJson(ui::CardForm& card) {
    QJsonObject out = controlsJson(cardDialogControls(card));
    QJsonObject itself = windowItself(card.caption, "");
    itself[QStringLiteral("visible")] = card.shown;
    out[QStringLiteral("fomCARD")] = itself;
    return out;
}

QJsonObject stateJson(const Controller& controller) {
    const session::Session& session = controller.session();
    const link::ModelInfo& model = session.model();
    const ui::MainForm& window = controller.form();
    QJsonObject out;
    out[QStringLiteral("linkState")] = text(std::string(link::linkStateText(session.linkState())));
    out[QStringLiteral("runMode")] = text(std::string(session::runModeText(session.runMode())));
    out[QStringLiteral("modelName")] = text(model.modelName);
    out[QStringLiteral("romVersion")] = model.romVersion;
    // Through the number text, so that 25.4 shows as 25.4 and not as its nearest double.
    const std::string range = profile::numberText(model.driveRange);
    double rangeValue = 0;
    std::from_chars(range.data(), range.data() + range.size(), rangeValue);
    out[QStringLiteral("driveRange")] = rangeValue;
    out[QStringLiteral("modelKind")] = model.modelKind;
    out[QStringLiteral("LanguageCode")] = text(controller.languageCode());
    out[QStringLiteral("fstrSPD_LIMIT")] = text(window.fstrSPD_LIMIT);
    out[QStringLiteral("fstrCUT_LOCK")] = text(window.fstrCUT_LOCK);
    out[QStringLiteral("announceConnect")] = text(session.announceConnect() ? "1" : "0");
    out[QStringLiteral("dataFolder")] = text(controller.dataFolder());
    return out;
}

}  // namespace kt520::app
