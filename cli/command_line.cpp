#include "command_line.h"

#include "commands.h"
#include "console.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace cli {
namespace {

QString Shown(const QString& word, bool optional) {
    return optional ? QStringLiteral("[%1]").arg(word) : word;
}

// "-o" or "--into".
QString OptionName(const Option& option) {
    const QString name = option.names().front();
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QString OptionSynopsis(const Option& option) {
    const QString value = option.valueName().isEmpty() ? QString() : QLatin1Char(' ') + option.valueName();
    return Shown(OptionName(option) + value, !option.required);
}

// The parser's own help texts, which Qt's translations leave in English: the tool's translations
// carry them.
[[maybe_unused]] constexpr const char* kParserTexts[] = {
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help on commandline options."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help including Qt specific options."),
};

// Returns the help option, which the parser adds last.
QCommandLineOption SetUp(QCommandLineParser& parser, const Command& command) {
    parser.setApplicationDescription(command.descriptionArg.isEmpty()
                                         ? Translated(command.description)
                                         : Translated(command.description).arg(command.descriptionArg));
    for (const Option* option : command.options) {
        QCommandLineOption shown = *option;
        shown.setDescription(Translated(option->description()));
        parser.addOption(shown);
    }
    for (const Positional& p : command.positionals)
        parser.addPositionalArgument(p.name, Translated(p.help));
    return parser.addHelpOption();
}

} // namespace

QString Synopsis(const Command& command) {
    QStringList words{command.name};
    for (const Positional& p : command.positionals)
        words.append(Shown(p.name, p.optional));
    for (const Option* option : command.options)
        words.append(OptionSynopsis(*option));
    return words.join(QLatin1Char(' '));
}

int RunCommand(const Command& command, const QStringList& args) {
    QCommandLineParser parser;
    const QCommandLineOption help = SetUp(parser, command);
    if (!parser.parse(args)) {
        Error(QStringLiteral("zem_d7-cli %1: %2").arg(command.name, parser.errorText()));
        return kBadInput;
    }
    if (parser.isSet(help)) {
        Out(parser.helpText().toStdString());
        return kOk;
    }
    // The parser would silently take the last of two values.
    for (const Option* option : command.options) {
        if (!option->valueName().isEmpty() && parser.values(*option).size() > 1) {
            Error(QCoreApplication::translate("cli", "zem_d7-cli %1: %2 given more than once")
                      .arg(command.name, OptionName(*option)));
            return kBadInput;
        }
    }
    return command.run(command.name, parser);
}

} // namespace cli
