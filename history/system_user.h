#pragma once

#include <QString>

namespace torbex::history {

// The account the program runs under, as the system knows it (the environment only where the
// system keeps no such list); "unknown" when neither says.
QString systemUserName();

}  // namespace torbex::history
