#include "data/measurement.h"

namespace torbex::data {

Verdict verdictOf(std::uint8_t status, Measure measure) {
    const bool flow = measure == Measure::Flow;
    if ((status & (flow ? FlowMeasured : OcclusionMeasured)) == 0) return Verdict::NotMeasured;
    if ((status & (flow ? FlowError : OcclusionError)) != 0) return Verdict::Error;
    return (status & (flow ? FlowPass : OcclusionPass)) != 0 ? Verdict::Pass : Verdict::Fail;
}

Verdict overallVerdict(Verdict flow, Verdict occlusion) {
    for (const Verdict worst : {Verdict::Fail, Verdict::Error, Verdict::NotMeasured})
        if (flow == worst || occlusion == worst) return worst;
    return Verdict::Pass;
}

std::optional<OcclusionLevel> occlusionLevelFromLetter(QStringView letter) {
    if (letter == u"L") return OcclusionLevel::L;
    if (letter == u"M") return OcclusionLevel::M;
    if (letter == u"H") return OcclusionLevel::H;
    return std::nullopt;
}

QString occlusionLevelLetter(OcclusionLevel level) {
    switch (level) {
        case OcclusionLevel::M: return QStringLiteral("M");
        case OcclusionLevel::H: return QStringLiteral("H");
        case OcclusionLevel::L: break;
    }
    return QStringLiteral("L");
}

}  // namespace torbex::data
