#include <gtest/gtest.h>

#include "canvas/ce_container.h"
#include "canvas/ce_layer.h"
#include "support/token_file.h"
#include "tests/canvas/canvas_test_support.h"

namespace nerim {
namespace {

using testing::TTestRect;

// A leaf that keeps a number in the text form.
class TNumbered : public TCENotContainer {
public:
    explicit TNumbered(TCanvax& Canvax, int Number = 0) : TCENotContainer(Canvax), number_(Number) {}
    void SaveToText(TTokenFile& Writer) override { Writer.WriteInteger(number_); }
    void LoadFromText(TTokenFile& Reader) override { number_ = Reader.ReadLongInt(); }
    int Number() const { return number_; }

protected:
    ~TNumbered() override = default;

private:
    int number_;
};

std::string SaveTree(TCanvax& doc, bool text) {
    auto root = MakeElement<TCEContainer>(doc);
    auto inner = MakeElement<TCEContainer>(doc);
    auto one = MakeElement<TNumbered>(doc, 11);
    auto two = MakeElement<TNumbered>(doc, -22);
    root->AddChild(*one);
    root->AddChild(*inner);
    inner->AddChild(*two);
    TMemoryTokenFile file;
    file.SetIsText(text);
    root->SaveToText(file);
    return file.Bytes();
}

TEST(ContainerText, WritesCountsClassNamesAndChildren) {
    TCanvax doc;
    EXPECT_EQ(SaveTree(doc, true), "2 TNumbered 11 TCEContainer 1 TNumbered -22 ");
}

TEST(ContainerText, RoundTripInTextAndBinary) {
    for (const bool text : {true, false}) {
        SCOPED_TRACE(text ? "text" : "binary");
        TCanvax doc;
        doc.RegisterElementClasses({ElementClassOf<TNumbered>()});
        TMemoryTokenFile file(SaveTree(doc, text));
        file.SetIsText(text);
        auto loaded = MakeElement<TCEContainer>(doc);
        auto existing = MakeElement<TNumbered>(doc, 5);
        loaded->AddChild(*existing);
        loaded->LoadFromText(file);

        // Loading adds after the existing children and shows the container.
        ASSERT_EQ(loaded->Children()->Count(), 3);
        EXPECT_TRUE(loaded->Visible());
        EXPECT_EQ((*loaded->Children())[0], existing.get());
        auto* one = dynamic_cast<TNumbered*>((*loaded->Children())[1]);
        auto* inner = dynamic_cast<TCEContainer*>((*loaded->Children())[2]);
        ASSERT_NE(one, nullptr);
        ASSERT_NE(inner, nullptr);
        EXPECT_EQ(one->Number(), 11);
        EXPECT_EQ(one->Parent(), loaded.get());
        ASSERT_EQ(inner->Children()->Count(), 1);
        EXPECT_EQ(dynamic_cast<TNumbered*>((*inner->Children())[0])->Number(), -22);
        // The loaded children go with the container (the sanitizers check they are freed).
        loaded.reset();
        EXPECT_EQ(existing->Parent(), nullptr);
    }
}

TEST(ContainerText, AnUnknownClassStopsTheLoadKeepingWhatWasRead) {
    TCanvax doc;
    doc.RegisterElementClasses({ElementClassOf<TNumbered>()});
    TMemoryTokenFile file("3 TNumbered 7 TMissing 1 TNumbered 9 ");
    auto loaded = MakeElement<TCEContainer>(doc);
    EXPECT_THROW(loaded->LoadFromText(file), EListIndexError);
    ASSERT_EQ(loaded->Children()->Count(), 1);
    EXPECT_EQ(dynamic_cast<TNumbered*>((*loaded->Children())[0])->Number(), 7);
}

TEST(ContainerText, ABadCountIsTheReadersError) {
    TCanvax doc;
    TMemoryTokenFile file("x1 ");
    auto loaded = MakeElement<TCEContainer>(doc);
    EXPECT_THROW(loaded->LoadFromText(file), EFileParseError);
    EXPECT_EQ(loaded->Children()->Count(), 0);
}

TEST(ContainerText, ClassNamesAreCutTo64CharactersAndMatchedWithoutCase) {
    TCanvax doc;
    const std::string longName(64, 'N');
    doc.RegisterElementClasses({{longName, ElementClassOf<TNumbered>().Create}});
    TMemoryTokenFile file("2 " + longName + "xyz 4 tcecontainer 0 ");
    auto loaded = MakeElement<TCEContainer>(doc);
    loaded->LoadFromText(file);
    ASSERT_EQ(loaded->Children()->Count(), 2);
    EXPECT_EQ(dynamic_cast<TNumbered*>((*loaded->Children())[0])->Number(), 4);
    EXPECT_EQ((*loaded->Children())[1]->ClassName(), "TCEContainer");
}

TEST(ContainerText, NestingDeeperThanAnyDrawingIsRefusedNotAStackOverflow) {
    const auto nested = [](int levels) {
        std::string text;
        for (int k = 0; k < levels; ++k) text += "1 TCEContainer ";
        return text + "0 ";
    };
    TCanvax doc;
    {
        TMemoryTokenFile file(nested(TCEContainer::kMaxLoadNesting - 1));
        auto loaded = MakeElement<TCEContainer>(doc);
        EXPECT_NO_THROW(loaded->LoadFromText(file));
    }
    // A hundred thousand levels, as a damaged or hostile file may claim.
    TMemoryTokenFile file(nested(100000));
    auto loaded = MakeElement<TCEContainer>(doc);
    EXPECT_THROW(loaded->LoadFromText(file), EElementException);
    EXPECT_EQ(loaded->Children()->Count(), 1);
    // The depth is counted again from the start on the next load.
    TMemoryTokenFile again(nested(3));
    auto other = MakeElement<TCEContainer>(doc);
    EXPECT_NO_THROW(other->LoadFromText(again));
}

}  // namespace
}  // namespace nerim
