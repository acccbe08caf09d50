#include "lang/MessageCatalog.h"

#include <cstddef>
#include <iterator>

namespace kt520::lang {

namespace {

// One entry of a list in both languages.
struct Text {
    const char* english;
    const char* japanese;
};

constexpr Text kBoxTitles[] = {
    {"Warning", "注意"},
    {"Information", "情報"},
};

constexpr Text kMessages[] = {
    {"COM1: Cannot be connected to KT-520! ", "COM1にKT-520が接続されていません！"},
    {": Cannot be connected to KT-520! ", " KT-520が接続されていません！"},
    {"The measurement is not finished currently. ", "測定を開始することができません。"},
    {"Please wait for a while.", "しばらくお待ち下さい。"},
    {"Communication is abnormal! ", "通信エラーが発生しました！"},
    {"Connected to KT-520 ", "KT-520が接続されました。"},
    {"This Ver. KT-520 It is not supported. ", "この Ver.のKT-520はサポートしていません。"},
    {"It is not supported. ", "サポートしていない機種です。"},
    {"Command Error", "　設定条件異常"},
    {"NON DATA", "測定データなし"},
    {"This is data of KT210.", "KT210のデータです."},
    {"予備", "予備"},
    {"Please insert a disk into drive.", "デバイスの準備が出来ていません。"},
    {"After origin move, please click a start button again.",
     "原点に移動後、再度スタートボタンをクリックして下さい。"},
    {"Stopped in a limit.", "リミットに達し測定を中止しました。"},
};

constexpr Text kInstrumentErrors[] = {
    {"Command Error", "コマンド異常"},
    {"Process -In", "処理中"},
    {"Term Out Error", "タイムアウトエラー"},
    {"Non Data", "該当ﾃﾞｰﾀ無し"},
    {"OverRange-In", "オーバーレンジ状態"},
    {"Error", "不明なエラー"},
    {"Drive Unit Error", "駆動部異常"},
    {"Detector Unit Error", "検出器異常"},
    {"Hardware Error", "ハードウｪア異常"},
    {"Communication Error", "通信異常"},
    {"Out Range", "範囲外"},
    {"Non Data", "データ準備未"},
    {"Non File", "ファイルが存在しない"},
    {"Non Crad", "カード無し"},
    {"Non Format", "未フォーマット"},
    {"Set Error", "設定禁止エラー"},
    {"Zero Set Error", "ゼロセットエラー"},
    {"Zero Shift Error", "ゼロシフトエラー"},
    {"Condition Error", "測定条件エラー"},
    {"DAT Error", "ＤＡＴエラー"},
    {"CF Version Error", "ＣＦ Ｖｅｒｓｉｏｎ ＥＲＲＯＲ"},
    {"Communication Softwear Error。", "コミュニケーションソフトウェアエラー。"},
};

constexpr Text kStatusTexts[] = {
    {"Measured Profile Data. ", "測定曲線データ読込中"},
    {"In-Measurement. ", "測定中"},
    {"In-Calculation. ", "演算中"},
    {"In-Printing. ", "印刷中"},
    {"In-Escape. ", "退避動作中"},
    {"Please wait for a while.", "評価曲線データ取得までしばらくお待ち下さい。"},
    {"NON DATA", "測定データなし"},
    {"Evaluation Profile Data.", "評価曲線データ読込中"},
};

const std::string kEmpty;

// Entry 0 of every list stays empty; the texts fill entries 1..N.
template <std::size_t Slots, std::size_t N>
void fill(std::array<std::string, Slots>& list, const Text (&texts)[N], bool japanese) {
    static_assert(Slots == N + 1, "a list holds its texts from entry 1");
    list[0].clear();
    for (std::size_t i = 0; i < N; ++i) {
        list[i + 1] = japanese ? texts[i].japanese : texts[i].english;
    }
}

template <std::size_t Slots>
void clear(std::array<std::string, Slots>& list) {
    for (auto& text : list) text.clear();
}

template <std::size_t Slots>
const std::string& entry(const std::array<std::string, Slots>& list, int n) {
    if (n < 1 || static_cast<std::size_t>(n) >= Slots) return kEmpty;
    return list[static_cast<std::size_t>(n)];
}

constexpr Text kProgramTexts[] = {
    {"A data block of {} points was dropped: a block holds at most 1000.",
     "{}点のデータブロックを破棄しました（1ブロックは最大1000点です）。"},
    {"Not saved: {}", "保存できませんでした: {}"},
    {"Finished: the data files are written.", "終了: データファイルを保存しました。"},
    {"Finished: the results are read; no file is written (CSV Data Save is OFF).",
     "終了: 結果を読み込みました（CSV保存がOFFのためファイルは保存していません）。"},
    {"Finished: the data files are written, but not Parameter.csv: the instrument refused the "
     "result read ({}).",
     "終了: "
     "データファイルを保存しました（結果の読み込みが拒否されたためParameter.csvは保存していません: "
     "{}）。"},
    {"Not started: {}", "開始しませんでした: {}"},
    {"Failed: {}", "失敗しました: {}"},
    {"NON DATA: {} points arrived, more than the 30000 a profile may hold.",
     "測定データなし: {}点を受信しました（1つのプロファイルは最大30000点です）。"},
    {"Finished: the data files are written from the card file {} (measured {}).",
     "終了: カードのファイル {}（測定日時 {}）からデータファイルを保存しました。"},
    {"The card file {} is missing.", "カードのファイル {} がありません。"},
    {"The card file {} is cut short: it holds {} of its {} bytes.",
     "カードのファイル {} は途中で切れています（{} バイトしかありません。本来は {} バイトです）。"},
    {"The card file {} is damaged: {}.", "カードのファイル {} は壊れています: {}。"},
    {"it is not a KT-520 card file of its kind", "KT-520のこの種類のカードファイルではありません"},
    {"its checksum does not match its contents", "チェックサムが内容と一致しません"},
    {"bytes follow its end", "終わりの後にデータが続いています"},
    {"its contents contradict its own header", "内容がファイル自身のヘッダと合いません"},
    {"it is longer than a profile of 30000 points", "30000点のプロファイルより長いデータです"},
    {"its condition record holds a code this program does not know",
     "測定条件にこのプログラムが知らないコードがあります"},
    {"Searching for the KT-520 ...", "KT-520を検索しています..."},
    {"Not connected", "未接続"},
    {"Drive moving: {}", "駆動部が移動中: {}"},
    {"Drive stopped.", "駆動部が停止しました。"},
    {"{} \"{}\" is out of range: allowed {}.", "{}「{}」は範囲外です（入力範囲 {}）。"},
    {"{} \"{}\" has too many decimals: at most {}, allowed {}.",
     "{}「{}」は小数点以下の桁数が多すぎます（最大{}桁、入力範囲 {}）。"},
    {"{} \"{}\" is too long: at most {} characters, allowed {}.",
     "{}「{}」は長すぎます（最大{}文字、入力範囲 {}）。"},
    {"The instrument sent condition codes the panel has no entry for: {}. These items keep their "
     "settings on the panel.",
     "測定機から、パネルに該当する項目のない条件コードを受信しました: "
     "{}。これらの項目はパネルの設定"
     "のままです。"},
    {"{} \"{}\"", "{}「{}」"},
    {"The instrument has not confirmed {}: read the conditions again (Condition Read) or choose "
     "them on the panel.",
     "測定機で{}が確認されていません。条件読込で読み直すか、パネルで選び直して下さい。"},
};

// The condition items the panel shows, by their number in the condition
// record, named as the frames of the shipped language files caption them.
struct ItemName {
    int item;
    Text name;
};
constexpr ItemName kConditionItemNames[] = {
    {1, {"Cut-off", "カットオフ"}},
    {2, {"N", "区間数"}},
    {3, {"Profile", "曲線"}},
    {4, {"Filter", "フィルタ"}},
    {5, {"Standard", "規格"}},
    {6, {"Range", "レンジ"}},
    {10, {"Speed", "測定速度"}},
    {12, {"Unit", "単位"}},
    {22, {"Pre/Post", "助走/後走"}},
    {29, {"Lf/fl", "Lf/fl"}},
    {30, {"A", "A"}},
    {31, {"B", "B"}},
    {32, {"OverRange", "オーバーレンジ"}},
    {37, {"AutoReturn", "自動復帰"}},
    {39, {"ANX", "ANX"}},
};
static_assert(std::size(kProgramTexts) ==
                  static_cast<std::size_t>(ProgramText::ConditionsUnconfirmed) + 1,
              "a text for every ProgramText");

}  // namespace

void MessageCatalog::load(const std::string& languageCode) {
    const bool japanese = languageCode == "J";
    japanese_ = japanese;
    if (!japanese && languageCode != "E") {
        clear(boxTitles_);
        clear(messages_);
        clear(instrumentErrors_);
        clear(statusTexts_);
        return;
    }
    fill(boxTitles_, kBoxTitles, japanese);
    fill(messages_, kMessages, japanese);
    fill(instrumentErrors_, kInstrumentErrors, japanese);
    fill(statusTexts_, kStatusTexts, japanese);
}

const std::string& MessageCatalog::boxTitle(int n) const {
    return entry(boxTitles_, n);
}
const std::string& MessageCatalog::message(int n) const {
    return entry(messages_, n);
}
const std::string& MessageCatalog::instrumentError(int n) const {
    return entry(instrumentErrors_, n);
}
const std::string& MessageCatalog::statusText(int n) const {
    return entry(statusTexts_, n);
}

std::string MessageCatalog::internalError() const {
    return instrumentError(22) + "No.17";
}

std::string MessageCatalog::listingLengthError() const {
    return message(14) + "No.1";
}

std::string MessageCatalog::filled(ProgramText text,
                                   std::initializer_list<std::string_view> arguments) const {
    const Text& both = kProgramTexts[static_cast<std::size_t>(text)];
    std::string shown = japanese_ ? both.japanese : both.english;
    // Each argument goes after the one before, so "{}" inside an argument stays as it is.
    std::size_t from = 0;
    for (const std::string_view argument : arguments) {
        const auto slot = shown.find("{}", from);
        if (slot == std::string::npos) break;
        shown.replace(slot, 2, argument);
        from = slot + argument.size();
    }
    return shown;
}

std::string MessageCatalog::conditionItemName(int item) const {
    for (const ItemName& each : kConditionItemNames)
        if (each.item == item) return japanese_ ? each.name.japanese : each.name.english;
    return {};
}

}  // namespace kt520::lang
