#include "interchange/csv/channel_csv.h"

#include "editors/channels/channel_codec.h"
#include "interchange/csv/channel_csv_line.h"
#include "interchange/csv/channel_csv_reader.h"
#include "interchange/csv/channel_csv_texts.h"
#include "image/codecs.h"
#include "image/record.h"
#include "image/tones.h"

#include <QList>

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <numeric>
#include <optional>
#include <set>

namespace vx::channels {

namespace {

namespace T = csv_text;
using O = ChannelOffsets;
using namespace csv_parts;

// ------------------------------------------------------------------- writing

void putTone(Image& image, int n, field::Tone16le fieldAt, const ToneValue& t)
{
    const RecordRef rec(image, record_row(n));
    switch (t.kind) {
    case ToneValue::Off: fieldAt.put(rec, {0, 0}); break;
    case ToneValue::Ctcss: fieldAt.put(rec, encode_ctcss(t.tenths)); break;
    case ToneValue::Dcs: fieldAt.putIndex(rec, t.index); break;
    case ToneValue::Other: break;
    }
}

// Writes a checked row into channel n, each field only where it differs from
// what the image holds, so a channel that round-trips keeps every byte.
void apply(const Row& r, Image& image)
{
    const int n = r.location;
    if (is_empty(image, n)) {
        delete_channel(image, n);
        new_channel(image, n);
    }
    const RecordView view(image, record_row(n));
    const auto units = [](Hz hz) { return mhzText(hz, 5); };
    if (O::rxFreq.none(view) || unitsToHz(O::rxFreq.units(view)) != r.rx)
        set_rx_only(image, n, units(r.rx));
    if (!r.tx) {
        if (!O::txFreq.none(view))
            remove_tx(image, n);
    } else if (O::txFreq.none(view) || unitsToHz(O::txFreq.units(view)) != *r.tx) {
        set_tx(image, n, units(*r.tx));
    }
    if (O::decodeTone.value(view) != r.decode)
        putTone(image, n, O::decodeTone, r.decode);
    if (r.tx && O::encodeTone.value(view) != r.encode)
        putTone(image, n, O::encodeTone, r.encode);
    const ChannelTexts now = decode_channel(image, n);
    if ((now[ColBandwidth] == QLatin1String("N")) != r.narrow)
        set_choice(image, n, ColBandwidth, r.narrow ? 1 : 0);
    if ((now[ColScanAdd] == QLatin1String("OFF")) != r.skip)
        set_choice(image, n, ColScanAdd, r.skip ? 0 : 1);
    set_power(image, n, r.low);
    if (now[ColName] != r.name)
        set_name(image, n, r.name);
}

// ------------------------------------------------------------------- import

class Importer {
public:
    Importer(const CsvOptions& options, CsvImport& result) : o_(options), result_(result) {}

    void run(const QByteArray& raw, Image& image)
    {
        const QByteArray data = asUtf8(raw);
        if (data.trimmed().isEmpty())
            return note(CsvNote::Refused, 1, T::empty.str());
        const char sep = detectSeparator(data);
        Reader reader(data, sep);
        Record record;
        bool header = false;
        int channelLines = 0;
        std::vector<Row> rows;
        while (reader.next(record)) {
            if (decided() && found() >= kMaxCsvNotes) {
                result_.stoppedAfter = record.line - 1;
                break;
            }
            if (!faultless(record)) {
                if (!header)
                    return;  // no header to read the rest by
                continue;
            }
            if (record.blank())
                continue;
            if (!header) {
                header = true;
                if (!readHeader(record))
                    return;
                continue;
            }
            if (!fieldsFit(record))
                continue;
            ++channelLines;
            LineCheck check;
            LineParser parser(o_, columns_, sep != ',', !kept(record.line));
            auto row = parser.parse(record, check);
            renumberHelps_ = renumberHelps_ || check.locationOutside;
            if (!row) {
                for (const QString& reason : check.refusals)
                    note(o_.fit ? CsvNote::Skipped : CsvNote::Refused, record.line, reason, true);
                continue;
            }
            for (const QString& a : check.adaptations)
                note(CsvNote::Adapted, record.line, a);
            if (o_.placeAt >= 0 && !placeInOrder(*row))
                continue;
            if (placeable(*row))
                rows.push_back(*row);
        }
        if (!header)
            return note(CsvNote::Refused, 1, T::empty.str());
        placeRenumbered(rows);
        if (o_.fit)
            fitNames(rows);
        if (!hard_ && !refusedLines_ && rows.empty())
            note(CsvNote::Refused, headerLine_, channelLines == 0 ? T::noChannels.str() : T::noneImportable.str());
        keepFirstNotes();
        if (!result_.ok())
            return;
        Image copy = image;
        std::set<int> listed;
        for (const Row& r : rows)
            listed.insert(r.location);
        for (int n = 0; n < kChannels; ++n)
            if (!listed.count(n))
                delete_channel(copy, n);
        for (const Row& r : rows)
            apply(r, copy);
        image = copy;
        result_.channels = int(rows.size());
    }

