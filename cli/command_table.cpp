#include "cli/command_table.h"

#include "cli/history_commands.h"
#include "cli/report_commands.h"
#include "cli/tester_commands.h"

namespace torbex::cli {
namespace {

OptionSpec json() { return {QStringLiteral("json"), QStringLiteral("Print JSON."), {}}; }
OptionSpec out(const char* file) {
    return {QStringLiteral("out"), QStringLiteral("The file to write."), QString::fromLatin1(file)};
}
OptionSpec all() { return {QStringLiteral("all"), QStringLiteral("Every test kept."), {}}; }

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
        {QStringLiteral("registry"), QStringLiteral("registry [--json] | registry set RFID NUMBER"),
         QStringLiteral("list the pumps with their last tests and due dates, or set a pump's management number"),
         {json()}, {}, 0, 3, &registry},
        {QStringLiteral("import"), QStringLiteral("import FILE.csv..."),
         QStringLiteral("add data files' tests to the history and learn their management numbers"), {}, {}, 1, -1,
         &importFiles},
        {QStringLiteral("report"), QStringLiteral("report (FILE.csv | --rfid RFID | --all) --out REPORT.pdf"),
         QStringLiteral("make the inspection report of a data file, of one pump's history or of every test kept"),
         {{QStringLiteral("rfid"), QStringLiteral("The pump whose history to report."), QStringLiteral("RFID")}, all(),
          out("REPORT.pdf")},
         {QStringLiteral("out")}, 0, 1, &report},
        {QStringLiteral("export"), QStringLiteral("export (FILE.csv | --all | --since DATE) --out FILE.json"),
         QStringLiteral("write tests as JSON for a maintenance system"),
         {all(), {QStringLiteral("since"), QStringLiteral("Tests on or after this day."), QStringLiteral("yyyy-MM-dd")},
          out("FILE.json")},
         {QStringLiteral("out")}, 0, 1, &exportRecords},
    };
    return table;
}

}  // namespace torbex::cli
