#include "canvas/cursors.h"

#include <map>

namespace nerim {

namespace {

// Lives for the whole run: cursors must not be destroyed after the application object.
std::map<TCursorId, QCursor>& Registered() {
    static auto* cursors = new std::map<TCursorId, QCursor>;
    return *cursors;
}

Qt::CursorShape StandardShape(TCursorId id) {
    switch (id) {
        case crNone: return Qt::BlankCursor;
        case crArrow: return Qt::ArrowCursor;
        case crCross: return Qt::CrossCursor;
        case crIBeam: return Qt::IBeamCursor;
        case crSizeNESW: return Qt::SizeBDiagCursor;
        case crSizeNS: return Qt::SizeVerCursor;
        case crSizeNWSE: return Qt::SizeFDiagCursor;
        case crSizeWE: return Qt::SizeHorCursor;
        case crUpArrow: return Qt::UpArrowCursor;
        case crHourGlass: return Qt::WaitCursor;
        case crDrag: return Qt::DragCopyCursor;
        case crNoDrop: return Qt::ForbiddenCursor;
        case crHSplit: return Qt::SplitHCursor;
        case crVSplit: return Qt::SplitVCursor;
        case crMultiDrag: return Qt::DragMoveCursor;
        case crSQLWait: return Qt::BusyCursor;
        case crNo: return Qt::ForbiddenCursor;
        case crAppStart: return Qt::BusyCursor;
        case crHelp: return Qt::WhatsThisCursor;
        case crHandPoint: return Qt::PointingHandCursor;
        case crSizeAll: return Qt::SizeAllCursor;
        default: return Qt::ArrowCursor;
    }
}

}  // namespace

QCursor CursorFromId(TCursorId id) {
    if (id > 0) {
        const auto found = Registered().find(id);
        if (found != Registered().end()) return found->second;
        return QCursor(Qt::ArrowCursor);
    }
    return QCursor(StandardShape(id));
}

void RegisterCursor(TCursorId id, const QCursor& cursor) {
    if (id <= 0) return;
    Registered()[id] = cursor;
}

bool IsCursorRegistered(TCursorId id) { return id <= 0 || Registered().count(id) != 0; }

}  // namespace nerim
