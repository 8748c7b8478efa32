// rivwood-cli: the program's computations, readers and stores without windows; JSON on stdout.
#include "CliCommand.h"
#include "IniFile.h"
#include "RivwoodError.h"

#include <QCoreApplication>

namespace {

int usage(const QString& problem) {
    QString text;
    if (!problem.isEmpty())
        text += problem + "\n";
    text += "Použití: rivwood-cli [--refdir DIR] [--settings FILE] PŘÍKAZ …\n";
    for (const auto& [name, entry] : CliCommand::all())
        text += "  " + entry.first + "\n";
    printError(text.trimmed());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // A settings file that cannot be saved is said on stderr; the command goes on without it.
    IniFile::SetFailureReporter([](const QString& message) { printError(message); });
    QStringList args = app.arguments().mid(1);
    CliGlobals globals;
    try {
        // Global options come before the subcommand name.
        while (!args.isEmpty() && args.first().startsWith("--")) {
            const QString opt = args.takeFirst();
            if ((opt == "--refdir" || opt == "--settings") && !args.isEmpty())
                (opt == "--refdir" ? globals.refDir : globals.settingsFile) = args.takeFirst();
            else if (opt == "--help")
                return usage({}), 0;
            else
                return usage(QString("neznámý přepínač %1").arg(opt));
        }
        if (args.isEmpty())
            return usage("chybí příkaz");
        const QString name = args.takeFirst();
        // Global options may also follow the subcommand.
        for (int i = 0; i + 1 < args.size();) {
            if (args[i] == "--refdir" || args[i] == "--settings") {
                (args[i] == "--refdir" ? globals.refDir : globals.settingsFile) = args[i + 1];
                args.remove(i, 2);
            } else {
                ++i;
            }
        }
        const auto& commands = CliCommand::all();
        // A command of two words ("db compute") comes before the command of its first word.
        auto it = args.isEmpty() ? commands.end() : commands.find(name + " " + args.first());
        if (it != commands.end())
            args.removeFirst();
        else
            it = commands.find(name);
        if (it == commands.end())
            return usage(QString("neznámý příkaz %1").arg(name));
        return it->second.second(args, globals);
    } catch (const CliUsageError& e) {
        return usage(e.message);
    } catch (const RivwoodError& e) {
        printError(e.message());
        return 1;
    } catch (const std::exception& e) {
        printError(QString::fromLocal8Bit(e.what()));
        return 1;
    }
}
