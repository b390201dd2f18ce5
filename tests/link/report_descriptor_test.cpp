#include "link/report_descriptor.h"

#include <gtest/gtest.h>

#include <vector>

namespace torbex::link {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::optional<ReportLengths> lengthsOf(const Bytes& descriptor) {
    return reportLengthsFromDescriptor(descriptor);
}

Bytes joined(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Items used to build descriptors below.
const Bytes kVendorCollection = {0x06, 0x00, 0xFF, 0x09,
                                 0x01, 0xA1, 0x01};  // usage page, usage, collection
const Bytes kEndCollection = {0xC0};
const Bytes kBytes = {0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08};  // logical 0..255, report size 8
Bytes count(std::uint8_t n) { return {0x95, n}; }
Bytes reportId(std::uint8_t id) { return {0x85, id}; }
const Bytes kInput = {0x09, 0x01, 0x81, 0x02};
const Bytes kOutput = {0x09, 0x01, 0x91, 0x02};
const Bytes kFeature = {0x09, 0x01, 0xB1, 0x02};
const Bytes kPush = {0xA4};
const Bytes kPop = {0xB4};

void expectLengths(const std::optional<ReportLengths>& lengths, int input, int output) {
    ASSERT_TRUE(lengths.has_value());
    EXPECT_EQ(lengths->input, input);
    EXPECT_EQ(lengths->output, output);
}

TEST(ReportDescriptor, VendorReportsOf64BytesGive65IncludingTheIdByte) {
    expectLengths(
        lengthsOf(joined({kVendorCollection, kBytes, count(64), kInput, kOutput, kEndCollection})),
        65, 65);
}

TEST(ReportDescriptor, FeatureReportsDoNotCount) {
    expectLengths(lengthsOf(joined({kVendorCollection, kBytes, count(64), kInput, kOutput,
                                    count(200), kFeature, kEndCollection})),
                  65, 65);
}

TEST(ReportDescriptor, FourByteItemDataIsSkippedWhole) {
    // Logical Maximum 0x7FFFFFFF (size code 3 means four data bytes); were its last byte taken for
    // a prefix, the report count after it would be swallowed.
    const Bytes wideMaximum = {0x27, 0xFF, 0xFF, 0xFF, 0x7F};
    expectLengths(lengthsOf(joined({kVendorCollection, kBytes, wideMaximum, count(64), kInput,
                                    kOutput, kEndCollection})),
                  65, 65);
}

TEST(ReportDescriptor, BitFieldsRoundUpToWholeBytes) {
    const Bytes threeBits = {0x75, 0x01, 0x95, 0x03, 0x81, 0x02};  // 3 x 1 bit
    const Bytes padding = {0x75, 0x05, 0x95, 0x01, 0x81, 0x03};    // 5 bits of padding
    const Bytes nineBits = {0x75, 0x01, 0x95, 0x09, 0x91, 0x02};
    expectLengths(
        lengthsOf(joined({kVendorCollection, threeBits, padding, nineBits, kEndCollection})), 2, 3);
}

TEST(ReportDescriptor, NumberedReportsTakeTheLongestPlusOne) {
    // Report 1: two input items adding up to 40 bytes; report 2: one of 32. Outputs 8 and 20.
    const Bytes descriptor = joined({kVendorCollection, kBytes, reportId(1), count(16), kInput,
                                     count(24), kInput, count(8), kOutput, reportId(2), count(32),
                                     kInput, count(20), kOutput, kEndCollection});
    expectLengths(lengthsOf(descriptor), 41, 21);
}

TEST(ReportDescriptor, PopRestoresTheStatePushed) {
    // Inside the push the reports are 4 bytes under ID 3; after the pop the 64-byte unnumbered
    // state applies again.
    const Bytes descriptor = joined({kVendorCollection, kBytes, count(64), kPush, reportId(3),
                                     count(4), kInput, kPop, kOutput, kInput, kEndCollection});
    expectLengths(lengthsOf(descriptor), 65, 65);
}

TEST(ReportDescriptor, PopWithoutPushIsRefused) {
    EXPECT_FALSE(
        lengthsOf(joined({kVendorCollection, kBytes, count(64), kInput, kPop, kEndCollection})));
}

TEST(ReportDescriptor, LongItemsAreSkippedWithTheirData) {
    // The long item's two data bytes look like an Input item; they must not be read as one.
    const Bytes longItem = {0xFE, 0x02, 0xF0, 0x81, 0x02};
    expectLengths(lengthsOf(joined({kVendorCollection, kBytes, count(64), longItem, kInput, kOutput,
                                    kEndCollection})),
                  65, 65);
}

TEST(ReportDescriptor, CutShortDescriptorsAreRefused) {
    const Bytes whole = joined({kVendorCollection, kBytes, count(64), kInput, kOutput});
    // Ends inside the data of a short item.
    EXPECT_FALSE(lengthsOf(joined({whole, {0x26, 0xFF}})));
    EXPECT_FALSE(lengthsOf(joined({whole, {0x27, 0xFF, 0xFF}})));
    // Ends inside a long item: after its size byte, and before all its data.
    EXPECT_FALSE(lengthsOf(joined({whole, {0xFE}})));
    EXPECT_FALSE(lengthsOf(joined({whole, {0xFE, 0x04}})));
    EXPECT_FALSE(lengthsOf(joined({whole, {0xFE, 0x04, 0xF0, 0x01, 0x02}})));
}

TEST(ReportDescriptor, NoInputReportIsRefused) {
    EXPECT_FALSE(lengthsOf({}));
    EXPECT_FALSE(lengthsOf(
        joined({kVendorCollection, kBytes, count(64), kOutput, kFeature, kEndCollection})));
}

TEST(ReportDescriptor, OnlyInputReportsGiveNoOutputLength) {
    expectLengths(lengthsOf(joined({kVendorCollection, kBytes, count(64), kInput, kEndCollection})),
                  65, 0);
}

}  // namespace
}  // namespace torbex::link
