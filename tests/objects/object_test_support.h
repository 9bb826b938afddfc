#pragma once

// Helpers shared by the tests of the domain-object elements.
#include <initializer_list>
#include <string>
#include <vector>

#include "objects/ce_polyline.h"
#include "objects/information_box.h"
#include "tests/canvas/canvas_test_support.h"

namespace nerim::testing {

// Collects the information messages instead of showing them (a message box would wait for a
// user that a test does not have).
class InformationRecorder {
public:
    InformationRecorder()
        : previous_(SetInformationBox([this](const std::string& message) { Messages.push_back(message); })) {}
    ~InformationRecorder() { SetInformationBox(previous_); }
    InformationRecorder(const InformationRecorder&) = delete;
    InformationRecorder& operator=(const InformationRecorder&) = delete;

    std::vector<std::string> Messages;

private:
    TInformationBox previous_;
};

// A polygon with the given vertices, as the project loader builds one.
inline ElementHandle<TCEPolyline> MakePolygon(TCanvax& doc, std::initializer_list<TPoint2D> points,
                                             bool closed = true) {
    ElementHandle<TCEPolyline> polygon = MakeElement<TCEPolyline>(doc);
    for (const TPoint2D& p : points) polygon->Line().Append(p);
    polygon->SetClosed(closed);
    return polygon;
}

// The vertex events of a polygon, each with the node it reported and whether that node was one
// of the line's vertices at that moment.
struct VertexEventRecorder {
    struct Event {
        TPLNode* Node;
        bool NodeInLine;
        int Count;
    };
    std::vector<Event> Events;
    void Attach(TCEPolyline& polygon) {
        polygon.SetVertexEvent([this](TCEPolyline&, TPLPolyLine& line, TPLNode* node) {
            bool inLine = false;
            for (const TPLNode* n = line.Head(); n; n = n->Next()) inLine = inLine || n == node;
            Events.push_back({node, inLine, line.Count()});
        });
    }
    // No event ever named a node that was not a vertex of the line.
    bool NoneDangling() const {
        for (const Event& e : Events)
            if (e.Node && !e.NodeInLine) return false;
        return true;
    }
};

inline QRgb Rgb(TColor c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }

}  // namespace nerim::testing
