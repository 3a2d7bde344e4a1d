#include "interchange/config/config_sections.h"

#include "editors/channels/channel_codec.h"
#include "editors/fm/fm_codec.h"
#include "editors/options/frm_option_texts.h"
#include "editors/options/option_codec.h"
#include "editors/options/option_lists.h"
#include "editors/options/option_settings.h"
#include "editors/signalling/dtmf_codec.h"
#include "editors/signalling/five_tone_codec.h"
#include "editors/signalling/frm_2tone_texts.h"
#include "editors/signalling/frm_5tone_texts.h"
#include "editors/signalling/frm_dtmf_texts.h"
#include "editors/signalling/two_tone_codec.h"
#include "image/codecs.h"
#include "image/dtmf.h"
#include "image/tones.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace vx::config {

using namespace channels;
namespace O = options;

std::vector<Key> dtmfKeys()
{
    namespace D = dtmf;
    namespace DT = dtmf_texts;
    using DL = D::Layout;
    std::vector<Key> out;
    for (int n = 1; n <= D::kTxCodes; ++n)
        out.push_back(dtmfKey(QStringLiteral("%1 %2").arg(trimmedEn(DT::kEncodeCode)).arg(n), 1, D::kCodeLength,
                              [n](const Image& image) { return DL::txCode(n).get(D::view(image)); },
                              [n](Image& image, const QString& text) { D::set_tx_code(image, n, text); }));
    const auto list = [](const Text& label, std::function<QStringList()> entries, field::List8 f) {
        return listKey(trimmedEn(label), std::move(entries), [f](const Image& image) { return f.get(D::view(image)); },
                       [f](Image& image, int p) { f.put(D::ref(image), p); });
    };
    out.push_back(list(DT::kOnTime, D::on_off_time_entries, DL::onTime));
    out.push_back(list(DT::kOffTime, D::on_off_time_entries, DL::offTime));
    const auto digit = [](const Text& label, field::DtmfDigit f, void (*set)(Image&, char32_t)) {
        Key k = listKey(trimmedEn(label), D::group_call_entries, [](const Image&) { return 0; },
                        [set](Image& image, int p) { set(image, D::group_call_entries().value(p).at(0).unicode()); });
        k.get = [f](const Image& image) { return f.get(D::view(image)); };
        return orEmpty(std::move(k), [set](Image& image) { set(image, U'\0'); });  // no character: FF
    };
    out.push_back(digit(DT::kGroupCode, DL::groupCall, D::set_group_call));
    out.push_back(onOffKey(trimmedEn(DT::kRxDisable), [](const Image& image) { return DL::disabled(D::Disable::Receive).get(D::view(image)); },
                           [](Image& image, bool on) { D::set_disabled(image, D::Disable::Receive, on); }));
    out.push_back(onOffKey(trimmedEn(DT::kTxDisable), [](const Image& image) { return DL::disabled(D::Disable::Transmit).get(D::view(image)); },
                           [](Image& image, bool on) { D::set_disabled(image, D::Disable::Transmit, on); }));
    const Text* decodes[] = {&DT::kInspection, &DT::kMonitor, &DT::kAlarm, &DT::kStun, &DT::kKill, &DT::kRevive};
    for (int i = 0; i < D::kDecodeCodes; ++i)
        out.push_back(dtmfKey(trimmedEn(*decodes[i]).remove(QLatin1Char(' ')), 1, D::kCodeLength,
                              [i](const Image& image) { return DL::decode(i).get(D::view(image)); },
                              [i](Image& image, const QString& text) { D::set_decode(image, i, text); }));
    out.push_back(onOffKey(trimmedEn(DT::kControlEnable), [](const Image& image) { return DL::control.get(D::view(image)); },
                           [](Image& image, bool on) { D::set_control(image, on); }));
    const Text* rights[] = {&DT::kInspection, &DT::kMonitor, &DT::kStun, &DT::kKill, &DT::kRevive};
    for (const auto& [who, label] : {std::pair{D::Identity::Master, &DT::kMasterId}, std::pair{D::Identity::Vice, &DT::kViceId}}) {
        const D::Identity w = who;
        out.push_back(dtmfKey(trimmedEn(*label), 1, D::kCodeLength,
                              [w](const Image& image) { return DL::identity(w).get(D::view(image)); },
                              [w](Image& image, const QString& text) { D::set_identity(image, w, text); }));
        for (int bit = 0; bit < D::kRightsBoxes; ++bit)
            out.push_back(onOffKey(QStringLiteral("%1 right %2").arg(trimmedEn(*label), trimmedEn(*rights[bit]).remove(QLatin1Char(' '))),
                                   [w, bit](const Image& image) { return DL::right(w, bit).get(D::view(image)); },
                                   [w, bit](Image& image, bool on) { D::set_right(image, w, bit, on); }));
    }
    const auto separator = digit(DT::kSpaceCode, DL::separator, D::set_separator);
    out.push_back(separator);
    out.push_back(list(DT::kResetTime, D::reset_time_entries, DL::resetTime));
    out.push_back(list(DT::kProcDelay, D::decode_delay_entries, DL::decodeDelay));
    return out;
}

