#pragma once
// The ".dat" data file: the whole image as text, one line a row.
//
//   line r (0..1024): r div 16, r mod 16, r, then bytes 0..15 of row r
//   every number written as " " + digits + " ", lines ended by CR LF
//
// Loading reads the file as a stream of numbers separated by spaces, commas
// and line ends: three numbers a row are skipped, sixteen are the row.

#include "image/image.h"

#include <QByteArray>
#include <QString>

namespace vx::datafile {

QByteArray format(const Image& image);

enum class LoadError {
    None,
    CannotOpen,   // missing, unreadable, or not a regular file
    TooShort,     // ended before 1025 rows were read
    NotANumber,   // a token that is not a whole number
    OutOfRange,   // a byte value outside 0..255
};

struct LoadResult {
    LoadError error = LoadError::None;
    int row = -1;  // the row being read when the error was found
    bool ok() const { return error == LoadError::None; }
};

// Parses a whole file. On success `out` holds all 1025 rows; on failure it is
// not touched.
LoadResult parse(const QByteArray& text, Image& out);

// Loads a file into `image`; the image is replaced only after all 1025 rows
// were read, so a failed load leaves it as it was.
LoadResult load(const QString& path, Image& image);

enum class SaveError { None, CannotOpen, WriteFailed };

// Saves through a temporary file in the same folder that replaces the target
// only when the whole file was written.
SaveError save(const Image& image, const QString& path, QString* detail = nullptr);

// Files larger than this are refused without reading them (a real file is
// about 80 KB).
inline constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

}  // namespace vx::datafile
