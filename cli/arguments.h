#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <variant>
#include <vector>

namespace torbex::cli {

// An option the tool knows: "--name" alone, or "--name VALUE" / "--name=VALUE".
struct OptionSpec {
    QString name;
    QString description;
    QString valueName;  // empty: the option takes no value
};

struct ParsedArguments {
    QStringList positional;
    QMap<QString, QString> options;  // each option given, with its value (empty for a switch)
};

// Reads a command line. Options may stand anywhere; "--" makes every later word an argument, and
// so is a word such as "-001": a negative number, or a management number with a sign, is never an
// option. "-h" is "--help". An unknown option, or a value missing, gives the problem in words.
std::variant<ParsedArguments, QString> parseArguments(const QStringList& words, const std::vector<OptionSpec>& known);

// The words before the first argument, read with `known` options only: the tool's own options,
// which come before the command. The index of that first argument, or the problem.
std::variant<qsizetype, QString> findCommand(const QStringList& words, const std::vector<OptionSpec>& known);

}  // namespace torbex::cli
