#pragma once
// The catalog entries the session shows, by what they say.
namespace kt520::session::texts {

// BoxTitles
inline constexpr int kWarning = 1;
inline constexpr int kInformation = 2;

// Messages
inline constexpr int kNoInstrumentOnAnyPort = 1;
inline constexpr int kCannotConnect = 2;  // shown after "COM" and the port number
inline constexpr int kNotFinished = 3;
inline constexpr int kPleaseWait = 4;
inline constexpr int kLineAbnormal = 5;
inline constexpr int kConnected = 6;
inline constexpr int kVersionNotSupported = 7;
inline constexpr int kModelNotSupported = 8;
inline constexpr int kNoData = 10;
inline constexpr int kOriginMove = 14;

// InstrumentErrors
inline constexpr int kUnknownInstrumentError = 6;  // "Error": the instrument's own catch-all
inline constexpr int kLastInstrumentError = 22;

// StatusTexts
inline constexpr int kMeasuredProfileData = 1;
inline constexpr int kNoDataStatus = 7;
inline constexpr int kEvaluationProfileData = 8;

}  // namespace kt520::session::texts
