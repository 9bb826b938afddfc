#include "support/readable_text.h"

#include <gtest/gtest.h>

#include <string>

#include "support/exception.h"
#include "support/text_reader.h"

namespace nerim {
namespace {

using namespace std::string_literals;

TEST(ReadableBytes, ControlAndUndefinedBytesAreEscapedTextIsConverted) {
    EXPECT_EQ(ReadableBytes("\0\x01"s "abc\x1A\x7F"s), "\\x00\\x01abc\\x1A\\x7F");
    EXPECT_EQ(ReadableBytes("a\tb\r\nc"), "a\\x09b\\x0D\\x0Ac");
    // The five bytes Windows-1252 leaves undefined; the others are its characters.
    EXPECT_EQ(ReadableBytes("\x81\x8D\x8F\x90\x9D"), "\\x81\\x8D\\x8F\\x90\\x9D");
    EXPECT_EQ(ReadableBytes("Obst\xE1" "culo \x80"), "Obstáculo €");
    EXPECT_EQ(ReadableBytes(""), "");
}

TEST(ReadableBytes, LongTextsShowTheirStartAndSaySoButNothingIsCutInside) {
    const std::string token(300, 'x');
    EXPECT_EQ(ReadableBytes(token), std::string(kReadableTokenBytes, 'x') + "…");
    EXPECT_EQ(ReadableBytes(std::string(kReadableTokenBytes, 'y')), std::string(kReadableTokenBytes, 'y'));
    // An escaped byte at the limit is escaped whole.
    EXPECT_EQ(ReadableBytes("ab\x01z", 3), "ab\\x01…");
}

TEST(ReadableText, EscapesControlsAndMalformedSequencesKeepsCharacters) {
    EXPECT_EQ(ReadableText("proyecto\n1.dat"), "proyecto\\x0A1.dat");
    EXPECT_EQ(ReadableText("año/δ/€.dat"), "año/δ/€.dat");
    EXPECT_EQ(ReadableText("bad\xFF\xC3"), "bad\\xFF\\xC3");       // a stray byte, a cut sequence
    EXPECT_EQ(ReadableText("\xC0\xAF"), "\\xC0\\xAF");            // an overlong "/"
    EXPECT_EQ(ReadableText("\xED\xA0\x80"), "\\xED\\xA0\\x80");    // a surrogate
    EXPECT_EQ(ReadableText("c1\xC2\x85."), "c1\\xC2\\x85.");       // a C1 control character
    EXPECT_EQ(QuotedName("a\x1b[31m.dat"), "\"a\\x1B[31m.dat\"");
}

TEST(ReadableText, ReaderMessagesShowBinaryTokensEscapedAndWhole) {
    TextReader reader("10\r\n\0\x01\x1A bin\r\n"s, "pro\nyecto.dat");
    EXPECT_EQ(reader.ReadIntegerLine(), 10);
    try {
        reader.ReadReal();
        FAIL() << "no exception";
    } catch (const EInOutError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Entrada numérica no válida (\"\\x00\\x01\\x1A\") en \"pro\\x0Ayecto.dat\", línea 2");
    }
}

}  // namespace
}  // namespace nerim
