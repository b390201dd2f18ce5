#pragma once

#include "commands/tester_service.h"
#include "data/record_store.h"

namespace torbex::data {

// Downloads every record the tester holds into the store. The store is replaced only when the
// download ends normally; otherwise it is exactly as it was. Records mark the store unsaved.
// The value is the number of records downloaded.
commands::Outcome<int> downloadRecords(commands::TesterService& tester, RecordStore& store,
                                       commands::DownloadProgress& progress);

}  // namespace torbex::data
