#pragma once

#include <filesystem>

#include "support/typed_array.h"

namespace nerim {

// Reads a results file of the model into Results: 32-bit little-endian IEEE floats with no header,
// Sizes.N0() × Sizes.N1() of them in the storage order of the cell matrices (i fastest), each
// widened to double. Min and Max start at 1e100 and −1e100 and follow the values one by one: a
// value below Min replaces it, one above Max replaces it. Results takes the given sizes once the
// file is open.
//
// A file that cannot be opened, or that holds fewer values than asked for, raises EInOutError
// naming the file and how many values were read of how many. The values read so far stay, with
// the range they gave, and the rest of Results is zero. The file is closed in every case.
// Sizes beyond kMaxMeshCells raise EMeshError before the file is opened.
void LoadResultsFile(const std::filesystem::path& FileName, TIntPair Sizes, TDoubleArray& Results, double& Min,
                     double& Max);

}  // namespace nerim
