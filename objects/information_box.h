#pragma once

#include <functional>
#include <string>

namespace nerim {

// How the domain objects show an information message with an OK button. With no box installed
// the message goes to standard error: a program without windows has no one to acknowledge it.
// The window programs install a message box (InstallMessageBoxInformation in
// objects/widget/message_box_information.h); tests install their own.
using TInformationBox = std::function<void(const std::string& Message)>;

// Installs Box for the whole process and returns the one it replaces. An empty Box restores
// standard error.
TInformationBox SetInformationBox(TInformationBox Box);

// Shows Message through the installed box and returns when it has been acknowledged.
void ShowInformation(const std::string& Message);

}  // namespace nerim
