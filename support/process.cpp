#include "support/process.h"

#include <filesystem>
#include <system_error>

#include "support/exception.h"

namespace nerim {

std::string ProgramDirectory() {
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || executable.empty())
        throw EInOutError("Error de entrada/salida: no se puede determinar la carpeta del programa (" +
                          error.message() + ")");
    return executable.parent_path().string();
}

}  // namespace nerim
