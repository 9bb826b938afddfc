#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

#include "support/exception.h"
#include "support/int_pair.h"

namespace nerim {

class TextReader;
class TextWriter;
class TTextBlock;

// The storage of the typed arrays. Large blocks start on a 2 MiB boundary and ask the system for
// its large pages, which a block that is written whole fills with far fewer page faults.
struct TArrayBlockDeleter {
    void operator()(void* block) const noexcept;
};
// A block of `bytes` bytes, zero-filled when asked; throws std::bad_alloc when there is none.
void* AllocateArrayBlock(std::size_t bytes, bool zeroed);

// Sizes that no array can take: a negative size, or more elements than a 32-bit count holds.
class EArraySizeError : public Exception {
public:
    using Exception::Exception;
};

// A two-dimensional array of one element type with a traversal cursor and a text form.
// Element (I, J), 0 <= I < N0, 0 <= J < N1, is stored at position J·N0 + I: the first index
// runs fastest. New elements are zero (0.0, false, 0).
//
// The cursor is a storage position. First() puts it on position 0 and Next() moves it one
// forward, at most to one past the last element, where there is no current element.
// Indexed access is checked: an index outside the array throws EListIndexError.
// An allocation that fails throws std::bad_alloc, as any other allocation of the program.
template <typename T>
class TTypedArray {
public:
    using Element = T;

    // An array of 0 × 0 elements.
    TTypedArray() = default;
    // Allocates N0·N1 zero elements. Throws EArraySizeError for negative sizes or a product
    // beyond 2^31 − 1 elements.
    explicit TTypedArray(TIntPair sizes) : data_(Allocate(sizes)), capacity_(CheckedCount(sizes)), sizes_(sizes) {}

    TTypedArray(const TTypedArray&) = delete;
    TTypedArray& operator=(const TTypedArray&) = delete;
    TTypedArray(TTypedArray&& other) noexcept
        : data_(std::move(other.data_)), capacity_(std::exchange(other.capacity_, 0)),
          sizes_(std::exchange(other.sizes_, {})), cursor_(std::exchange(other.cursor_, 0)) {}
    TTypedArray& operator=(TTypedArray&& other) noexcept {
        data_ = std::move(other.data_);
        capacity_ = std::exchange(other.capacity_, 0);
        sizes_ = std::exchange(other.sizes_, {});
        cursor_ = std::exchange(other.cursor_, 0);
        return *this;
    }
    ~TTypedArray() = default;

    // Nothing happens when the sizes are the current ones. Otherwise the block becomes N0·N1
    // elements long: the leading elements in storage order are kept (not moved to their new
    // (I, J)), any further ones are zero, and the cursor goes back to the first element.
    // On failure the array is left as it was.
    void Resize(TIntPair sizes) {
        if (SamePair(sizes, sizes_)) return;
        auto block = Allocate(sizes);
        const std::int32_t kept = std::min(Count(), CheckedCount(sizes));
        std::copy(data_.get(), data_.get() + kept, block.get());
        data_ = std::move(block);
        capacity_ = CheckedCount(sizes);
        sizes_ = sizes;
        cursor_ = 0;
    }

    // For a caller that is about to write every element: the array takes the sizes, and what the
    // elements hold until then is unspecified (nothing is copied or zeroed; the block is kept
    // when it is large enough). The cursor goes back to the first element. On failure the array
    // is left as it was.
    void Reshape(TIntPair sizes) {
        const std::int32_t count = CheckedCount(sizes);
        if (count > capacity_) {
            data_ = AllocateElements(count, false);
            capacity_ = count;
        }
        sizes_ = sizes;
        cursor_ = 0;
    }

    void Fill(T value) { std::fill(data_.get(), data_.get() + Count(), value); }

    TIntPair Sizes() const { return sizes_; }
    // N0·N1.
    std::int32_t Count() const { return static_cast<std::int32_t>(PairProduct(sizes_)); }

    // ---- Cursor ----
    void First() { cursor_ = 0; }
    void Next() {
        if (cursor_ < Count()) ++cursor_;
    }
    // The storage position of the cursor.
    std::int32_t CursorPosition() const { return cursor_; }
    // (I, J) of the cursor, by PairFromLinear; EFloatingPointError when N0 is 0.
    TIntPair CursorIndex() const { return PairFromLinear(cursor_, sizes_); }
    // Puts the cursor on element (I, J).
    void MoveTo(TIntPair index) { cursor_ = static_cast<std::int32_t>(CheckedPosition(index.I, index.J)); }
    // The element under the cursor; EListIndexError when the cursor is past the last element.
    T& Current() { return ItemAt(cursor_); }
    const T& Current() const { return ItemAt(cursor_); }

