// The text Qt's PostgreSQL driver hands to libpq: a connection string as given, a URI or a
// service name turned into one, with the bounds that keep a lost server from holding the program.
#include <QRegularExpression>

#include "history/sql_connection.h"

namespace torbex::history {
namespace {

using Failure = Result<QString>;

// Single quotes, in which a backslash takes the next character as it is.
QString quoted(QString value) {
    value.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + value + u'\'';
}

// A part of a URI with its %XX escapes decoded; nullopt for a broken escape or a NUL.
std::optional<QString> decoded(const QString& part) {
    static const QRegularExpression broken(QStringLiteral("%(?![0-9A-Fa-f]{2})"));
    const QByteArray bytes = QByteArray::fromPercentEncoding(part.toUtf8());
    if (part.contains(broken) || bytes.contains('\0')) return std::nullopt;
    return QString::fromUtf8(bytes);
}

// Appends ` key='value'` when the value is not empty, as libpq does with a URI's parts.
bool append(QString& options, const QString& key, const QString& part) {
    const std::optional<QString> value = decoded(part);
    if (value && !value->isEmpty()) options += u' ' + key + u'=' + quoted(*value);
    return value.has_value();
}

// The character at `i`, or NUL past the end.
QChar at(const QString& text, qsizetype i) { return i < text.size() ? text[i] : QChar(); }

Failure invalidUri(const char* why) {
    // The URI itself stays out of the message: it may hold a password.
    return Failure::failure(QStringLiteral("invalid PostgreSQL URI: ") + QLatin1String(why));
}

// postgresql://[user[:password]@][host][:port][,...][/dbname][?key=value[&...]], read as libpq
// reads it: the first '@' before any '/' ends the user part, a host in brackets is an IPv6
// address, every part may be %-encoded, and the query's keys come last, so they win.
Failure fromUri(const QString& uri) {
    QString options;
    qsizetype userEnd = uri.indexOf(u'@');
    if (userEnd >= 0 && uri.indexOf(u'/') >= 0 && uri.indexOf(u'/') < userEnd) userEnd = -1;
    if (userEnd >= 0) {
        const QString credentials = uri.left(userEnd);
        const qsizetype colon = credentials.indexOf(u':');
        if (!append(options, QStringLiteral("user"), credentials.left(colon)) ||
            (colon >= 0 &&
             !append(options, QStringLiteral("password"), credentials.mid(colon + 1))))
            return invalidUri("broken %-escape in the user part");
    }
    const QString rest = uri.mid(userEnd + 1);
    const QString hostEnds = QStringLiteral(":/?,");
    const QString portEnds = QStringLiteral("/?,");
    QStringList hosts;
    QStringList ports;
    qsizetype p = 0;
    for (;;) {
        qsizetype end = p;
        if (at(rest, p) == u'[') {
            end = rest.indexOf(u']', p);
            if (end < 0) return invalidUri("no ']' after an IPv6 address");
            if (end == p + 1) return invalidUri("an empty IPv6 address");
            hosts << rest.mid(p + 1, end - p - 1);
            ++end;
            if (end < rest.size() && !hostEnds.contains(rest[end]))
                return invalidUri("no ':' or '/' after an IPv6 address");
        } else {
            while (end < rest.size() && !hostEnds.contains(rest[end])) ++end;
            hosts << rest.mid(p, end - p);
        }
        p = end;
        QString port;
        if (at(rest, p) == u':') {
            ++end;
            while (end < rest.size() && !portEnds.contains(rest[end])) ++end;
            port = rest.mid(p + 1, end - p - 1);
            p = end;
        }
        ports << port;
        if (at(rest, p) != u',') break;
        ++p;
    }
    if (!append(options, QStringLiteral("host"), hosts.join(u',')) ||
        !append(options, QStringLiteral("port"), ports.join(u',')))
        return invalidUri("broken %-escape in a host or port");
    const qsizetype query = rest.indexOf(u'?', p);
    if (at(rest, p) == u'/' &&
        !append(options, QStringLiteral("dbname"), rest.mid(p + 1, query < 0 ? -1 : query - p - 1)))
        return invalidUri("broken %-escape in the database name");
    if (query < 0) return options.trimmed();
    static const QRegularExpression keyword(QStringLiteral("^\\w+$"));
    for (const QString& parameter : rest.mid(query + 1).split(u'&', Qt::SkipEmptyParts)) {
        const QStringList pair = parameter.split(u'=');
        const std::optional<QString> key = decoded(pair.first());
        if (pair.size() != 2 || !key || !key->contains(keyword))
            return invalidUri("a query parameter that is not key=value");
        // libpq's one alias, for programs written for JDBC.
        const bool ssl = *key == u"ssl" && pair[1] == u"true";
        if (!append(options, ssl ? QStringLiteral("sslmode") : *key,
                    ssl ? QStringLiteral("require") : pair[1]))
            return invalidUri("broken %-escape in a query parameter");
    }
    return options.trimmed();
}

}  // namespace

Result<QString> postgresConnectionString(const QString& location) {
    for (const QLatin1String scheme :
         {QLatin1String("postgresql://"), QLatin1String("postgres://")})
        if (location.startsWith(scheme)) return fromUri(location.mid(scheme.size()));
    // A single word names a service in pg_service.conf.
    return location.contains(u'=') ? location : QStringLiteral("service=") + quoted(location);
}

Result<QString> postgresConnectOptions(const QString& location) {
    Result<QString> given = postgresConnectionString(location);
    if (!given) return given;
    QString options = given.value();
    // Qt's driver passes the options on with every ';' made a space: a password or a value
    // holding one would reach the server changed, and maybe log in somewhere else.
    if (options.contains(u';'))
        return Failure::failure(
            QStringLiteral("a ';' in the connection string cannot be used: Qt's PostgreSQL driver "
                           "turns it into a space (keep the password in ~/.pgpass)"));
    // Bounds the user's string has not set: a connection attempt gives up after 3 s; on a silent
    // network the keepalives notice a lost server within 11 s, and sent data left unanswered
    // gives up after 10 s.
    static const std::pair<const char*, const char*> kBounds[] = {
        {"connect_timeout", "3"},     {"keepalives", "1"},       {"keepalives_idle", "5"},
        {"keepalives_interval", "2"}, {"keepalives_count", "3"}, {"tcp_user_timeout", "10000"}};
    for (const auto& [key, value] : kBounds) {
        const QRegularExpression set(QStringLiteral("(^|\\s)%1\\s*=").arg(QLatin1String(key)));
        if (!options.contains(set))
            options += QStringLiteral(" %1=%2").arg(QLatin1String(key), QLatin1String(value));
    }
    return options;
}

}  // namespace torbex::history
