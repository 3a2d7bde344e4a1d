#pragma once
// The parts of the channel CSV that import and export share: the columns
// read by name, frequencies in exact hertz, and the reader that splits a file
// into records. Internal to editors/channels.

#include "interchange/csv/channel_csv.h"
#include "image/codecs.h"
#include "image/typed_values.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace vx::channels::csv_parts {

// ------------------------------------------------------------------ columns

enum Col { Location, Name, Frequency, Duplex, Offset, ToneMode, RTone, CTone, DtcsCode, DtcsPolarity, RxDtcsCode, CrossMode, Mode, Skip, Power, kUsed };
inline constexpr std::array<const char*, kUsed> kUsedNames{"Location", "Name",         "Frequency",  "Duplex",    "Offset",
                                                           "Tone",     "rToneFreq",    "cToneFreq",  "DtcsCode",  "DtcsPolarity",
                                                           "RxDtcsCode", "CrossMode",  "Mode",       "Skip",      "Power"};
// Columns of the common layouts this radio has no use for: read past quietly.
inline constexpr std::array<const char*, 6> kIgnoredNames{"TStep", "Comment", "URCALL", "RPT1CALL", "RPT2CALL", "DVCODE"};

std::optional<int> usedColumn(const QString& name);
bool ignoredColumn(const QString& name);

// ---------------------------------------------------------------- frequencies

// Frequencies in hertz, exactly.
using Hz = int64_t;
inline constexpr Hz kHzPerUnit = 10;  // the image stores 10 Hz units

QString mhzText(Hz hz, int decimals);
// A frequency field is read by read_decimal_millionths (image/typed_values.h):
// "145.5", "145.500000", "146", whole hertz, a decimal comma read as a point
// where the fields are not separated by commas.
inline Hz unitsToHz(Units10Hz u) { return Hz(u) * kHzPerUnit; }
inline bool vhf(Hz hz) { return hz < 300'000'000; }

// ------------------------------------------------------------------- reading

// Empty or only white space.
inline bool blankField(QByteArrayView f) { return f.trimmed().isEmpty(); }

struct Record {
    enum Fault { None, TooLong, Unclosed, QuotedTooLong, Binary };
    int line = 0;  // where it starts
    std::vector<QByteArray> fields;
    Fault fault = None;
    qsizetype length = 0;  // bytes of a line that is too long

    bool blank() const
    {
        return std::ranges::all_of(fields, blankField);
    }
};

// Reads records one at a time: fields separated by `sep`, a field in quotes
// may hold the separator, doubled quotes and line ends; a record ends at CR,
// LF or CR LF outside quotes.
class Reader {
public:
    Reader(const QByteArray& data, char sep) : d_(data), sep_(sep) {}

    bool next(Record& r)
    {
        if (pos_ >= d_.size())
            return false;
        r.fields.clear();  // its room is used again
        r.fault = Record::None;
        r.length = 0;
        r.line = line_;
        const qsizetype start = pos_;
        QByteArray field;
        bool quoted = false, wasQuoted = false;
        while (pos_ < d_.size()) {
            if (pos_ - start > kMaxCsvLine)
                return skipLongLine(r, start, quoted);
            const char c = d_.at(pos_);
            if (quoted) {
                if (c == '"' && peek(1) == '"') {
                    field += '"';
                    pos_ += 2;
                } else if (c == '"') {
                    quoted = false;
                    ++pos_;
                } else if (c == '\r' || c == '\n') {
                    field += c;
                    ++pos_;
                    if (c == '\r' && peek(0) == '\n')
                        field += d_.at(pos_++);
                    ++line_;
                } else {
                    field += c;
                    ++pos_;
                }
            } else if (c == sep_) {
                r.fields.push_back(std::exchange(field, QByteArray()));
                wasQuoted = false;
                ++pos_;
            } else if (c == '\r' || c == '\n') {
                ++pos_;
                if (c == '\r' && peek(0) == '\n')
                    ++pos_;
                ++line_;
                r.fields.push_back(std::move(field));
                return finish(r);
            } else if (c == '"' && !wasQuoted && blankField(field)) {
                quoted = wasQuoted = true;
                field.clear();
                ++pos_;
            } else {
                field += c;
                ++pos_;
            }
        }
        if (quoted)
            r.fault = Record::Unclosed;
        r.fields.push_back(field);
        return finish(r);
    }

private:
    char peek(int ahead) const { return pos_ + ahead < d_.size() ? d_.at(pos_ + ahead) : '\0'; }

    bool finish(Record& r)
    {
        for (const QByteArray& f : r.fields)
            for (char c : f)
                if ((uchar(c) < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F)
                    r.fault = r.fault == Record::None ? Record::Binary : r.fault;
        return true;
    }

    // Past the end of the physical line the record began on, without reading
    // its fields; a quoted field that ran on over further lines is reported
    // as such, and reading goes on from the next line after the record's first.
    bool skipLongLine(Record& r, qsizetype start, bool quoted)
    {
        const auto from = d_.cbegin() + start;
        const auto end = std::find_if(from, d_.cend(), [](char c) { return c == '\r' || c == '\n'; });
        line_ = r.line;
        r.fault = quoted && end - from <= kMaxCsvLine ? Record::QuotedTooLong : Record::TooLong;
        r.length = end - from;
        r.fields.clear();
        pos_ = end - d_.cbegin();
        if (pos_ < d_.size()) {
            const bool crlf = d_.at(pos_) == '\r' && peek(1) == '\n';
            pos_ += crlf ? 2 : 1;
            ++line_;
        }
        return true;
    }

    const QByteArray& d_;
    char sep_;
    qsizetype pos_ = 0;
    int line_ = 1;
};

// A field's text; bytes that are not UTF-8 read as U+FFFD and clear `valid`.
QString utf8(const QByteArray& bytes, bool* valid = nullptr);
// The file as UTF-8 bytes: a UTF-8 byte-order mark dropped, UTF-16 with its
// mark turned into UTF-8.
QByteArray asUtf8(const QByteArray& raw);
// The separator whose first non-blank line names the most known columns;
// a comma on a tie.
char detectSeparator(const QByteArray& data);

}  // namespace vx::channels::csv_parts
