#include "editors/channels/channel_csv.h"

#include "editors/channels/channel_codec.h"
#include "editors/channels/channel_csv_reader.h"
#include "editors/channels/channel_csv_texts.h"
#include "image/codecs.h"
#include "image/record.h"
#include "image/tones.h"

#include <QList>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>

namespace vx::channels {

namespace {

namespace T = csv_text;
using O = ChannelOffsets;
using namespace csv_parts;

// ------------------------------------------------------------------- parsing

// One channel line, checked.
struct Row {
    int line = 0;
    int location = -1;     // -1: to be placed (renumber)
    QString locationIn;    // as the file gives it
    QString nameIn;        // as the file gives it, trimmed
    QString nameFull;      // fit mode: showable, not cut
    QString name;          // as it will be stored
    Hz rx = 0;
    std::optional<Hz> tx;
    ToneValue decode, encode;
    bool narrow = false;
    bool skip = false;
    bool low = false;
};

// What checking one line found: refusals (fit mode skips the line for
// them) and adaptations (fit mode makes them; strict mode refuses instead).
struct LineCheck {
    QStringList refusals;
    QStringList adaptations;
    bool locationOutside = false;
};

class LineParser {
public:
    LineParser(const CsvOptions& options, const std::array<int, kUsed>& columns, bool decimalComma)
        : o_(options), columns_(columns), decimalComma_(decimalComma)
    {
    }

    std::optional<Row> parse(const Record& record, LineCheck& check)
    {
        rec_ = &record;
        check_ = &check;
        Row r;
        r.line = record.line;
        location(r);
        name(r);
        frequencies(r);
        tones(r);
        choices(r);
        if (!check.refusals.isEmpty())
            return std::nullopt;
        return r;
    }

private:
    QByteArray raw(Col c) const
    {
        const int i = columns_[c];
        return i >= 0 && size_t(i) < rec_->fields.size() ? rec_->fields[size_t(i)] : QByteArray();
    }
    QString text(Col c) const { return utf8(raw(c)).trimmed(); }

    void refuse(const QString& reason) { check_->refusals << reason; }
    // A change fit mode makes; strict mode refuses the line for `strict`.
    void adapt(const QString& strict, const QString& note)
    {
        if (o_.fit)
            check_->adaptations << note;
        else
            refuse(strict);
    }

    void location(Row& r)
    {
        const QString t = text(Location);
        r.locationIn = t;
        bool ok = false;
        const int n = t.toInt(&ok);
        if (ok && valid_channel(n)) {
            r.location = n;
        } else if ((ok || t.isEmpty()) && o_.renumber) {
            r.location = -1;
        } else {
            refuse(T::location.str().arg(t));
            check_->locationOutside = ok || t.isEmpty();
        }
    }

    void name(Row& r)
    {
        bool valid = true;
        QString t = utf8(raw(Name), &valid).trimmed();
        if (!valid) {
            adapt(T::nameBytes.str(), T::nameBytesDropped.str());
            t.remove(QChar(QChar::ReplacementCharacter));
            t = t.trimmed();
        }
        r.nameIn = t;
        if (o_.fit) {
            r.nameFull = showable_name(t);
            r.name = r.nameFull.left(kNameLength);  // made unique once every line is read
        } else if (QList<uint> chars = t.toUcs4(); chars.size() > kNameLength) {
            refuse(T::nameLong.str().arg(t));
        } else if (!storable_name(t)) {
            refuse(T::nameCharacter.str().arg(t));
        } else {
            r.name = name_entry(t);
        }
    }

    std::optional<Hz> frequency(const QString& t, const Text& what)
    {
        const auto hz = parseMhz(t, decimalComma_);
        if (!hz) {
            refuse(T::notFrequency.str().arg(what.str(), t));
            return std::nullopt;
        }
        const BandLimits& l = o_.limits;
        if (!in_enter_range(double(*hz) / 1e6, l)) {
            refuse(T::outsideLimits.str().arg(what.str(), mhzText(*hz, 6)).arg(l.aLow).arg(l.aHigh).arg(l.bLow).arg(l.bHigh));
            return std::nullopt;
        }
        if (!onRaster(*hz)) {
            refuse(T::offRaster.str().arg(what.str(), mhzText(*hz, 6)));
            return std::nullopt;
        }
        return hz;
    }

    void frequencies(Row& r)
    {
        const auto rx = frequency(text(Frequency), T::receiveWhat);
        if (rx)
            r.rx = *rx;
        const QString duplex = text(Duplex).toLower();
        if (duplex.isEmpty()) {
            r.tx = r.rx;
        } else if (duplex == u"off") {
            r.tx.reset();
        } else if (duplex == u"+" || duplex == u"-" || duplex == u"split") {
            const auto offset = parseMhz(text(Offset), decimalComma_);
            if (!offset) {
                refuse(T::notFrequency.str().arg(QStringLiteral("Offset"), text(Offset)));
            } else if (rx) {
                const Hz tx = duplex == u"split" ? *offset : duplex == u"+" ? r.rx + *offset : r.rx - *offset;
                if (const auto checked = frequency(mhzText(std::max<Hz>(tx, 0), 6), T::transmitWhat))
                    r.tx = *checked;
            }
        } else {
            refuse(T::duplex.str().arg(text(Duplex)));
        }
    }

