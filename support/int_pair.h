#pragma once

#include <cstdint>

#include "support/exception.h"

namespace nerim {

// Two 32-bit signed integers: an index (I, J) into a two-dimensional array, or the array's sizes,
// N0 along the first index and N1 along the second. N0() and N1() are the same fields as I and J.
struct TIntPair {
    std::int32_t I = 0;
    std::int32_t J = 0;

    constexpr std::int32_t N0() const { return I; }
    constexpr std::int32_t N1() const { return J; }

    friend constexpr bool operator==(const TIntPair&, const TIntPair&) = default;
};

constexpr TIntPair MakeIntPair(std::int32_t a, std::int32_t b) { return TIntPair{a, b}; }

// N0·N1, computed in 64 bits so that no pair of 32-bit sizes overflows.
constexpr std::int64_t PairProduct(const TIntPair& sizes) {
    return static_cast<std::int64_t>(sizes.N0()) * sizes.N1();
}

constexpr bool SamePair(const TIntPair& a, const TIntPair& b) { return a.I == b.I && a.J == b.J; }

// Storage position of (I, J) in an array of the given sizes: the first index runs fastest.
constexpr std::int64_t LinearIndex(const TIntPair& index, const TIntPair& sizes) {
    return static_cast<std::int64_t>(index.J) * sizes.N0() + index.I;
}

// The (I, J) of a storage position: (k mod N0, k div N0). An N0 of zero is a division by zero
// and throws EFloatingPointError.
inline TIntPair PairFromLinear(std::int64_t k, const TIntPair& sizes) {
    if (sizes.N0() == 0) throw EFloatingPointError("División por cero: la primera dimensión es 0");
    return TIntPair{static_cast<std::int32_t>(k % sizes.N0()), static_cast<std::int32_t>(k / sizes.N0())};
}

}  // namespace nerim
