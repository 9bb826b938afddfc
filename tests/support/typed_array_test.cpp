#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "support/exception.h"
#include "support/int_pair.h"
#include "support/number_format.h"
#include "support/text_block.h"
#include "support/text_reader.h"
#include "support/text_writer.h"
#include "support/typed_array.h"

namespace nerim {
namespace {

constexpr const char* kHeaderStart = "ASC\r\nDimensions\r\n2\r\nSizes\r\n";

template <typename Array>
std::string TextOf(const Array& a) {
    StringTextWriter w;
    a.WriteText(w);
    return w.Bytes();
}

// An array whose element at storage position k holds k.
TIntegerArray Numbered(TIntPair sizes) {
    TIntegerArray a(sizes);
    for (std::int32_t k = 0; k < a.Count(); ++k) a.ItemAt(k) = k;
    return a;
}

TEST(IntPair, LinearIndexAndPairFromLinearAreInverse) {
    const TIntPair sizes = MakeIntPair(3, 4);
    EXPECT_EQ(LinearIndex(MakeIntPair(1, 2), sizes), 7);
    for (std::int64_t k = 0; k < PairProduct(sizes); ++k)
        EXPECT_EQ(LinearIndex(PairFromLinear(k, sizes), sizes), k);
    EXPECT_TRUE(SamePair(PairFromLinear(11, sizes), MakeIntPair(2, 3)));
    EXPECT_FALSE(SamePair(MakeIntPair(1, 2), MakeIntPair(2, 1)));
}

TEST(IntPair, ProductOfLargeSizesDoesNotOverflow) {
    EXPECT_EQ(PairProduct(MakeIntPair(65536, 65536)), 4294967296LL);
    EXPECT_EQ(LinearIndex(MakeIntPair(0, 2147483647), MakeIntPair(2, 1)), 4294967294LL);
}

TEST(IntPair, PairFromLinearWithNoColumnsIsADivisionByZero) {
    EXPECT_THROW(PairFromLinear(0, MakeIntPair(0, 5)), EFloatingPointError);
}

TEST(TypedArrayCreate, NewElementsAreZero) {
    TDoubleArray d(MakeIntPair(3, 2));
    TBooleanArray b(MakeIntPair(2, 2));
    TIntegerArray i(MakeIntPair(1, 5));
    EXPECT_TRUE(SamePair(d.Sizes(), MakeIntPair(3, 2)));
    EXPECT_EQ(d.Count(), 6);
    for (std::int32_t k = 0; k < d.Count(); ++k) EXPECT_EQ(d.ItemAt(k), 0.0);
    for (std::int32_t k = 0; k < b.Count(); ++k) EXPECT_FALSE(b.ItemAt(k));
    for (std::int32_t k = 0; k < i.Count(); ++k) EXPECT_EQ(i.ItemAt(k), 0);
}

TEST(TypedArrayCreate, ImpossibleSizesAreRefused) {
    EXPECT_THROW(TDoubleArray(MakeIntPair(-1, 4)), EArraySizeError);
    EXPECT_THROW(TIntegerArray(MakeIntPair(4, -1)), EArraySizeError);
    EXPECT_THROW(TBooleanArray(MakeIntPair(65536, 65536)), EArraySizeError);
    EXPECT_EQ(TDoubleArray(MakeIntPair(0, 7)).Count(), 0);
    EXPECT_EQ(TDoubleArray().Count(), 0);
}

TEST(TypedArrayItems, FirstIndexRunsFastestInStorage) {
    TIntegerArray a(MakeIntPair(3, 4));
    for (std::int32_t j = 0; j < 4; ++j)
        for (std::int32_t i = 0; i < 3; ++i) a.Items(i, j) = 10 * j + i;
    std::vector<std::int32_t> walked;
    a.First();
    for (std::int32_t k = 0; k < a.Count(); ++k, a.Next()) walked.push_back(a.Current());
    EXPECT_EQ(walked, (std::vector<std::int32_t>{0, 1, 2, 10, 11, 12, 20, 21, 22, 30, 31, 32}));
}

TEST(TypedArrayItems, IndicesOutsideTheArrayAreRefused) {
    TIntegerArray a(MakeIntPair(3, 4));
    // (3, 0) would land on storage position 3, inside the block, but it is not an element.
    EXPECT_THROW(a.Items(3, 0), EListIndexError);
    EXPECT_THROW(a.Items(-1, 1), EListIndexError);
    EXPECT_THROW(a.Items(0, 4), EListIndexError);
    EXPECT_THROW(a.ItemAt(12), EListIndexError);
    EXPECT_THROW(a.ItemAt(-1), EListIndexError);
    EXPECT_THROW(a.MoveTo(MakeIntPair(0, 4)), EListIndexError);
}

TEST(TypedArrayCursor, MoveToAndCursorIndexAgree) {
    TIntegerArray a = Numbered(MakeIntPair(3, 4));
    a.MoveTo(MakeIntPair(1, 2));
    EXPECT_EQ(a.CursorPosition(), 7);
    EXPECT_TRUE(SamePair(a.CursorIndex(), MakeIntPair(1, 2)));
    EXPECT_EQ(a.Current(), 7);
    a.Current() = -4;
    EXPECT_EQ(a.Items(1, 2), -4);
    a.Next();
    EXPECT_TRUE(SamePair(a.CursorIndex(), MakeIntPair(2, 2)));
    a.Next();
    EXPECT_TRUE(SamePair(a.CursorIndex(), MakeIntPair(0, 3)));
}

TEST(TypedArrayCursor, NextStopsOnePastTheLastElement) {
    TBooleanArray a(MakeIntPair(2, 1));
    a.First();
    a.Next();
    a.Next();
    a.Next();
    EXPECT_EQ(a.CursorPosition(), 2);
    EXPECT_THROW(a.Current(), EListIndexError);
    a.First();
    EXPECT_NO_THROW(a.Current() = true);
    EXPECT_TRUE(a.Items(0, 0));
}

TEST(TypedArrayCursor, EmptyArrayHasNoCurrentElement) {
    TDoubleArray a(MakeIntPair(0, 3));
    a.First();
    EXPECT_THROW(a.Current(), EListIndexError);
    EXPECT_THROW(a.CursorIndex(), EFloatingPointError);
}

TEST(TypedArrayResize, SameSizesKeepElementsAndCursor) {
    TIntegerArray a = Numbered(MakeIntPair(3, 4));
    a.MoveTo(MakeIntPair(2, 1));
    a.Resize(MakeIntPair(3, 4));
    EXPECT_EQ(a.CursorPosition(), 5);
    for (std::int32_t k = 0; k < 12; ++k) EXPECT_EQ(a.ItemAt(k), k);
}

TEST(TypedArrayResize, KeepsLeadingElementsWithoutMovingThem) {
    TIntegerArray a = Numbered(MakeIntPair(3, 4));
    a.MoveTo(MakeIntPair(2, 3));
    a.Resize(MakeIntPair(2, 4));
    EXPECT_EQ(a.Count(), 8);
    EXPECT_EQ(a.CursorPosition(), 0);
    for (std::int32_t k = 0; k < 8; ++k) EXPECT_EQ(a.ItemAt(k), k);
    EXPECT_EQ(a.Items(0, 1), 2);  // was (2, 0)

    a.Resize(MakeIntPair(5, 3));
    for (std::int32_t k = 0; k < 8; ++k) EXPECT_EQ(a.ItemAt(k), k);
    for (std::int32_t k = 8; k < 15; ++k) EXPECT_EQ(a.ItemAt(k), 0);
}

TEST(TypedArrayResize, GrowingFromEmptyAndRefusedSizesLeaveNoGarbage) {
    TDoubleArray a;
    a.Resize(MakeIntPair(2, 2));
    for (std::int32_t k = 0; k < 4; ++k) EXPECT_EQ(a.ItemAt(k), 0.0);
    a.Fill(1.5);
    EXPECT_THROW(a.Resize(MakeIntPair(-2, 2)), EArraySizeError);
    EXPECT_TRUE(SamePair(a.Sizes(), MakeIntPair(2, 2)));
    for (std::int32_t k = 0; k < 4; ++k) EXPECT_EQ(a.ItemAt(k), 1.5);
}

TEST(TypedArrayMove, MovedFromArrayIsEmptyAndSafe) {
    TIntegerArray a = Numbered(MakeIntPair(2, 2));
    TIntegerArray b(std::move(a));
    EXPECT_EQ(b.Items(1, 1), 3);
    EXPECT_EQ(a.Count(), 0);  // NOLINT(bugprone-use-after-move): the moved-from state is specified
    EXPECT_THROW(a.Current(), EListIndexError);
    EXPECT_EQ(TextOf(a), std::string(kHeaderStart) + "0\r\n0\r\nType\r\nI4\r\nData\r\n");
}

TEST(DoubleArrayNeighbours, OrderIsNextPreviousAlongIThenAlongJThenItself) {
    TDoubleArray a(MakeIntPair(3, 4));
    a.MoveTo(MakeIntPair(1, 2));
    EXPECT_EQ(a.Neighbours(), (std::array<std::int64_t, 5>{8, 6, 10, 4, 7}));
    // Row before and element before, as the classification pass reaches them.
    a.ItemAt(a.Neighbours()[3]) = 2.0;
    EXPECT_EQ(a.Items(1, 1), 2.0);
}

TEST(DoubleArrayNeighbours, AtTheFirstElementPositionsFallOutsideWithoutHarm) {
    TDoubleArray a(MakeIntPair(3, 4));
    a.First();
    const auto n = a.Neighbours();
    EXPECT_EQ(n, (std::array<std::int64_t, 5>{1, -1, 3, -3, 0}));
    EXPECT_THROW(a.ItemAt(n[1]), EListIndexError);
    a.MoveTo(MakeIntPair(2, 3));
    EXPECT_EQ(a.Neighbours()[0], 12);
    EXPECT_EQ(a.Neighbours()[2], 14);
}

TEST(TypedArrayText, BooleansWriteOneAndZero) {
    TBooleanArray a(MakeIntPair(2, 1));
    a.Items(0, 0) = true;
    EXPECT_EQ(TextOf(a), "ASC\r\nDimensions\r\n2\r\nSizes\r\n2\r\n1\r\nType\r\nB1\r\nData\r\n1\r\n0\r\n");
}

TEST(TypedArrayText, DoublesWriteTwoDecimals) {
    TDoubleArray a(MakeIntPair(2, 3));
    const double values[] = {0.126, -3.0, 0.0, 1.005e6, 0.994, -0.125};
    for (std::int32_t k = 0; k < 6; ++k) a.ItemAt(k) = values[k];
    EXPECT_EQ(TextOf(a), std::string(kHeaderStart) +
                             "2\r\n3\r\nType\r\nR8\r\nData\r\n"
                             "0.13\r\n-3.00\r\n0.00\r\n1005000.00\r\n0.99\r\n-0.13\r\n");
}

TEST(TypedArrayText, WholeAndNearlyWholeDoubles) {
    TDoubleArray a(MakeIntPair(6, 1));
    const double values[] = {1.0, -0.0, 0.999999, -1.0, 0.004, 1e-300};
    for (std::int32_t k = 0; k < 6; ++k) a.ItemAt(k) = values[k];
    EXPECT_EQ(TextOf(a), std::string(kHeaderStart) +
                             "6\r\n1\r\nType\r\nR8\r\nData\r\n"
                             "1.00\r\n0.00\r\n1.00\r\n-1.00\r\n0.00\r\n0.00\r\n");
}

// Runs of equal elements are written eight lines at a time: long arrays of runs of every length
// around eight, across the block boundaries, give the lines one by one.
template <typename Array, typename Value>
void ExpectRunsWrittenLineByLine(const std::vector<Value>& values, std::string (*line)(Value)) {
    std::mt19937 engine(3);
    Array a(MakeIntPair(997, 131));  // not a multiple of eight
    std::string expected = std::string(kHeaderStart) + "997\r\n131\r\nType\r\n" + Array::TypeTag() + "\r\nData\r\n";
    for (std::int32_t k = 0; k < a.Count();) {
        const Value v = values[engine() % values.size()];
        const std::int32_t length = std::min<std::int32_t>(static_cast<std::int32_t>(engine() % 20) + 1, a.Count() - k);
        for (std::int32_t n = 0; n < length; ++n, ++k) {
            a.ItemAt(k) = v;
            expected += line(v) + "\r\n";
        }
    }
    const std::string text = TextOf(a);
    ASSERT_EQ(text.size(), expected.size());
    EXPECT_TRUE(text == expected);
}

TEST(TypedArrayText, RunsOfEqualElementsGiveTheSameLines) {
    ExpectRunsWrittenLineByLine<TDoubleArray, double>(
        {0.0, -0.0, 1.0, 0.5, -1.0, 0.125, 1e20, 123456.789, 0.0049},
        [](double v) { return FormatFixed(v, 2); });
    ExpectRunsWrittenLineByLine<TBooleanArray, bool>({false, true},
                                                     [](bool v) { return std::string(v ? "1" : "0"); });
    ExpectRunsWrittenLineByLine<TIntegerArray, std::int32_t>(
        {1, 2, 7, 10, -3, std::numeric_limits<std::int32_t>::min()},
        [](std::int32_t v) { return std::to_string(v); });
}

TEST(TypedArrayText, IntegersWritePlainDecimals) {
    TIntegerArray a(MakeIntPair(1, 4));
    a.Items(0, 0) = 1;
    a.Items(0, 1) = -25;
    a.Items(0, 3) = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(TextOf(a), std::string(kHeaderStart) +
                             "1\r\n4\r\nType\r\nI4\r\nData\r\n1\r\n-25\r\n0\r\n-2147483648\r\n");
}

TEST(TypedArrayText, NoElementsWritesOnlyTheHeader) {
    EXPECT_EQ(TextOf(TDoubleArray(MakeIntPair(0, 3))),
              std::string(kHeaderStart) + "0\r\n3\r\nType\r\nR8\r\nData\r\n");
    EXPECT_EQ(TextOf(TIntegerArray(MakeIntPair(4, 0))),
              std::string(kHeaderStart) + "4\r\n0\r\nType\r\nI4\r\nData\r\n");
}

TEST(TypedArrayText, NonFiniteDoubleIsAnErrorNotText) {
    TDoubleArray a(MakeIntPair(1, 1));
    a.Fill(std::nan(""));
    StringTextWriter w;
    EXPECT_THROW(a.WriteText(w), EFloatingPointError);
}

TEST(TypedArrayText, LargeArrayLosesNoLineAcrossBlocks) {
    TDoubleArray a(MakeIntPair(200, 150));
    a.Fill(1.5);
    a.Items(199, 149) = -2.25;
    const std::string text = TextOf(a);
    const std::string header = std::string(kHeaderStart) + "200\r\n150\r\nType\r\nR8\r\nData\r\n";
    ASSERT_EQ(text.size(), header.size() + 29999 * 6 + 7);
    EXPECT_EQ(text.substr(0, header.size() + 6), header + "1.50\r\n");
    EXPECT_EQ(text.substr(text.size() - 13), "1.50\r\n-2.25\r\n");
    EXPECT_EQ(text.find("1.50\r\n1.50\r\n", header.size()), header.size());
    std::size_t lines = 0;
    for (char c : text) lines += c == '\n';
    EXPECT_EQ(lines, 9u + 30000u);
}

TEST(TypedArrayReshape, TakesTheSizesAndKeepsLargeEnoughStorage) {
    TIntegerArray a = Numbered(MakeIntPair(4, 3));
    a.MoveTo(MakeIntPair(1, 1));
    const std::int32_t* block = a.Data();
    a.Reshape(MakeIntPair(2, 5));  // 10 of the 12 elements there are
    EXPECT_EQ(a.Sizes().N0(), 2);
    EXPECT_EQ(a.Sizes().N1(), 5);
    EXPECT_EQ(a.CursorPosition(), 0);
    EXPECT_EQ(a.Data(), block);
    EXPECT_THROW(a.Items(2, 0), EListIndexError);
    a.Reshape(MakeIntPair(5, 5));
    EXPECT_EQ(a.Count(), 25);
    a.Fill(7);
    EXPECT_EQ(a.Items(4, 4), 7);
    // Back to 12 elements: the block of 25 stays, and so does what a refused size finds.
    a.Reshape(MakeIntPair(3, 4));
    EXPECT_THROW(a.Reshape(MakeIntPair(-1, 4)), EArraySizeError);
    EXPECT_EQ(a.Count(), 12);
    EXPECT_EQ(a.Items(2, 3), 7);
    // A moved array hands over its storage with its room.
    TIntegerArray b = std::move(a);
    b.Reshape(MakeIntPair(5, 5));
    EXPECT_EQ(b.Items(4, 4), 7);
}

TEST(TypedArrayStorage, LargeArraysStartZeroOnALargePageBoundary) {
    TDoubleArray large(MakeIntPair(1000, 700));  // 5.6 MB
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(large.Data()) % (std::uintptr_t{1} << 21), 0u);
    for (std::int32_t k = 0; k < large.Count(); k += 997) ASSERT_EQ(large.ItemAt(k), 0.0) << k;
    EXPECT_EQ(large.ItemAt(large.Count() - 1), 0.0);
    large.ItemAt(large.Count() - 1) = 2.5;
    large.Resize(MakeIntPair(1001, 700));  // copied into a new large block, the rest zero
    EXPECT_EQ(large.ItemAt(1000 * 700 - 1), 2.5);
    EXPECT_EQ(large.ItemAt(large.Count() - 1), 0.0);
    TIntegerArray reshaped;
    reshaped.Reshape(MakeIntPair(2000, 600));
    reshaped.Fill(-4);
    EXPECT_EQ(reshaped.Items(1999, 599), -4);
}

TEST(TypedArrayText, PartsPutTogetherGiveTheWholeText) {
    TDoubleArray a(MakeIntPair(37, 29));
    std::mt19937 random(7);
    for (std::int32_t k = 0; k < a.Count(); ++k) a.ItemAt(k) = random() % 3 == 0 ? 1.0 : (random() % 200) / 64.0;
    const std::string whole = TextOf(a);
    // Cut at every kind of place: inside runs, at their edges, into single elements.
    for (std::int64_t step : {1, 5, 8, 13, 64, 1073, 5000}) {
        TTextBlock parts;
        a.AppendTextHeader(parts);
        for (std::int64_t first = 0; first < a.Count(); first += step)
            a.AppendTextLines(parts, first, std::min<std::int64_t>(a.Count(), first + step));
        EXPECT_TRUE(parts.View() == whole) << "pieces of " << step;
    }
    TTextBlock none;
    a.AppendTextLines(none, 3, 3);
    EXPECT_EQ(none.Size(), 0u);
    EXPECT_THROW(a.AppendTextLines(none, 0, a.Count() + 1), EListIndexError);
}

template <typename Array>
Array ReadBack(const std::string& text) {
    TextReader reader(text, "matrix.txt");
    Array a;
    a.ReadText(reader);
    return a;
}

// The message of the EInOutError that reading the text raises, or "" when it reads.
template <typename Array>
std::string ReadFailure(const std::string& text) {
    try {
        ReadBack<Array>(text);
    } catch (const EInOutError& e) {
        return e.what();
    }
    return "";
}

TEST(TypedArrayReadText, ReadsWhatEachTypeWrites) {
    TIntegerArray integers = Numbered(MakeIntPair(3, 4));
    integers.Items(2, 3) = std::numeric_limits<std::int32_t>::min();
    const TIntegerArray i = ReadBack<TIntegerArray>(TextOf(integers));
    EXPECT_EQ(TextOf(i), TextOf(integers));
    EXPECT_EQ(i.Items(1, 2), 7);

    TBooleanArray booleans(MakeIntPair(2, 1));
    booleans.Items(1, 0) = true;
    EXPECT_TRUE(ReadBack<TBooleanArray>(TextOf(booleans)).Items(1, 0));

    // A real keeps the two decimals of its text; blank lines and blanks around items are allowed.
    TDoubleArray reals = ReadBack<TDoubleArray>(std::string(kHeaderStart) +
                                                "2\r\n1\r\n\r\n Type \r\nR8\nData\n  0.126  \n-3\n");
    EXPECT_EQ(reals.Items(0, 0), 0.126);
    EXPECT_EQ(TextOf(ReadBack<TDoubleArray>(TextOf(reals))), TextOf(reals));
    EXPECT_EQ(ReadBack<TDoubleArray>(std::string(kHeaderStart) + "0\r\n7\r\nType\r\nR8\r\nData\r\n").Count(), 0);
}

TEST(TypedArrayReadText, RefusesAnotherHeaderOrElementNamingTheLine) {
    const std::string reals = std::string(kHeaderStart) + "1\r\n2\r\nType\r\nR8\r\nData\r\n0.5\r\n";
    EXPECT_EQ(ReadFailure<TDoubleArray>(reals + "1.5\r\n"), "");
    EXPECT_NE(ReadFailure<TIntegerArray>(reals + "1\r\n").find("\"I4\""), std::string::npos);
    EXPECT_NE(ReadFailure<TDoubleArray>(reals).find("Fin de archivo inesperado"), std::string::npos);
    EXPECT_NE(ReadFailure<TDoubleArray>(reals + "x\r\n").find("línea 11"), std::string::npos);
    EXPECT_NE(ReadFailure<TDoubleArray>("ASC\r\nDimensions\r\n3\r\n").find("línea 3"), std::string::npos);
    const std::string booleans = std::string(kHeaderStart) + "1\r\n1\r\nType\r\nB1\r\nData\r\n";
    EXPECT_NE(ReadFailure<TBooleanArray>(booleans + "2\r\n").find("0 o 1"), std::string::npos);

    // A failed read leaves the array as it was.
    TIntegerArray a = Numbered(MakeIntPair(2, 2));
    TextReader reader(std::string(kHeaderStart) + "1\r\n1\r\nType\r\nI4\r\nData\r\n", "m");
    EXPECT_THROW(a.ReadText(reader), EInOutError);
    EXPECT_TRUE(SamePair(a.Sizes(), MakeIntPair(2, 2)));
    EXPECT_EQ(a.Items(1, 1), 3);
}

TEST(TypedArrayReadText, SizesAreOnlyAClaimOfTheText) {
    // Negative or beyond 2^31 − 1 elements: refused on the line of the sizes.
    const auto sized = [](const char* n0, const char* n1) {
        return std::string(kHeaderStart) + n0 + "\r\n" + n1 + "\r\nType\r\nR8\r\nData\r\n0\r\n";
    };
    EXPECT_NE(ReadFailure<TDoubleArray>(sized("-1", "2")).find("línea 5"), std::string::npos);
    EXPECT_NE(ReadFailure<TDoubleArray>(sized("65536", "65536")).find("línea 6"), std::string::npos);
    // Two thousand million elements claimed, one given: the text ends, nothing is allocated ahead.
    EXPECT_NE(ReadFailure<TDoubleArray>(sized("46340", "46340")).find("Fin de archivo inesperado"), std::string::npos);
}

}  // namespace
}  // namespace nerim
