#pragma once

#include <functional>

namespace torbex::testing {

// Runs `body` in a child process that may not write files past `limitBytes`, with SIGXFSZ
// ignored: a write beyond the limit then fails with EFBIG, as it would on a full disk. True when
// the child ran and `body` returned true; assertions in `body` print their failures, and `body`
// returns `!HasFailure()` to count them.
bool underFileSizeLimit(long limitBytes, const std::function<bool()>& body);

}  // namespace torbex::testing
