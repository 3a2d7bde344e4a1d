#pragma once
// One channel line of a CSV, checked as the channel grid would check it:
// the values it gives, what refuses it and what fit mode would change.
// Internal to editors/channels (the import).

#include "editors/channels/channel_codec.h"
#include "interchange/csv/channel_csv.h"
#include "interchange/csv/channel_csv_reader.h"
#include "interchange/csv/channel_csv_texts.h"
#include "image/codecs.h"
#include "image/tones.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <optional>

namespace vx::channels::csv_parts {

namespace T = csv_text;

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
    // `quiet`: the line's reasons are counted, not shown.
    LineParser(const CsvOptions& options, const std::array<int, kUsed>& columns, bool decimalComma, bool quiet)
        : o_(options), columns_(columns), decimalComma_(decimalComma), quiet_(quiet)
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

    // Reasons and changes are made into text only where they will be shown:
    // beyond the notes the report keeps, a line's are only counted.
    template <class Reason>
    void refuse(Reason&& reason)
    {
        check_->refusals << (quiet_ ? QString() : reason());
    }
    // A change fit mode makes; strict mode refuses the line for `strict`.
    template <class Strict, class Note>
    void adapt(Strict&& strict, Note&& note)
    {
        if (o_.fit)
            check_->adaptations << (quiet_ ? QString() : note());
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
        } else if (o_.placeAt >= 0 || ((ok || t.isEmpty()) && o_.renumber)) {
            r.location = -1;
        } else {
            refuse([&] { return T::location.str().arg(t); });
            check_->locationOutside = ok || t.isEmpty();
        }
    }

    void name(Row& r)
    {
        bool valid = true;
        QString t = utf8(raw(Name), &valid).trimmed();
        if (!valid) {
            adapt([&] { return T::nameBytes.str(); }, [&] { return T::nameBytesDropped.str(); });
            t.remove(QChar(QChar::ReplacementCharacter));
            t = t.trimmed();
        }
        r.nameIn = t;
        if (o_.fit) {
            r.nameFull = showable_name(t);
            r.name = r.nameFull.left(kNameLength);  // made unique once every line is read
        } else if (QList<uint> chars = t.toUcs4(); chars.size() > kNameLength) {
            refuse([&] { return T::nameLong.str().arg(t); });
        } else if (!storable_name(t)) {
            refuse([&] { return T::nameCharacter.str().arg(t); });
        } else {
            r.name = name_entry(t);
        }
    }

    std::optional<Hz> frequency(const QString& t, const Text& what)
    {
        const auto hz = read_decimal_millionths(t, decimalComma_);
        if (!hz) {
            refuse([&] { return T::notFrequency.str().arg(what.str(), t); });
            return std::nullopt;
        }
        const BandLimits& l = o_.limits;
        if (!in_enter_range(double(*hz) / 1e6, l)) {
            refuse([&] { return T::outsideLimits.str().arg(what.str(), mhzText(*hz, 6)).arg(l.aLow).arg(l.aHigh).arg(l.bLow).arg(l.bHigh); });
            return std::nullopt;
        }
        if (!on_raster_hz(*hz)) {
            refuse([&] { return T::offRaster.str().arg(what.str(), mhzText(*hz, 6)); });
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
            const auto offset = read_decimal_millionths(text(Offset), decimalComma_);
            if (!offset) {
                refuse([&] { return T::notFrequency.str().arg(QStringLiteral("Offset"), text(Offset)); });
            } else if (rx) {
                const Hz tx = duplex == u"split" ? *offset : duplex == u"+" ? r.rx + *offset : r.rx - *offset;
                if (const auto checked = frequency(mhzText(std::max<Hz>(tx, 0), 6), T::transmitWhat))
                    r.tx = *checked;
            }
        } else {
            refuse([&] { return T::duplex.str().arg(text(Duplex)); });
        }
    }

    std::optional<ToneValue> ctcss(Col c)
    {
        const QString t = text(c);
        const auto tenths = read_ctcss_tenths(t, Acceptance::Refuse, decimalComma_);  // the same decimal reading, in Hz
        if (!tenths) {
            refuse([&] { return T::ctcss.str().arg(QLatin1String(kUsedNames[c]), t); });
            return std::nullopt;
        }
        return ToneValue{ToneValue::Ctcss, *tenths, 0};
    }

    // DCS code of column c with polarity letter `side` (0 sent, 1 decoded) of
    // DtcsPolarity; an empty polarity is NN.
    std::optional<ToneValue> dcs(Col c, int side)
    {
        const QString code = text(c);
        QString pol = text(DtcsPolarity).toUpper();
        if (pol.isEmpty())
            pol = QStringLiteral("NN");
        const auto normal = read_dcs(code, QLatin1Char('N'));
        if (!normal) {
            refuse([&] { return T::dcs.str().arg(QLatin1String(kUsedNames[c]), code); });
            return std::nullopt;
        }
        if (pol.size() != 2 || !QStringLiteral("NR").contains(pol[0]) || !QStringLiteral("NR").contains(pol[1])) {
            refuse([&] { return T::polarity.str().arg(text(DtcsPolarity)); });
            return std::nullopt;
        }
        return ToneValue{ToneValue::Dcs, 0, *read_dcs(code, pol[side])};
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
                refuse([&] { return T::crossMode.str().arg(text(CrossMode)); });
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
            refuse([&] { return T::toneMode.str().arg(text(ToneMode)); });
        }
        if (!r.tx && r.encode.kind != ToneValue::Off && check_->refusals.isEmpty()) {
            adapt([&] { return T::noTransmitTone.str(); }, [&] { return T::transmitToneDropped.str(); });
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
        const auto mw = read_decimal_millionths(p, true);  // the same decimal reading; here in millionths of a watt
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
            refuse([&] { return T::mode.str().arg(text(Mode)); });

        const QString skip = text(Skip).toLower();
        if (skip == u"s")
            r.skip = true;
        else if (skip == u"p")
            adapt([&] { return T::skip.str().arg(text(Skip)); }, [&] { return T::priorityRead.str().arg(text(Skip)); });
        else if (!skip.isEmpty())
            refuse([&] { return T::skip.str().arg(text(Skip)); });

        const QString power = text(Power);
        if (const auto low = lowPower(power)) {
            r.low = *low;
        } else if (const QString p = power.toLower(); p == u"mid" || p == u"med" || p == u"medium") {
            adapt([&] { return T::power.str().arg(power); }, [&] { return T::powerRead.str().arg(power); });
            r.low = true;
        } else {
            refuse([&] { return T::power.str().arg(power); });
        }
    }

    const CsvOptions& o_;
    const std::array<int, kUsed>& columns_;
    bool decimalComma_;
    bool quiet_;
    const Record* rec_ = nullptr;
    LineCheck* check_ = nullptr;
};

}  // namespace vx::channels::csv_parts
