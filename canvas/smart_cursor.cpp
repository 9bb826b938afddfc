#include "canvas/smart_cursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <limits>

#include "canvas/canvas_resources.h"
#include "support/exception.h"

namespace nerim {

namespace {

// Lives for the whole run, like the cursors registered under its ids.
std::vector<std::string>& Names() {
    static auto* names = new std::vector<std::string>;
    return *names;
}

}  // namespace

const std::vector<std::string>& SmartCursorNames() { return Names(); }

TSmartCursor::TSmartCursor(const std::string& CursorName) {
    std::vector<std::string>& names = Names();
    if (names.size() >= std::size_t(std::numeric_limits<TCursorId>::max()))
        throw Exception("No se pueden registrar más cursores");
    names.push_back(CursorName);
    cursor_ = TCursorId(names.size());
    // A pixmap needs the GUI application; without one the id keeps the default cursor.
    if (!qGuiApp) return;
    const TCursorResource resource = LoadCursorResource(CursorName);
    if (resource.Image.isNull()) return;
    RegisterCursor(cursor_, QCursor(QPixmap::fromImage(resource.Image), resource.HotX, resource.HotY));
}

}  // namespace nerim
