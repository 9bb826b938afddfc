#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace nerim {

// A set of the values of a small enumeration (ordinals 0 to 31), like a Pascal set.
template <class E>
class TEnumSet {
    static_assert(std::is_enum_v<E>);

public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> values) {
        for (E v : values) Include(v);
    }

    constexpr bool Contains(E v) const { return (bits_ & Bit(v)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TEnumSet& Include(E v) {
        bits_ |= Bit(v);
        return *this;
    }
    constexpr TEnumSet& Exclude(E v) {
        bits_ &= ~Bit(v);
        return *this;
    }
    constexpr std::uint32_t Bits() const { return bits_; }

    friend constexpr TEnumSet operator+(TEnumSet a, E v) { return a.Include(v); }
    friend constexpr TEnumSet operator+(TEnumSet a, TEnumSet b) {
        a.bits_ |= b.bits_;
        return a;
    }
    friend constexpr TEnumSet operator-(TEnumSet a, E v) { return a.Exclude(v); }
    friend constexpr bool operator==(TEnumSet a, TEnumSet b) = default;

private:
    static constexpr std::uint32_t Bit(E v) { return std::uint32_t(1) << unsigned(v); }
    std::uint32_t bits_ = 0;
};

}  // namespace nerim
