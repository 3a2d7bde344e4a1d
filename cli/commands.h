#pragma once
// The commands of vxprog-cli.

#include "image/image.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <vector>

namespace vx::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitDiffers = 1;  // diff: the two differ
inline constexpr int kExitUsage = 2;
inline constexpr int kExitPort = 3;
inline constexpr int kExitRadio = 4;
inline constexpr int kExitFile = 5;
inline constexpr int kExitMismatch = 6;

// Runs `command` with `args` (args[0] the program name, then the command's
// own options and arguments); returns the exit code.
int runCommand(const QString& command, const QStringList& args, const QString& usage);

// Rows (ascending) grouped by memory region, one line a region:
// "  channels: rows 3, 7-9".
QStringList regionLines(const std::vector<int>& rows);

// The image a read starts from: every row as start-up leaves it.
Image freshImage();

// The file as text a person can read.
void showImage(const Image& image, QTextStream& out);

}  // namespace vx::cli
