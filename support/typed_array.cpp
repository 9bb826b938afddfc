#include "support/typed_array.h"

#include <charconv>
#include <cstring>
#include <limits>

#include "support/number_format.h"
#include "support/text_writer.h"

namespace nerim {
namespace {

// Element lines are gathered into blocks of about this size before they go to the writer.
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

char* ElementText(char* out, double value) {
    // Most elements of the cell matrices are exactly 0 or 1 (−0 prints as 0.00 too).
    if (value == 0.0 || value == 1.0) {
        std::memcpy(out, value == 0.0 ? "0.00" : "1.00", 4);
        return out + 4;
    }
    return FormatFixedTo(out, value, 2);
}
char* ElementText(char* out, bool value) {
    *out = value ? '1' : '0';
    return out + 1;
}
char* ElementText(char* out, std::int32_t value) { return std::to_chars(out, out + 11, value).ptr; }

}  // namespace

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
void TTypedArray<T>::WriteText(TextWriter& F) const {
    F.WriteLine("ASC");
    F.WriteLine("Dimensions");
    F.WriteLine("2");
    F.WriteLine("Sizes");
    F.WriteIntegerLine(sizes_.N0());
    F.WriteIntegerLine(sizes_.N1());
    F.WriteLine("Type");
    F.WriteLine(TypeTag());
    F.WriteLine("Data");
    // The element lines are written straight into a block, which goes to the writer whenever
    // it is full.
    const auto block = std::make_unique<char[]>(kTextBlock + kElementTextMax + 2);
    char* const start = block.get();
    char* const full = start + kTextBlock;
    char* out = start;
    const T* element = data_.get();
    const T* const last = element + Count();
    for (; element != last; ++element) {
        out = ElementText(out, *element);
        *out++ = '\r';
        *out++ = '\n';
        if (out >= full) {
            F.WriteBytes({start, static_cast<std::size_t>(out - start)});
            out = start;
        }
    }
    if (out != start) F.WriteBytes({start, static_cast<std::size_t>(out - start)});
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
