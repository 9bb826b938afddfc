#include "objects/information_box.h"

#include <iostream>
#include <utility>

namespace nerim {

namespace {

TInformationBox& Installed() {
    static TInformationBox box;
    return box;
}

}  // namespace

TInformationBox SetInformationBox(TInformationBox Box) { return std::exchange(Installed(), std::move(Box)); }

void ShowInformation(const std::string& Message) {
    // A copy: the box may install another one while it is shown.
    const TInformationBox box = Installed();
    if (box) box(Message);
    else std::cerr << Message << std::endl;
}

}  // namespace nerim
