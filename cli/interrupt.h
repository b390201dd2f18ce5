#pragma once

namespace torbex::cli {

// Ctrl-C: during a download it asks the download to stop, so the tool ends cleanly without an
// output file; at any other time it ends the tool at once, as usual.
void installInterruptHandler();

// While one of these lives, Ctrl-C is caught instead of ending the tool.
class CatchInterrupt {
public:
    CatchInterrupt();
    ~CatchInterrupt();
    CatchInterrupt(const CatchInterrupt&) = delete;
    CatchInterrupt& operator=(const CatchInterrupt&) = delete;
};

bool interruptRequested();

}  // namespace torbex::cli
