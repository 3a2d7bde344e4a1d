#include "editors/channels/channel_csv.h"

#include "editors/channels/channel_codec.h"
#include "editors/channels/channel_csv_texts.h"
#include "image/codecs.h"
#include "image/record.h"
#include "image/tones.h"

#include <QList>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>

namespace vx::channels {

namespace {

namespace T = csv_text;
using O = ChannelOffsets;

// ------------------------------------------------------------------ columns

enum Col { Location, Name, Frequency, Duplex, Offset, ToneMode, RTone, CTone, DtcsCode, DtcsPolarity, RxDtcsCode, CrossMode, Mode, Skip, Power, kUsed };
constexpr std::array<const char*, kUsed> kUsedNames{"Location", "Name",         "Frequency",  "Duplex",    "Offset",
                                                    "Tone",     "rToneFreq",    "cToneFreq",  "DtcsCode",  "DtcsPolarity",
                                                    "RxDtcsCode", "CrossMode",  "Mode",       "Skip",      "Power"};
// Columns of the common layouts this radio has no use for: read past quietly.
constexpr std::array<const char*, 6> kIgnoredNames{"TStep", "Comment", "URCALL", "RPT1CALL", "RPT2CALL", "DVCODE"};

std::optional<int> usedColumn(const QString& name)
{
    for (int c = 0; c < kUsed; ++c)
        if (name.compare(QLatin1String(kUsedNames[c]), Qt::CaseInsensitive) == 0)
            return c;
    return std::nullopt;
}

bool ignoredColumn(const QString& name)
{
    return std::ranges::any_of(kIgnoredNames, [&](const char* n) { return name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0; });
}

// ---------------------------------------------------------------- frequencies

// Frequencies in hertz, exactly.
using Hz = int64_t;
constexpr Hz kHzPerUnit = 10;  // the image stores 10 Hz units

QString mhzText(Hz hz, int decimals)
{
    QString frac = QString::number(hz % 1'000'000).rightJustified(6, QLatin1Char('0'));
    return QString::number(hz / 1'000'000) + QLatin1Char('.') + frac.left(decimals);
}

// "145.5", "145.500000", "146": whole hertz, up to six decimals (more only
// when they are zeros); a decimal comma reads as a point where the fields
// are not separated by commas.
std::optional<Hz> parseMhz(QString text, bool decimalComma)
{
    text = text.trimmed();
    if (decimalComma)
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    const QStringView all(text);
    const QStringView whole = dot < 0 ? all : all.left(dot);
    QStringView frac = dot < 0 ? QStringView() : all.mid(dot + 1);
    if (whole.isEmpty() || whole.size() > 4 || frac.size() > 12)
        return std::nullopt;
    const auto digits = [](QStringView s) { return std::ranges::all_of(s, [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }); };
    if (!digits(whole) || !digits(frac))
        return std::nullopt;
    while (frac.size() > 6) {
        if (frac.back() != QLatin1Char('0'))
            return std::nullopt;  // finer than a hertz
        frac.chop(1);
    }
    Hz hz = whole.toLongLong() * 1'000'000;
    Hz scale = 100'000;
    for (QChar c : frac) {
        hz += (c.unicode() - '0') * scale;
        scale /= 10;
    }
    return hz;
}

Hz unitsToHz(Units10Hz u) { return Hz(u) * kHzPerUnit; }
bool vhf(Hz hz) { return hz < 300'000'000; }

// On the raster the grid snaps a typed frequency onto.
bool onRaster(Hz hz) { return hz % kHzPerUnit == 0 && snap_to_raster(mhzText(hz, 6)) == hz / kHzPerUnit; }

// ------------------------------------------------------------------- reading

struct Record {
    enum Fault { None, TooLong, Unclosed, Binary };
    int line = 0;  // where it starts
    std::vector<QByteArray> fields;
    Fault fault = None;
    qsizetype length = 0;  // bytes of a line that is too long

