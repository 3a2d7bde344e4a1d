// The radio as a text configuration: export and apply give back the image
// (byte for byte onto itself, setting for setting onto the start-up
// defaults), a partial file changes only what it names, every bad file is
// refused with its line and column, and diff names what differs.
#include "editors/channels/channel_codec.h"
#include "interchange/csv/channel_csv.h"
#include "interchange/datafile.h"
#include "interchange/config/config.h"
#include "editors/defaults.h"
#include "editors/fm/fm_codec.h"
#include "editors/options/option_codec.h"
#include "editors/options/option_lists.h"
#include "editors/signalling/dtmf_codec.h"
#include "editors/signalling/five_tone_codec.h"
#include "editors/signalling/two_tone_codec.h"
#include "test_document.h"
#include "emulator/radio_model.h"
#include "image/tables.h"
#include "image/tones.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <random>
#include <set>
#include <tuple>

using namespace vx;
using namespace vx::test;
using namespace vx::config;

namespace {

Image startup()
{
    Image image;
    lay_startup_defaults(image);
    return image;
}

// An image the windows can make: channels, presets and options set through
// the codecs, at random.
Image randomImage(uint32_t seed)
{
    std::mt19937 rng(seed);
    Image image = startup();
    const auto pick = [&](const QString& chars, int length) {
        QString s;
        for (int i = 0; i < length; ++i)
            s += chars[int(rng() % chars.size())];
        return s;
    };
    const QStringList rx{"145.5", "136.0125", "173.99375", "400.025", "479.99375", "146.52", "438.5"};
    for (int n = 0; n < channels::kChannels; ++n) {
        if (rng() % 3 == 0) {
            channels::delete_channel(image, n);
            continue;
        }
        channels::delete_channel(image, n);
        channels::new_channel(image, n);
        channels::set_rx(image, n, rx[int(rng() % rx.size())]);
        if (rng() % 4 == 0)
            channels::remove_tx(image, n);
        else if (rng() % 2)
            channels::set_tx(image, n, u"446.1");
        channels::set_tone(image, n, channels::Tone::Decode, int(rng() % tones::kCount));
        channels::set_tone(image, n, channels::Tone::Encode, int(rng() % tones::kCount));
        if (rng() % 5 == 0)
            channels::set_tone_value(image, n, channels::Tone::Encode, 60.0 + (rng() % 2000) / 10.0);
        for (int column = channels::ColPower; column <= channels::ColScrambler; ++column)
            channels::set_choice(image, n, column, int(rng() % std::max<qsizetype>(1, channels::choices(column).size())));
        channels::set_name(image, n, pick("ABCXYZ0129", int(rng() % 7)));
    }
    for (int p = 1; p <= fm::kPresets; ++p) {
        if (rng() % 3 == 0)
            fm::encode_preset(image, p, {}, {});
        else
            fm::encode_preset(image, p, fm::frequency_entry(QString::number(87.0 + (rng() % 2100) / 100.0, 'f', 2)), pick("NEWS12", int(rng() % 7)));
    }
    options::OptionBlock block;
    block.load(image);
    // Every option row, from the rows: a list position, a check, a text of
    // what the row's kind of text takes.
    for (const vx::Setting& s : options::kSettings) {
        switch (s.kind) {
        case SettingKind::List: options::store_setting(block, image, s, int(rng() % s.list->count())); break;
        case SettingKind::OnOff: options::store_check(block, image, s, rng() % 2); break;
        case SettingKind::Text: {
            const bool message = s.text == &options::kMessageText;
            const QString text = message ? pick("HELO12+-", int(rng() % 7))
                                 : s.text == &options::kAniText ? pick("0123456789ABCD", 3 + int(rng() % 3))
                                                                : pick("0123456789*#", 1 + int(rng() % 16));
            options::store_text(block, image, s, text);
            break;
        }
        }
    }
    using L = options::VfoLayout;
    for (const options::Vfo v : {options::Vfo::A, options::Vfo::B}) {
        const bool vhf = rng() % 2;
        const QString typed = QString::number(vhf ? 140.0 + (rng() % 3000) / 100.0 : 410.0 + (rng() % 6000) / 100.0, 'f', 5);
        options::encode_vfo_frequency(image, v, options::vfo_frequency_entry(typed, options::vfo_limits(vhf, bandLimits())).text);
        const RecordRef r = options::vfo_ref(image, v);
        for (const field::List8 f : {L::signalCode, L::speakerMute, L::optionalSignal, L::scrambler, L::bandwidth, L::power, L::shiftDirection, L::step})
            f.put(r, int(rng() % f.count));
        L::rxTone.put(r, options::encode_vfo_tone(int(rng() % options::vfo_tone_entries(false).size())));
        L::txTone.put(r, options::encode_vfo_tone(int(rng() % options::vfo_tone_entries(false).size())));
        options::encode_offset(image, v, options::offset_label(int(rng() % options::kOffsetCount)));
    }
    const QString dtmfChars = QStringLiteral("0123456789ABCD*#");
    for (int n = 1; n <= dtmf::kTxCodes; ++n)
        dtmf::set_tx_code(image, n, pick(dtmfChars, int(rng() % 17)));
    for (int i = 0; i < dtmf::kDecodeCodes; ++i)
        dtmf::set_decode(image, i, pick(dtmfChars, int(rng() % 17)));
    dtmf::set_identity(image, dtmf::Identity::Master, pick(dtmfChars, int(rng() % 17)));
    dtmf::set_identity(image, dtmf::Identity::Vice, pick(dtmfChars, int(rng() % 17)));
    for (int bit = 0; bit < dtmf::kRightsBoxes; ++bit) {
        dtmf::set_right(image, dtmf::Identity::Master, bit, rng() % 2);
        dtmf::set_right(image, dtmf::Identity::Vice, bit, rng() % 2);
    }
    dtmf::set_control(image, rng() % 2);
    dtmf::set_disabled(image, dtmf::Disable::Receive, rng() % 2);
    dtmf::set_disabled(image, dtmf::Disable::Transmit, rng() % 2);
    dtmf::set_group_call(image, dtmf::group_call_entries()[int(rng() % 6)].at(0).unicode());
    dtmf::set_separator(image, dtmf::group_call_entries()[int(rng() % 6)].at(0).unicode());
    const RecordRef d = dtmf::ref(image);
    dtmf::Layout::onTime.put(d, int(rng() % dtmf::kOnOffTimes));
    dtmf::Layout::offTime.put(d, int(rng() % dtmf::kOnOffTimes));
    dtmf::Layout::decodeDelay.put(d, int(rng() % dtmf::kDecodeDelays));
    dtmf::Layout::resetTime.put(d, int(rng() % dtmf::kResetTimes));
    for (int n = 1; n <= two_tone::kEntries; ++n) {
        for (int which = 0; which < 2; ++which)
            two_tone::set_tx_freq(image, n, which, rng() % 4 ? 300 + int(rng() % 2701) : 0);
        for (int rule = 0; rule < two_tone::kRules; ++rule) {
            const auto maybe = [&](int count) { return uint8_t(rng() % 5 ? int(rng() % count) : 0xFF); };
            two_tone::set_rule_byte(image, n, two_tone::rule_column(rule, two_tone::RuleField::Pair), maybe(two_tone::kPairs));
            two_tone::set_rule_byte(image, n, two_tone::rule_column(rule, two_tone::RuleField::Response), maybe(int(callAlertTexts(false).size())));
            two_tone::set_rule_byte(image, n, two_tone::rule_column(rule, two_tone::RuleField::Alert), maybe(two_tone::kAlerts + 1));
        }
        for (int k = 0; k < two_tone::kTones; ++k) {
            if (rng() % 4)
                two_tone::set_tone(image, n, k, 300 + int(rng() % 2701));
            else
                two_tone::clear_tone(image, n, k);
        }
    }
    const RecordRef w = two_tone::ref(image);
    for (int which = 0; which < 3; ++which)
        two_tone::Layout::duration(which).put(w, int(rng() % two_tone::kDurations));
    two_tone::Layout::resetTime.put(w, int(rng() % two_tone::kResetTimes));
    namespace F = five_tone;
    const RecordRef f = RecordRef(image, F::kRegion);
    const QString hex = QStringLiteral("0123456789ABCDEF");
    for (int st = 0; st < F::kStandards; ++st) {
        F::set_tone_length(image, st, int(rng() % F::kToneLengths));
        F::Layout::groupTone(st).put(f, uint8_t(rng() % 5 ? int(rng() % F::kDigits) : 0xFF));
        F::Layout::repeatTone(st).put(f, uint8_t(rng() % 5 ? int(rng() % F::kDigits) : 0xFF));
    }
    for (int n = 1; n <= F::kEntries; ++n) {
        for (int fr = 0; fr < F::kFrames; ++fr)
            F::set_frame(image, n, fr, rng() % 3 ? pick(hex, F::kFrameDigits) : QString());
        F::Layout::standard(n).put(f, uint8_t(rng() % 5 ? int(rng() % F::kStandards) : 0xFF));
    }
    for (int which = 0; which < F::kTimingLists; ++which)
        F::Layout::timing(which).put(f, int(rng() % F::kTimings));
    F::Layout::decodeStandard.put(f, int(rng() % F::kStandards));
    for (int fr = 0; fr < F::kFrames; ++fr) {
        F::Layout::callFrame(fr).put(f, rng() % 2);
        F::Layout::displayFrame(fr).put(f, rng() % 2);
    }
    F::Layout::resetTime.put(f, int(rng() % F::kResetTimes));
    return image;
}

QString firstProblem(const Applied& a)
{
    return a.problems.empty() ? QString() : QStringLiteral("%1:%2 %3").arg(a.problems[0].line).arg(a.problems[0].column).arg(a.problems[0].text);
}

}  // namespace

