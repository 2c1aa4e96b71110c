#pragma once

// The statistics answers of the data supplier, computed from stored results: the history
// list (historyitem.h), the progress chart's points (progresspoint.h) and the rank sums of
// every account (rankentry.h). Each function appends its records to reply (which the caller
// has emptied) and returns false with the last error set when a file cannot be read.

#include "resultrecord.h"
#include "userdata.h"
#include "historyitem.h"
#include "progresspoint.h"
#include "rankentry.h"

#include "platform/bytes.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kf {

// The typing figures of one result with error factor F: errors E = P - C (hits P, correct
// C; never below 0), net hits N = P - E x F when positive else 0, speeds in characters per
// minute P x 60000 / t and N x 60000 / t (0 when the time t is 0), accuracy N x 100 / P
// (0 without hits).
struct ResultFigures
{
    uint32_t errors = 0;
    uint32_t netHits = 0;
    double grossSpeed = 0;
    double netSpeed = 0;
    double accuracy = 0;
};
ResultFigures ComputeResultFigures(const CResultRecord& r, uint32_t errorFactor);

// Most accounts a rank list holds.
constexpr size_t kMaxRankEntries = 256;

// The content name a history item shows for a result: for the test kinds the test text's
// file name without its folder and a trailing ".txt" (any case); for free typing
// freeTypingText ("IDS_USEDATATYPE_FREETYPE"); otherwise the title stored with the result.
std::u16string HistoryContentName(const CResultRecord& r, std::u16string_view freeTypingText);

// The item for one result; recordNumber is its position counted from the oldest (0-based).
// Net strokes and the three figures are sent as 0 (the history page computes them).
CHistoryItem MakeHistoryItem(const CResultRecord& r, int32_t recordNumber,
                             std::u16string_view freeTypingText);

// The point for one result with error factor F: duration in whole seconds, accuracy
// (G - F x (G - C)) x 100 / G when F x (G - C) < G else 0, gross speed G x 60 / seconds
// (0 for a result shorter than one second; at most 65535).
CProgressPoint MakeProgressPoint(const CResultRecord& r, uint32_t errorFactor);

// History items of the open file, newest first, of the results whose exercise kind equals
// the low byte or the second byte of types. The walk starts at the newest record and stops
// after the item that makes the count exceed maximum, so it reads only as far back as the
// items asked for; the caller may receive maximum + 1 items.
bool ListHistoryItems(CUserData& file, uint32_t types, uint32_t maximum,
                      std::u16string_view freeTypingText, Bytes& reply);

// Progress points of the open file, oldest first, of the results of kind type; at most
// maximum points.
bool ListProgressPoints(CUserData& file, uint32_t errorFactor, uint32_t type, uint32_t maximum,
                        Bytes& reply);

// Rank method 0: one entry per account file of accountFolder that opens (at most
// kMaxRankEntries, in name order): the account name (at most 31 characters), the account
// number of its profile, and the sums over its results of kind type of duration (stored
// milliseconds / 1000 per result), gross strokes and error strokes (gross - correct, never
// below 0). Sums are held at the largest 32-bit value. Other methods fail with
// InvalidParameter.
bool ListRankEntries(std::u16string_view accountFolder, uint32_t method, uint32_t type,
                     Bytes& reply);

} // namespace kf