    // ---- Elements ----
    T& Items(std::int32_t I, std::int32_t J) { return data_[CheckedPosition(I, J)]; }
    const T& Items(std::int32_t I, std::int32_t J) const { return data_[CheckedPosition(I, J)]; }
    // The elements in storage order, for readers that walk whole rows.
    const T* Data() const { return data_.get(); }
    // The element at a storage position, such as one that Neighbours() gives.
    T& ItemAt(std::int64_t position) {
        CheckListIndex(position, Count());
        return data_[static_cast<std::size_t>(position)];
    }
    const T& ItemAt(std::int64_t position) const {
        CheckListIndex(position, Count());
        return data_[static_cast<std::size_t>(position)];
    }

    // Writes the text form, each line ended by CR LF: "ASC", "Dimensions", "2", "Sizes", N0, N1,
    // "Type", the type tag, "Data", then one line per element in storage order.
    void WriteText(TextWriter& F) const;
    // The same text in parts, for writers that put it together themselves: the nine header lines,
    // and the lines of the elements at storage positions [first, last).
    void AppendTextHeader(TTextBlock& out) const;
    void AppendTextLines(TTextBlock& out, std::int64_t first, std::int64_t last) const;
    // Reads the text form back, blanks around the header words and numbers allowed, and replaces
    // the sizes and the elements; the cursor goes back to the first element. The header must be
    // that of this element type, with sizes of at least 0 and at most 2^31 − 1 elements; elements
    // are gathered as they are read, so sizes larger than the text holds allocate nothing ahead.
    // A boolean element is 0 or 1. Any departure throws EInOutError naming the source and the
    // line, and leaves the array as it was.
    void ReadText(TextReader& F);

    // The type tag of the text form: "R8", "B1" or "I4".
    static const char* TypeTag();
    // Appends the text of one element, without a line end.
    static void AppendElementText(std::string& out, T value);

private:
    static std::int32_t CheckedCount(TIntPair sizes);
    using TBlock = std::unique_ptr<T[], TArrayBlockDeleter>;
    static TBlock AllocateElements(std::int32_t count, bool zeroed) {
        static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_default_constructible_v<T>);
        return TBlock(static_cast<T*>(AllocateArrayBlock(sizeof(T) * static_cast<std::size_t>(count), zeroed)));
    }
    static TBlock Allocate(TIntPair sizes) { return AllocateElements(CheckedCount(sizes), true); }
    std::int64_t CheckedPosition(std::int32_t I, std::int32_t J) const {
        CheckListIndex(I, sizes_.N0());
        CheckListIndex(J, sizes_.N1());
        return LinearIndex(TIntPair{I, J}, sizes_);
    }

    TBlock data_ = AllocateElements(0, true);
    std::int32_t capacity_ = 0;  // elements the block holds
    TIntPair sizes_;
    std::int32_t cursor_ = 0;
};

extern template class TTypedArray<double>;
extern template class TTypedArray<bool>;
extern template class TTypedArray<std::int32_t>;

// Doubles; elements are written with two decimals ("0.13", "-3.00").
class TDoubleArray final : public TTypedArray<double> {
public:
    using TTypedArray::TTypedArray;

    // Storage positions of the cursor's neighbours, in this order: next along I (I+1), previous
    // along I (I−1), next along J (J+1), previous along J (J−1), the cursor itself. They are plain
    // arithmetic on the cursor's position: nothing is checked, and a position may fall outside the
    // array or wrap to the neighbouring row; ItemAt() checks it when it is used.
    std::array<std::int64_t, 5> Neighbours() const {
        const std::int64_t c = CursorPosition();
        const std::int64_t n0 = Sizes().N0();
        return {c + 1, c - 1, c + n0, c - n0, c};
    }
};

// Booleans; elements are written as "1" or "0".
class TBooleanArray final : public TTypedArray<bool> {
public:
    using TTypedArray::TTypedArray;
};

// 32-bit signed integers; elements are written in plain decimal.
class TIntegerArray final : public TTypedArray<std::int32_t> {
public:
    using TTypedArray::TTypedArray;
};

}  // namespace nerim