    bool hard() const { return hard_; }
    bool renumberHelps() const { return renumberHelps_; }

private:
    void note(CsvNote::Kind kind, int line, const QString& text, bool lineRefusal = false)
    {
        ++result_.found[kind];
        if (kind == CsvNote::Refused && !lineRefusal)
            hard_ = true;
        refusedLines_ = refusedLines_ || (kind == CsvNote::Refused && lineRefusal);
        if (!kept(line)) {
            ++result_.more;
            return;
        }
        result_.notes.push_back({kind, line, text});
        if (result_.notes.size() >= 4 * size_t(kMaxCsvNotes))
            keepFirstNotes();
    }

    // Whether a note of `line` can be among the first kept: not once as many
    // notes of earlier lines, or of the same line found before, are kept.
    bool kept(int line) const { return line < cutLine_; }

    int found() const { return std::accumulate(result_.found.begin(), result_.found.end(), 0); }

    // Only the first notes by line are kept, whatever order they were found
    // in (placing and names note earlier lines after the reading).
    void keepFirstNotes()
    {
        std::ranges::stable_sort(result_.notes, {}, &CsvNote::line);
        if (result_.notes.size() >= size_t(kMaxCsvNotes)) {
            result_.more += int(result_.notes.size()) - kMaxCsvNotes;
            result_.notes.resize(kMaxCsvNotes);
            cutLine_ = result_.notes.back().line;
        }
    }

    // Refused whatever the rest of the file holds: a fault of the file in any
    // mode, a refused line in strict mode.
    bool decided() const { return hard_ || (!o_.fit && refusedLines_); }

    // Faults of the file itself: refused in every mode.
    bool faultless(const Record& r)
    {
        switch (r.fault) {
        case Record::None: return true;
        case Record::TooLong: note(CsvNote::Refused, r.line, T::tooLong.str().arg(r.length).arg(kMaxCsvLine)); break;
        case Record::Unclosed: note(CsvNote::Refused, r.line, T::unclosed.str()); break;
        case Record::QuotedTooLong: note(CsvNote::Refused, r.line, T::quotedTooLong.str().arg(kMaxCsvLine)); break;
        case Record::Binary: note(CsvNote::Refused, r.line, T::binary.str()); break;
        }
        return false;
    }

    bool readHeader(const Record& r)
    {
        headerLine_ = r.line;
        headerCount_ = int(r.fields.size());
        columns_.fill(-1);
        std::map<QString, int> seen;  // lower-case name -> column
        for (int i = 0; i < headerCount_; ++i) {
            const QString name = utf8(r.fields[size_t(i)]).trimmed();
            if (name.isEmpty())
                continue;  // a trailing empty column
            const auto [it, fresh] = seen.emplace(name.toLower(), i);
            if (!fresh) {
                note(CsvNote::Refused, r.line, T::duplicateColumn.str().arg(name).arg(it->second + 1).arg(i + 1));
                continue;
            }
            if (const auto c = usedColumn(name))
                columns_[size_t(*c)] = i;
            else if (!ignoredColumn(name))
                note(CsvNote::Ignored, r.line, T::unknownColumn.str().arg(name));
        }
        for (Col c : {Location, Frequency})
            if (columns_[c] < 0 && !(c == Location && o_.placeAt >= 0))
                note(CsvNote::Refused, r.line, T::missingColumn.str().arg(QLatin1String(kUsedNames[c])));
        return !hard_;
    }

    // More fields than the header names are refused unless they are empty.
    bool fieldsFit(const Record& r)
    {
        const auto filled = std::count_if(r.fields.begin(), r.fields.end(), [](const QByteArray& f) { return !blankField(f); });
        const bool extra = std::any_of(r.fields.begin() + std::min<qsizetype>(headerCount_, qsizetype(r.fields.size())), r.fields.end(),
                                       [](const QByteArray& f) { return !blankField(f); });
        if (!extra)
            return true;
        note(CsvNote::Refused, r.line, T::extraFields.str().arg(filled).arg(headerCount_));
        return false;
    }

