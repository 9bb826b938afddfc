#include "mesh/tamrix_mesh.h"

#include <gtest/gtest.h>

#include "canvas/canvax.h"
#include "canvas/widget/canvax_view.h"
#include "canvas/ce_layer.h"
#include "mesh/core/mesh_error.h"
#include "support/exception.h"
#include "support/text_reader.h"
#include "support/text_writer.h"

namespace nerim {
namespace {

// A mesh that counts its change notifications.
class TCountingMesh : public TCETamrixMesh {
public:
    using TCETamrixMesh::TCETamrixMesh;
    void Redraw() override {
        ++Notifications;
        TCETamrixMesh::Redraw();
    }
    int Notifications = 0;

protected:
    ~TCountingMesh() override = default;
};

class MeshElement : public ::testing::Test {
protected:
    TCanvax canvax;
    ElementHandle<TCELayer> layer = MakeElement<TCELayer>(canvax, "Malla");
    ElementHandle<TCountingMesh> mesh = MakeElement<TCountingMesh>(canvax, *layer, 100.0, 10.0);

    // The start-up sub-zones of the main window.
    void AddInitialSubZones() {
        mesh->AddSubZoneX(5, 5, 0.0, 50.0, 1.0);
        mesh->AddSubZoneY(5, 5, 0.0, 5.0, 0.6);
    }
    static std::vector<float> Floats(std::initializer_list<float> values) { return values; }
};

TEST_F(MeshElement, StartsAsAnEmptyDomainInItsLayer) {
    EXPECT_EQ(mesh->Parent(), layer.get());
    ASSERT_EQ(layer->Children()->Count(), 1);
    EXPECT_EQ(mesh->State(), esNormal);
    EXPECT_TRUE(mesh->Visible());
    EXPECT_EQ(mesh->Width(), 100.0);
    EXPECT_EQ(mesh->Height(), 10.0);
    EXPECT_EQ(mesh->PorousModel(), 2);
    EXPECT_EQ(mesh->BoundaryConditions(), (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
    EXPECT_EQ(mesh->CurrentSubZoneX(), 0);
    EXPECT_EQ(mesh->CurrentSubZoneY(), 0);
    EXPECT_EQ(mesh->UpdateCount(), 0);
    EXPECT_EQ(mesh->DivisionXCount(), 0);
    EXPECT_EQ(mesh->AC().Count(), 1);
    EXPECT_EQ(mesh->AC().ItemAt(0), 1.0);
    EXPECT_EQ(mesh->VOF().ItemAt(0), 0.0);
    EXPECT_EQ(mesh->Npc().ItemAt(0), 1);
    EXPECT_FALSE(mesh->Noc().ItemAt(0));
    std::vector<std::string> names;
    for (const TMeshVariable& v : mesh->Variables()) names.push_back(v.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"AC", "AR", "AT", "VOF", "Noc", "Npc", "Results"}));
    EXPECT_EQ(std::get<const TDoubleArray*>(mesh->Variables()[0].Matrix), &mesh->AC());
    EXPECT_EQ(std::get<const TIntegerArray*>(mesh->Variables()[5].Matrix), &mesh->Npc());
    TCanvaxView view;
    view.SetCanvax(&canvax);
    EXPECT_EQ(mesh->GetBounds(view), (TRect2D{0, 0, 100, 10}));
}

TEST_F(MeshElement, InitialAxesGiveTheWorkedBoundaries) {
    AddInitialSubZones();
    mesh->GenerateDivisions();
    EXPECT_EQ(mesh->DivisionsX(), Floats({0, 19, 33.5f, 43.5f, 49, 50, 51, 56.5f, 66.5f, 81, 100}));
    EXPECT_EQ(mesh->DivisionsY(), Floats({0, 1.4f, 2.6f, 3.6f, 4.4f, 5, 5.6f, 6.4f, 7.4f, 8.6f, 10}));
    EXPECT_EQ(mesh->DivisionY(1), static_cast<double>(1.4f));
    EXPECT_THROW(mesh->DivisionX(11), EListIndexError);
}

TEST_F(MeshElement, PeriodicXAddsABoundaryBeyondTheWidth) {
    AddInitialSubZones();
    mesh->SetBoundaryCondition(3, 3);
    mesh->GenerateDivisions();
    ASSERT_EQ(mesh->DivisionXCount(), 12);
    EXPECT_EQ(mesh->DivisionX(11), 119.0);
    EXPECT_EQ(mesh->DivisionYCount(), 11);
}

TEST_F(MeshElement, EveryParameterChangeDiscardsTheDivisions) {
    AddInitialSubZones();
    mesh->GenerateDivisions();
    mesh->SetWidth(100.0);
    EXPECT_EQ(mesh->DivisionXCount(), 11);
    mesh->SetWidth(120.0);
    EXPECT_EQ(mesh->DivisionXCount(), 0);
    EXPECT_EQ(mesh->DivisionYCount(), 0);
    mesh->GenerateDivisions();
    mesh->SetSubZoneY(0, {5.0, 0.0, 2, 2, 1.0});
    EXPECT_EQ(mesh->DivisionYCount(), 0);
    mesh->GenerateDivisions();
    mesh->AddSubZoneX(1, 1, 110.0, 115.0, 1.0);
    EXPECT_EQ(mesh->DivisionXCount(), 0);
}

TEST_F(MeshElement, BadCentreAddsNothing) {
    AddInitialSubZones();
    mesh->GenerateDivisions();
    try {
        mesh->AddSubZoneX(5, 5, 10.0, 100.0, 1.0);
        FAIL() << "no exception";
    } catch (const EMeshError& e) {
        EXPECT_STREQ(e.what(), "El punto central es incorrecto");
    }
    EXPECT_EQ(mesh->SubZoneXCount(), 1);
    EXPECT_EQ(mesh->DivisionXCount(), 11);  // a refused sub-zone changes nothing
}

TEST_F(MeshElement, CurrentIndexFollowsDeletionAndTheFirstAddition) {
    AddInitialSubZones();
    mesh->AddSubZoneX(5, 5, 66.65, 83.3, 1.0);
    EXPECT_EQ(mesh->CurrentSubZoneX(), 0);
    mesh->SetCurrentSubZoneX(1);
    mesh->DeleteSubZoneX(1);
    EXPECT_EQ(mesh->CurrentSubZoneX(), 0);
    mesh->DeleteSubZoneX(0);
    EXPECT_EQ(mesh->CurrentSubZoneX(), -1);
    mesh->AddSubZoneX(5, 5, 0.0, 50.0, 1.0);
    EXPECT_EQ(mesh->CurrentSubZoneX(), 0);
    EXPECT_THROW(mesh->DeleteSubZoneY(3), EListIndexError);
}

TEST_F(MeshElement, ChangeBracketNotifiesOnceAtItsEnd) {
    mesh->BeginChanges();
    mesh->BeginChanges();
    mesh->Notifications = 0;
    mesh->EndChanges();
    EXPECT_EQ(mesh->Notifications, 0);
    mesh->EndChanges();
    EXPECT_EQ(mesh->Notifications, 1);
}

TEST_F(MeshElement, UnbalancedEndChangesRaisesAndKeepsTheCount) {
    try {
        mesh->EndChanges();
        FAIL() << "no exception";
    } catch (const EMeshError& e) {
        EXPECT_STREQ(e.what(), "Se han llamado más \"EndChanges\" que \"BeginChanges\"");
    }
    EXPECT_EQ(mesh->UpdateCount(), -1);
    mesh->BeginChanges();
    EXPECT_EQ(mesh->UpdateCount(), 0);
}

TEST_F(MeshElement, SettersNotifyOnlyWhenTheValueChanges) {
    mesh->Notifications = 0;
    mesh->SetCurrentSubZoneX(0);
    mesh->SetPickedCell(0, 0);
    mesh->SetShownVariable(std::monostate{});
    mesh->SetPorousModel(1);
    EXPECT_EQ(mesh->Notifications, 0);
    mesh->SetPickedCell(3, 4);
    mesh->SetShownVariable(&mesh->AC());
    mesh->SetCurrentSubZoneY(2);
    EXPECT_EQ(mesh->Notifications, 3);
    EXPECT_EQ(mesh->PickedCell().I, 3);
}

TEST_F(MeshElement, CentreOnTheEndPointIsANamedFault) {
    mesh->AddSubZoneX(5, 5, 0.0, 50.0, 1.0);
    mesh->AddSubZoneY(5, 5, 0.0, 0.0, 0.6);  // centre on the top edge: the upper side has no length
    try {
        mesh->GenerateDivisions();
        FAIL() << "no exception";
    } catch (const EFloatingPointError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("Y"), std::string::npos) << message;
        EXPECT_NE(message.find("subzona 1"), std::string::npos) << message;
    }
    EXPECT_EQ(mesh->DivisionXCount(), 0);
    EXPECT_EQ(mesh->DivisionYCount(), 0);
}

TEST_F(MeshElement, ParameterBlockRoundTrips) {
    AddInitialSubZones();
    mesh->AddSubZoneX(3, 7, 66.65, 83.3, 0.25);
    mesh->SetPorousModel(1);
    mesh->SetBoundaryCondition(3, 3);
    StringTextWriter out;
    mesh->WriteParameters(out);

    auto other = MakeElement<TCETamrixMesh>(canvax, *layer, 1.0, 1.0);
    TextReader in(out.Bytes(), "mem");
    other->ReadParameters(in);
    EXPECT_EQ(other->Parameters(), mesh->Parameters());
    EXPECT_EQ(other->CurrentSubZoneX(), 0);
}

TEST_F(MeshElement, HandWrittenBlocksReadWithEitherLineEnd) {
    const char* lines[] = {" 1.00000000000000E+0001", " 1.00000000000000E+0002", "1", " 5.00000000000000E+0001",
                           " 0.00000000000000E+0000", "5", "5", " 1.00000000000000E+0000", "0", "2", "0", "0", "0", "0"};
    for (const std::string eol : {"\r\n", "\n"}) {
        std::string text;
        for (const char* line : lines) text += std::string(line) + eol;
        TextReader in(text, "mem");
        mesh->ReadParameters(in);
        EXPECT_EQ(mesh->Width(), 100.0);
        EXPECT_EQ(mesh->SubZoneXCount(), 1);
        EXPECT_EQ(mesh->SubZoneYCount(), 0);
        mesh->GenerateDivisions();
        EXPECT_EQ(mesh->DivisionXCount(), 11);
        EXPECT_EQ(mesh->DivisionsY(), Floats({0}));
    }
}

TEST_F(MeshElement, FailedReadLeavesTheParameters) {
    AddInitialSubZones();
    const TMeshParameters before = mesh->Parameters();
    TextReader in(" 1.0E+0001\r\n 2.0E+0002\r\n-4\r\n", "proyecto.dat");
    EXPECT_THROW(mesh->ReadParameters(in), EInOutError);
    EXPECT_EQ(mesh->Parameters(), before);
}

}  // namespace
}  // namespace nerim
