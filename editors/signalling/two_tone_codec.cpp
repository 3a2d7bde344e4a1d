#include "editors/signalling/two_tone_codec.h"

#include "image/codecs.h"
#include "image/tables.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vx::two_tone {

namespace {

QString hzText(int hz) { return QString::number(hz) + QStringLiteral(".0"); }

bool inRange(double v) { return v >= kMinHz && v <= kMaxHz; }

struct TxDefault {
    int n;
    int first;
    int second;
};
constexpr TxDefault kTxDefaults[] = {
    {1, 1981, 1124}, {2, 1358, 1446}, {3, 1540, 1640},
    {12, 2200, 970}, {13, 1060, 1160}, {14, 1400, 1530}, {15, 1670, 1830},
};

// Pair, response, alert of rules 1..4.
using Rules = std::array<std::array<uint8_t, 3>, kRules>;
constexpr Rules kRulesForward{{{0, 1, 1}, {4, 2, 2}, {8, 3, 3}, {9, 0, 4}}};  // A-B, B-C, C-D, D-A
constexpr Rules kRulesBackward{{{9, 0, 4}, {8, 3, 3}, {4, 2, 2}, {0, 1, 1}}};

struct ToneDefault {
    int n;
    std::array<int, kTones> hz;
};
constexpr ToneDefault kToneDefaults[] = {
    {1, {1981, 1124, 1197, 1275}},
    {2, {1358, 1446, 1540, 1640}},
    {14, {2200, 970, 1060, 1160}},
    {15, {1400, 1530, 1670, 1830}},
};

bool validEntry(int n) { return n >= 1 && n <= kEntries; }
bool validTone(int k) { return k >= 0 && k < kTones; }

}  // namespace

QStringList duration_entries() { return numberSteps(0, 10, kDurations); }
QStringList reset_time_entries() { return numberSteps(100, 100, kResetTimes); }
QStringList alert_entries() { return numberSteps(1, 1, kAlerts); }

QStringList pair_entries()
{
    return {QStringLiteral("A-B"), QStringLiteral("A-C"), QStringLiteral("A-D"), QStringLiteral("B-A"),
            QStringLiteral("B-C"), QStringLiteral("B-D"), QStringLiteral("C-A"), QStringLiteral("C-B"),
            QStringLiteral("C-D"), QStringLiteral("D-A"), QStringLiteral("D-B"), QStringLiteral("D-C")};
}

int round_half_even(double v) { return int(std::nearbyint(std::clamp(v, -1e9, 1e9))); }

int round_half_up(double v) { return int(std::floor(std::clamp(v, -1e9, 1e9) + 0.5)); }

QString tx_text(const Image& image, int n, int which)
{
    if (!validEntry(n))
        return {};
    const int f = Layout::txFreq(n, which).get(view(image));
    return inRange(f) ? hzText(f) : QString();
}

QString pair_text(uint8_t code)
{
    static const QStringList pairs = pair_entries();
    return code < pairs.size() ? pairs.at(code) : QString();
}

QString response_text(uint8_t code)
{
    if (code == 0xFF)
        return {};
    const QStringList& texts = callAlertTexts();
    return texts.value(code < texts.size() ? code : 0);
}

QString alert_text(uint8_t value) { return value <= kAlerts ? QString::number(value) : QString(); }

QString rule_text(const Image& image, int n, int column)
{
    if (!validEntry(n) || column < 1 || column >= kDecodeColumns)
        return {};
    const RuleField f = column_field(column);
    const uint8_t v = Layout::rule(n, column_rule(column), f).get(view(image));
    switch (f) {
    case RuleField::Pair: return pair_text(v);
    case RuleField::Response: return response_text(v);
    case RuleField::Alert: return alert_text(v);
    }
    return {};
}

QString tone_text(const Image& image, int n, int k)
{
    if (!validEntry(n) || !validTone(k))
        return {};
    const int f = Layout::toneFreq(n, k).get(view(image));
    return f == 0 || f == 0xFFFF ? QString() : hzText(f);
}

void set_tx_freq(Image& image, int n, int which, int hz)
{
    if (validEntry(n))
        Layout::txFreq(n, which).put(ref(image), std::clamp(hz, 0, 0xFFFF));
}

void set_rule_byte(Image& image, int n, int column, uint8_t value)
{
    if (validEntry(n) && column >= 1 && column < kDecodeColumns)
        Layout::rule(n, column_rule(column), column_field(column)).put(ref(image), value);
}

void set_tone(Image& image, int n, int k, int hz)
{
    if (!validEntry(n) || !validTone(k))
        return;
    if (!inRange(hz)) {
        clear_tone(image, n, k);
        return;
    }
    const RecordRef r = ref(image);
    Layout::toneFreq(n, k).put(r, hz);
    Layout::tonePeriods(n, k).put(r, tone_words::period_count(hz));
}

void clear_tone(Image& image, int n, int k)
{
    if (!validEntry(n) || !validTone(k))
        return;
    const RecordRef r = ref(image);
    Layout::toneFreq(n, k).put(r, 0xFFFF);
    Layout::tonePeriods(n, k).put(r, 0xFFFF);
}

TxCommit tx_commit(QStringView text)
{
    const double v = number_value(text);
    if (inRange(v))
        return {round_half_up(v), false};
    return {0, !text.trimmed().isEmpty()};
}

bool commit_tone(Image& image, int n, int k, QStringView text)
{
    const int v = round_half_even(number_value(text));
    if (inRange(v)) {
        set_tone(image, n, k, v);
        return false;
    }
    clear_tone(image, n, k);
    return !text.trimmed().isEmpty();
}

void load_defaults(Image& image)
{
    image.fillRows(kRegion.first, kRegion.last);
    const RecordRef r = ref(image);
    for (const TxDefault& d : kTxDefaults) {
        set_tx_freq(image, d.n, 0, d.first);
        set_tx_freq(image, d.n, 1, d.second);
    }
    Layout::duration(FirstTone).put(r, 60);
    Layout::duration(SecondTone).put(r, 60);
    Layout::duration(Gap).put(r, 30);
    for (const int n : {1, 2, 14, 15}) {
        const Rules& rules = n == 15 ? kRulesBackward : kRulesForward;
        for (int rule = 0; rule < kRules; ++rule)
            for (int f = 0; f < 3; ++f)
                Layout::rule(n, rule, RuleField(f)).put(r, rules[size_t(rule)][size_t(f)]);
    }
    for (const ToneDefault& d : kToneDefaults)
        for (int k = 0; k < kTones; ++k)
            set_tone(image, d.n, k, d.hz[size_t(k)]);
    Layout::resetTime.put(r, 59);
}

}  // namespace vx::two_tone
