#pragma once

#include <cstdint>

#include "canvas/enum_set.h"

namespace nerim {

// Life states of a drawing element. Stored as one byte; the ordinals are fixed.
enum TElementState : std::uint8_t {
    esNoNatum = 0,   // just constructed, not yet part of the drawing
    esInsert = 1,    // being created interactively; the document's inserting element
    esNormal = 2,
    esInactive = 3,  // an inactive container passes this state to its children
    esSelect = 4,    // the document's selected element
    esRemove = 5,    // no behaviour of its own; for element classes
    esInvalid = 6,   // no behaviour of its own; for element classes
    esDead = 7,      // being destroyed; never painted
};

// Actions the undo list can record.
enum TUndoActions : std::uint8_t { uaZoom = 0, uaRefChange = 1, uaInsertDelete = 2, uaSelectDeselect = 3 };
using TUndoFilter = TEnumSet<TUndoActions>;

// Constraint on the reference vectors of every view of a document.
enum TAllowedViews : std::uint8_t { avAll = 0, avOrthogonal = 1, avProportionalToSpace = 2 };

enum TDevelopingOptions : std::uint8_t { doDrawSuperRectangles = 0 };
using TDevelopingOptionsSet = TEnumSet<TDevelopingOptions>;

// How an element answers GetBounds.
enum TBoundsKind : std::uint8_t { bkRegion = 0, bkUnbounded = 1, bkVisibleArea = 2 };

enum TElementMouseAction : std::uint8_t { emaDown = 0, emaUp = 1, emaMove = 2, emaDblClick = 3 };

// Mouse buttons and modifier keys as the views hand them to elements.
enum TMouseButton : std::uint8_t { mbLeft = 0, mbRight = 1, mbMiddle = 2 };
enum TShiftStateItem : std::uint8_t { ssShift = 0, ssAlt = 1, ssCtrl = 2, ssLeft = 3, ssRight = 4, ssMiddle = 5, ssDouble = 6 };
using TShiftState = TEnumSet<TShiftStateItem>;

}  // namespace nerim
