#include "history/system_user.h"

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace torbex::history {

QString systemUserName() {
#ifdef Q_OS_UNIX
    if (const passwd* account = getpwuid(geteuid())) return QString::fromLocal8Bit(account->pw_name);
#endif
    for (const char* variable : {"USERNAME", "USER", "LOGNAME"})
        if (const QString name = qEnvironmentVariable(variable); !name.isEmpty()) return name;
    return QStringLiteral("unknown");
}

QString systemUserFullName() {
#ifdef Q_OS_UNIX
    if (const passwd* account = getpwuid(geteuid()); account && account->pw_gecos)
        return QString::fromLocal8Bit(account->pw_gecos).section(u',', 0, 0).trimmed();
#endif
    return {};
}

}  // namespace torbex::history
