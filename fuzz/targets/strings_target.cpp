#include "fuzz/targets/fuzz_target.h"
#include "support/internacionalization.h"
#include "support/string_table.h"

namespace nerim::fuzz {
namespace {

// The strings file as the program loads it at start-up: the table is filled when it loads, and
// any failure is the one general message.
void LoadStringsFile(const std::string& name, std::string_view bytes) {
    const std::filesystem::path file = ScratchFile(name, bytes);
    TInternacionalization strings;
    try {
        strings.LoadStringTable(file.string());
    } catch (const EInternacionalizationError& error) {
        Check(error.what() == kInternacionalizationErrorMessage, "Mensaje de error inesperado: " + std::string(error.what()));
        return;
    } catch (const std::exception& error) {
        Fail("Un archivo de cadenas falla con otro error: " + std::string(error.what()));
    }
    for (int i = 1; i <= kStringTableSize; ++i)
        Check(StringTableEntry(i) == strings.GetString("STR" + std::to_string(i)), "Tabla de cadenas incoherente");
}

}  // namespace

void RunStringsText(std::string_view bytes) { LoadStringsFile("Strings.dat", bytes); }

void RunStringsXml(std::string_view bytes) { LoadStringsFile("Strings.xml", bytes); }

}  // namespace nerim::fuzz
