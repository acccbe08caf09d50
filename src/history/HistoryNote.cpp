#include "history/HistoryNote.h"

#include <QString>

#include "history/HistoryTarget.h"

namespace kt520::history {

std::string noteText(const HistoryNote& note, bool japanese) {
    using Kind = HistoryNote::Kind;
    const char* english = "";
    const char* japaneseText = "";
    switch (note.kind) {
        case Kind::Damaged:
            english =
                "The history database %1 was damaged. It has been set aside as %2 and a new one "
                "started.";
            japaneseText =
                "履歴データベース %1 が壊れていました。%2 "
                "として退避し、新しいデータベースを作成しました。";
            break;
        case Kind::CannotOpen:
            english =
                "The history database %1 cannot be opened (%2). Runs are not kept in the history; "
                "their CSV files are still written.";
            japaneseText =
                "履歴データベース %1 を開けません（%2）。測定は履歴に保存されませんが、CSV "
                "ファイルは保存されます。";
            break;
        case Kind::CannotStore:
            english =
                "The run could not be stored in the history database %1 (%2). Its CSV files are "
                "written.";
            japaneseText =
                "測定を履歴データベース %1 に保存できませんでした（%2）。CSV "
                "ファイルは保存されています。";
            break;
        case Kind::ServerLost:
            english =
                "The history server %1 does not answer (%2). Runs wait in %3 and are stored once "
                "it "
                "is back; their CSV files are still written.";
            japaneseText =
                "履歴サーバー %1 が応答しません（%2）。測定は %3 "
                "に保留し、接続が戻りしだい保存します。CSV ファイルは保存されます。";
            break;
        case Kind::ServerBack:
            english = "The history server %1 answers again: %4 waiting runs have been stored.";
            japaneseText =
                "履歴サーバー %1 に再接続しました。保留していた %4 件の測定を保存しました。";
            break;
    }
    return QString::fromUtf8(japanese ? japaneseText : english)
        .replace("%1", QString::fromStdString(note.target))
        .replace("%2", QString::fromStdString(note.detail))
        .replace("%3", QString(kQueueFileName))
        .replace("%4", QString::number(note.count))
        .toStdString();
}

std::string noteTitle(bool japanese) {
    return japanese ? "履歴" : "History";
}

}  // namespace kt520::history
