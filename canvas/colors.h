#pragma once

#include <cstdint>

#include <QColor>

namespace nerim {

// A colour of the documents and pens: 0x00BBGGRR (red is 0x0000FF).
using TColor = std::uint32_t;

// A colour with opacity for the smooth (anti-aliased) and blended drawing: 0xAARRGGBB.
using TColor32 = std::uint32_t;

constexpr TColor RGBColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return TColor(red) | (TColor(green) << 8) | (TColor(blue) << 16);
}
constexpr std::uint8_t RedOf(TColor c) { return std::uint8_t(c & 0xFF); }
constexpr std::uint8_t GreenOf(TColor c) { return std::uint8_t((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(TColor c) { return std::uint8_t((c >> 16) & 0xFF); }

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor32 Color32(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha = 255) {
    return (TColor32(alpha) << 24) | (TColor32(red) << 16) | (TColor32(green) << 8) | TColor32(blue);
}
constexpr std::uint8_t AlphaOf32(TColor32 c) { return std::uint8_t(c >> 24); }
constexpr std::uint8_t RedOf32(TColor32 c) { return std::uint8_t((c >> 16) & 0xFF); }
constexpr std::uint8_t GreenOf32(TColor32 c) { return std::uint8_t((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf32(TColor32 c) { return std::uint8_t(c & 0xFF); }

// The colour as a 32-bit colour of the given opacity.
constexpr TColor32 Color32FromColor(TColor c, std::uint8_t alpha = 255) {
    return Color32(RedOf(c), GreenOf(c), BlueOf(c), alpha);
}

inline QColor ToQColor(TColor c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
inline QColor ToQColor32(TColor32 c) { return QColor(RedOf32(c), GreenOf32(c), BlueOf32(c), AlphaOf32(c)); }
inline TColor ColorFromQColor(const QColor& c) { return RGBColor(std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue())); }

}  // namespace nerim
