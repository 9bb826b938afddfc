#include "support/typed_array.h"

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

void AppendText(std::string& out, double value) { out += FormatFixed(value, 2); }
void AppendText(std::string& out, bool value) { out += value ? '1' : '0'; }
void AppendText(std::string& out, std::int32_t value) { out += FormatInteger(value); }

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
    std::string block;
    block.reserve(kTextBlock + 64);
    const std::int32_t count = Count();
    for (std::int32_t k = 0; k < count; ++k) {
        AppendElementText(block, data_[static_cast<std::size_t>(k)]);
        block += "\r\n";
        if (block.size() >= kTextBlock) {
            F.WriteBytes(block);
            block.clear();
        }
    }
    if (!block.empty()) F.WriteBytes(block);
}

template <typename T>
const char* TTypedArray<T>::TypeTag() {
    return kTypeTag<T>;
}

template <typename T>
void TTypedArray<T>::AppendElementText(std::string& out, T value) {
    AppendText(out, value);
}

template class TTypedArray<double>;
template class TTypedArray<bool>;
template class TTypedArray<std::int32_t>;

}  // namespace nerim
