#include "support/typed_array.h"

#include <sys/mman.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <new>
#include <limits>
#include <string_view>
#include <type_traits>
#include <vector>

#include "support/number_format.h"
#include "support/text_block.h"
#include "support/text_reader.h"
#include "support/text_utils.h"
#include "support/text_writer.h"

namespace nerim {
namespace {

// Element lines are formatted into a block this much at a time.
constexpr std::size_t kTextBlock = 1 << 16;

std::string SizesText(TIntPair sizes) {
    return std::to_string(sizes.N0()) + " × " + std::to_string(sizes.N1());
}

// The text form of each element type: its tag, and the text of one element. Keep each type's
// formatting here and nowhere else.
template <typename T>
constexpr const char* kTypeTag = nullptr;
template <>
constexpr const char* kTypeTag<double> = "R8";
template <>
constexpr const char* kTypeTag<bool> = "B1";
template <>
constexpr const char* kTypeTag<std::int32_t> = "I4";

// Most characters the text of one element takes.
constexpr std::size_t kElementTextMax = kFixedTextMaxWidth;
// ElementLine may write this many bytes beyond the end of the line it returns.
constexpr std::size_t kLineSlack = 8;

char* ElementText(char* out, double value) { return FormatFixedTo(out, value, 2); }
char* ElementText(char* out, bool value) {
    *out = value ? '1' : '0';
    return out + 1;
}
char* ElementText(char* out, std::int32_t value) { return std::to_chars(out, out + 11, value).ptr; }

char* CopyText(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

char* AppendLineEnd(char* out) {
    out[0] = '\r';
    out[1] = '\n';
    return out + 2;
}

// One element's line, CR LF included. The commonest lines are written whole, slack included,
// as one store.
char* ElementLine(char* out, double value) {
    // Most elements of the cell matrices are exactly 0 or 1; −0 prints as 0.00 too.
    const auto bits = std::bit_cast<std::uint64_t>(value);
    if ((bits << 1) == 0) {
        std::memcpy(out, "0.00\r\n\0", kLineSlack);
        return out + 6;
    }
    if (bits == std::bit_cast<std::uint64_t>(1.0)) {
        std::memcpy(out, "1.00\r\n\0", kLineSlack);
        return out + 6;
    }
    return AppendLineEnd(ElementText(out, value));
}
char* ElementLine(char* out, bool value) {
    std::memcpy(out, value ? "1\r\n\0\0\0\0" : "0\r\n\0\0\0\0", kLineSlack);
    return out + 3;
}
char* ElementLine(char* out, std::int32_t value) {
    if (value >= 0 && value < 10) {
        out[0] = static_cast<char>('0' + value);
        return AppendLineEnd(out + 1);
    }
    return AppendLineEnd(ElementText(out, value));
}

// Equality of the stored bits: 0 and −0 differ, so do NaNs of different payloads.
bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }
bool SameBits(bool a, bool b) { return a == b; }
bool SameBits(std::int32_t a, std::int32_t b) { return a == b; }

// Whether the eight elements from e have the same bits (written to be vectorised).
template <typename T>
bool EightEqual(const T* e) {
    using Bits = std::conditional_t<sizeof(T) == 8, std::uint64_t,
                                    std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint8_t>>;
    const auto first = std::bit_cast<Bits>(e[0]);
    Bits differ = 0;
    for (int k = 1; k < 8; ++k) differ |= static_cast<Bits>(std::bit_cast<Bits>(e[k]) ^ first);
    return differ == 0;
}

// Eight lines of one value, for runs of it.
template <typename T>
struct TRunText {
    char Text[8 * kLineSlack]{};
    std::size_t Length = 0;  // 0 when the line of Value is too long to be run
    T Value{};
    bool Known = false;

