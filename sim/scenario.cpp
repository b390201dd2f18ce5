#include "sim/scenario.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QStringList>
#include <cmath>
#include <limits>

#include "data/file_io.h"

namespace torbex::sim {
namespace {

// Thrown inside the parser only; turned into ScenarioResult::error.
struct ScenarioError {
    QString message;
};

[[noreturn]] void refuse(const QString& key, const QString& what) { throw ScenarioError{key + QStringLiteral(": ") + what}; }

void rejectUnknownKeys(const QJsonObject& object, const QString& where, std::initializer_list<const char*> known) {
    for (const QString& key : object.keys()) {
        bool listed = false;
        for (const char* name : known) listed = listed || key == QLatin1String(name);
        if (!listed) refuse(where + key, QStringLiteral("unknown key"));
    }
}

int wholeNumber(const QJsonValue& value, const QString& key, int low, int high) {
    const double number = value.toDouble(std::numeric_limits<double>::quiet_NaN());
    if (!value.isDouble() || std::floor(number) != number || number < low || number > high)
        refuse(key, QStringLiteral("expected a whole number from %1 to %2").arg(low).arg(high));
    return static_cast<int>(number);
}

float decimalNumber(const QJsonValue& value, const QString& key, double low, double high) {
    const double number = value.toDouble();
    if (!value.isDouble() || !(number >= low && number <= high))
        refuse(key, QStringLiteral("expected a number from %1 to %2").arg(low).arg(high));
    return static_cast<float>(number);
}

QString text(const QJsonValue& value, const QString& key, qsizetype maxLength) {
    if (!value.isString()) refuse(key, QStringLiteral("expected a text"));
    const QString s = value.toString();
    if (s.size() > maxLength) refuse(key, QStringLiteral("expected at most %1 characters").arg(maxLength));
    for (QChar c : s)
        if (c.unicode() > 0xFF) refuse(key, QStringLiteral("expected single-byte characters"));
    return s;
}

QString pattern(const QJsonValue& value, const QString& key, qsizetype length, bool hex) {
    const QString s = value.isString() ? value.toString() : QString();
    bool fits = value.isString() && s.size() == length;
    for (QChar c : s) {
        const bool digit = c >= u'0' && c <= u'9';
        const bool hexLetter = (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        fits = fits && (digit || (hex && hexLetter));
    }
    if (!fits)
        refuse(key, QStringLiteral("expected %1 %2 digits").arg(length).arg(hex ? QStringLiteral("hexadecimal") : QStringLiteral("decimal")));
    return s;
}

std::vector<std::uint8_t> hexBytes(const QJsonValue& value, const QString& key) {
    if (!value.isString()) refuse(key, QStringLiteral("expected hexadecimal bytes separated by spaces"));
    std::vector<std::uint8_t> bytes;
    for (const QString& pair : value.toString().split(u' ', Qt::SkipEmptyParts)) {
        bool ok = false;
        const uint byte = pair.toUInt(&ok, 16);
        if (!ok || pair.size() > 2) refuse(key, QStringLiteral("\"%1\" is not a hexadecimal byte").arg(pair));
        bytes.push_back(static_cast<std::uint8_t>(byte));
    }
    if (bytes.size() > 61) refuse(key, QStringLiteral("expected at most 61 bytes (reply bytes 3 to 63)"));
    return bytes;
}

void readSettings(const QJsonValue& value, commands::MeasurementSettings& s) {
    const QString where = QStringLiteral("settings");
    if (!value.isObject()) refuse(where, QStringLiteral("expected an object"));
    const QJsonObject o = value.toObject();
    rejectUnknownKeys(o, where + u'.', {"flowRate", "averageCount", "measureCount", "occlusionPressure", "occlusionLevel",
                                         "writeMode", "rfidUse", "displayUnits"});
    auto key = [&](const char* name) { return where + u'.' + QLatin1String(name); };
    if (o.contains(u"flowRate")) s.FlowRate = decimalNumber(o[u"flowRate"], key("flowRate"), 0, 9999);
    if (o.contains(u"averageCount")) s.AverageCount = static_cast<std::int16_t>(wholeNumber(o[u"averageCount"], key("averageCount"), 0, 99));
    if (o.contains(u"measureCount")) s.MeasureCount = static_cast<std::int16_t>(wholeNumber(o[u"measureCount"], key("measureCount"), 0, 99));
    if (o.contains(u"occlusionPressure"))
        s.OcclusionPressure = decimalNumber(o[u"occlusionPressure"], key("occlusionPressure"), 0, 9999);
    // One digit each on the wire; values beyond the lists are allowed so tests can send them.
    if (o.contains(u"occlusionLevel")) s.OcclusionLevel = static_cast<std::int16_t>(wholeNumber(o[u"occlusionLevel"], key("occlusionLevel"), 0, 9));
    if (o.contains(u"writeMode")) s.WriteMode = static_cast<std::int16_t>(wholeNumber(o[u"writeMode"], key("writeMode"), 0, 9));
    if (o.contains(u"rfidUse")) s.RfidUse = static_cast<std::int16_t>(wholeNumber(o[u"rfidUse"], key("rfidUse"), 0, 9));
    if (o.contains(u"displayUnits")) s.DisplayUnits = static_cast<std::int16_t>(wholeNumber(o[u"displayUnits"], key("displayUnits"), 0, 9));
}

Slot readSlotContent(const QJsonObject& o, const QString& where) {
    auto key = [&](const char* name) { return where + u'.' + QLatin1String(name); };
    if (o.contains(u"reply")) {
        if (o.size() != 2) refuse(key("reply"), QStringLiteral("a slot with a reply takes no record fields"));
        return RawReply{hexBytes(o[u"reply"], key("reply"))};
    }
    StoredRecord r;
    if (o.contains(u"rfid")) r.rfid = pattern(o[u"rfid"], key("rfid"), 16, true).toUpper();
    if (o.contains(u"status")) r.status = wholeNumber(o[u"status"], key("status"), 0, 255);
    if (o.contains(u"date")) r.date = pattern(o[u"date"], key("date"), 6, false);
    if (o.contains(u"time")) r.time = pattern(o[u"time"], key("time"), 4, false);
    if (o.contains(u"flowSetting")) r.flowSetting = wholeNumber(o[u"flowSetting"], key("flowSetting"), 0, 9999);
    if (o.contains(u"flowResult")) r.flowResult = wholeNumber(o[u"flowResult"], key("flowResult"), 0, 9999);
    if (o.contains(u"occlusionLevel")) r.occlusionLevel = wholeNumber(o[u"occlusionLevel"], key("occlusionLevel"), 0, 9);
    if (o.contains(u"occlusionValue")) r.occlusionValue = wholeNumber(o[u"occlusionValue"], key("occlusionValue"), 0, 999);
    if (o.contains(u"occlusionResult")) r.occlusionResult = wholeNumber(o[u"occlusionResult"], key("occlusionResult"), 0, 9999);
    return r;
}

void readSlots(const QJsonValue& value, TesterState& state) {
    if (!value.isArray()) refuse(QStringLiteral("slots"), QStringLiteral("expected an array"));
    const QJsonArray slots = value.toArray();
    for (qsizetype i = 0; i < slots.size(); ++i) {
        const QString where = QStringLiteral("slots[%1]").arg(i);
        if (!slots[i].isObject()) refuse(where, QStringLiteral("expected an object"));
        const QJsonObject o = slots[i].toObject();
        rejectUnknownKeys(o, where + u'.', {"slot", "reply", "rfid", "status", "date", "time", "flowSetting", "flowResult",
                                             "occlusionLevel", "occlusionValue", "occlusionResult"});
        if (!o.contains(u"slot")) refuse(where + QStringLiteral(".slot"), QStringLiteral("missing"));
        const int number = wholeNumber(o[u"slot"], where + QStringLiteral(".slot"), 0, kSlotCount - 1);
        auto& slot = state.slots[static_cast<std::size_t>(number)];
        if (slot) refuse(where + QStringLiteral(".slot"), QStringLiteral("slot %1 is given twice").arg(number));
        slot = readSlotContent(o, where);
    }
}

template <typename T>
struct Named {
    const char* name;
    T value;
};

constexpr Named<FaultTarget> kFaultTargets[] = {
    {"any", FaultTarget::AnyCommand},      {"D4", FaultTarget::ReadSettings},
    {"D5", FaultTarget::ReadCalibration},  {"D9", FaultTarget::ReadVersion},
    {"D10", FaultTarget::ReadRecord},      {"0x11", FaultTarget::SetClock},
    {"0x22", FaultTarget::WriteSettings},  {"0x33", FaultTarget::WriteCalibration},
    {"U", FaultTarget::DataClear},         {"0x70", FaultTarget::ChangeMode},
    {"0x72", FaultTarget::ProgramRewrite},
};
constexpr Named<Fault> kFaultKinds[] = {
    {"noAnswer", Fault::NoAnswer}, {"staleEcho", Fault::StaleEcho},    {"writeFails", Fault::WriteFails},
    {"garbage", Fault::Garbage},   {"notReady", Fault::RecordNotReady}, {"unplug", Fault::Unplug},
};

template <typename T, std::size_t N>
T oneOf(const QJsonObject& o, const char* name, const QString& where, const Named<T> (&choices)[N]) {
    const QString key = where + u'.' + QLatin1String(name);
    if (!o.contains(QLatin1String(name))) refuse(key, QStringLiteral("missing"));
    const QJsonValue value = o[QLatin1String(name)];
    QStringList names;
    for (const Named<T>& choice : choices) {
        if (value.isString() && value.toString() == QLatin1String(choice.name)) return choice.value;
        names.append(QLatin1String(choice.name));
    }
    refuse(key, QStringLiteral("expected one of ") + names.join(QStringLiteral(", ")));
}

FaultRule readFault(const QJsonObject& o, const QString& where) {
    auto key = [&](const char* name) { return where + u'.' + QLatin1String(name); };
    auto count = [&](const char* name) { return wholeNumber(o[QLatin1String(name)], key(name), 0, std::numeric_limits<int>::max()); };
    rejectUnknownKeys(o, where + u'.', {"on", "kind", "after", "times", "replugAfterMs"});
    FaultRule rule;
    rule.on = oneOf(o, "on", where, kFaultTargets);
    rule.kind = oneOf(o, "kind", where, kFaultKinds);
    if (o.contains(u"after")) rule.after = count("after");
    if (o.contains(u"times")) rule.times = count("times");
    if (o.contains(u"replugAfterMs")) {
        if (rule.kind != Fault::Unplug) refuse(key("replugAfterMs"), QStringLiteral("only an unplug comes back"));
        rule.replugAfterMs = count("replugAfterMs");
    }
    if (rule.kind == Fault::RecordNotReady) {
        // Only a record request can be told "not ready", so only those count toward after and times.
        if (rule.on == FaultTarget::AnyCommand) rule.on = FaultTarget::ReadRecord;
        if (rule.on != FaultTarget::ReadRecord) refuse(key("on"), QStringLiteral("notReady hits only D10"));
    }
    return rule;
}

void readFaults(const QJsonValue& value, std::vector<FaultRule>& faults) {
    if (!value.isArray()) refuse(QStringLiteral("faults"), QStringLiteral("expected an array"));
    const QJsonArray list = value.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString where = QStringLiteral("faults[%1]").arg(i);
        if (!list[i].isObject()) refuse(where, QStringLiteral("expected an object"));
        faults.push_back(readFault(list[i].toObject(), where));
    }
}

void readReportBytes(const QJsonValue& value, TesterState& state) {
    const QString where = QStringLiteral("reportBytes");
    if (!value.isObject()) refuse(where, QStringLiteral("expected an object"));
    const QJsonObject o = value.toObject();
    rejectUnknownKeys(o, where + u'.', {"input", "output"});
    // Up to what one uhid report carries; the program itself refuses long before.
    constexpr int kMostBytes = 4095;
    if (o.contains(u"input")) state.inputReportBytes = wholeNumber(o[u"input"], where + QStringLiteral(".input"), 1, kMostBytes);
    if (o.contains(u"output")) state.outputReportBytes = wholeNumber(o[u"output"], where + QStringLiteral(".output"), 1, kMostBytes);
}

TesterState readScenario(const QJsonObject& root) {
    TesterState state;
    rejectUnknownKeys(root, QString(), {"version", "serial", "coefficients", "settings", "slots", "faults", "reportBytes"});
    if (root.contains(u"version")) state.version = text(root[u"version"], QStringLiteral("version"), 8);
    if (root.contains(u"serial")) state.serial = text(root[u"serial"], QStringLiteral("serial"), 8);
    if (root.contains(u"coefficients")) {
        const QJsonValue value = root[u"coefficients"];
        if (!value.isArray() || value.toArray().size() != 3)
            refuse(QStringLiteral("coefficients"), QStringLiteral("expected an array of three numbers"));
        const double largest = std::numeric_limits<float>::max();
        for (qsizetype i = 0; i < 3; ++i)
            state.coefficients[static_cast<std::size_t>(i)] =
                decimalNumber(value.toArray()[i], QStringLiteral("coefficients[%1]").arg(i), -largest, largest);
    }
    if (root.contains(u"settings")) readSettings(root[u"settings"], state.settings);
    if (root.contains(u"slots")) readSlots(root[u"slots"], state);
    if (root.contains(u"faults")) readFaults(root[u"faults"], state.faults);
    if (root.contains(u"reportBytes")) readReportBytes(root[u"reportBytes"], state);
    return state;
}

}  // namespace

ScenarioResult parseScenario(const QByteArray& json) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return {std::nullopt, QStringLiteral("not valid JSON at offset %1: %2").arg(parseError.offset).arg(parseError.errorString())};
    if (!document.isObject()) return {std::nullopt, QStringLiteral("expected a JSON object at the top")};
    try {
        return {readScenario(document.object()), QString()};
    } catch (const ScenarioError& error) {
        return {std::nullopt, error.message};
    }
}

ScenarioResult loadScenarioFile(const QString& path) {
    // A scenario is a few hundred kilobytes at most; /dev/zero or a FIFO must not hang the tool.
    constexpr qint64 kMaxScenarioBytes = 16 * 1024 * 1024;
    const data::FileBytes file = data::readRegularFile(path, kMaxScenarioBytes);
    if (!file.ok()) return {std::nullopt, QStringLiteral("cannot open %1: %2").arg(path, file.error)};
    ScenarioResult result = parseScenario(file.bytes);
    if (!result.state) result.error = path + QStringLiteral(": ") + result.error;
    return result;
}

}  // namespace torbex::sim