    std::optional<ToneValue> ctcss(Col c)
    {
        const QString t = text(c);
        const auto hz = parseMhz(t, decimalComma_);  // the same decimal reading, in Hz
        const int tenths = hz ? int(*hz / 100'000) : -1;
        if (!hz || *hz % 100'000 != 0 || !typed_tone_in_range(tenths / 10.0)) {
            refuse(T::ctcss.str().arg(QLatin1String(kUsedNames[c]), t));
            return std::nullopt;
        }
        return ToneValue{ToneValue::Ctcss, tenths, 0};
    }

    // DCS code of column c with polarity letter `side` (0 sent, 1 decoded) of
    // DtcsPolarity; an empty polarity is NN.
    std::optional<ToneValue> dcs(Col c, int side)
    {
        const QString code = text(c);
        QString pol = text(DtcsPolarity).toUpper();
        if (pol.isEmpty())
            pol = QStringLiteral("NN");
        const bool digits = !code.isEmpty() && code.size() <= 3
                            && std::ranges::all_of(code, [](QChar ch) { return ch >= QLatin1Char('0') && ch <= QLatin1Char('7'); });
        const auto normal = digits ? tones::index_of(QStringLiteral("D%1N").arg(code.toInt(), 3, 10, QLatin1Char('0'))) : std::nullopt;
        if (!normal) {
            refuse(T::dcs.str().arg(QLatin1String(kUsedNames[c]), code));
            return std::nullopt;
        }
        if (pol.size() != 2 || !QStringLiteral("NR").contains(pol[0]) || !QStringLiteral("NR").contains(pol[1])) {
            refuse(T::polarity.str().arg(text(DtcsPolarity)));
            return std::nullopt;
        }
        const int index = pol[side] == QLatin1Char('N') ? *normal : *normal - tones::kFirstDcsNormal + tones::kFirstDcsInverted;
        return ToneValue{ToneValue::Dcs, 0, index};
    }

    void tones(Row& r)
    {
        const QString mode = text(ToneMode).toLower();
        const auto set = [](ToneValue& to, const std::optional<ToneValue>& t) {
            if (t)
                to = *t;
        };
        if (mode.isEmpty()) {
        } else if (mode == u"tone") {
            set(r.encode, ctcss(RTone));
        } else if (mode == u"tsql") {
            const auto t = ctcss(CTone);
            set(r.encode, t);
            set(r.decode, t);
        } else if (mode == u"dtcs") {
            set(r.encode, dcs(DtcsCode, 0));
            set(r.decode, dcs(DtcsCode, 1));
        } else if (mode == u"cross") {
            QString cross = text(CrossMode).toLower();
            if (cross.isEmpty())
                cross = QStringLiteral("tone->tone");  // the older layouts have no CrossMode
            const QStringList sides = cross.split(QStringLiteral("->"));
            const auto known = [](const QString& s) { return s.isEmpty() || s == u"tone" || s == u"dtcs"; };
            if (sides.size() != 2 || !known(sides[0]) || !known(sides[1]) || (sides[0].isEmpty() && sides[1].isEmpty())) {
                refuse(T::crossMode.str().arg(text(CrossMode)));
                return;
            }
            if (sides[0] == u"tone")
                set(r.encode, ctcss(RTone));
            else if (sides[0] == u"dtcs")
                set(r.encode, dcs(DtcsCode, 0));
            if (sides[1] == u"tone")
                set(r.decode, ctcss(CTone));
            else if (sides[1] == u"dtcs")
                set(r.decode, dcs(RxDtcsCode, 1));
        } else {
            refuse(T::toneMode.str().arg(text(ToneMode)));
        }
        if (!r.tx && r.encode.kind != ToneValue::Off && check_->refusals.isEmpty()) {
            adapt(T::noTransmitTone.str(), T::transmitToneDropped.str());
            r.encode = {};
        }
    }

    // Power as High, Low or a wattage; nullopt for anything else.
    std::optional<bool> lowPower(QString p) const
    {
        p = p.toLower();
        if (p.isEmpty() || p == u"high")
            return false;
        if (p == u"low")
            return true;
        if (p.endsWith(QLatin1Char('w')))
            p = p.chopped(1).trimmed();
        const auto mw = parseMhz(p, true);  // the same decimal reading; here in millionths of a watt
        if (!mw)
            return std::nullopt;
        return *mw <= 10'000'000;  // 10 W and below
    }

    void choices(Row& r)
    {
        const QString mode = text(Mode).toLower();
        if (mode == u"nfm")
            r.narrow = true;
        else if (!mode.isEmpty() && mode != u"fm")
            refuse(T::mode.str().arg(text(Mode)));

        const QString skip = text(Skip).toLower();
        if (skip == u"s")
            r.skip = true;
        else if (skip == u"p")
            adapt(T::skip.str().arg(text(Skip)), T::priorityRead.str().arg(text(Skip)));
        else if (!skip.isEmpty())
            refuse(T::skip.str().arg(text(Skip)));

        const QString power = text(Power);
        if (const auto low = lowPower(power)) {
            r.low = *low;
        } else if (const QString p = power.toLower(); p == u"mid" || p == u"med" || p == u"medium") {
            adapt(T::power.str().arg(power), T::powerRead.str().arg(power));
            r.low = true;
        } else {
            refuse(T::power.str().arg(power));
        }
    }

    const CsvOptions& o_;
    const std::array<int, kUsed>& columns_;
    bool decimalComma_;
    const Record* rec_ = nullptr;
    LineCheck* check_ = nullptr;
};

// ------------------------------------------------------------------- writing

void putTone(Image& image, int n, field::Tone16le fieldAt, const ToneValue& t)
{
    const RecordRef rec(image, record_row(n));
    switch (t.kind) {
    case ToneValue::Off: fieldAt.put(rec, {0, 0}); break;
    case ToneValue::Ctcss: fieldAt.put(rec, {uint8_t(t.tenths % 256), uint8_t(t.tenths / 256)}); break;
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
            LineParser parser(o_, columns_, sep != ',');
            const auto row = parser.parse(record, check);
            renumberHelps_ = renumberHelps_ || check.locationOutside;
            if (!row) {
                for (const QString& reason : check.refusals)
                    note(o_.fit ? CsvNote::Skipped : CsvNote::Refused, record.line, reason, true);
                continue;
            }
            for (const QString& a : check.adaptations)
                note(CsvNote::Adapted, record.line, a);
            rows.push_back(*row);
        }
        if (!header)
            return note(CsvNote::Refused, 1, T::empty.str());
        checkLocations(rows);
        if (o_.fit)
            fitNames(rows);
        if (!hard_ && !refusedLines_ && rows.empty())
            note(CsvNote::Refused, headerLine_, channelLines == 0 ? T::noChannels.str() : T::noneImportable.str());
        std::ranges::stable_sort(result_.notes, {}, &CsvNote::line);
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
        result_.notes.push_back({kind, line, text});
        if (kind == CsvNote::Refused && !lineRefusal)
            hard_ = true;
        refusedLines_ = refusedLines_ || (kind == CsvNote::Refused && lineRefusal);
    }

