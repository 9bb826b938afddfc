#include "canvas/canvas_exceptions.h"

#include "canvas/canvax.h"
#include "canvas/canvax_element.h"

namespace nerim {

namespace {

std::string UnknownRegionMessage(TCanvaxElement& element, const std::string& exceptionClassName) {
    const std::string document = element.Canvax() ? element.Canvax()->Name() : std::string();
    return "Excepción del tipo " + exceptionClassName + " Sobre un elemento\ndel tipo " + element.ClassName() +
           " ocurrió en el componente\n" + document;
}

}  // namespace

EElementException::EElementException(TCanvaxElement& element, const std::string& message)
    : Exception(message), element_(&element) {}

EUnknownRegion::EUnknownRegion(TCanvaxElement& element) : EUnknownRegion(element, "EUnknownRegion") {}

EUnknownRegion::EUnknownRegion(TCanvaxElement& element, const std::string& exceptionClassName)
    : EElementException(element, UnknownRegionMessage(element, exceptionClassName)) {}

EViewWithoutCanvax::EViewWithoutCanvax()
    : ECanvaxException("La Vista debe estar unida a un \"canvax\" para poder operar con ella") {}

}  // namespace nerim
