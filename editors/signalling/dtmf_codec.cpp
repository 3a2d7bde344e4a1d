#include "editors/signalling/dtmf_codec.h"

#include "image/dtmf.h"
#include "image/tables.h"

namespace vx::dtmf {

namespace {

// Digit codes: "0" is 10, "*" 11, "#" 12.
constexpr RecordDefault kDefaults[] = {
    {runOffset(kRegion, 656), {2, 10, 2, 10, 2}},      // code 1: 20202
    {runOffset(kRegion, 670), {3, 10, 3, 10, 3}},      // code 15: 30303
    {runOffset(kRegion, 671), {3, 3}},                 // on and off time 80 ms
    {runOffset(kRegion, 672), {2, 10, 2}},             // inspection 202
    {runOffset(kRegion, 673), {3, 10, 3}},             // monitor 303
    {runOffset(kRegion, 674), {1, 1, 9}},              // alarm 119
    {runOffset(kRegion, 675), {5, 10, 5}},             // stun 505
    {runOffset(kRegion, 676), {6, 6, 6}},              // kill 666
    {runOffset(kRegion, 677), {7, 7, 7}},              // revive 777
    {runOffset(kRegion, 685), {6, 10, 6, 10, 6}},      // master 60606
    {runOffset(kRegion, 686), {7, 10, 7, 10, 7}},      // vice 70707
    // control on, master rights all five, vice inspection and monitor,
    // nothing disabled, group call "*", separator "#", decode delay 500 ms,
    // reset time 8000 ms
    {runOffset(kRegion, 687), {1, 31, 3, 0, 11, 12, 4, 79}},
};

}  // namespace

QStringList on_off_time_entries() { return numberSteps(50, 10, kOnOffTimes); }
QStringList decode_delay_entries() { return numberSteps(100, 100, kDecodeDelays); }
QStringList reset_time_entries() { return numberSteps(100, 100, kResetTimes); }

QStringList group_call_entries()
{
    return {QStringLiteral("*"), QStringLiteral("#"), QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
            QStringLiteral("D")};
}

Settings decode(const Image& image)
{
    const RecordView r = view(image);
    Settings s;
    for (int n = 1; n <= kTxCodes; ++n)
        s.txCodes[size_t(n - 1)] = Layout::txCode(n).get(r);
    for (int k = 0; k < kDecodeCodes; ++k)
        s.decodes[size_t(k)] = Layout::decode(k).get(r);
    s.master = Layout::identity(Identity::Master).get(r);
    s.vice = Layout::identity(Identity::Vice).get(r);
    s.onTime = Layout::onTime.get(r);
    s.offTime = Layout::offTime.get(r);
    s.decodeDelay = Layout::decodeDelay.get(r);
    s.resetTime = Layout::resetTime.get(r);
    s.control = Layout::control.get(r);
    for (int bit = 0; bit < kRightsBoxes; ++bit) {
        s.masterRights |= uint8_t(Layout::right(Identity::Master, bit).get(r) << bit);
        s.viceRights |= uint8_t(Layout::right(Identity::Vice, bit).get(r) << bit);
    }
    s.rxDisabled = Layout::disabled(Disable::Receive).get(r);
    s.txDisabled = Layout::disabled(Disable::Transmit).get(r);
    s.groupCall = Layout::groupCall.get(r);
    s.separator = Layout::separator.get(r);
    return s;
}

void set_tx_code(Image& image, int n, QStringView text)
{
    if (n >= 1 && n <= kTxCodes)
        Layout::txCode(n).put(ref(image), text);
}

void set_decode(Image& image, int which, QStringView text)
{
    if (which >= 0 && which < kDecodeCodes)
        Layout::decode(which).put(ref(image), text);
}

void set_identity(Image& image, Identity who, QStringView text) { Layout::identity(who).put(ref(image), text); }

void set_right(Image& image, Identity who, int bit, bool on)
{
    if (bit >= 0 && bit < kRightsBoxes)
        Layout::right(who, bit).put(ref(image), on);
}

void set_disabled(Image& image, Disable what, bool on) { Layout::disabled(what).put(ref(image), on); }

void set_control(Image& image, bool on) { Layout::control.put(ref(image), on); }

void set_group_call(Image& image, char32_t c) { Layout::groupCall.put(ref(image), c); }

void set_separator(Image& image, char32_t c) { Layout::separator.put(ref(image), c); }

void load_defaults(Image& image)
{
    image.fillRows(kRegion.first, kRegion.last);
    ref(image).lay(kDefaults);
}

}  // namespace vx::dtmf
