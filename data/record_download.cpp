#include "data/record_download.h"

#include "data/record_from_reply.h"

namespace torbex::data {

commands::Outcome<int> downloadRecords(commands::TesterService& tester, RecordStore& store,
                                       commands::DownloadProgress& progress) {
    const auto replies = tester.downloadRecords(progress);
    if (!replies) return replies.failure();
    std::vector<MeasurementRecord> records;
    records.reserve(replies.value().size());
    for (const commands::RecordReply& reply : replies.value()) records.push_back(recordFromReply(reply));
    store.replace(records);
    // An empty download leaves the unsaved mark as it was: nothing new came in.
    if (!records.empty()) store.unsaved = true;
    return static_cast<int>(records.size());
}

}  // namespace torbex::data
