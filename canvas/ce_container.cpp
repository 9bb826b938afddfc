#include "canvas/ce_container.h"

#include <string>
#include <vector>

#include "canvas/canvax.h"
#include "canvas/canvax_viewport.h"
#include "support/token_file.h"

namespace nerim {

namespace {

// Set while a container redraws its children, so that nested containers do not recurse.
bool containerRedrawingChildren = false;

// How deep the containers being read are nested.
int containerLoadingDepth = 0;

class TLoadingLevel {
public:
    TLoadingLevel() { ++containerLoadingDepth; }
    ~TLoadingLevel() { --containerLoadingDepth; }
    TLoadingLevel(const TLoadingLevel&) = delete;
    TLoadingLevel& operator=(const TLoadingLevel&) = delete;
};

}  // namespace

TCEContainer::TCEContainer(TCanvax& Canvax) : TCanvaxElement(Canvax) { CreateChildren(); }

TCEContainer::~TCEContainer() {
    // The children this container read: nobody else holds them.
    for (ElementPtr& child : loadedChildren_) child.reset();
    loadedChildren_.clear();
}

void TCEContainer::BuildRegion() {
    if (containerRedrawingChildren) return;
    containerRedrawingChildren = true;
    try {
        const TWatch self = Watch();
        const std::vector<TCanvaxElement*> children = Children()->Items();
        for (TCanvaxElement* child : children) {
            if (!self.Alive()) break;
            if (Children()->Contains(child)) child->Redraw();
        }
    } catch (...) {
        containerRedrawingChildren = false;
        throw;
    }
    containerRedrawingChildren = false;
}

void TCEContainer::SaveToText(TTokenFile& Writer) {
    Writer.WriteInteger(Children()->Count());
    for (TCanvaxElement* child : *Children()) {
        Writer.WriteString(child->ClassName());
        child->SaveToText(Writer);
    }
}

void TCEContainer::LoadFromText(TTokenFile& Reader) {
    // Each level of a nesting read from the text takes stack and makes adding a child walk all
    // the levels above it: a text nested deeper than any drawing could be is refused.
    const TLoadingLevel level;
    if (containerLoadingDepth > kMaxLoadNesting)
        throw EElementException(*this, "Los contenedores están anidados a más de " +
                                           std::to_string(kMaxLoadNesting) + " niveles");
    const std::int32_t count = Reader.ReadLongInt();
    for (std::int32_t i = 0; i < count; ++i) {
        std::string name;
        Reader.ReadString(name);
        if (name.size() > 64) name.resize(64);
        TCanvax* canvax = Canvax();
        if (!canvax) throw EElementException(*this, "El elemento no pertenece a ningún canvax");
        ElementPtr child = canvax->CreateElement(name);
        TCanvaxElement& added = *child;
        AddChild(added);
        loadedChildren_.push_back(std::move(child));
        added.LoadFromText(Reader);
        Show();
    }
}

void TCEContainer::Paint(TCanvaxViewport& View) {
    PaintDebugRectangle(View, false);
    Children()->PaintList(View);
}

bool TCEContainer::HitTest(const TRegion&, const TCanvaxViewport&) { return false; }

}  // namespace nerim
