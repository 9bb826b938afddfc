#pragma once

namespace nerim {

// Makes the domain objects' information messages (ShowInformation) modal message boxes over the
// active window, titled with the application's name. For the window programs, once their
// QApplication exists.
void InstallMessageBoxInformation();

}  // namespace nerim
