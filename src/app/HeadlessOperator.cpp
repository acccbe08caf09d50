#include "app/HeadlessOperator.h"

#include <QJsonDocument>

namespace kt520::app {

void EventWriter::write(const QJsonObject& event) {
    const QByteArray line = QJsonDocument(event).toJson(QJsonDocument::Compact) + '\n';
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), out_);
    std::fflush(out_);
}

void HeadlessOperator::showMessage(const std::string& text, const std::string& title,
                                   lang::MessageIcon icon) {
    events_.write({{QStringLiteral("event"), QStringLiteral("message")},
                   {QStringLiteral("title"), QString::fromStdString(title)},
                   {QStringLiteral("text"), QString::fromStdString(text)},
                   {QStringLiteral("icon"), icon == lang::MessageIcon::Stop
                                                ? QStringLiteral("stop")
                                                : QStringLiteral("information")}});
}

void HeadlessOperator::beep() {
    events_.write({{QStringLiteral("event"), QStringLiteral("beep")}});
}

void HeadlessOperator::endProgram() {
    if (ended_) return;
    ended_ = true;
    events_.write({{QStringLiteral("event"), QStringLiteral("end")}});
}

}  // namespace kt520::app
