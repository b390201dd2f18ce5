#pragma once

#include <QString>

namespace torbex::history {

// The account the program runs under, as the system knows it (the environment only where the
// system keeps no such list); "unknown" when neither says.
QString systemUserName();
// The account's full name where the system keeps one (the first part of its comment field);
// empty when not.
QString systemUserFullName();

}  // namespace torbex::history