    // Faults of the file itself: refused in every mode.
    bool faultless(const Record& r)
    {
        switch (r.fault) {
        case Record::None: return true;
        case Record::TooLong: note(CsvNote::Refused, r.line, T::tooLong.str().arg(r.length).arg(kMaxCsvLine)); break;
        case Record::Unclosed: note(CsvNote::Refused, r.line, T::unclosed.str()); break;
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
            if (columns_[c] < 0)
                note(CsvNote::Refused, r.line, T::missingColumn.str().arg(QLatin1String(kUsedNames[c])));
        return !hard_;
    }

    // More fields than the header names are refused unless they are empty.
    bool fieldsFit(const Record& r)
    {
        const auto filled = std::count_if(r.fields.begin(), r.fields.end(), [](const QByteArray& f) { return !f.trimmed().isEmpty(); });
        const bool extra = std::any_of(r.fields.begin() + std::min<qsizetype>(headerCount_, qsizetype(r.fields.size())), r.fields.end(),
                                       [](const QByteArray& f) { return !f.trimmed().isEmpty(); });
        if (!extra)
            return true;
        note(CsvNote::Refused, r.line, T::extraFields.str().arg(filled).arg(headerCount_));
        return false;
    }

    // Every location once; with renumber, the lines without one placed in
    // the first free channels in file order.
    void checkLocations(std::vector<Row>& rows)
    {
        std::map<int, int> taken;  // location -> line
        for (const Row& r : rows) {
            if (r.location < 0)
                continue;
            if (const auto [it, fresh] = taken.emplace(r.location, r.line); !fresh)
                note(CsvNote::Refused, r.line, T::duplicateLocation.str().arg(r.location).arg(it->second));
        }
        int next = 0;
        std::vector<Row> kept;
        for (Row& r : rows) {
            if (r.location < 0) {
                while (next < kChannels && taken.count(next))
                    ++next;
                if (next == kChannels) {
                    note(o_.fit ? CsvNote::Skipped : CsvNote::Refused, r.line, T::tooManyLines.str(), true);
                    continue;
                }
                note(CsvNote::Adapted, r.line, T::placed.str().arg(r.locationIn).arg(next));
                r.location = next;
                taken.emplace(next, r.line);
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
};

}  // namespace


bool CsvImport::ok() const { return count(CsvNote::Refused) == 0; }

int CsvImport::count(CsvNote::Kind kind) const
{
    return int(std::ranges::count(notes, kind, &CsvNote::kind));
}

QStringList CsvImport::report() const
{
    QStringList out;
    for (const CsvNote& n : notes) {
        const Text& form = n.kind == CsvNote::Refused   ? T::lineRefused
                           : n.kind == CsvNote::Skipped ? T::lineSkipped
                           : n.kind == CsvNote::Adapted ? T::lineAdapted
                                                        : T::lineNote;
        out << form.str().arg(n.line).arg(n.text);
    }
    return out;
}

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
