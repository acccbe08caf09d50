// The card format's bytes as docs/card-files.md gives them: big-endian
// numbers and values, the frame, the CRC-32. Reading every bad card is tested
// through the import (tests/session/CardImportTest.cpp).
#include <gtest/gtest.h>

#include "card/CardFormat.h"

namespace kt520::card {
namespace {

TEST(CardFormat, WritesTheDocumentedBytes) {
    CardMeasurement measurement;
    measurement.results = {"1.23", "4.56"};
    measurement.evaluation = {1.5f};
    const CardFiles files = encodeCard(measurement);
    // Kind, version 1, body length, body, CRC-32 of all before it.
    EXPECT_EQ(*files[CardFile::Csv], std::string("KCSV\x00\x01\x00\x00\x00\x0a"
                                                 "1.23,4.56\r\x0c\x90\x61\xd8",
                                                 24));
    // One point: the count, then 1.5 as a single-precision value.
    EXPECT_EQ(*files[CardFile::Res], std::string("KRES\x00\x01\x00\x00\x00\x08"
                                                 "\x00\x00\x00\x01\x3f\xc0\x00\x00"
                                                 "\x17\x60\x29\x30",
                                                 22));
}

}  // namespace
}  // namespace kt520::card
