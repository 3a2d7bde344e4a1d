#pragma once
// The handshake and the radio's 50-byte identity reply.
//
//   bytes  0       not used
//          1..12   band A low, A high, B low, B high: three digit bytes each
//          13..16  identity word "PNRB"
//          17..22  model, 23..28 firmware version, 29..32 not used
//          33..48  serial number (6 + 6 + 4 characters)
//          49      end mark 0x55

#include "image/tables.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace vx {

inline constexpr std::array<uint8_t, 8> kHandshake{0x5A, 0x31, 0x07, 0x1C, 0x44, 0x61, 0x2E, 0x09};
inline constexpr int kIdentityReplySize = 50;
inline constexpr uint8_t kIdentityEndMark = 0x55;

struct IdentityInfo {
    int limits[4] = {0, 0, 0, 0};  // MHz: A low, A high, B low, B high
    QString model;                 // panel 2
    QString serial;                // panel 4
    QString version;               // panel 6
    BandLimits bandLimits() const { return {double(limits[0]), double(limits[1]), double(limits[2]), double(limits[3])}; }
};

// Checks the first 50 bytes of a reply: the identity word at 13..16 and the
// end mark at 49. Fewer than 50 bytes, a wrong word or a missing mark give
// nothing.
std::optional<IdentityInfo> parseIdentityReply(const QByteArray& reply);

// " 136-- 174 MHZ": each limit with a leading space for the sign.
QString limitsPanelText(int low, int high);

// A good reply: writes status panels 2, 4, 6, 8, 10 (the document's band
// limits are replaced by LinkContext::of).
void publishIdentity(const IdentityInfo& info);

}  // namespace vx