std::vector<Key> twoToneKeys()
{
    namespace W = two_tone;
    namespace WT = two_tone_texts;
    using WL = W::Layout;
    const QStringList encode = gridHeadings(WT::kEncodeHeadings), decode = gridHeadings(WT::kDecodeHeadings);
    const QString code = encode[0];
    std::vector<Key> out;
    for (int n = 1; n <= W::kEntries; ++n)
        for (int which = 0; which < 2; ++which)
            out.push_back({QStringLiteral("Encode %1 %2 %3").arg(code).arg(n).arg(encode[1 + which]),
                           [n, which](const Image& image) { return W::tx_text(image, n, which); },
                           [n, which](Image& image, const QString& text, const BandLimits&) -> Refusal {
                               const W::TxCommit c = W::tx_commit(text);
                               if (c.refused)
                                   return QStringLiteral("\"%1\" is not empty or a frequency of 300 to 3000 Hz").arg(text);
                               W::set_tx_freq(image, n, which, c.hz);
                               return std::nullopt;
                           },
                           QStringLiteral("empty, or 300.0 to 3000.0 Hz")});
    const Text* durations[] = {&WT::kFirstTone, &WT::kSecondTone, &WT::kGap};
    for (int which = 0; which < 3; ++which) {
        const field::List8 f = WL::duration(which);
        out.push_back(listKey(trimmedEn(*durations[which]), W::duration_entries, [f](const Image& image) { return f.get(W::view(image)); },
                              [f](Image& image, int p) { f.put(W::ref(image), p); }));
    }
    // A rule byte from a list: empty is FF.
    const auto ruleKey = [](QString key, int n, int column, std::function<QStringList()> entries) {
        Key k = listKey(key, std::move(entries), [](const Image&) { return 0; },
                        [n, column](Image& image, int p) { W::set_rule_byte(image, n, column, uint8_t(p)); });
        k.get = [n, column](const Image& image) { return W::rule_text(image, n, column); };
        return orEmpty(std::move(k), [n, column](Image& image) { W::set_rule_byte(image, n, column, 0xFF); });
    };
    const Text* toneLabels[] = {&WT::kToneA, &WT::kToneB, &WT::kToneC, &WT::kToneD};
    for (int n = 1; n <= W::kEntries; ++n) {
        const QString entry = QStringLiteral("Decode %1 %2").arg(code).arg(n);
        for (int rule = 0; rule < W::kRules; ++rule) {
            const QString dec = decode[1 + 3 * rule];
            out.push_back(ruleKey(entry + QLatin1Char(' ') + dec, n, W::rule_column(rule, W::RuleField::Pair), W::pair_entries));
            out.push_back(ruleKey(entry + QLatin1Char(' ') + dec + QLatin1Char(' ') + decode[2 + 3 * rule], n,
                                  W::rule_column(rule, W::RuleField::Response), [] { return callAlertTexts(false); }));
            out.push_back(ruleKey(entry + QLatin1Char(' ') + dec + QLatin1Char(' ') + decode[3 + 3 * rule], n,
                                  W::rule_column(rule, W::RuleField::Alert), [] { return numberSteps(0, 1, W::kAlerts + 1); }));
        }
        for (int k = 0; k < W::kTones; ++k)
            out.push_back({entry + QLatin1Char(' ') + trimmedEn(*toneLabels[k]), [n, k](const Image& image) { return W::tone_text(image, n, k); },
                           [n, k](Image& image, const QString& text, const BandLimits&) -> Refusal {
                               Image trial = image;
                               if (W::commit_tone(trial, n, k, text))
                                   return QStringLiteral("\"%1\" is not empty or a tone of 300 to 3000 Hz").arg(text);
                               image = trial;
                               return std::nullopt;
                           },
                           QStringLiteral("empty, or 300.0 to 3000.0 Hz")});
    }
    out.push_back(listKey(trimmedEn(WT::kReset), W::reset_time_entries, [](const Image& image) { return WL::resetTime.get(W::view(image)); },
                          [](Image& image, int p) { WL::resetTime.put(W::ref(image), p); }));
    return out;
}

