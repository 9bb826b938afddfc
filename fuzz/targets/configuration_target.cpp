#include "app/configuration.h"
#include "fuzz/targets/fuzz_target.h"

namespace nerim::fuzz {

// The configuration never fails: whatever the file holds, both names lie in the program's folder
// (an empty value names the folder itself, which then fails to load as a file).
void RunConfiguration(std::string_view bytes) {
    const std::string directory = "/opt/nerim";
    const std::filesystem::path file = ScratchFile("Configuration.dat", bytes);
    MustSucceed("Leer la configuración", [&] {
        const TConfiguration configuration(file.string(), directory);
        for (const std::string& name : {configuration.StringsFile(), configuration.UIStringsFile()})
            Check(name.starts_with(directory + "/"),
                  "Nombre fuera de la carpeta del programa: " + Printable(name));
    });
}

}  // namespace nerim::fuzz
