#pragma once

#include <cstddef>

namespace nerim::testing {

// The allocations of one user action, for the leak checker. A failure raised in a handler unwinds
// through toolkit frames built without exception support, which drop what they hold on the way
// (copies of the event, guard pointers): a few bytes per failure that are not the program's own
// leaks. An action that failed has the allocations it made and still holds left out of the leak
// report (Forgive); an action that did not fail is checked in full.
//
// Without the address sanitizer it records nothing.
class TActionAllocations {
public:
    TActionAllocations();
    ~TActionAllocations();
    TActionAllocations(const TActionAllocations&) = delete;
    TActionAllocations& operator=(const TActionAllocations&) = delete;

    // Everything allocated since the construction and not freed is not reported as a leak.
    void Forgive();
    // Allocations recorded so far (at most the table's size).
    std::size_t Count() const;
};

}  // namespace nerim::testing
