#pragma once

#include <string>

#include "support/exception.h"

namespace nerim {

class TCanvaxElement;

// A failure concerning one element of a drawing. Views report these through the document's
// OnException instead of letting them escape a mouse or resize event.
class EElementException : public Exception {
public:
    EElementException(TCanvaxElement& element, const std::string& message);
    // The element concerned. It may have been destroyed by the time the exception is handled
    // far away from where it was raised; the views report it while the document is locked, so
    // the element is still alive then.
    TCanvaxElement* Element() const { return element_; }

private:
    TCanvaxElement* element_;
};

// An element's HitTest was given a region class it does not support.
class EUnknownRegion : public EElementException {
public:
    explicit EUnknownRegion(TCanvaxElement& element);

protected:
    // For derived exception classes: the message names the given class.
    EUnknownRegion(TCanvaxElement& element, const std::string& exceptionClassName);
};

class ECanvaxException : public Exception {
public:
    using Exception::Exception;
};

class ECanNotZoom : public ECanvaxException {
public:
    using ECanvaxException::ECanvaxException;
};

class EViewWithoutCanvax : public ECanvaxException {
public:
    EViewWithoutCanvax();
    using ECanvaxException::ECanvaxException;
};

class EInvalidValue : public ECanvaxException {
public:
    using ECanvaxException::ECanvaxException;
};

// Reference vectors a view cannot use.
class EInvalidRef : public Exception {
public:
    using Exception::Exception;
};

}  // namespace nerim
