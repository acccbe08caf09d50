#pragma once
// This instrument's card format (docs/card-files.md): per measurement four
// framed files, NAME.SMB (header and measured profile), NAME.RCB (condition
// record), NAME.RES (evaluation profile) and NAME.CSV (results). Numbers are
// big-endian, profile values 4-byte single-precision; every file carries its
// kind, its format version and its length, and ends with a CRC-32 of its bytes.
#include <cstdint>
#include <string>

#include "card/CardMeasurement.h"

namespace kt520::card {

// The one format version this reader knows.
inline constexpr std::uint16_t kFormatVersion = 1;
// The lowest firmware the window can be configured for (version 1.000).
inline constexpr int kLowestFirmware = 1000;
// The most bytes a file of each kind may have (a profile holds at most 30000 points).
std::size_t largestFile(CardFile file);

// The four files the instrument writes for `measurement`.
[[nodiscard]] CardFiles encodeCard(const CardMeasurement& measurement);

// The measurement in `files`, or the first thing wrong with them, checked in
// this order: the .SMB file whole (present, kind, format version, length,
// checksum, contents), its model and firmware, then each further file whole,
// then that the condition record is the card layout of the firmware.
// `stem` names the files in a problem ("KT000001").
[[nodiscard]] CardRead decodeCard(const CardFiles& files, const std::string& stem);

}  // namespace kt520::card
