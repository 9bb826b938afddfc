#include "canvas/canvas_resources.h"

#include <QFile>
#include <QString>
#include <cstdio>

// Q_INIT_RESOURCE must be used outside any namespace, the unnamed one included.
static void RegisterCanvasResources() { Q_INIT_RESOURCE(canvas_resources); }

namespace nerim {

namespace {

QString ResourcePath(const char* folder, const std::string& name) {
    return QStringLiteral(":/nerim/") + QString::fromLatin1(folder) + QLatin1Char('/') + QString::fromStdString(name);
}

// The hot spot of an XPM picture: the fifth and sixth values of its first string, when present.
bool XpmHotSpot(const QByteArray& data, int& x, int& y) {
    if (!data.contains("XPM")) return false;
    const qsizetype open = data.indexOf('"');
    if (open < 0) return false;
    const qsizetype close = data.indexOf('"', open + 1);
    if (close < 0) return false;
    const QByteArray values = data.mid(open + 1, close - open - 1);
    int w = 0, h = 0, colours = 0, chars = 0, hx = 0, hy = 0;
    if (std::sscanf(values.constData(), "%d %d %d %d %d %d", &w, &h, &colours, &chars, &hx, &hy) != 6) return false;
    if (hx < 0 || hy < 0 || hx >= w || hy >= h) return false;
    x = hx;
    y = hy;
    return true;
}

}  // namespace

void InitCanvasResources() {
    static const bool registered = (RegisterCanvasResources(), true);
    (void)registered;
}

QImage LoadBitmapResource(const std::string& Name) {
    InitCanvasResources();
    return QImage(ResourcePath("bitmaps", Name));
}

TCursorResource LoadCursorResource(const std::string& Name) {
    InitCanvasResources();
    TCursorResource cursor;
    QFile file(ResourcePath("cursors", Name));
    if (!file.open(QIODevice::ReadOnly)) return cursor;
    const QByteArray data = file.readAll();
    cursor.Image = QImage::fromData(data);
    if (!cursor.Image.isNull()) XpmHotSpot(data, cursor.HotX, cursor.HotY);
    return cursor;
}

}  // namespace nerim
