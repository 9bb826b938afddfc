#pragma once

#include <string>

namespace nerim {

// The directory that holds the running program's executable, without a trailing separator.
// Throws EInOutError when the system does not tell where the executable is.
std::string ProgramDirectory();

}  // namespace nerim