class TstConfig : public QObject {
    Q_OBJECT
private slots:
    void init() { resetBandLimits(); }

    void roundTrip_data()
    {
        QTest::addColumn<uint32_t>("seed");
        for (uint32_t seed = 1; seed <= 12; ++seed)
            QTest::addRow("random image %u", seed) << seed;
    }
    void roundTrip()
    {
        QFETCH(uint32_t, seed);
        const Image x = randomImage(seed);
        const QByteArray text = export_config(x);

        Image same = x;
        const Applied onto = apply_config(text, same, bandLimits());
        QVERIFY2(onto.ok(), qPrintable(firstProblem(onto)));
        QVERIFY(same == x);  // byte for byte

        Image fresh = startup();
        const Applied fromDefaults = apply_config(text, fresh, bandLimits());
        QVERIFY2(fromDefaults.ok(), qPrintable(firstProblem(fromDefaults)));
        QCOMPARE(settings_of(fresh), settings_of(x));
        QVERIFY2(diff_images(x, fresh).filter(QRegularExpression("^(channel|fm|options)")).isEmpty(), qPrintable(diff_images(x, fresh).join('\n')));
    }

    // Regression: where bit 2 of a channel's byte 14 was set, re-applying or
    // re-importing the image's own export was feared to change its power bits;
    // neither the YAML nor the CSV may change a byte.
    void ownExportChangesNoByte_data()
    {
        QTest::addColumn<uint32_t>("seed");
        for (uint32_t seed = 1; seed <= 8; ++seed)
            QTest::addRow("random image %u", seed) << seed;
    }
    void ownExportChangesNoByte()
    {
        QFETCH(uint32_t, seed);
        Image x = randomImage(seed);
        std::mt19937 rng(seed);
        for (int n = 0; n < channels::kChannels; ++n)  // any byte 14: power, the bits kept, the scrambler
            if (!channels::is_empty(x, n))
                x.set(channels::record_row(n), 14, uint8_t(rng() % 256));

        Image yaml = x;
        const Applied applied = apply_config(export_config(x), yaml, kDefaultBandLimits);
        QVERIFY2(applied.ok(), qPrintable(firstProblem(applied)));
        QVERIFY2(yaml == x, qPrintable(diff_images(x, yaml).join('\n')));

        QVERIFY(channels::export_problems(x).empty());
        Image csv = x;
        QVERIFY(channels::import_csv(channels::export_csv(x), csv).ok());
        QVERIFY2(csv == x, qPrintable(diff_images(x, csv).join('\n')));

        // Every power turned over reads back turned over, through both.
        const auto swapped = [](QByteArray text, const QByteArray& high, const QByteArray& low) {
            return text.replace(high, "\x01").replace(low, high).replace("\x01", low);
        };
        yaml = x;
        QVERIFY(apply_config(swapped(export_config(x), "power: \"HIGH\"", "power: \"LOW\""), yaml, kDefaultBandLimits).ok());
        csv = x;
        QVERIFY(channels::import_csv(swapped(channels::export_csv(x), ",High,", ",Low,"), csv).ok());
        for (int n = 0; n < channels::kChannels; ++n)
            if (!channels::is_empty(x, n))
                for (const Image* turned : {&yaml, &csv})
                    QCOMPARE(channels::low_power(*turned, n), !channels::low_power(x, n));
    }

