#pragma once

#include <array>
#include <cstdint>

namespace nerim {

// A colour with opacity as the view's blended drawing takes it: 0xAARRGGBB. An alpha of 0 draws
// nothing.
using TArgb = std::uint32_t;

constexpr TArgb Argb(std::uint8_t alpha, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return (TArgb(alpha) << 24) | (TArgb(red) << 16) | (TArgb(green) << 8) | TArgb(blue);
}
constexpr std::uint8_t AlphaOfArgb(TArgb c) { return std::uint8_t(c >> 24); }

// The colours the mesh draws with, besides the cell values.
inline constexpr TArgb kDomainOutlineColor = Argb(200, 255, 255, 255);
inline constexpr TArgb kSubZoneLineColor = Argb(200, 0, 127, 0);
inline constexpr TArgb kSubZoneCenterYColor = Argb(100, 0, 127, 0);
inline constexpr TArgb kCurrentBandXColor = Argb(60, 200, 255, 200);
inline constexpr TArgb kCurrentBandYColor = Argb(40, 200, 255, 200);
inline constexpr TArgb kBoundaryLineColor = Argb(60, 255, 255, 0);
inline constexpr TArgb kPickedCellColor = Argb(200, 200, 255, 200);

// The colours of an integer matrix by value (porous types): entry 0 transparent, 1 to 12 opaque.
extern const std::array<TArgb, 13> NpcPalette;

// Integer matrix: the palette entry of the value with its opacity replaced by 60; entry 0 and
// values without an entry (outside 0 to 12) draw nothing.
TArgb IntegerCellColor(std::int32_t Value);

// Boolean matrix: (100, 255, 200, 200) where true, nothing where false.
TArgb BooleanCellColor(bool Value);

// Real matrix, by the range of the last results file (Lo = ResultsMin, Hi = ResultsMax): when
// Lo < 0 < Hi, red with opacity V·255/Hi for V >= 0 and blue with opacity V·255/Lo below zero;
// otherwise red with opacity V·255/(Hi − Lo + 0.00001). The opacity is rounded to the nearest
// integer (halves to even, as the drawing rounds) and kept within 0 to 255; NaN draws nothing.
TArgb RealCellColor(double Value, double Lo, double Hi);

}  // namespace nerim
