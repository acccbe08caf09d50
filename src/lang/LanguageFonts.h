#pragma once
// The face that Japanese captions are shown in. The program asks for
// "ＭＳゴシック" with the Japanese character set; where that face is not
// installed, the first installed Japanese face of a fallback list serves.
#include <string>
#include <string_view>
#include <vector>

namespace kt520::lang {

inline constexpr std::string_view kJapaneseFace = "ＭＳゴシック";
// The Windows character-set number of Shift-JIS, given with the face.
inline constexpr int kJapaneseCharset = 128;

// Faces tried in this order when kJapaneseFace is not installed.
inline constexpr std::string_view kJapaneseFallbackFaces[] = {
    "MS Gothic", "Noto Sans CJK JP", "Noto Sans JP", "IPAGothic", "TakaoGothic",
};

// Whether captions need the Japanese face: only for the language code "J".
inline bool needsJapaneseFace(std::string_view languageCode) {
    return languageCode == "J";
}

// The face to set, given the installed font families (for example the
// toolkit's list of families): kJapaneseFace when installed, else the first
// installed fallback, else kJapaneseFace itself so that the toolkit's own
// font matching picks a face. Names compare exactly.
std::string japaneseFace(const std::vector<std::string>& installedFamilies);

}  // namespace kt520::lang
