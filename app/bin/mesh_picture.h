#pragma once

#include "app/bin/command_line.h"

namespace nerim {

class TWorkingSet;

// Draws the working set as the main window shows it after "Generar malla" and "Ajustar vista":
// the document's background, the mesh layer and the objects layer, in a view of the requested
// size fitted to the domain, with the first sub-zones current, the named matrix shown and the
// picked cell marked; then saves it as a PNG file. The drawing needs a GUI application object:
// one on the offscreen platform is made for the picture when the program has none. A picture
// that cannot be saved raises EInOutError naming the file.
void WriteMeshPicture(TWorkingSet& Set, const TPictureRequest& Picture);

}  // namespace nerim
