#pragma once
// The 200 channels as CSV, in the column layout most radio programmers
// exchange channel lists in:
//
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,
//   DtcsCode,DtcsPolarity,Mode,TStep,Skip,Power,Comment
//
//   Location   channel number 0..199
//   Frequency  receive frequency, MHz
//   Duplex     "" transmit = receive, "+"/"-" offset in the same band,
//              "split" Offset is the transmit frequency, "off" no transmit
//   Tone       ""      no tones
//              "Tone"  CTCSS rToneFreq sent, no decode tone
//              "TSQL"  CTCSS cToneFreq sent and decoded
//              "DTCS"  DCS DtcsCode sent and decoded; DtcsPolarity is two
//                      letters, transmit then receive, N normal, R inverted
//              "Cross" CTCSS rToneFreq sent, CTCSS cToneFreq decoded
//   Mode       FM (wide) or NFM (narrow)
//   Skip       "S" when the channel is not scanned
//   Power      High or Low
//
// A row is refused, not changed, when the radio cannot hold it: a frequency
// outside the band limits or off both rasters (2.5 and 6.25 kHz), a tone not
// in the tone list (or outside 60..259.9 Hz for CTCSS), a name of more than
// six characters or with a character other than a letter or a digit, a
// location outside 0..199 or given twice. Settings the CSV does not carry
// (PTT-ID, busy lock, signalling, mute, scrambler) are kept from the image
// for a channel that was in use, and the new-channel defaults otherwise.

#include "image/image.h"
#include "image/tables.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace vx::channels {

inline const QByteArray kCsvHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,TStep,Skip,Power,Comment";

// The channels in use, one line each after the header, lines ended by CR LF.
QByteArray export_csv(const Image& image);
// Channels whose tones have no column in this layout (a decode tone alone,
// DCS with CTCSS, two different DCS codes): exported without tones.
std::vector<int> export_problems(const Image& image);

struct CsvProblem {
    int line;  // 1-based line of the file
    QString reason;
};

struct CsvImport {
    std::vector<CsvProblem> problems;  // empty: the import succeeded
    int channels = 0;                  // channels the CSV defines
    bool ok() const { return problems.empty(); }
};

// Lines longer than this are refused without being read further.
inline constexpr int kMaxCsvLine = 4096;

// Replaces the channels of `image` (rows 0..199 and 256..455) with those the
// CSV lists; every other row is left as it was, and channels the CSV does
// not list become empty. Every line is checked first: with any problem,
// `image` is not touched and every bad line is reported.
CsvImport import_csv(const QByteArray& csv, Image& image, const BandLimits& limits = kDefaultBandLimits);

}  // namespace vx::channels
