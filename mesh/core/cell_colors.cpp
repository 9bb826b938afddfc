#include "mesh/core/cell_colors.h"

#include <cmath>

namespace nerim {

const std::array<TArgb, 13> NpcPalette = {
    Argb(0, 0, 0, 0),       Argb(255, 127, 0, 0),   Argb(255, 0, 127, 0),   Argb(255, 127, 127, 0),
    Argb(255, 0, 0, 127),   Argb(255, 127, 0, 127), Argb(255, 0, 127, 127), Argb(255, 255, 0, 0),
    Argb(255, 0, 255, 0),   Argb(255, 255, 255, 0), Argb(255, 0, 0, 255),   Argb(255, 255, 0, 255),
    Argb(255, 0, 255, 255),
};

namespace {

constexpr TArgb kNothing = 0;

std::uint8_t Opacity(double a) {
    if (!(a > 0.0)) return 0;  // negative, zero or NaN
    if (a >= 255.0) return 255;
    return std::uint8_t(std::nearbyint(a));
}

}  // namespace

TArgb IntegerCellColor(std::int32_t Value) {
    if (Value <= 0 || Value > 12) return kNothing;
    return (NpcPalette[std::size_t(Value)] & 0x00FFFFFFu) | (TArgb(60) << 24);
}

TArgb BooleanCellColor(bool Value) { return Value ? Argb(100, 255, 200, 200) : kNothing; }

TArgb RealCellColor(double Value, double Lo, double Hi) {
    if (Lo < 0 && 0 < Hi) {
        if (Value >= 0) return Argb(Opacity(Value * 255 / Hi), 255, 80, 80);
        return Argb(Opacity(Value * 255 / Lo), 80, 80, 255);
    }
    return Argb(Opacity(Value * 255 / (Hi - Lo + 0.00001)), 255, 80, 80);
}

}  // namespace nerim
