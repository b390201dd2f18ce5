#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "cli/arguments.h"
#include "cli/invocation.h"

namespace torbex::cli {

// One command of the tool: its name, its usage line, what it does, its own options and how it runs.
struct Command {
    QString name;
    QString usage;
    QString summary;
    std::vector<OptionSpec> options;
    QStringList requiredOptions;
    int minArguments = 0;  // positional arguments it takes
    int maxArguments = 0;  // -1: any number
    int (*run)(Invocation&) = nullptr;
};

const std::vector<Command>& commandTable();

// The options every command takes, before or after it.
const std::vector<OptionSpec>& globalOptions();

}  // namespace torbex::cli
