#include "support/file_bytes.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "support/exception.h"

namespace nerim {

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > kMaxFileBytes)
        throw EInOutError("Error de entrada/salida: el archivo \"" + path.string() + "\" es demasiado grande (" +
                          std::to_string(size) + " bytes; el máximo es " + std::to_string(kMaxFileBytes) + ")");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EInOutError("Error de entrada/salida: no se puede abrir el archivo \"" + path.string() + "\" (" +
                          std::strerror(errno) + ")");
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw EInOutError("Error de entrada/salida: no se puede leer el archivo \"" + path.string() + "\"");
    return bytes;
}

}  // namespace nerim
