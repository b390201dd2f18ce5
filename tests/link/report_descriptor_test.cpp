#include "link/report_descriptor.h"

#include <gtest/gtest.h>

#include <vector>

namespace torbex::link {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes cat(std::initializer_list<Bytes> pieces) {
    Bytes all;
    for (const Bytes& piece : pieces) all.insert(all.end(), piece.begin(), piece.end());
    return all;
}

// Vendor usage page, usage, collection; logical 0..255; report size 8. Then items by name.
const Bytes kHead = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08};
const Bytes kIn = {0x81, 0x02}, kOut = {0x91, 0x02}, kFeature = {0xB1, 0x02}, kPush = {0xA4}, kPop = {0xB4}, k64 = {0x95, 64};
const Bytes kWhole = cat({kHead, k64, kIn, kOut});

TEST(ReportDescriptor, LengthsAreTheLongestReportOfEachKindPlusTheIdByteOrRefused) {
    const std::tuple<Bytes, int, int> cases[] = {
        {kWhole, 65, 65}, {cat({kWhole, {0x95, 200}, kFeature}), 65, 65}, {cat({kHead, k64, kIn}), 65, 0}, {cat({kHead, kIn}), 1, 0},
        {cat({kHead, {0x27, 0xFF, 0xFF, 0xFF, 0x7F}, k64, kIn, kOut}), 65, 65},  // four data bytes (size code 3)
        {cat({kHead, k64, {0xFE, 0x02, 0xF0, 0x81, 0x02}, kIn, kOut}), 65, 65},  // a long item holding an Input item
        {cat({kWhole, {0xFE, 0x00, 0xF0}}), 65, 65},  // an empty long item, last
        {cat({kHead, {0x95, 0}, kIn}), 1, 0},         // an empty report is its ID byte
        {cat({kHead, {0x75, 1, 0x95, 3, 0x81, 2, 0x75, 5, 0x95, 1, 0x81, 3, 0x75, 1, 0x95, 9, 0x91, 2}}), 2, 3},  // bits round up
        // Items of one report add up, and the longest report of each kind counts.
        {cat({kHead, {0x85, 1, 0x95, 16}, kIn, {0x95, 24}, kIn, {0x95, 8}, kOut, {0x85, 2, 0x95, 32}, kIn, {0x95, 20}, kOut}), 41, 21},
        {cat({kHead, k64, kPush, {0x85, 3, 0x95, 4}, kIn, kPop, kOut, kIn}), 65, 65},
        // Cut short, unbalanced or without an Input item: refused.
        {{}, -1, -1}, {cat({kHead, k64, kOut, kFeature}), -1, -1}, {cat({kWhole, kPop}), -1, -1}, {cat({kWhole, {0x26, 0xFF}}), -1, -1},
        {cat({kWhole, {0x27, 0xFF, 0xFF}}), -1, -1}, {cat({kWhole, {0xFE}}), -1, -1}, {cat({kWhole, {0xFE, 0x04}}), -1, -1},
        {cat({kWhole, {0xFE, 0x04, 0xF0, 0x01, 0x02, 0x03}}), -1, -1}};
    for (const auto& [descriptor, input, output] : cases) {
        const auto lengths = reportLengthsFromDescriptor(descriptor);
        EXPECT_EQ(lengths ? std::pair(lengths->input, lengths->output) : std::pair(-1, -1), std::pair(input, output)) << descriptor.size();
    }
}

}  // namespace
}  // namespace torbex::link
