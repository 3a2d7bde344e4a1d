#include "editors/options/option_settings.h"

#include "editors/options/option_codec.h"
#include "image/dtmf.h"

#include <cstring>

namespace vx::options {

namespace {

// A code field of 16 cells from `byte` on.
field::DtmfString codeAt(int byte) { return {byte, 16}; }

bool dtmfText(QStringView text, int low, int high)
{
    const bool digits = std::ranges::all_of(text, [](QChar ch) { return dtmf_code(ch.unicode()) != kDtmfNone; });
    return digits && (text.isEmpty() || text.size() >= low) && text.size() <= high;
}

}  // namespace

QString message_hook_get(RecordView block, int byte) { return decode_message(block.bytes<kMessageCells>(byte)); }

void message_hook_put(RecordRef block, int byte, QStringView text) { block.write(byte, encode_message(text)); }

bool message_hook_accepts(QStringView text)
{
    return text.size() <= kMessageCells
           && std::ranges::all_of(text, [](QChar ch) { return message_code(ch.unicode()) != kMessageEmpty || ch == QLatin1Char(' '); });
}

QString code_hook_get(RecordView block, int byte) { return codeAt(byte).get(block); }

void code_hook_put(RecordRef block, int byte, QStringView text) { codeAt(byte).put(block, text.toString().toUpper()); }

bool ani_hook_accepts(QStringView text) { return dtmfText(text, 3, 5); }

bool ptt_id_hook_accepts(QStringView text) { return dtmfText(text, 1, 16); }

const Setting* setting_of(const char* control)
{
    for (const Setting& s : kSettings)
        if (std::strcmp(s.control, control) == 0)
            return &s;
    return nullptr;
}

}  // namespace vx::options
