#pragma once

namespace nerim {
class TCETamrixMesh;
class TCanvaxViewport;
}  // namespace nerim

namespace nerim::testing {

// The mesh painted the plain way, through the view's drawing surface: one blended fill per cell
// and one blended line per boundary, every cell and every boundary of the lists. The mesh's own
// painting must give the same picture, pixel for pixel.
void ReferencePaintMesh(TCETamrixMesh& Mesh, TCanvaxViewport& View);

}  // namespace nerim::testing
