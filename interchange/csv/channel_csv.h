#pragma once
// The 200 channels as CSV, in the layouts channel lists are exchanged in.
//
// Export writes the current layout of the common open programmer:
//
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,
//   DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,
//   RPT1CALL,RPT2CALL,DVCODE
//
// Import finds its columns by name in the header (any case, any order) and
// reads that layout, its stock lists (no Power, RxDtcsCode or CrossMode) and
// our older 15-column layout alike. Only Location and Frequency are needed;
// a missing column reads as its default: empty name, simplex, no tone, FM,
// high power, scanned. Columns this radio has no use for are ignored.
//
//   Location   channel number 0..199
//   Frequency  receive frequency, MHz
//   Duplex     "" transmit = receive, "+"/"-" Offset in the same band,
//              "split" Offset is the transmit frequency, "off" no transmit
//   Tone       ""      no tones
//              "Tone"  CTCSS rToneFreq sent, nothing decoded
//              "TSQL"  CTCSS cToneFreq sent and decoded
//              "DTCS"  DCS DtcsCode sent and decoded
//              "Cross" by CrossMode, sent->decoded: Tone is rToneFreq sent or
//                      cToneFreq decoded, DTCS is DtcsCode sent or RxDtcsCode
//                      decoded ("Tone->Tone" when there is no CrossMode)
//   DtcsPolarity  two letters, sent then decoded: N normal, R inverted
//   Mode       FM (wide) or NFM (narrow)
//   Skip       "S" when the channel is not scanned
//   Power      High or Low, or a wattage ("50W", "5.0W", "25"): above 10 W
//              is High, 10 W and below Low
//
// Spreadsheet files are read as saved: a byte-order mark (UTF-8, or UTF-16
// which is read as its text), quoted fields, CR, LF or CR LF line ends, rows
// of empty fields, trailing empty columns, keywords in any case, numbers
// with fewer or more decimals, DCS codes without leading zeros. Fields
// separated by semicolons or tabs are detected from the header; such files
// may also write a decimal comma.
//
// A line is refused, not changed, when the radio cannot hold it. With `fit`,
// names are made storable (upper case, characters the radio cannot show
// dropped, cut to six, made unique when cutting made two equal) and lines
// the radio cannot hold are skipped; each change and each skipped line is
// reported with its line number. With `renumber`, lines whose location is
// outside 0..199 (or empty) go to the first channels no line names, in file
// order. Settings the CSV does not carry (PTT-ID, busy lock, signalling,
// mute, scrambler) are kept from the image for a channel that was in use,
// and the new-channel defaults otherwise.

#include "image/image.h"
#include "image/tables.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace vx::channels {

inline const QByteArray kCsvHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,"
    "Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

// The channels in use, one line each after the header, lines ended by CR LF.
QByteArray export_csv(const Image& image);
// Channels `channels` (those in use among them, ascending) with the same
// header and columns, fields separated by `separator`: a tab is what
// spreadsheets put on the clipboard.
QByteArray export_channels(const Image& image, const std::vector<int>& channels, char separator);
// Channels whose exported line would not import back to the same bytes
// (bytes no editor writes); empty for every channel the grid can make.
std::vector<int> export_problems(const Image& image, const BandLimits& limits = kDefaultBandLimits);

struct CsvNote {
    enum Kind {
        Refused,  // nothing is imported
        Skipped,  // fit mode: the line is left out
        Adapted,  // fit mode or renumber: the line is imported changed
        Ignored,  // for information: a column that is not read
    };
    Kind kind;
    int line;  // 1-based line of the file
    QString text;
};

struct CsvOptions {
    BandLimits limits = kDefaultBandLimits;
    bool fit = false;
    bool renumber = false;
    // A paste into the grid: the channel lines go to consecutive channels
    // from this one on, in the list's order, whatever their Location says
    // (the column may be missing); a line past channel 199 refuses the
    // list. -1: each line goes to its Location.
    int placeAt = -1;
};

// The report keeps at most this many notes, the first by line; the rest
// are counted.
inline constexpr int kMaxCsvNotes = 50;

struct CsvImport {
    std::vector<CsvNote> notes;  // in line order, at most kMaxCsvNotes
    int more = 0;                // notes found beyond those kept
    // The last line read when reading stopped early because the rest of the
    // file could not change the outcome; 0 when the whole file was read.
    int stoppedAfter = 0;
    int channels = 0;            // channels imported
    // When refused: the channels fit mode (with the same renumber) would
    // import, 0 when it would refuse too; and whether --renumber would place
    // lines that are now refused for their location.
    int fitChannels = 0;
    bool renumberHelps = false;

    // Notes of each kind found, kept or not.
    std::array<int, 4> found{};

    bool ok() const;
    int count(CsvNote::Kind kind) const;
    // "line 3: skipped: ...", one a kept note, in the language in force; then
    // "and N more problems" and where reading stopped, when it applies.
    QStringList report() const;
};

// Lines longer than this are refused without being read further.
inline constexpr int kMaxCsvLine = 4096;

// A channel list larger than this is refused from its size, before it is
// read: 200 channels make under 50 KB, so 4 MB leaves room for any spreadsheet
// layout (UTF-16, long comments) while every file is imported or refused in
// well under a second. Import keeps its time and memory in proportion to the
// file below the bound and stops reading once the outcome is decided.
inline constexpr qint64 kMaxCsvBytes = 4'000'000;

struct CsvFile {
    enum Error { None, CannotOpen, TooLarge };
    Error error = None;
    qint64 size = 0;  // bytes, as far as known
    QByteArray bytes;

    bool ok() const { return error == None; }
    // Why the file was not read, in the language in force: "the file is
    // 104.9 MB (104857600 bytes); a channel list is at most 4.0 MB ...".
    QString reason() const;
};

// "104.9 MB (104857600 bytes)", in the language in force.
QString file_size_text(qint64 bytes);

// Reads the channel list at `path` for import. A file over kMaxCsvBytes is
// refused from its size without being read; one whose size the file system
// does not give (a pipe, a device) is read no further than the bound.
CsvFile read_csv_file(const QString& path);

// Replaces the channels of `image` (rows 0..199 and 256..455) with those the
// CSV lists; every other row is left as it was, and channels the CSV does
// not list become empty. Every line is checked first: with any refusal,
// `image` is not touched. The first kMaxCsvNotes notes are kept and the rest
// counted; reading stops once the file is refused whatever follows.
CsvImport import_csv(const QByteArray& csv, Image& image, const CsvOptions& options = {});

}  // namespace vx::channels