    bool blank() const
    {
        return std::ranges::all_of(fields, [](const QByteArray& f) { return f.trimmed().isEmpty(); });
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
        r = Record{};
        r.line = line_;
        const qsizetype start = pos_;
        QByteArray field;
        bool quoted = false, wasQuoted = false;
        while (pos_ < d_.size()) {
            if (pos_ - start > kMaxCsvLine)
                return skipLongLine(r, start);
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
                r.fields.push_back(field);
                field.clear();
                wasQuoted = false;
                ++pos_;
            } else if (c == '\r' || c == '\n') {
                ++pos_;
                if (c == '\r' && peek(0) == '\n')
                    ++pos_;
                ++line_;
                r.fields.push_back(field);
                return finish(r);
            } else if (c == '"' && !wasQuoted && field.trimmed().isEmpty()) {
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

    // Past the end of the physical line, without reading its fields.
    bool skipLongLine(Record& r, qsizetype start)
    {
        const auto from = d_.cbegin() + start;
        const auto end = std::find_if(from, d_.cend(), [](char c) { return c == '\r' || c == '\n'; });
        r.fault = Record::TooLong;
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
// Stateless: a sequence the field ends before finishing is such a byte too,
// not one the decoder holds back for more input and then forgets.
QString utf8(const QByteArray& bytes, bool* valid = nullptr)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (valid)
        *valid = !decoder.hasError();
    return text;
}

// The file as UTF-8 bytes: a UTF-8 byte-order mark dropped, UTF-16 with its
// mark turned into UTF-8.
QByteArray asUtf8(const QByteArray& raw)
{
    if (raw.startsWith("\xEF\xBB\xBF"))
        return raw.mid(3);
    const bool le = raw.startsWith("\xFF\xFE"), be = raw.startsWith("\xFE\xFF");
    if (!le && !be)
        return raw;
    QStringDecoder decoder(le ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    return QString(decoder.decode(QByteArrayView(raw).sliced(2))).toUtf8();
}

// The separator whose first non-blank line names the most known columns;
// a comma on a tie.
char detectSeparator(const QByteArray& data)
{
    char best = ',';
    int bestCount = -1;
    for (char sep : {',', ';', '\t'}) {
        Reader reader(data, sep);
        Record r;
        while (reader.next(r) && r.fault == Record::None && r.blank()) {
        }
        int count = 0;
        for (const QByteArray& f : r.fields) {
            const QString name = utf8(f).trimmed();
            count += usedColumn(name) || ignoredColumn(name);
        }
        if (count > bestCount) {
            best = sep;
            bestCount = count;
        }
    }
    return best;
}

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

// ------------------------------------------------------------------- export

QByteArray csvField(const QString& s)
{
    QByteArray b = s.toUtf8();
    if (b.contains(',') || b.contains('"') || b.contains('\n') || b.contains('\r')) {
        b.replace("\"", "\"\"");
        b = '"' + b + '"';
    }
    return b;
}

QString dcsCode(const ToneValue& t) { return QString::number(tones::dcs_number(t.index)).rightJustified(3, QLatin1Char('0')); }
QChar polarityOf(const ToneValue& t)
{
    return t.kind == ToneValue::Dcs && tones::kind(t.index) == tones::Kind::DcsInverted ? QLatin1Char('R') : QLatin1Char('N');
}

// The tone columns of one channel: Tone, rToneFreq, cToneFreq, DtcsCode,
// DtcsPolarity, RxDtcsCode, CrossMode. Unused columns hold the values the
// common layout writes for them.
std::array<QString, 7> toneFields(const ToneValue& enc, const ToneValue& dec)
{
    QString mode, rTone = QStringLiteral("88.5"), cTone = QStringLiteral("88.5"), code = QStringLiteral("023"),
                  rxCode = QStringLiteral("023"), cross = QStringLiteral("Tone->Tone");
    const QString polarity = QString(polarityOf(enc)) + polarityOf(dec);
    const auto side = [](const ToneValue& t) {
        return t.kind == ToneValue::Ctcss ? QStringLiteral("Tone") : t.kind == ToneValue::Dcs ? QStringLiteral("DTCS") : QString();
    };
    if (enc.kind == ToneValue::Ctcss)
        rTone = tenths_text(enc.tenths);
    if (dec.kind == ToneValue::Ctcss)
        cTone = tenths_text(dec.tenths);
    if (enc.kind == ToneValue::Dcs)
        code = dcsCode(enc);
    if (dec.kind == ToneValue::Dcs)
        rxCode = dcsCode(dec);
    if (enc.kind == ToneValue::Off && dec.kind == ToneValue::Off) {
    } else if (enc.kind == ToneValue::Ctcss && dec.kind == ToneValue::Off) {
        mode = QStringLiteral("Tone");
    } else if (enc.kind == ToneValue::Ctcss && dec == enc) {
        mode = QStringLiteral("TSQL");
        rTone = cTone;
    } else if (enc.kind == ToneValue::Dcs && dec.kind == ToneValue::Dcs && code == rxCode) {
        mode = QStringLiteral("DTCS");
    } else {
        mode = QStringLiteral("Cross");
        cross = side(enc) + QStringLiteral("->") + side(dec);
        if (enc.kind == ToneValue::Dcs && dec.kind != ToneValue::Dcs)
            rxCode = code;
        if (dec.kind == ToneValue::Dcs && enc.kind != ToneValue::Dcs)
            code = rxCode;
    }
    return {mode, rTone, cTone, code, polarity, rxCode, cross};
}

QByteArray channelLine(const Image& image, int n)
{
    const RecordView view(image, record_row(n));
    const Hz rx = unitsToHz(O::rxFreq.units(view));
    QString duplex, offset = QStringLiteral("0.000000");
    if (O::txFreq.none(view)) {
        duplex = QStringLiteral("off");
    } else if (const Hz tx = unitsToHz(O::txFreq.units(view)); tx != rx) {
        if (vhf(tx) == vhf(rx)) {
            duplex = tx > rx ? QStringLiteral("+") : QStringLiteral("-");
            offset = mhzText(tx > rx ? tx - rx : rx - tx, 6);
        } else {
            duplex = QStringLiteral("split");
            offset = mhzText(tx, 6);
        }
    }
    const ToneValue dec = O::decodeTone.value(view);
    const ToneValue enc = O::txFreq.none(view) ? ToneValue{} : O::encodeTone.value(view);
    const auto tone = toneFields(enc, dec);
    const ChannelTexts t = decode_channel(image, n);
    const QList<QString> fields{QString::number(n), t[ColName], mhzText(rx, 6), duplex, offset,
                                tone[0], tone[1], tone[2], tone[3], tone[4], tone[5], tone[6],
                                t[ColBandwidth] == QLatin1String("N") ? QStringLiteral("NFM") : QStringLiteral("FM"),
                                (rx / kHzPerUnit) % 250 == 0 ? QStringLiteral("2.50") : QStringLiteral("6.25"),
                                t[ColScanAdd] == QLatin1String("OFF") ? QStringLiteral("S") : QString(),
                                t[ColPower] == QLatin1String("LOW") ? QStringLiteral("Low") : QStringLiteral("High"),
                                QString(), QString(), QString(), QString(), QString()};
    QByteArray line;
    for (const QString& f : fields)
        line += (line.isEmpty() ? QByteArray() : QByteArray(",")) + csvField(f);
    return line + "\r\n";
}

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

QByteArray export_csv(const Image& image)
{
    QByteArray out = kCsvHeader + "\r\n";
    for (int n = 0; n < kChannels; ++n)
        if (!is_empty(image, n))
            out += channelLine(image, n);
    return out;
}

std::vector<int> export_problems(const Image& image, const BandLimits& limits)
{
    const auto readsBack = [&](const Image& back, int n) {
        return std::ranges::equal(back.row(record_row(n)), image.row(record_row(n)))
               && std::ranges::equal(back.row(name_row(n)), image.row(name_row(n)));
    };
    // All at once; when that is refused, one channel at a time to find which.
    Image all = image;
    const bool whole = import_csv(export_csv(image), all, {limits}).ok();
    std::vector<int> out;
    for (int n = 0; n < kChannels; ++n) {
        if (is_empty(image, n))
            continue;
        if (whole) {
            if (!readsBack(all, n))
                out.push_back(n);
            continue;
        }
        Image back = image;
        if (!import_csv(kCsvHeader + "\r\n" + channelLine(image, n), back, {limits}).ok() || !readsBack(back, n))
            out.push_back(n);
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
