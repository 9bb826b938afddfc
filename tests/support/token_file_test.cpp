#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/token_file.h"
#include "tests/common/temp_dir.h"

namespace nerim {
namespace {

using nerim::testing::ReadBytes;
using nerim::testing::TempDir;
using nerim::testing::WriteBytes;

// Bytes 'a'..'z' repeated: every position of a long token is recognisable.
std::string Alphabet(std::size_t length) {
    std::string s;
    for (std::size_t k = 0; k < length; ++k) s += static_cast<char>('a' + k % 26);
    return s;
}

TEST(TokenFileReading, SkipsBlanksAndLineEndsBeforeEachInteger) {
    TMemoryTokenFile f(" \r\n 12 7");
    EXPECT_EQ(f.ReadInteger(), 12);
    EXPECT_EQ(f.ReadInteger(), 7);
}

TEST(TokenFileReading, TokensAcrossEveryKindOfLineEnd) {
    TMemoryTokenFile f("one\r\ntwo\nthree\rfour\t\tfive\r\n\r\n");
    for (const char* expected : {"one", "two", "three", "four", "five"}) EXPECT_EQ(f.ReadToken(), expected);
}

TEST(TokenFileReading, TokenMetByTheEndOfTheSourceEndsThere) {
    TMemoryTokenFile f("5 12");
    EXPECT_EQ(f.ReadInteger(), 5);
    EXPECT_EQ(f.ReadToken(), "12");
    EXPECT_EQ(f.Position(), 4u);
    EXPECT_THROW(f.ReadToken(), EFileError);
}

TEST(TokenFileReading, EndBeforeAnyTokenIsAnErrorNotALoop) {
    TMemoryTokenFile blanks(" \r\n\t ");
    EXPECT_THROW(blanks.ReadToken(), EFileError);
    TMemoryTokenFile empty;
    EXPECT_THROW(empty.ReadInteger(), EFileError);
    EXPECT_THROW(empty.ReadChar(), EFileError);
    TMemoryTokenFile trailing("3 \r\n");
    EXPECT_EQ(trailing.ReadInteger(), 3);
    EXPECT_THROW(trailing.ReadInteger(), EFileError);
}

TEST(TokenFileReading, SeparatorsCanBeChanged) {
    TMemoryTokenFile f("a b;c\nd;");
    TByteSet separators;
    separators.set(';');
    f.SetSeparators(separators);
    EXPECT_EQ(f.ReadToken(), "a b");
    EXPECT_EQ(f.ReadToken(), "c\nd");
}

TEST(TokenFileReading, EightBitBytesPassUnchanged) {
    TMemoryTokenFile f(std::string("Obst\xE1""culo \x80 \0", 13));
    EXPECT_EQ(f.ReadToken(), "Obst\xE1""culo");
    EXPECT_EQ(f.ReadToken(), "\x80");
    EXPECT_EQ(f.ReadChar(), '\0');
}

TEST(TokenFileLongTokens, CutAt255CharactersAndThe256thIsDropped) {
    TMemoryTokenFile f(Alphabet(300) + " next");
    const std::string all = Alphabet(300);
    EXPECT_EQ(f.ReadToken(), all.substr(0, 255));
    EXPECT_EQ(f.ReadToken(), all.substr(256));  // from the 257th character
    EXPECT_EQ(f.ReadToken(), "next");
}

TEST(TokenFileLongTokens, ExactlyMaximalTokenLosesNothing) {
    const std::string token = Alphabet(255);
    TMemoryTokenFile f(token + " z");
    EXPECT_EQ(f.ReadToken(), token);
    EXPECT_EQ(f.ReadToken(), "z");

    TMemoryTokenFile atEnd(token);
    EXPECT_EQ(atEnd.ReadToken(), token);
    TMemoryTokenFile cutAtEnd(Alphabet(256));
    EXPECT_EQ(cutAtEnd.ReadToken(), token);
    EXPECT_THROW(cutAtEnd.ReadToken(), EFileError);
}

TEST(TokenFileIntegers, MalformedTokenIsAParseErrorAndIsConsumed) {
    TMemoryTokenFile f("12a 5 x 2147483648");
    try {
        f.ReadInteger();
        FAIL() << "no exception";
    } catch (const EFileParseError& e) {
        EXPECT_STREQ(e.what(), "El token leido no puede interpretarse como entero");
    }
    EXPECT_EQ(f.ReadInteger(), 5);
    EXPECT_THROW(f.ReadInteger(), EFileParseError);
    EXPECT_THROW(f.ReadInteger(), EFileParseError);  // beyond 32 bits
}

TEST(TokenFileIntegers, ByteValueInTextMustLieIn0To255) {
    TMemoryTokenFile f("255 0 256 -1 9");
    EXPECT_EQ(f.ReadByteValue(), 255);
    EXPECT_EQ(f.ReadByteValue(), 0);
    try {
        f.ReadByteValue();
        FAIL() << "no exception";
    } catch (const EFileRangeError& e) {
        EXPECT_STREQ(e.what(), "El entero no está en el rango de BYTE");
    }
    EXPECT_THROW(f.ReadByteValue(), EFileRangeError);
    EXPECT_EQ(f.ReadByteValue(), 9);
}

TEST(TokenFileTextWriting, StringsAndIntegersAreFollowedByTheSeparator) {
    TMemoryTokenFile f;
    f.WriteInteger(-12);
    f.WriteString("TCEPolygon");
    EXPECT_EQ(f.Bytes(), "-12 TCEPolygon ");

    TMemoryTokenFile lines;
    lines.SetSeparator('\n');
    lines.WriteInteger(3);
    lines.WriteString("a");
    EXPECT_EQ(lines.Bytes(), "3\na\n");

    TMemoryTokenFile none;
    none.SetSeparator(0);
    none.WriteInteger(1);
    none.WriteString("b");
    EXPECT_EQ(none.Bytes(), "1b");
}

TEST(TokenFileTextWriting, WrittenValuesReadBack) {
    TMemoryTokenFile f;
    f.WriteInteger(2);
    f.WriteString("TCEPolygon");
    f.WriteInteger(-2147483647 - 1);
    f.WriteString("Poroso\xBA");
    EXPECT_EQ(f.ReadLongInt(), 2);
    EXPECT_EQ(f.ReadString(), "TCEPolygon");
    EXPECT_EQ(f.ReadLongInt(), -2147483647 - 1);
    EXPECT_EQ(f.ReadString(), "Poroso\xBA");
}

TEST(TokenFileBinary, IntegersAreFourBytesLittleEndian) {
    TMemoryTokenFile f;
    f.SetIsText(false);
    f.WriteInteger(0x01020304);
    f.WriteInteger(-2);
    EXPECT_EQ(f.Bytes(), std::string("\x04\x03\x02\x01\xFE\xFF\xFF\xFF", 8));
    EXPECT_EQ(f.ReadLongInt(), 0x01020304);
    EXPECT_EQ(f.ReadLongInt(), -2);
}

TEST(TokenFileBinary, StringsCarryALengthByte) {
    TMemoryTokenFile f;
    f.SetIsText(false);
    f.WriteString("A b");
    f.WriteString("");
    f.WriteString(Alphabet(255));
    EXPECT_EQ(f.Bytes().substr(0, 5), std::string("\x03""A b\x00", 5));
    EXPECT_EQ(f.ReadString(), "A b");  // separators are data in binary mode
    EXPECT_EQ(f.ReadString(), "");
    EXPECT_EQ(f.ReadString(), Alphabet(255));
}

TEST(TokenFileBinary, StringTooLongForItsLengthByteIsRefusedWithoutWriting) {
    TMemoryTokenFile f;
    f.SetIsText(false);
    EXPECT_THROW(f.WriteString(Alphabet(256)), EFileRangeError);
    EXPECT_EQ(f.Bytes(), "");
}

TEST(TokenFileBinary, ByteValuesAreRawAndShortSourcesFail) {
    TMemoryTokenFile f(std::string("\xC8\x01\x02\x03", 4));
    f.SetIsText(false);
    EXPECT_EQ(f.ReadByteValue(), 200);
    EXPECT_THROW(f.ReadLongInt(), EFileError);  // three bytes left of four
    TMemoryTokenFile s(std::string("\x05""ab", 3));
    s.SetIsText(false);
    EXPECT_THROW(s.ReadString(), EFileError);
    TMemoryTokenFile empty;
    empty.SetIsText(false);
    EXPECT_THROW(empty.ReadByteValue(), EFileError);
}

TEST(DiskTokenFile, WritesAndReadsAFile) {
    TempDir dir;
    const auto path = dir / "elements.dat";
    {
        TDiskTokenFile out(path, TDiskTokenFile::faWrite);
        out.WriteInteger(1);
        out.WriteString("TCEPolygon");
        out.Close();
    }
    EXPECT_EQ(ReadBytes(path), "1 TCEPolygon ");
    TDiskTokenFile in(path, TDiskTokenFile::faRead);
    EXPECT_EQ(in.ReadLongInt(), 1);
    EXPECT_EQ(in.ReadString(), "TCEPolygon");
    try {
        in.ReadToken();
        FAIL() << "no exception";
    } catch (const EFileError& e) {
        EXPECT_NE(std::string(e.what()).find("elements.dat"), std::string::npos) << e.what();
    }
}

TEST(DiskTokenFile, MissingFileIsAnErrorNamingIt) {
    TempDir dir;
    try {
        TDiskTokenFile f(dir / "absent.dat", TDiskTokenFile::faRead);
        FAIL() << "no exception";
    } catch (const EFileError& e) {
        EXPECT_NE(std::string(e.what()).find("absent.dat"), std::string::npos) << e.what();
    }
    EXPECT_THROW(TDiskTokenFile(dir / "no-folder" / "x.dat", TDiskTokenFile::faWrite), EFileError);
}

TEST(DiskTokenFile, UnclosedWritingLeavesTheOldFileAndNoLitter) {
    TempDir dir;
    const auto path = dir / "elements.dat";
    WriteBytes(path, "old");
    {
        TDiskTokenFile out(path, TDiskTokenFile::faWrite);
        out.WriteString("new");
    }
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

}  // namespace
}  // namespace nerim
