#include "support/file_bytes.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "support/exception.h"

namespace nerim {

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EInOutError("Error de entrada/salida: no se puede abrir el archivo \"" + path.string() + "\" (" +
                          std::strerror(errno) + ")");
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw EInOutError("Error de entrada/salida: no se puede leer el archivo \"" + path.string() + "\"");
    return bytes;
}

}  // namespace nerim
