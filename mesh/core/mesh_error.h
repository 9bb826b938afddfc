#pragma once

#include "support/exception.h"

namespace nerim {

// General failures of the mesh: a sub-zone that cannot be inserted, an unbalanced change
// bracket, an axis that would need more boundaries than the mesh can hold.
class EMeshError : public Exception {
public:
    using Exception::Exception;
};

}  // namespace nerim
