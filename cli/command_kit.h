#pragma once
// What the command groups of vxprog-cli share: the output streams, the
// options, the data-file helpers and each command's entry point.

#include "image/image.h"
#include "image/language.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace vx::cli {

QTextStream& out();
QTextStream& err();
// Milliseconds since the program started, for the trace.
QElapsedTimer& clock();
QString arg1(const Text& t, const QString& a);

// The commands' own options (--help and --lang every command takes).
extern const QCommandLineOption kPort;
extern const QCommandLineOption kTrace;
extern const QCommandLineOption kJson;
extern const QCommandLineOption kNoBackup;
extern const QCommandLineOption kNoVerify;
extern const QCommandLineOption kOutput;
extern const QCommandLineOption kFull;
extern const QCommandLineOption kSince;
extern const QCommandLineOption kDryRun;
extern const QCommandLineOption kFit;
extern const QCommandLineOption kRenumber;
extern const QCommandLineOption kLimits;

// Data files, each false after a message naming the file.
bool loadFile(const QString& path, Image& image);
bool saveFile(const Image& image, const QString& path);
bool outputCreatable(const QString& path);

// A command: the parsed options and its positional arguments; the exit code.
using CommandFn = int (*)(const QCommandLineParser& p, const QStringList& a);

// The radio commands (radio_commands.cpp).
int portsCommand(const QCommandLineParser& p, const QStringList& a);
int identifyCommand(const QCommandLineParser& p, const QStringList& a);
int readCommand(const QCommandLineParser& p, const QStringList& a);
int writeCommand(const QCommandLineParser& p, const QStringList& a);
int verifyCommand(const QCommandLineParser& p, const QStringList& a);
// The connection check (doctor_command.cpp) and its option.
int doctorCommand(const QCommandLineParser& p, const QStringList& a);
extern const QCommandLineOption kTraceFile;
// Many radios from one fleet file (fleet_command.cpp).
int fleetCommand(const QCommandLineParser& p, const QStringList& a);

// The file commands (file_commands.cpp).
int showCommand(const QCommandLineParser& p, const QStringList& a);
int exportCsvCommand(const QCommandLineParser& p, const QStringList& a);
int importCsvCommand(const QCommandLineParser& p, const QStringList& a);
int exportConfCommand(const QCommandLineParser& p, const QStringList& a);
int applyConfCommand(const QCommandLineParser& p, const QStringList& a);
int diffCommand(const QCommandLineParser& p, const QStringList& a);
int confReferenceCommand(const QCommandLineParser& p, const QStringList& a);

}  // namespace vx::cli
