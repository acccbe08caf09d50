#pragma once
// What the history tells the operator, as a kind and its details, put into
// words in the language of the moment (English or Japanese).
#include <string>

namespace kt520::history {

struct HistoryNote {
    enum class Kind {
        Damaged,      // the file was damaged, set aside as `detail`, a new one started
        CannotOpen,   // the database cannot be opened or made (`detail`: why)
        CannotStore,  // a run could not be stored (`detail`: why); its CSV files are written
        ServerLost,   // the server does not answer; runs wait in the queue file
        ServerBack,   // the server answers again; `count` waiting runs stored
    };
    Kind kind = Kind::CannotStore;
    std::string target;  // the file's name or the server
    std::string detail;
    int count = 0;

    // Whether it reports a fault (a stop icon) rather than news.
    [[nodiscard]] bool fault() const { return kind != Kind::ServerBack; }
};

[[nodiscard]] std::string noteText(const HistoryNote& note, bool japanese);
[[nodiscard]] std::string noteTitle(bool japanese);

}  // namespace kt520::history
