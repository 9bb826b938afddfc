#include "support/ordered_pieces.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>

#include "support/text_block.h"
#include "support/text_writer.h"

namespace nerim {
namespace {

// Piece k: k lines of its number, so that pieces differ in size.
void MakePiece(std::size_t k, TTextBlock& text) {
    for (std::size_t line = 0; line < k % 7 + 1; ++line) text.Append(std::to_string(k) + "\r\n");
}

std::string Expected(std::size_t count) {
    TTextBlock all;
    for (std::size_t k = 0; k < count; ++k) MakePiece(k, all);
    return std::string(all.View());
}

TEST(OrderedPieces, SameTextWhateverTheThreadCount) {
    for (std::size_t count : {0u, 1u, 2u, 3u, 40u, 500u})
        for (std::int32_t threads : {0, 1, 2, 3, 8}) {
            StringTextWriter out;
            WritePiecesInOrder(out, count, threads, MakePiece);
            EXPECT_EQ(out.Bytes(), Expected(count)) << count << " pieces on " << threads << " threads";
        }
}

TEST(OrderedPieces, AFailingPieceIsRaisedAfterThePiecesBeforeIt) {
    for (std::int32_t threads : {1, 2, 4}) {
        StringTextWriter out;
        std::atomic<std::size_t> formatted{0};
        auto format = [&](std::size_t k, TTextBlock& text) {
            ++formatted;
            if (k == 30) throw std::runtime_error("piece 30");
            MakePiece(k, text);
        };
        try {
            WritePiecesInOrder(out, 1000, threads, format);
            FAIL() << "no exception";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "piece 30");
        }
        EXPECT_EQ(out.Bytes(), Expected(30)) << threads;
        // Only a few pieces are formatted ahead: the rest never are.
        EXPECT_LT(formatted.load(), 60u) << threads;
    }
}

// A sink that fails on its n-th block, as a full disk does.
class FailingWriter final : public TextWriter {
public:
    explicit FailingWriter(int failAt) : left_(failAt) {}

protected:
    void Emit(std::string_view) override {
        if (--left_ == 0) throw std::runtime_error("disk full");
    }

private:
    int left_;
};

TEST(OrderedPieces, AFailingWriterStopsTheHelpers) {
    for (std::int32_t threads : {1, 3}) {
        FailingWriter out(3);
        std::atomic<std::size_t> formatted{0};
        // Pieces larger than the writer's buffer reach the sink one by one.
        auto format = [&](std::size_t, TTextBlock& text) {
            ++formatted;
            text.Append(std::string(1 << 17, 'x'));
        };
        EXPECT_THROW(WritePiecesInOrder(out, 10000, threads, format), std::runtime_error);
        EXPECT_LT(formatted.load(), 20u) << threads;
    }
}

TEST(TextBlock, GrowsKeepingItsTextAndClearsKeepingItsRoom) {
    TTextBlock block;
    block.Append("abc");
    char* out = block.Room(100000);
    for (int k = 0; k < 100000; ++k) out[k] = static_cast<char>('0' + k % 10);
    block.Grow(out + 100000);
    EXPECT_EQ(block.Size(), 100003u);
    EXPECT_EQ(block.View().substr(0, 6), "abc012");
    block.Clear();
    EXPECT_EQ(block.View(), "");
    block.Append("z");
    EXPECT_EQ(block.View(), "z");
}

}  // namespace
}  // namespace nerim
