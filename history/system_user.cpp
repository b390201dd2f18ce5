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

}  // namespace torbex::history
