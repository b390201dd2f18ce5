#include "cli/arguments.h"

namespace torbex::cli {
namespace {

const OptionSpec* lookUp(const std::vector<OptionSpec>& known, QStringView name) {
    for (const OptionSpec& option : known)
        if (option.name == name) return &option;
    return nullptr;
}

// "-", and a dash before a digit or a point, begin an argument rather than an option.
bool isOption(const QString& word) {
    if (word.size() < 2 || word.front() != u'-') return false;
    const QChar second = word[1];
    return !(second.isDigit() || second == u'.');
}

struct Step {
    qsizetype next = 0;
    QString name, value;
};

// One option at `index`, with its value when it takes one.
std::variant<Step, QString> readOption(const QStringList& words, qsizetype index, const std::vector<OptionSpec>& known) {
    const QString& word = words[index];
    QString name = word == u"-h" ? QStringLiteral("help") : word.startsWith(u"--") ? word.mid(2) : QString();
    if (name.isEmpty()) return QStringLiteral("unknown option: %1").arg(word);
    QString value;
    const qsizetype equals = name.indexOf(u'=');
    const bool inline_ = equals >= 0;
    if (inline_) {
        value = name.mid(equals + 1);
        name = name.left(equals);
    }
    const OptionSpec* option = lookUp(known, name);
    if (!option) return QStringLiteral("unknown option: --%1").arg(name);
    if (option->valueName.isEmpty()) {
        if (inline_) return QStringLiteral("--%1 takes no value").arg(name);
        return Step{index + 1, name, {}};
    }
    if (inline_) return Step{index + 1, name, value};
    if (index + 1 >= words.size()) return QStringLiteral("--%1 needs a value (%2)").arg(name, option->valueName);
    return Step{index + 2, name, words[index + 1]};
}

}  // namespace

std::variant<ParsedArguments, QString> parseArguments(const QStringList& words, const std::vector<OptionSpec>& known) {
    ParsedArguments parsed;
    for (qsizetype i = 0; i < words.size();) {
        if (words[i] == u"--") {
            parsed.positional += words.mid(i + 1);
            break;
        }
        if (!isOption(words[i])) {
            parsed.positional.append(words[i++]);
            continue;
        }
        auto step = readOption(words, i, known);
        if (const QString* problem = std::get_if<QString>(&step)) return *problem;
        const Step& read = std::get<Step>(step);
        parsed.options.insert(read.name, read.value);
        i = read.next;
    }
    return parsed;
}

std::variant<qsizetype, QString> findCommand(const QStringList& words, const std::vector<OptionSpec>& known) {
    for (qsizetype i = 0; i < words.size();) {
        if (words[i] == u"--") return i + 1 < words.size() ? std::variant<qsizetype, QString>(i + 1) : QString();
        if (!isOption(words[i])) return i;
        auto step = readOption(words, i, known);
        if (const QString* problem = std::get_if<QString>(&step)) return *problem;
        i = std::get<Step>(step).next;
    }
    return QString();
}

}  // namespace torbex::cli
