#pragma once
// The radio as a text configuration (YAML): every named setting with the
// value the windows show for it, written by export_config(), applied on top
// of an image by apply_config() and compared by diff_images().
//
//   channels:                 # a list; every channel, empty ones as
//     - number: 12            #   "- {number: 7, empty: true}"
//       receive: 145.60000
//       transmit: 145.00000   # "off": no transmit frequency
//       decode: "88.5"        # as the grid: OFF, a CTCSS tone, D023N
//       encode: D023I
//       power: HIGH
//       ...
//       name: RPT1
//   fm presets:               # 1..16; "- {preset: 3, empty: true}"
//     - preset: 1
//       frequency: 88.10000
//       name: NEWS
//   options:                  # by each setting's frozen key
//     squelch_level: "5"
//     vfo_mr_switch: "on"
//     power_on_message_1: WELCOM
//     ani: 8D8D8
//   vfo a:                    # and vfo b, dtmf, 2-tone, 5-tone
//     frequency: 136.02500
//     offset: 10.650MHZ
//
// The keys are the settings' rows' (image/setting.h); the captions files of
// version 15.8.25 carry as keys are taken for them.
//
// A file names only what it changes: apply_config() sets exactly the
// settings it names, each checked with the rule the window applies, and
// leaves every other byte as it was. Any problem (syntax, an unknown key,
// a value of the wrong type or out of range, a channel given twice) is
// reported with its line and column and nothing is changed. The constant
// 5-tone frequency tables are not settings; diff_images() shows their rows
// as raw rows.

#include "image/image.h"
#include "image/tables.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace vx::config {

// One named setting and the text the windows show for it.
struct Setting {
    QString section;  // "channels", "fm presets", "options", "vfo a", "vfo b", "dtmf", "2-tone", "5-tone"
    int item = -1;    // channel number or preset; -1 in options
    QString key;      // "receive", "squelch_level", ...
    QString value;
    bool operator==(const Setting&) const = default;
};

// Every named setting of `image`, in document order.
std::vector<Setting> settings_of(const Image& image);

QByteArray export_config(const Image& image);

struct Problem {
    int line = 0;    // 1-based; 0 when the problem has no place in the file
    int column = 0;  // 1-based
    QString text;
};

struct Applied {
    std::vector<Problem> problems;  // empty: applied
    int settings = 0;               // settings named
    bool ok() const { return problems.empty(); }
};

// Largest configuration read.
inline constexpr qsizetype kMaxConfigBytes = 1024 * 1024;

// Applies the settings `text` names to `image`, frequencies checked against
// `limits`; with any problem, `image` is left as it was.
Applied apply_config(const QByteArray& text, Image& image, const BandLimits& limits);

// Every key with the values it takes, as Markdown: the README's reference
// is this text.
QString reference();

// What differs between two images: the named settings that differ, then
// the rows whose bytes differ beyond what those settings say (the constant
// 5-tone tables, bytes no window shows). The command line's diff and the
// window program's preview and compare windows all list this.
struct Change {
    QString section;
    int item = -1;
    QString key;  // empty: a channel or preset became empty, or was filled
    QString before, after;
    // A channel or preset filled or emptied: the settings of its filled side
    // (key, value), the other side empty.
    std::vector<std::pair<QString, QString>> filled{};
    bool operator==(const Change&) const = default;
};

struct Difference {
    std::vector<Change> settings;
    std::vector<int> rawRows;  // ascending
    bool empty() const { return settings.empty() && rawRows.empty(); }
};

// From `a` to `b`; the frequencies of b are explained within `limits`.
Difference compare_images(const Image& a, const Image& b, const BandLimits& limits = kDefaultBandLimits);

// The differences by key, one a line ("channel 12 transmit: 145.60000 ->
// 145.62500", "options.squelch_level: 3 -> 5", "row 520: FF .. -> 00 .."):
// what vxprog-cli diff prints.
QStringList diff_lines(const Difference& d, const Image& a, const Image& b);
QStringList diff_images(const Image& a, const Image& b, const BandLimits& limits = kDefaultBandLimits);

// The differences by name in the language asked for, grouped by area in
// document order: "Channel 12" with "TX Frequency 145.60000 → 145.62500",
// "Options" with "Squelch Level 3 → 5", and last the rows no setting
// explains.
struct Area {
    QString title;
    QStringList lines;
};
std::vector<Area> named_changes(const Difference& d, const Image& a, const Image& b, bool inChinese);
// The same as lines of text, each with its area: "Channel 12: TX Frequency
// 145.60000 → 145.62500".
QStringList named_lines(const std::vector<Area>& areas);
// A setting's label as its window captions it ("TX Frequency", "Squelch
// Level"), for a section and key of Setting; the key itself when it has none.
QString setting_label(const QString& section, const QString& key, bool inChinese);

}  // namespace vx::config
