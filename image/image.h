#pragma once
// The radio memory image: 1025 rows of 16 bytes, radio address = 16 x row.
// The one copy of the radio's programmable memory the application holds.

#include <array>
#include <cstdint>
#include <span>

namespace vx {

class Image {
public:
    static constexpr int kRows = 1025;
    static constexpr int kRowBytes = 16;
    static constexpr int kSize = kRows * kRowBytes;  // 16,400 bytes
    static constexpr uint8_t kFill = 0xFF;

    Image() { fill(); }

    // (row, byte) access; row 0..1024, byte 0..15. Out-of-range access is a
    // programming error and is caught by assertions in debug builds.
    uint8_t at(int row, int byte) const { return data_[index(row, byte)]; }
    void set(int row, int byte, uint8_t value) { data_[index(row, byte)] = value; }

    std::span<uint8_t, kRowBytes> row(int r) { return std::span<uint8_t, kRowBytes>(&data_[index(r, 0)], kRowBytes); }
    std::span<const uint8_t, kRowBytes> row(int r) const
    {
        return std::span<const uint8_t, kRowBytes>(&data_[index(r, 0)], kRowBytes);
    }
    void setRow(int r, std::span<const uint8_t> bytes);  // copies min(16, size) bytes
    void fillRows(int first, int last, uint8_t value = kFill);  // rows first..last inclusive

    void fill(uint8_t value = kFill) { data_.fill(value); }

    const std::array<uint8_t, kSize>& bytes() const { return data_; }
    std::array<uint8_t, kSize>& bytes() { return data_; }

    bool operator==(const Image&) const = default;

    static constexpr bool validRow(int r) { return r >= 0 && r < kRows; }
    static constexpr int addressOfRow(int r) { return kRowBytes * r; }
    static constexpr int rowOfAddress(int address) { return address / kRowBytes; }
    // First row of block k (64 bytes) of a transfer whose start address is base.
    static constexpr int firstRowOfBlock(int base, int k) { return base / kRowBytes + 4 * k; }

private:
    static int index(int row, int byte);
    std::array<uint8_t, kSize> data_{};
};

// Region map: first and last row of each region (inclusive).
namespace region {
struct Rows {
    int first;
    int last;
    constexpr int count() const { return last - first + 1; }
    constexpr int address() const { return Image::addressOfRow(first); }
};
inline constexpr Rows channels{0, 199};         // 0x0000-0x0C7F, one record a row
inline constexpr Rows channelSpare{200, 223};   // 0x0C80-0x0DFF, no editor field
inline constexpr Rows options{224, 255};        // 0x0E00-0x0FFF, options + VFO records
inline constexpr Rows names{256, 455};          // 0x1000-0x1C7F, one name a row
inline constexpr Rows fiveTone{512, 607};       // 0x2000-0x25FF
inline constexpr Rows dtmf{656, 687};           // 0x2900-0x2AFF
inline constexpr Rows twoTone{720, 767};        // 0x2D00-0x2FFF
inline constexpr Rows fmPresets{768, 783};      // 0x3000-0x30FF
inline constexpr Rows adjust{960, 975};         // 0x3C00-0x3CFF
inline constexpr Rows unused{992, 1024};        // 0x3E00-0x400F

inline constexpr Rows all{0, Image::kRows - 1};

// Whole-radio transfers.
inline constexpr Rows wholeRead{0, 787};   // rows the whole-radio read fills
inline constexpr Rows wholeWrite{0, 783};  // rows the whole-radio write sends

// Every row of the image under one name, in address order: the regions
// above and the reserved runs between them. Reports name rows from here.
struct Named {
    const char* name;  // English
    const char* nameZh;
    Rows rows;
};
inline constexpr Named kMap[] = {
    {"channels", "信道", channels},
    {"channel spare", "信道备用", channelSpare},
    {"options", "可选功能", options},
    {"names", "信道名称", names},
    {"reserved", "保留", {456, 511}},
    {"5-tone", "五音", fiveTone},
    {"reserved", "保留", {608, 655}},
    {"DTMF", "DTMF", dtmf},
    {"reserved", "保留", {688, 719}},
    {"2-tone", "两音", twoTone},
    {"FM presets", "FM 收音机", fmPresets},
    {"reserved", "保留", {784, 959}},
    {"adjustment", "调试参数", adjust},
    {"reserved", "保留", {976, 991}},
    {"unused", "未用", unused},
};
// The entry that holds row r.
constexpr const Named& named(int r)
{
    for (const Named& n : kMap)
        if (r >= n.rows.first && r <= n.rows.last)
            return n;
    return kMap[0];
}
}  // namespace region

}  // namespace vx