std::vector<Key> fiveToneKeys()
{
    namespace F = five_tone;
    namespace FT = five_tone_texts;
    using FL = F::Layout;
    const QStringList standard = gridHeadings(FT::kStandardHeadings), encode = gridHeadings(FT::kEncodeHeadings);
    const auto ref = [](Image& image) { return RecordRef(image, F::kRegion); };
    // A tone digit of a standard: empty is no digit.
    const auto digitKey = [ref](const QString& key, std::function<QString(const Image&)> get, field::U8 f) {
        return Key{key, [get](const Image& image) { return get(image).trimmed(); },
                   [f, ref](Image& image, const QString& text, const BandLimits&) -> Refusal {
                       const uint8_t d = text.size() == 1 ? F::digit_value(text[0].unicode()) : F::kNoDigit;
                       if (!text.isEmpty() && d == F::kNoDigit)
                           return notOneOf(text, F::digit_entries());
                       f.put(ref(image), d);
                       return std::nullopt;
                   },
                   QStringLiteral("empty, ") + listed(F::digit_entries())};
    };
    std::vector<Key> out;
    for (int st = 0; st < F::kStandards; ++st) {
        const QString name = F::standard_name(st);
        out.push_back(listKey(name + QLatin1Char(' ') + standard[1], F::tone_length_entries,
                              [st](const Image& image) { return FL::toneLength(st).get(F::view(image)); },
                              [st](Image& image, int p) { F::set_tone_length(image, st, p); }));
        out.push_back(digitKey(name + QLatin1Char(' ') + standard[2], [st](const Image& image) { return F::group_tone_text(image, st); }, FL::groupTone(st)));
        out.push_back(digitKey(name + QLatin1Char(' ') + standard[3], [st](const Image& image) { return F::repeat_tone_text(image, st); }, FL::repeatTone(st)));
    }
    for (int n = 1; n <= F::kEntries; ++n) {
        const QString entry = QStringLiteral("%1 %2").arg(encode[0]).arg(n);
        for (int f = 0; f < F::kFrames; ++f)
            out.push_back({entry + QLatin1Char(' ') + encode[1 + f], [n, f](const Image& image) { return F::frame_text(image, n, f).trimmed(); },
                           [n, f](Image& image, const QString& text, const BandLimits&) -> Refusal {
                               const bool digits = std::ranges::all_of(text, [](QChar c) { return F::digit_value(c.unicode()) != F::kNoDigit; });
                               if (!text.isEmpty() && (text.size() != F::kFrameDigits || !digits))
                                   return QStringLiteral("\"%1\" is not empty or five digits 0-9, A-F").arg(text);
                               F::set_frame(image, n, f, text);
                               return std::nullopt;
                           },
                           QStringLiteral("empty, or five digits 0-9, A-F")});
        Key k = listKey(entry + QLatin1Char(' ') + encode[4], F::standard_names, [](const Image&) { return 0; },
                        [n](Image& image, int st) { F::set_entry_standard(image, n, st); });
        k.get = [n](const Image& image) { return F::entry_standard_text(image, n); };
        out.push_back(orEmpty(std::move(k), [n, ref](Image& image) { FL::standard(n).put(ref(image), 0xFF); }));
    }
    const Text* timings[] = {&FT::kDelay1, &FT::kDelay2, &FT::kDelay3, &FT::kFirstDigitExtend};
    for (int which = 0; which < F::kTimingLists; ++which) {
        const field::List8 f = FL::timing(which);
        out.push_back(listKey(trimmedEn(*timings[which]), F::timing_entries, [f](const Image& image) { return f.get(F::view(image)); },
                              [f, ref](Image& image, int p) { f.put(ref(image), p); }));
    }
    out.push_back(listKey(trimmedEn(FT::kDecodeStd), F::standard_names, [](const Image& image) { return FL::decodeStandard.get(F::view(image)); },
                          [ref](Image& image, int p) { FL::decodeStandard.put(ref(image), p); }));
    const Text* frames[] = {&FT::kFrame1, &FT::kFrame2, &FT::kFrame3};
    for (const auto& [label, call] : {std::pair{&FT::kDecodeCall, true}, std::pair{&FT::kDecodeDisp, false}})
        for (int f = 0; f < F::kFrames; ++f) {
            const field::Flag flag = call ? FL::callFrame(f) : FL::displayFrame(f);
            out.push_back(onOffKey(trimmedEn(*label) + QLatin1Char(' ') + trimmedEn(*frames[f]), [flag](const Image& image) { return flag.get(F::view(image)); },
                                   [flag, ref](Image& image, bool on) { flag.put(ref(image), on); }));
        }
    out.push_back(listKey(trimmedEn(FT::kResetTime), F::reset_time_entries, [](const Image& image) { return FL::resetTime.get(F::view(image)); },
                          [ref](Image& image, int p) { FL::resetTime.put(ref(image), p); }));
    return out;
}

}  // namespace vx::config
