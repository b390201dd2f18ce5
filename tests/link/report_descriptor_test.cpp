#include "link/report_descriptor.h"

#include <gtest/gtest.h>

#include <vector>

namespace torbex::link {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Vendor usage page, usage, collection; logical 0..255; report size 8.
const Bytes kHead = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08};
const Bytes kIn = {0x09, 0x01, 0x81, 0x02}, kOut = {0x09, 0x01, 0x91, 0x02}, kFeature = {0x09, 0x01, 0xB1, 0x02};
const Bytes kPush = {0xA4}, kPop = {0xB4};
Bytes count(std::uint8_t n) { return {0x95, n}; }
Bytes id(std::uint8_t n) { return {0x85, n}; }

TEST(ReportDescriptor, LengthsAreTheLongestReportOfEachKindPlusTheIdByte) {
    const struct { Bytes descriptor; int input, output; } cases[] = {
        {cat({kHead, count(64), kIn, kOut}), 65, 65},
        {cat({kHead, count(64), kIn, kOut, count(200), kFeature}), 65, 65},
        // Four data bytes (size code 3): one left over would swallow the count.
        {cat({kHead, {0x27, 0xFF, 0xFF, 0xFF, 0x7F}, count(64), kIn, kOut}), 65, 65},
        // A long item whose data looks like an Input item.
        {cat({kHead, count(64), {0xFE, 0x02, 0xF0, 0x81, 0x02}, kIn, kOut}), 65, 65},
        // 3 + 5 padding bits in, 9 bits out.
        {cat({kHead, {0x75, 1, 0x95, 3, 0x81, 2, 0x75, 5, 0x95, 1, 0x81, 3, 0x75, 1, 0x95, 9, 0x91, 2}}), 2, 3},
        // Items of one report add up; the longest report wins.
        {cat({kHead, id(1), count(16), kIn, count(24), kIn, count(8), kOut, id(2), count(32), kIn, count(20), kOut}), 41, 21},
        // The pop brings back the unnumbered 64-byte state.
        {cat({kHead, count(64), kPush, id(3), count(4), kIn, kPop, kOut, kIn}), 65, 65},
        {cat({kHead, count(64), kIn}), 65, 0},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto lengths = reportLengthsFromDescriptor(cases[i].descriptor);
        ASSERT_TRUE(lengths.has_value()) << "case " << i;
        EXPECT_EQ(lengths->input, cases[i].input) << "case " << i;
        EXPECT_EQ(lengths->output, cases[i].output) << "case " << i;
    }
}

TEST(ReportDescriptor, CutShortUnbalancedOrInputlessDescriptorsAreRefused) {
    const Bytes whole = cat({kHead, count(64), kIn, kOut});
    const Bytes refused[] = {
        {}, cat({kHead, count(64), kOut, kFeature}), cat({whole, kPop}),
        cat({whole, {0x26, 0xFF}}), cat({whole, {0x27, 0xFF, 0xFF}}),  // inside a short item's data
        cat({whole, {0xFE}}), cat({whole, {0xFE, 0x04}}), cat({whole, {0xFE, 0x04, 0xF0, 0x01, 0x02, 0x03}}),  // long item
    };
    for (std::size_t i = 0; i < std::size(refused); ++i)
        EXPECT_FALSE(reportLengthsFromDescriptor(refused[i]).has_value()) << "case " << i;
}

}  // namespace
}  // namespace torbex::link
