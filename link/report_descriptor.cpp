#include "report_descriptor.h"

#include <map>
#include <vector>

namespace torbex::link {
namespace {

enum ItemType : int { kMain = 0, kGlobal = 1, kLocal = 2 };
enum MainTag : int { kInput = 8, kOutput = 9 };
enum GlobalTag : int { kReportSize = 7, kReportId = 8, kReportCount = 9, kPush = 10, kPop = 11 };
constexpr std::uint8_t kLongItemPrefix = 0xFE;

struct GlobalState {
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint32_t reportId = 0;
};

int bytesForBits(std::uint64_t bits) { return static_cast<int>((bits + 7) / 8); }

}  // namespace

std::optional<ReportLengths> reportLengthsFromDescriptor(std::span<const std::uint8_t> descriptor) {
    GlobalState state;
    std::vector<GlobalState> stack;
    std::map<std::uint32_t, std::uint64_t> inputBits;
    std::map<std::uint32_t, std::uint64_t> outputBits;

    std::size_t pos = 0;
    while (pos < descriptor.size()) {
        const std::uint8_t prefix = descriptor[pos];
        if (prefix == kLongItemPrefix) {
            // Prefix, data size and tag, then the data; all of it must be there.
            if (pos + 3 > descriptor.size() || pos + 3 + descriptor[pos + 1] > descriptor.size()) return std::nullopt;
            pos += 3 + descriptor[pos + 1];
            continue;
        }
        const int sizeCode = prefix & 0x03;
        const std::size_t dataSize = sizeCode == 3 ? 4 : static_cast<std::size_t>(sizeCode);
        if (pos + 1 + dataSize > descriptor.size()) return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < dataSize; ++i) value |= std::uint32_t{descriptor[pos + 1 + i]} << (8 * i);
        const int type = (prefix >> 2) & 0x03;
        const int tag = prefix >> 4;
        pos += 1 + dataSize;

        if (type == kGlobal) {
            switch (tag) {
                case kReportSize: state.reportSize = value; break;
                case kReportCount: state.reportCount = value; break;
                case kReportId: state.reportId = value; break;
                case kPush: stack.push_back(state); break;
                case kPop:
                    if (stack.empty()) return std::nullopt;
                    state = stack.back();
                    stack.pop_back();
                    break;
                default: break;
            }
        } else if (type == kMain && (tag == kInput || tag == kOutput)) {
            auto& bits = tag == kInput ? inputBits : outputBits;
            bits[state.reportId] += std::uint64_t{state.reportSize} * state.reportCount;
        }
    }
    if (inputBits.empty()) return std::nullopt;

    auto longest = [](const std::map<std::uint32_t, std::uint64_t>& bits) {
        std::uint64_t most = 0;
        for (const auto& [id, count] : bits) most = std::max(most, count);
        return bits.empty() ? 0 : bytesForBits(most) + 1;
    };
    return ReportLengths{longest(inputBits), longest(outputBits)};
}

}  // namespace torbex::link
