#include <cstdint>

#include "canvas/canvax.h"
#include "canvas/ce_container.h"
#include "canvas/ce_layer.h"
#include "canvas/ce_not_container.h"
#include "fuzz/targets/fuzz_target.h"
#include "support/token_file.h"

namespace nerim::fuzz {
namespace {

// Leaves whose text form is a number and a string, so that a stored drawing holds more than
// containers.
class TFuzzNumber final : public TCENotContainer {
public:
    using TCENotContainer::TCENotContainer;
    void SaveToText(TTokenFile& Writer) override { Writer.WriteInteger(number_); }
    void LoadFromText(TTokenFile& Reader) override { number_ = Reader.ReadLongInt(); }

private:
    ~TFuzzNumber() override = default;
    std::int32_t number_ = 0;
};

class TFuzzLabel final : public TCENotContainer {
public:
    using TCENotContainer::TCENotContainer;
    void SaveToText(TTokenFile& Writer) override { Writer.WriteString(label_); }
    void LoadFromText(TTokenFile& Reader) override { Reader.ReadString(label_); }

private:
    ~TFuzzLabel() override = default;
    std::string label_;
};

// The first byte of an input chooses what is read.
constexpr std::uint8_t kBinary = 1;     // binary mode instead of text
constexpr std::uint8_t kTokens = 2;     // a run of single values instead of a stored drawing
constexpr std::uint8_t kSeparator = 4;  // (single values) the second byte is one more separator

std::string SavedDrawing(TCEContainer& root, bool text) {
    TMemoryTokenFile file;
    file.SetIsText(text);
    root.SaveToText(file);
    return file.Bytes();
}

// A stored drawing, as containers read their children; what was read saves, loads and saves again
// to the same bytes.
void ReadDrawing(std::string_view data, bool text) {
    TCanvax canvax;
    canvax.RegisterElementClasses(
        {ElementClassOf<TCELayer>(), ElementClassOf<TFuzzNumber>(), ElementClassOf<TFuzzLabel>()});
    auto root = MakeElement<TCEContainer>(canvax);
    TMemoryTokenFile file{std::string(data)};
    file.SetIsText(text);
    if (!Accepts([&] { root->LoadFromText(file); })) return;

    std::string first;
    std::string second;
    MustSucceed("Guardar y volver a leer el dibujo", [&] {
        first = SavedDrawing(*root, text);
        auto again = MakeElement<TCEContainer>(canvax);
        TMemoryTokenFile copy{first};
        copy.SetIsText(text);
        again->LoadFromText(copy);
        second = SavedDrawing(*again, text);
    });
    Check(first == second, "El dibujo guardado de nuevo cambia:\n" + Printable(first) + "\n---\n" + Printable(second));
}

// Single values one after another until the source ends, each kind of read in turn.
void ReadTokens(std::string_view data, bool text, int firstKind, TByteSet separators) {
    TMemoryTokenFile file{std::string(data)};
    file.SetIsText(text);
    file.SetSeparators(separators);
    // Each read consumes at least one byte or throws, so the run ends with the source.
    for (std::size_t step = 0; step <= data.size(); ++step) {
        std::string token;
        const bool read = Accepts([&] {
            switch ((firstKind + step) % 6) {
                case 0: file.ReadToken(token); break;
                case 1: file.ReadInteger(); break;
                case 2: file.ReadByteValue(); break;
                case 3: file.ReadLongInt(); break;
                case 4: file.ReadString(token); break;
                default: file.ReadChar(); break;
            }
        });
        if (file.Position() >= data.size() && !read) return;
        if (!text) continue;
        Check(token.size() <= TTokenFile::kMaxTokenLength, "Token de más de 255 caracteres");
        for (const char c : token)
            Check(!separators[static_cast<unsigned char>(c)], "Un token contiene un separador: " + Printable(token));
    }
    Check(file.Position() >= data.size(), "La lectura no avanza");
}

}  // namespace

void RunTokenFile(std::string_view bytes) {
    if (bytes.empty()) return;
    const auto flags = static_cast<std::uint8_t>(bytes[0]);
    const bool text = (flags & kBinary) == 0;
    std::string_view data = bytes.substr(1);
    if ((flags & kTokens) == 0) {
        ReadDrawing(data, text);
        return;
    }
    TByteSet separators = DefaultSeparators();
    if ((flags & kSeparator) != 0 && !data.empty()) {
        separators.set(static_cast<unsigned char>(data[0]));
        data.remove_prefix(1);
    }
    ReadTokens(data, text, flags >> 3, separators);
}

}  // namespace nerim::fuzz
