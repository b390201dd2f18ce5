#include "cli/command_table.h"

#include "cli/backup_commands.h"
#include "cli/history_commands.h"
#include "cli/register_commands.h"
#include "cli/report_commands.h"
#include "cli/tester_commands.h"

namespace torbex::cli {
namespace {

OptionSpec json() { return {QStringLiteral("json"), QStringLiteral("Print JSON."), {}}; }
OptionSpec out(const char* file) {
    return {QStringLiteral("out"), QStringLiteral("The file to write."), QString::fromLatin1(file)};
}
OptionSpec all() { return {QStringLiteral("all"), QStringLiteral("Every test kept."), {}}; }
OptionSpec value(const char* name, const char* description, const char* valueName) {
    return {QString::fromLatin1(name), QString::fromLatin1(description), QString::fromLatin1(valueName)};
}
// A pump by its RFID or its management number.
OptionSpec pump(const char* description) { return value("rfid", description, "RFID|NUMBER"); }
OptionSpec lang() {
    return value("lang", "The printed report's language, ja or en (default: torbex.conf's [ui] language=, else the system's).",
                 "LANG");
}

}  // namespace

const std::vector<OptionSpec>& globalOptions() {
    static const std::vector<OptionSpec> options{
        {QStringLiteral("database"), QStringLiteral("Keep the history in DB."), QStringLiteral("DB")},
        {QStringLiteral("simulate"), QStringLiteral("Talk to a simulated tester described by FILE."),
         QStringLiteral("SCENARIO.json")},
        {QStringLiteral("trace"), QStringLiteral("Write every report to standard error in hexadecimal."), {}},
        {QStringLiteral("help"), QStringLiteral("Show the usage."), {}},
        {QStringLiteral("version"), QStringLiteral("Show the version."), {}}};
    return options;
}

const std::vector<Command>& commandTable() {
    static const std::vector<Command> table{
        {QStringLiteral("info"), QStringLiteral("info [--json]"),
         QStringLiteral("show the tester's version, serial number, calibration coefficients and settings"), {json()}, {}, 0,
         0, &info},
        {QStringLiteral("set-clock"), QStringLiteral("set-clock"), QStringLiteral("set the tester's clock to this PC's local time"),
         {}, {}, 0, 0, &setClock},
        {QStringLiteral("send-settings"), QStringLiteral("send-settings --flow F --level L|M|H"),
         QStringLiteral("send a flow rate (5 to 150 ml/h) and an occlusion level"),
         {{QStringLiteral("flow"), QStringLiteral("Flow rate in ml/h."), QStringLiteral("F")},
          {QStringLiteral("level"), QStringLiteral("Occlusion level."), QStringLiteral("L|M|H")}},
         {QStringLiteral("flow"), QStringLiteral("level")}, 0, 0, &sendSettings},
        {QStringLiteral("download"), QStringLiteral("download --out FILE.csv"),
         QStringLiteral("download every record and save them as a data file"), {out("FILE.csv")},
         {QStringLiteral("out")}, 0, 0, &download},
        {QStringLiteral("clear"), QStringLiteral("clear"), QStringLiteral("erase the tester's records"), {}, {}, 0, 0, &clear},
        {QStringLiteral("show"), QStringLiteral("show FILE.csv [--json]"),
         QStringLiteral("list the records of a data file as the window shows them"), {json()}, {}, 1, 1, &show},
        {QStringLiteral("history"), QStringLiteral("history [--rfid RFID] [--json]"),
         QStringLiteral("list the tests kept, oldest first, with the pumps' management numbers"),
         {{QStringLiteral("rfid"), QStringLiteral("Only this pump's tests."), QStringLiteral("RFID")}, json()}, {}, 0, 0,
         &listHistory},
        {QStringLiteral("registry"),
         QStringLiteral("registry [--json] | registry set RFID [NUMBER] [--FIELD VALUE]... | "
                        "registry show RFID|NUMBER [--json] | registry import FILE.csv | registry export --out FILE.csv"),
         QStringLiteral("list the pumps with their last tests and due dates, set a pump's number and details, "
                        "show one pump, or take or write the whole register as CSV"),
         {json(), value("maker", "The pump's maker.", "M"), value("model", "The pump's model.", "M"),
          value("serial", "The pump's own serial number.", "S"), value("department", "Its department.", "D"),
          value("location", "Where it is kept.", "L"), value("status", "In service or retired.", "in-service|retired"),
          value("notes", "Notes.", "TEXT"), out("FILE.csv")},
         {}, 0, 3, &registry},
        {QStringLiteral("model"), QStringLiteral("model [--json] | model set MAKER MODEL --interval MONTHS"),
         QStringLiteral("list the models' inspection intervals, or set one (0 months: torbex.conf's applies)"),
         {json(), value("interval", "Months between inspections.", "MONTHS")}, {}, 0, 3, &model},
        {QStringLiteral("due"),
         QStringLiteral("due [--within DAYS] [--department D] [--json | --out FILE.pdf|FILE.csv [--lang ja|en]]"),
         QStringLiteral("list the pumps in service that are overdue or due within DAYS (30), soonest first"),
         {value("within", "Days ahead.", "DAYS"), value("department", "Only this department's pumps.", "D"), json(),
          out("FILE.pdf|FILE.csv"), lang()},
         {}, 0, 0, &due},
        {QStringLiteral("audit"), QStringLiteral("audit [--rfid RFID|NUMBER] [--json]"),
         QStringLiteral("list every change to the register, oldest first: when, which pump and field, old and new, "
                        "who, from where"),
         {pump("Only this pump's changes."), json()}, {}, 0, 0, &audit},
        {QStringLiteral("backup"), QStringLiteral("backup --out FILE"),
         QStringLiteral("copy an SQLite history to FILE while it is in use, and check the copy"), {out("FILE")},
         {QStringLiteral("out")}, 0, 0, &backup},
        {QStringLiteral("restore"), QStringLiteral("restore FILE [--yes]"),
         QStringLiteral("replace the history by a backup's, keeping the current one beside it"),
         {{QStringLiteral("yes"), QStringLiteral("Do not ask first."), {}}}, {}, 1, 1, &restore},
        {QStringLiteral("import"), QStringLiteral("import FILE.csv..."),
         QStringLiteral("add data files' tests to the history and learn their management numbers"), {}, {}, 1, -1,
         &importFiles},
        {QStringLiteral("report"), QStringLiteral("report (FILE.csv | --rfid RFID|NUMBER | --all) --out REPORT.pdf [--lang ja|en]"),
         QStringLiteral("make the inspection report of a data file, of one pump's history or of every test kept"),
         {pump("The pump whose history to report."), all(), out("REPORT.pdf"),
          lang()},
         {QStringLiteral("out")}, 0, 1, &report},
        {QStringLiteral("export"),
         QStringLiteral("export (FILE.csv | --all | --since DATE) [--format json|cmms-csv] --out FILE"),
         QStringLiteral("write tests for a maintenance system: JSON, or CSV rows with the register's details"),
         {all(), {QStringLiteral("since"), QStringLiteral("Tests on or after this day."), QStringLiteral("yyyy-MM-dd")},
          value("format", "json (the default) or cmms-csv.", "FORMAT"), out("FILE")},
         {QStringLiteral("out")}, 0, 1, &exportRecords},
    };
    return table;
}

}  // namespace torbex::cli