    // Makes the text for `value` unless it is there already; false when its line is too long.
    bool Prepare(T value) {
        if (Known && SameBits(value, Value)) return Length != 0;
        char line[kElementTextMax + 2 + kLineSlack];
        const auto n = static_cast<std::size_t>(ElementLine(line, value) - line);
        Value = value;
        Known = true;
        Length = 0;
        if (n > kLineSlack) return false;
        for (std::size_t k = 0; k < 8; ++k) std::memcpy(Text + k * n, line, n);
        Length = 8 * n;
        return true;
    }
};

// Blocks from this size on are placed and advised for large pages.
constexpr std::size_t kLargePage = std::size_t{1} << 21;
constexpr std::size_t kSmallPage = std::size_t{1} << 12;
constexpr std::size_t kLargeBlock = 2 * kLargePage;

// The header line that must come next, blanks around it allowed.
void ExpectWord(TextReader& F, std::string_view word) {
    F.SeekEof();
    const int line = F.LineNumber();
    const std::string text = F.ReadLine();
    if (Trim(text) != word)
        F.FailAtLine(line, "Se esperaba \"" + std::string(word) + "\" en la cabecera de la matriz y se ha leído \"" +
                               text + "\"");
}

// A size, checked before its line is left so that a failure names the line that holds it.
std::int32_t ReadSize(TextReader& F) {
    const std::int32_t size = F.ReadInteger();
    if (size < 0) F.Fail("Tamaño de matriz negativo (" + std::to_string(size) + ")");
    return size;
}

template <typename T>
T ReadElement(TextReader& F) {
    if constexpr (std::is_same_v<T, double>) {
        return F.ReadRealLine();
    } else {
        const std::int32_t value = F.ReadInteger();
        if constexpr (std::is_same_v<T, bool>) {
            if (value != 0 && value != 1)
                F.Fail("Elemento lógico no válido (" + std::to_string(value) + "; se esperaba 0 o 1)");
        }
        F.SkipLine();
        return static_cast<T>(value);
    }
}

}  // namespace

void TArrayBlockDeleter::operator()(void* block) const noexcept { std::free(block); }

void* AllocateArrayBlock(std::size_t bytes, bool zeroed) {
    void* block = nullptr;
    if (bytes >= kLargeBlock) {
        if (::posix_memalign(&block, kLargePage, (bytes + kSmallPage - 1) / kSmallPage * kSmallPage) != 0)
            block = nullptr;
#ifdef MADV_HUGEPAGE
        // The whole large pages only: the rest of the block keeps small pages and the memory
        // touched is no more than the block. Only a hint: a refusal changes nothing.
        if (block) ::madvise(block, bytes / kLargePage * kLargePage, MADV_HUGEPAGE);
#endif
        if (block && zeroed) std::memset(block, 0, bytes);
    } else {
        block = zeroed ? std::calloc(bytes == 0 ? 1 : bytes, 1) : std::malloc(bytes == 0 ? 1 : bytes);
    }
    if (!block) throw std::bad_alloc();
    return block;
}

template <typename T>
std::int32_t TTypedArray<T>::CheckedCount(TIntPair sizes) {
    if (sizes.N0() < 0 || sizes.N1() < 0)
        throw EArraySizeError("Tamaño de matriz no válido: " + SizesText(sizes));
    const std::int64_t count = PairProduct(sizes);
    if (count > std::numeric_limits<std::int32_t>::max())
        throw EArraySizeError("Matriz demasiado grande: " + SizesText(sizes) + " elementos");
    return static_cast<std::int32_t>(count);
}

template <typename T>
void TTypedArray<T>::AppendTextHeader(TTextBlock& out) const {
    char* p = out.Room(128);  // nine short lines
    for (const char* line : {"ASC", "Dimensions", "2", "Sizes"}) p = AppendLineEnd(CopyText(p, line));
    p = AppendLineEnd(std::to_chars(p, p + 11, sizes_.N0()).ptr);
    p = AppendLineEnd(std::to_chars(p, p + 11, sizes_.N1()).ptr);
    for (const char* line : {"Type", TypeTag(), "Data"}) p = AppendLineEnd(CopyText(p, line));
    out.Grow(p);
}

template <typename T>
void TTypedArray<T>::AppendTextLines(TTextBlock& block, std::int64_t first, std::int64_t last) const {
    CheckListIndex(first, std::int64_t{Count()} + 1);
    CheckListIndex(last, std::int64_t{Count()} + 1);
    // The element lines are written straight into the block, checking for room once per step:
    // one element's line, or eight lines of a run, with the slack they may write beyond. The
    // cell matrices hold long runs of one value (open cells, dry cells, no porous type): eight
    // equal elements with a short line are written as one copy of eight lines, made once for
    // each value.
    constexpr std::size_t kStep = kElementTextMax + 2 + kLineSlack + 8 * kLineSlack;
    char* out = block.Room(kTextBlock);
    char* limit = out + (kTextBlock - kStep);
    const T* element = data_.get() + first;
    const T* const end = data_.get() + std::max(first, last);
    TRunText<T> run;
    while (element != end) {
        if (out > limit) {
            block.Grow(out);
            out = block.Room(kTextBlock);
            limit = out + (kTextBlock - kStep);
        }
        if (end - element >= 8 && EightEqual(element) && run.Prepare(*element)) {
            std::memcpy(out, run.Text, sizeof run.Text);  // a fixed size copies fastest; the rest is slack
            out += run.Length;
            element += 8;
        } else {
            out = ElementLine(out, *element++);
        }
    }
    block.Grow(out);
}

template <typename T>
void TTypedArray<T>::WriteText(TextWriter& F) const {
    TTextBlock block;
    AppendTextHeader(block);
    F.WriteBytes(block.View());
    // A block of lines at a time.
    constexpr std::int64_t kElementsPerBlock = 1 << 14;
    for (std::int64_t first = 0; first < Count(); first += kElementsPerBlock) {
        block.Clear();
        AppendTextLines(block, first, std::min<std::int64_t>(Count(), first + kElementsPerBlock));
        F.WriteBytes(block.View());
    }
}

template <typename T>
void TTypedArray<T>::ReadText(TextReader& F) {
    ExpectWord(F, "ASC");
    ExpectWord(F, "Dimensions");
    ExpectWord(F, "2");
    ExpectWord(F, "Sizes");
    const std::int32_t n0 = ReadSize(F);
    F.SkipLine();
    const TIntPair sizes{n0, ReadSize(F)};
    if (PairProduct(sizes) > std::numeric_limits<std::int32_t>::max())
        F.Fail("Matriz demasiado grande: " + SizesText(sizes) + " elementos");
    F.SkipLine();
    ExpectWord(F, "Type");
    ExpectWord(F, TypeTag());
    ExpectWord(F, "Data");
    // Gathered one by one: a count that the text does not hold fails at its end, having taken no
    // more memory than the elements read.
    std::vector<T> elements;
    const std::int64_t count = PairProduct(sizes);
    for (std::int64_t k = 0; k < count; ++k) elements.push_back(ReadElement<T>(F));
    auto block = Allocate(sizes);
    std::copy(elements.begin(), elements.end(), block.get());
    data_ = std::move(block);
    capacity_ = static_cast<std::int32_t>(count);
    sizes_ = sizes;
    cursor_ = 0;
}

template <typename T>
const char* TTypedArray<T>::TypeTag() {
    return kTypeTag<T>;
}

template <typename T>
void TTypedArray<T>::AppendElementText(std::string& out, T value) {
    char text[kElementTextMax];
    const char* end = ElementText(text, value);
    out.append(text, static_cast<std::size_t>(end - text));
}

template class TTypedArray<double>;
template class TTypedArray<bool>;
template class TTypedArray<std::int32_t>;

}  // namespace nerim
