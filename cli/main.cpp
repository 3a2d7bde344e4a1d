// vxprog-cli: the command-line programmer. The same core as the window
// program: the data file, the codecs, the transfer engine and the whole-radio
// plans; no widgets.
#include "cli/cli_texts.h"
#include "cli/commands.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

const char* const kUsage =
    "Usage: vxprog-cli COMMAND [options] [arguments]\n"
    "\n"
    "Commands:\n"
    "  ports                             serial ports COM1..COM12 and their devices\n"
    "  identify [--port N] [--json]      the radio's model, firmware, serial number, band limits\n"
    "  read [--port N] FILE.dat          read the whole radio into a data file\n"
    "  write [--port N] FILE.dat         back up the radio, write the file, read back and compare\n"
    "  verify [--port N] FILE.dat        read the radio back and compare it with the file\n"
    "  show FILE.dat                     the file as text: channels, FM presets, VFOs, options\n"
    "  export-csv FILE.dat [-o OUT.csv]  the channels as CSV\n"
    "  import-csv FILE.dat IN.csv -o OUT.dat [--fit] [--renumber]\n"
    "                                    the channels of a CSV into a copy of a data file\n"
    "\n"
    "Every command takes --help. Radio commands take --trace (every byte on the\n"
    "wire, with direction and milliseconds) and --port N (COM1..COM12; without\n"
    "it the ports are tried from COM8 down to COM1). --lang zh gives Chinese\n"
    "messages.\n"
    "\n"
    "Exit codes:\n"
    "  0  success\n"
    "  2  usage: unknown command or option, missing argument\n"
    "  3  port: the serial port will not open\n"
    "  4  radio: the radio does not answer, or stopped answering\n"
    "  5  file: a data file or CSV file cannot be read, is malformed, or cannot be written\n"
    "  6  verify: the radio differs from the file\n";

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vxprog-cli"));
    QStringList args = QCoreApplication::arguments();
    if (args.size() < 2 || args[1] == QLatin1String("--help") || args[1] == QLatin1String("-h")) {
        std::fputs(kUsage, args.size() < 2 ? stderr : stdout);
        return args.size() < 2 ? vx::cli::kExitUsage : 0;
    }
    const QString command = args[1];
    args.removeAt(1);
    return vx::cli::runCommand(command, args, QString::fromLatin1(kUsage));
}