    // A fleet file names a squelch level, a power-on message and a channel;
    // nothing else of the base changes.
    void partialFileChangesOnlyWhatItNames()
    {
        const Image base = randomImage(99);
        Image image = base;
        const Applied r = apply_config("options:\n"
                                       "  Squelch Level: \"3\"\n"
                                       "  power-on message 1: CLUB\n"
                                       "channels:\n"
                                       "  - number: 150\n"
                                       "    receive: 145.6\n"
                                       "    name: FLEET\n",
                                       image, bandLimits());
        QVERIFY2(r.ok(), qPrintable(firstProblem(r)));
        QCOMPARE(r.settings, 4);
        const QStringList lines = diff_images(base, image);
        QVERIFY2(lines.filter(QRegularExpression("^options.squelch_level: .* -> 3$")).size() == 1, qPrintable(lines.join('\n')));
        QVERIFY(lines.filter(QRegularExpression("^options.power_on_message_1: .* -> CLUB$")).size() == 1);
        const std::vector<config::Setting> before = settings_of(base), after = settings_of(image);
        for (const config::Setting& s : after) {
            const bool named = (s.section == "options" && (s.key == "squelch_level" || s.key == "power_on_message_1"))
                               || (s.section == "channels" && s.item == 150);
            if (named)
                continue;
            const auto it = std::ranges::find_if(before, [&](const config::Setting& b) { return b.section == s.section && b.item == s.item && b.key == s.key; });
            QVERIFY2(it != before.end() && it->value == s.value, qPrintable(s.section + " " + QString::number(s.item) + " " + s.key));
        }
        QCOMPARE(channels::decode_channel(image, 150)[channels::ColName], QString("FLEET"));
        for (int row = 0; row < Image::kRows; ++row) {
            const bool touched = row == 150 || row == channels::name_row(150) || (row >= 224 && row <= 239);
            if (!touched)
                QVERIFY2(std::ranges::equal(image.row(row), base.row(row)), qPrintable(QString::number(row)));
        }
    }

