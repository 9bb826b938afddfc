#pragma once

#include <functional>
#include <string>

namespace nerim {

// How the domain objects show an information message with an OK button. By default a modal
// message box over the active window; tests and unattended runs install their own.
using TInformationBox = std::function<void(const std::string& Message)>;

// Installs Box for the whole process and returns the one it replaces. An empty Box restores the
// message box.
TInformationBox SetInformationBox(TInformationBox Box);

// Shows Message through the installed box and returns when it has been acknowledged.
void ShowInformation(const std::string& Message);

}  // namespace nerim
