#include "app/EventWriter.h"

#include <QJsonDocument>

namespace kt520::app {

void EventWriter::write(const QJsonObject& event) {
    const QByteArray line = QJsonDocument(event).toJson(QJsonDocument::Compact) + '\n';
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), out_);
    std::fflush(out_);
}

}  // namespace kt520::app