    void badFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("reason");
        QTest::newRow("syntax") << QByteArray("options:\n  Squelch Level: [3\n") << 3 << 1 << "end of sequence flow";
        QTest::newRow("unknown key, nearest suggested") << QByteArray("options:\n  Squelsh Level: 3\n") << 2 << 3 << "did you mean \"squelch_level\"";
        QTest::newRow("unknown section") << QByteArray("channel:\n  - number: 1\n") << 1 << 1 << "did you mean \"channels\"";
        QTest::newRow("wrong type") << QByteArray("options:\n  Squelch Level: [3, 4]\n") << 2 << 18 << "single value";
        QTest::newRow("not a list entry") << QByteArray("options:\n  Squelch Level: \"11\"\n") << 2 << 18 << "is not one of";
        QTest::newRow("out of range") << QByteArray("channels:\n  - number: 3\n    receive: 300\n") << 3 << 14 << "not a frequency";
        QTest::newRow("channel number") << QByteArray("channels:\n  - number: 200\n") << 2 << 13 << "0 to 199";
        QTest::newRow("channel twice") << QByteArray("channels:\n  - number: 3\n    name: A\n  - number: 3\n    name: B\n") << 4 << 13 << "given twice";
        QTest::newRow("tab") << QByteArray("options:\n\tSquelch Level: 3\n") << 2 << 1 << "tab";
        QTest::newRow("empty file") << QByteArray("\n  \n") << 1 << 1 << "empty";
        QTest::newRow("not UTF-8") << QByteArray("options:\n  ANI: \"\xFF\xFE\"\n") << 2 << 9 << "UTF-8";
        // Regression: an unfinished sequence at the file's very end reached
        // the value as a replacement character instead of being named.
        QTest::newRow("unfinished UTF-8 at the end") << QByteArray("options:\n  beep: ON\xC3") << 2 << 11 << "UTF-8";
        QTest::newRow("10 MB") << QByteArray(10 * 1024 * 1024, '#') << 0 << 0 << "at most";
        QTest::newRow("empty channel then a field") << QByteArray("channels:\n  - number: 7\n    empty: true\n    name: X\n") << 3 << 12 << "no other settings";
        QTest::newRow("bad tone") << QByteArray("channels:\n  - number: 0\n    decode: D999N\n") << 3 << 13 << "not a tone";
        QTest::newRow("bad name") << QByteArray("channels:\n  - number: 0\n    name: TOOLONG\n") << 3 << 11 << "six letters";
        QTest::newRow("bad ANI") << QByteArray("options:\n  ANI: \"12\"\n") << 2 << 8 << "3 to 5";
    }
    void badFilesAreRefused()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(QString, reason);
        Image image = startup();
        const Image before = image;
        const Applied r = apply_config(text, image, bandLimits());
        QVERIFY(!r.ok());
        QVERIFY2(r.problems[0].text.contains(reason), qPrintable(firstProblem(r)));
        QCOMPARE(r.problems[0].line, line);
        QCOMPARE(r.problems[0].column, column);
        QVERIFY(image == before);
    }

    // The emulator's demo memory (a radio from the factory): its own export
    // applies onto it without changing a byte.
    void demoMemoryRoundTrip()
    {
        const Image demo = emu::demoMemory();
        Image same = demo;
        const Applied r = apply_config(export_config(demo), same, bandLimits());
        QVERIFY2(r.ok(), qPrintable(firstProblem(r)));
        QVERIFY(same == demo);
        QVERIFY(diff_images(demo, same).isEmpty());
    }

    // Nesting a parser could recurse through, and aliases: refused, not a crash.
    void hostileYaml()
    {
        Image image = startup();
        const Image before = image;
        QVERIFY(!apply_config("options: " + QByteArray(200'000, '[') + "\n", image, bandLimits()).ok());
        QVERIFY(!apply_config("channels: &c\n  - number: 1\n    name: A\nfm presets: *c\n", image, bandLimits()).ok());
        QVERIFY(image == before);
    }

    // The README's reference is what the code generates.
    // A file written by version 15.8.25 (options by their captions) applies
    // exactly as that version applied it; a new export names the frozen keys
    // and applies to the same bytes.
    void earlierVersionsFileApplies()
    {
        const QString dir = QStringLiteral(OLD_FILES);
        Image base, expected;
        QVERIFY(datafile::load(dir + "/base.dat", base).ok());
        QVERIFY(datafile::load(dir + "/applied.dat", expected).ok());
        QFile file(dir + "/radio.yaml");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray old = file.readAll();
        QVERIFY(old.contains("\n  Squelch Level: ") && old.contains("\n  Time Out Timer(TOT)[S]: "));
        Image image = base;
        const Applied r = apply_config(old, image, kDefaultBandLimits);
        QVERIFY2(r.ok(), qPrintable(firstProblem(r)));
        for (int row = 0; row < Image::kRows; ++row)
            QVERIFY2(std::ranges::equal(image.row(row), expected.row(row)), qPrintable(QString::number(row)));

        const QByteArray now = export_config(expected);
        QVERIFY(now.contains("\n  squelch_level: \"3\"") && now.contains("\n  time_out_timer: \"180\""));
        QVERIFY(!now.contains("Squelch Level"));
        Image again = base;
        QVERIFY(apply_config(now, again, kDefaultBandLimits).ok());
        QVERIFY(again == expected);
    }

    // The problems speak the language in force, as the command line's
    // --lang zh asks.
    void problemsInBothLanguages_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        QTest::newRow("unknown key") << QByteArray("options:\n  Squelsh Level: 3\n") << "unknown key" << QString::fromUtf8("不认识的键");
        QTest::newRow("channel number") << QByteArray("channels:\n  - number: 300\n") << "a channel number is 0 to 199"
                                        << QString::fromUtf8("信道号为 0 至 199");
        QTest::newRow("tab") << QByteArray("options:\n\tbeep: ON\n") << "a tab" << QString::fromUtf8("制表符");
        QTest::newRow("empty") << QByteArray("\n") << "the file is empty" << QString::fromUtf8("文件是空的");
        QTest::newRow("channel tone") << QByteArray("channels:\n  - number: 0\n    receive: \"145.6\"\n    decode: \"300\"\n") << "is not a tone of the list"
                                      << QString::fromUtf8("不是列表中的哑音");
        QTest::newRow("option list") << QByteArray("options:\n  beep: LOUD\n") << "is not one of" << QString::fromUtf8("之一");
        QTest::newRow("vfo frequency") << QByteArray("vfo a:\n  frequency: \"300\"\n") << "is not a frequency within the band limits"
                                       << QString::fromUtf8("不是频段限内的频率");
        QTest::newRow("preset name") << QByteArray("fm presets:\n  - preset: 16\n    name: abc\n") << "six characters in upper case"
                                     << QString::fromUtf8("至多六个大写字符");
    }
    void problemsInBothLanguages()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        for (const bool zh : {false, true}) {
            setChinese(zh);
            Image image;
            const Applied r = apply_config(text, image, kDefaultBandLimits);
            setChinese(false);
            QVERIFY(!r.ok());
            QVERIFY2(r.problems[0].text.contains(zh ? chinese : english), qPrintable(r.problems[0].text));
        }
    }

    void readmeReferenceIsCurrent()
    {
        QFile readme(QStringLiteral(README_PATH));
        QVERIFY(readme.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(readme.readAll());
        const QString begin = QStringLiteral("<!-- conf-reference -->\n"), end = QStringLiteral("<!-- /conf-reference -->");
        const qsizetype from = text.indexOf(begin), to = text.indexOf(end);
        QVERIFY(from >= 0 && to > from);
        QCOMPARE(text.mid(from + begin.size(), to - from - begin.size()), reference());
    }

    // One setting changed in each editor: diff names exactly those.
    void diffNamesEachChangedSetting()
    {
        const Image a = randomImage(5);
        Image b = a;
        options::OptionBlock block;
        block.load(b);
        const vx::Setting& beep = *options::setting_of("Combo_Beep");
        options::store_setting(block, b, beep, options::setting_position(block, beep) == 0 ? 1 : 0);
        int channel = 0;
        while (channels::is_empty(a, channel))
            ++channel;
        channels::set_choice(b, channel, channels::ColPower, channels::decode_channel(a, channel)[channels::ColPower] == "HIGH" ? 1 : 0);
        const fm::PresetTexts preset = fm::decode_preset(a, 2);
        fm::encode_preset(b, 2, preset.frequency == "99.90000" ? u"99.80000" : u"99.90000", preset.frequency.isEmpty() ? QString() : preset.name);
        const field::List8 power = options::VfoLayout::power;
        power.put(options::vfo_ref(b, options::Vfo::A), power.get(options::vfo_view(a, options::Vfo::A)) == 0 ? 1 : 0);
        dtmf::set_disabled(b, dtmf::Disable::Receive, !dtmf::decode(a).rxDisabled);
        const RecordRef w = two_tone::ref(b);
        two_tone::Layout::resetTime.put(w, two_tone::Layout::resetTime.get(two_tone::view(a)) == 0 ? 1 : 0);
        const field::List8 standard = five_tone::Layout::decodeStandard;
        standard.put(RecordRef(b, five_tone::kRegion), standard.get(five_tone::view(a)) == 0 ? 1 : 0);

        const QStringList lines = diff_images(a, b);
        QCOMPARE(lines.size(), 7);
        const QStringList starts{QStringLiteral("channel %1 power: ").arg(channel), "fm preset 2", "options.beep: ", "vfo a.tx_power: ",
                                 "dtmf.rx_disable: ", "2-tone.reset_time: ", "5-tone.decode_standard: "};
        for (int i = 0; i < 7; ++i)
            QVERIFY2(lines[i].startsWith(starts[i]), qPrintable(lines.join('\n')));
        QVERIFY(diff_images(a, a).isEmpty());

        Image raw = a;
        raw.set(730, 3, uint8_t(raw.at(730, 3) ^ 0x55));  // a byte the 2-tone window keeps
        raw.set(520, 0, uint8_t(raw.at(520, 0) ^ 0x55));  // the constant 5-tone tables: no setting
        QCOMPARE(diff_images(a, raw), (QStringList{diff_images(a, raw).value(0), diff_images(a, raw).value(1)}));
        QVERIFY(diff_images(a, raw).value(0).startsWith("row 520: "));
        QVERIFY(diff_images(a, raw).value(1).startsWith("row 730: "));
    }

    // The windows' list by name holds the same differences as the command
    // line's list by key, each under its area, in the language asked for.
    void diffByName_data()
    {
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("English") << false
                                 << QStringList{"Channel 12: TX Frequency 145.60000 → 145.62500",
                                                "Channel 40: empty → RX Frequency 146.52000, TX Frequency 146.52000",
                                                "Options: Squelch Level 3 → 5",
                                                "Options: Power-On Message 1 CLUB → (blank)"};
        QTest::newRow("Chinese") << true
                                 << QStringList{"信道 12: 发射频率(MHZ) 145.60000 → 145.62500",
                                                "信道 40: 空 → 接收频率(MHZ) 146.52000，发射频率(MHZ) 146.52000",
                                                "可选参数: 静噪电平 3 → 5", "可选参数: 开机显示字符 1 CLUB → （空白）"};
    }
    void diffByName()
    {
        QFETCH(bool, inChinese);
        QFETCH(QStringList, expected);
        Image a = startup();
        QVERIFY(apply_config("options: {squelch_level: \"3\", power_on_message_1: CLUB}\n"
                             "channels: [{number: 12, receive: 145.6, transmit: 145.6}]\n",
                             a, bandLimits())
                    .ok());
        Image b = a;
        QVERIFY(apply_config("options: {squelch_level: \"5\", power_on_message_1: \"\"}\n"
                             "channels: [{number: 12, transmit: 145.625}, {number: 40, receive: 146.52}]\n",
                             b, bandLimits())
                    .ok());
        b.set(520, 0, uint8_t(b.at(520, 0) ^ 0x55));  // the 5-tone tables: no setting says it

        const Difference d = compare_images(a, b, bandLimits());
        QCOMPARE(diff_lines(d, a, b), diff_images(a, b, bandLimits()));
        const std::vector<Area> areas = named_changes(d, a, b, inChinese);
        const QStringList lines = named_lines(areas);
        // The settings' lines may carry more than what is pinned here (the
        // channel's other fields when it is filled); the pinned ones come in
        // this order, the raw row last.
        QCOMPARE(lines.size(), diff_lines(d, a, b).size());
        QCOMPARE(lines.filter(QRegularExpression(inChinese ? "^信道 40: 空 → 接收频率" : "^Channel 40: empty → RX Frequency")).size(), 1);
        QVERIFY2(lines.last().startsWith(inChinese ? "没有设置对应的行: 第 520 行（0x2080，五音）：" : "Rows no setting explains: Row 520 (0x2080, 5-tone): "),
                 qPrintable(lines.last()));
        for (const QString& e : expected)
            QVERIFY2(std::ranges::any_of(lines, [&](const QString& l) { return l.startsWith(e); }), qPrintable(e + "\n---\n" + lines.join('\n')));
        QCOMPARE(areas.front().title, QString(inChinese ? "信道 12" : "Channel 12"));
    }

    // Every setting a file names has a label of its own in both languages,
    // none shared within its area (a key without one would show in the
    // windows' lists as its key; two alike would not say which changed).
    void everySettingHasALabel()
    {
        for (bool zh : {false, true}) {
            std::set<std::tuple<QString, int, QString>> seen;
            for (const config::Setting& s : settings_of(randomImage(7))) {
                if (s.key == "empty")
                    continue;
                const QString label = setting_label(s.section, s.key, zh);
                QVERIFY2(!label.isEmpty() && label != s.key, qPrintable(s.section + "." + s.key));
                QVERIFY2(seen.insert({s.section, s.item, label}).second, qPrintable(s.section + "." + s.key + ": " + label));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TstConfig)
#include "tst_config.moc"
