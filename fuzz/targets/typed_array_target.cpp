#include <bit>
#include <cstdint>
#include <type_traits>

#include "fuzz/targets/fuzz_target.h"
#include "support/number_format.h"
#include "support/text_reader.h"
#include "support/text_writer.h"
#include "support/typed_array.h"

namespace nerim::fuzz {
namespace {

template <class TArray>
std::string Written(const TArray& array) {
    StringTextWriter writer;
    array.WriteText(writer);
    return writer.Bytes();
}

// What an element's text reads back as: the element itself, except that a real keeps the two
// decimals of its text.
template <class T>
T AsWritten(T value) {
    if constexpr (std::is_same_v<T, double>) {
        std::string text;
        TDoubleArray::AppendElementText(text, value);
        return *ParseReal(text);
    } else {
        return value;
    }
}

template <class T>
bool SameValue(T a, T b) {
    if constexpr (std::is_same_v<T, double>)
        return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
    else
        return a == b;
}

// The array of a text form, written and read again, holds what the text of each element says.
template <class TArray>
void ReadArray(std::string_view data) {
    TArray array;
    if (!Accepts([&] {
            TextReader reader{std::string(data), "array.txt"};
            array.ReadText(reader);
        }))
        return;
    const std::string first = Written(array);
    TArray again;
    MustSucceed("Volver a leer la matriz escrita", [&] {
        TextReader reader{first, "written.txt"};
        again.ReadText(reader);
    });
    Check(SamePair(array.Sizes(), again.Sizes()), "Las dimensiones cambian al volver a leer");
    for (std::int32_t k = 0; k < array.Count(); ++k)
        Check(SameValue(AsWritten(array.ItemAt(k)), again.ItemAt(k)),
              "El elemento " + std::to_string(k) + " cambia al volver a leer");
    Check(Written(again) == first, "La matriz escrita de nuevo cambia");
}

}  // namespace

void RunTypedArray(std::string_view bytes) {
    if (bytes.empty()) return;
    const std::string_view data = bytes.substr(1);
    switch (static_cast<std::uint8_t>(bytes[0]) % 3) {
        case 0: ReadArray<TDoubleArray>(data); break;
        case 1: ReadArray<TBooleanArray>(data); break;
        default: ReadArray<TIntegerArray>(data); break;
    }
}

}  // namespace nerim::fuzz