    // Every location once, checked as the lines are read (a second line for
    // a location refuses the file, so at most 200 lines with a location are
    // kept); with renumber, a line without one beyond the 200th can never be
    // placed and is left out at once.
    bool placeable(const Row& r)
    {
        if (r.location >= 0) {
            if (const auto [it, fresh] = taken_.emplace(r.location, r.line); !fresh) {
                note(CsvNote::Refused, r.line, T::duplicateLocation.str().arg(r.location).arg(it->second));
                return false;
            }
            return true;
        }
        if (++unplaced_ <= kChannels)
            return true;
        note(o_.fit ? CsvNote::Skipped : CsvNote::Refused, r.line, T::tooManyLines.str(), true);
        return false;
    }

    // A paste: the next channel from placeAt on, refusing the list past the
    // last channel.
    bool placeInOrder(Row& r)
    {
        const int at = o_.placeAt + pasted_++;
        if (at >= kChannels) {
            note(CsvNote::Refused, r.line, T::pastLastChannel.str().arg(kChannels - 1));
            return false;
        }
        r.location = at;
        return true;
    }

    // With renumber, the lines without a location placed in the first free
    // channels in file order.
    void placeRenumbered(std::vector<Row>& rows)
    {
        int next = 0;
        std::vector<Row> kept;
        for (Row& r : rows) {
            if (r.location < 0) {
                while (next < kChannels && taken_.count(next))
                    ++next;
                if (next == kChannels) {
                    note(o_.fit ? CsvNote::Skipped : CsvNote::Refused, r.line, T::tooManyLines.str(), true);
                    continue;
                }
                note(CsvNote::Adapted, r.line, T::placed.str().arg(r.locationIn).arg(next));
                r.location = next;
                taken_.emplace(next, r.line);
            }
            kept.push_back(r);
        }
        rows = std::move(kept);
    }

    // Names as fit mode stores them, each change reported; names that cutting
    // to six made equal to an earlier, different one get a number at the end.
    void fitNames(std::vector<Row>& rows)
    {
        std::map<QString, std::pair<QString, int>> used;  // stored -> (full name, line)
        for (Row& r : rows) {
            const auto it = used.find(r.name);
            int clashLine = 0;
            if (it != used.end() && it->second.first != r.nameFull && !r.name.isEmpty()) {
                clashLine = it->second.second;
                for (int k = 2;; ++k) {
                    const QString suffix = QString::number(k);
                    const QString candidate = r.nameFull.left(kNameLength - suffix.size()) + suffix;
                    if (!used.count(candidate)) {
                        r.name = candidate;
                        break;
                    }
                }
            }
            used.emplace(r.name, std::pair{r.nameFull, r.line});
            if (clashLine)
                note(CsvNote::Adapted, r.line, T::nameMadeUnique.str().arg(r.nameIn, r.name).arg(clashLine));
            else if (r.name != r.nameIn)
                note(CsvNote::Adapted, r.line, T::nameStored.str().arg(r.nameIn, r.name));
        }
    }

    const CsvOptions& o_;
    CsvImport& result_;
    std::array<int, kUsed> columns_{};
    int headerLine_ = 1;
    int headerCount_ = 0;
    bool hard_ = false;
    bool refusedLines_ = false;
    bool renumberHelps_ = false;
    std::map<int, int> taken_;  // location -> line
    int unplaced_ = 0;          // lines without a location (renumber)
    int pasted_ = 0;            // lines placed from placeAt on
    int cutLine_ = std::numeric_limits<int>::max();  // notes of this line on are counted, not kept
};

}  // namespace

CsvImport import_csv(const QByteArray& csv, Image& image, const CsvOptions& options)
{
    CsvImport result;
    Importer importer(options, result);
    importer.run(csv, image);
    if (!result.ok() && !options.fit && !importer.hard()) {
        Image scratch = image;
        CsvOptions fit = options;
        fit.fit = true;
        const CsvImport fitted = import_csv(csv, scratch, fit);
        result.fitChannels = fitted.ok() ? fitted.channels : 0;
        result.renumberHelps = importer.renumberHelps() && !options.renumber;
    }
    return result;
}

}  // namespace vx::channels
