#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace nerim {

class TextWriter;
class TTextBlock;

// Makes piece `index` of a text: appends its bytes to `text`, which it is given empty. It may be
// called from several threads at once, each time for a different piece.
using TPieceFormatter = std::function<void(std::size_t index, TTextBlock& text)>;

// Writes a text made of `count` pieces, in order, while up to threads − 1 helper threads format
// the pieces ahead of the one being written, and the calling thread too while the piece it
// waits for is not ready (with one thread, or one piece, everything happens in turn on the
// calling thread). Only a few pieces are held at a time, whatever the count. The first
// exception a piece raises is raised again when that piece's turn comes, after the pieces
// before it have been written and every helper has stopped; an exception from the writer stops
// the helpers too.
void WritePiecesInOrder(TextWriter& out, std::size_t count, std::int32_t threads, const TPieceFormatter& format);

}  // namespace nerim
