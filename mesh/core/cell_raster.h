#pragma once

// Drawing of the mesh's cells and boundary lines straight into a 32-bit picture, for meshes of
// millions of cells that the view must repaint at once.
//
// Pixels are 0xAARRGGBB words. Blending follows the view's blended drawing exactly: each channel
// becomes (s·a + d·(255 − a) + 127) / 255 in integers, the result is opaque, and a colour of
// opacity 0 leaves the pixel as it was. A cell covers the pixels from its rounded left and top
// edges up to, not including, its rounded right and bottom edges, so neighbouring cells neither
// overlap nor leave gaps; a cell smaller than a pixel covers nothing unless the rounding of its
// edges gives it a pixel, and then that pixel takes its colour alone.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "mesh/core/cell_colors.h"

namespace nerim {

// A 32-bit picture: Height rows of Width pixels, Stride pixels from one row to the next.
struct TPixelBuffer {
    std::uint32_t* Pixels = nullptr;
    int Width = 0;
    int Height = 0;
    std::ptrdiff_t Stride = 0;

    std::uint32_t* Row(int Y) const { return Pixels + Stride * Y; }
};

// The cells of one axis as the screen shows them: Edges[k] is the rounded pixel position of
// boundary First + k, and interval First + k lies between Edges[k] and Edges[k + 1]. The edges
// follow the boundaries, so they run either up or down the screen (a mirrored view).
struct TAxisEdges {
    std::vector<int> Edges;
    std::int32_t First = 0;
};

// The colours of one row of cells: Out[k] is the colour of the cell of X interval Columns[k] and
// Y interval Row.
using TRowColors = std::function<void(std::int32_t Row, const std::int32_t* Columns, std::size_t Count, TArgb* Out)>;

// One pixel blended with a colour.
inline std::uint32_t BlendPixel(std::uint32_t d, TArgb c) {
    const std::uint32_t a = c >> 24;
    if (a == 0) return d;
    const std::uint32_t ia = 255 - a;
    const std::uint32_t r = (((c >> 16) & 0xFF) * a + ((d >> 16) & 0xFF) * ia + 127) / 255;
    const std::uint32_t g = (((c >> 8) & 0xFF) * a + ((d >> 8) & 0xFF) * ia + 127) / 255;
    const std::uint32_t b = ((c & 0xFF) * a + (d & 0xFF) * ia + 127) / 255;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// Blends every cell of the two axes that covers a pixel of the picture, each pixel once, with the
// colour RowColors gives; RowColors is asked once per row of cells that shows, and only for the
// cells that cover a pixel. Returns false, drawing nothing, when the edges of an axis do not all
// run the same way (the cells would overlap).
bool BlendCells(const TPixelBuffer& Buffer, const TAxisEdges& X, const TAxisEdges& Y, const TRowColors& RowColors);

// Blends the boundary lines, all in one colour: a vertical line at each of VerticalX from row Top
// to row Bottom, then a horizontal line at each of HorizontalY from column Left to column Right
// (both ends included, in either order), each line blending each of its pixels once, so a pixel
// under several lines is blended once for each of them.
void BlendBoundaryLines(const TPixelBuffer& Buffer, const std::vector<int>& VerticalX, int Top, int Bottom,
                        const std::vector<int>& HorizontalY, int Left, int Right, TArgb Color);

// Blends the pixels of columns L to R − 1 and rows T to B − 1 (corners in either order).
void BlendRect(const TPixelBuffer& Buffer, int L, int T, int R, int B, TArgb Color);

}  // namespace nerim
