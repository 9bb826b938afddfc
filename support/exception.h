#pragma once

#include <stdexcept>
#include <string>

namespace nerim {

// Root of every exception the program raises. The message is UTF-8 text meant for the user.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reading or writing a file failed: it could not be opened or created, the disk is full,
// a number in a text file is malformed, or the file ended early.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

// A value could not be converted: a text that is not a number, a format that does not suit its argument.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An arithmetic fault that must not pass silently as an infinity or a NaN
// (division by zero, an invalid operation such as 0/0).
class EFloatingPointError : public Exception {
public:
    using Exception::Exception;
};

// An index outside a list's bounds.
class EListIndexError : public Exception {
public:
    explicit EListIndexError(long long index);
};

// An operation that a class declares but does not provide was called.
class EAbstractError : public Exception {
public:
    explicit EAbstractError(const std::string& operation);
};

// Throws EListIndexError unless 0 <= index < count.
void CheckListIndex(long long index, long long count);

}  // namespace nerim
