#include <gtest/gtest.h>

#include <string>

#include "support/internacionalization.h"
#include "support/paths.h"
#include "support/string_table.h"
#include "tests/common/temp_dir.h"

namespace nerim {
namespace {

using nerim::testing::TempDir;
using nerim::testing::WriteBytes;

// Writes bytes to a file of the temporary directory and returns its path.
std::string Write(const TempDir& dir, const std::string& name, const std::string& bytes) {
    const auto path = dir / name;
    WriteBytes(path, bytes);
    return path.string();
}

// Loads a file and returns the reason of the failure it must cause; the message is the general one.
std::string LoadFailure(TInternacionalization& intl, const std::string& file, const std::string& program = "",
                        const std::string& language = "", bool clear = false) {
    try {
        intl.LoadStrings(file, program, language, clear);
    } catch (const EInternacionalizationError& e) {
        EXPECT_EQ(std::string(e.what()), kInternacionalizationErrorMessage);
        return e.Reason();
    }
    ADD_FAILURE() << "loading " << file << " did not fail";
    return {};
}

TEST(PathHelpers, JoinWithExactlyOneSeparator) {
    EXPECT_EQ(JoinPath("/opt/nerim", "Strings_es.dat"), "/opt/nerim/Strings_es.dat");
    EXPECT_EQ(JoinPath("/opt/nerim/", "Strings_es.dat"), "/opt/nerim/Strings_es.dat");
    EXPECT_EQ(JoinPath("/", "x"), "/x");
    // An empty directory must not turn a name into a path from the root.
    EXPECT_EQ(JoinPath("", "x.dat"), "x.dat");
}

TEST(PathHelpers, ExtensionIsTakenAfterTheLastSeparator) {
    EXPECT_EQ(ExtractFileExt("/a/Strings_es.dat"), ".dat");
    EXPECT_EQ(ExtractFileExt("/a/b.c/Strings"), "");
    EXPECT_EQ(ExtractFileExt("/a/strings.es.XML"), ".XML");
    EXPECT_EQ(ExtractFileExt("/a/.ini"), ".ini");
    EXPECT_EQ(ExtractFileExt("/a/name."), ".");
}

TEST(StringsTextFile, TrimsSplitsAtFirstEqualsAndStripsQuotes) {
    TempDir dir;
    const auto file = Write(dir, "s.dat",
                            "English\r\n"
                            "  STR1 =  Count: %d  \r\n"
                            "STR2=\"  quoted, blanks kept  \"\r\n"
                            "STR3=He said \"no\" twice\r\n"
                            "STR4=\r\n"
                            "STR5=a=b=c\r\n"
                            "a line without equals sign\r\n"
                            "STR6=\"open only\r\n"
                            "STR7=close only\"\r\n"
                            "STR8=\"\r\n"
                            "STR9=one\\ntwo\\n\r\n"
                            "STR10=\"\\n\"\r\n");
    TInternacionalization intl;
    intl.LoadStrings(file, "", "", true);
    EXPECT_EQ(intl.StringsLanguageName(), "English");
    EXPECT_EQ(intl.Strings().size(), 10u);
    EXPECT_EQ(intl.GetString("STR1"), "Count: %d");
    EXPECT_EQ(intl.GetString("STR2"), "  quoted, blanks kept  ");
    EXPECT_EQ(intl.GetString("STR3"), "He said \"no\" twice");
    EXPECT_EQ(intl.GetString("STR4"), "");
    EXPECT_EQ(intl.GetString("STR5"), "a=b=c");
    EXPECT_EQ(intl.GetString("STR6"), "open only");
    EXPECT_EQ(intl.GetString("STR7"), "close only");
    EXPECT_EQ(intl.GetString("STR8"), "");
    EXPECT_EQ(intl.GetString("STR9"), "one\r\ntwo\r\n");
    EXPECT_EQ(intl.GetString("STR10"), "\r\n");
}

TEST(StringsTextFile, FirstTextOfAKeyWinsWhateverTheLetterCase) {
    TempDir dir;
    const auto file = Write(dir, "s.dat", "L\r\nSTR1=first\r\nSTR1=second\r\nstr1=third\r\nAbc=x\r\n");
    TInternacionalization intl;
    intl.LoadStrings(file, "", "", true);
    EXPECT_EQ(intl.Strings().size(), 2u);
    EXPECT_EQ(intl.GetString("Str1"), "first");
    EXPECT_EQ(intl.GetString("ABC"), "x");
    EXPECT_EQ(intl.GetString("STR2"), kMissingString);
    EXPECT_EQ(intl.GetString(""), kMissingString);

    // A later file without clearing adds only keys that are new.
    const auto more = Write(dir, "more.DAT", "M\nSTR1=other\nSTR2=new\n");
    intl.LoadStrings(more, "", "", false);
    EXPECT_EQ(intl.GetString("STR1"), "first");
    EXPECT_EQ(intl.GetString("STR2"), "new");
    EXPECT_EQ(intl.StringsLanguageName(), "M");
}

TEST(StringsTextFile, LineEndsAndCodePage) {
    TempDir dir;
    TInternacionalization intl;
    for (const char* end : {"\r\n", "\n", "\r"}) {
        const std::string e = end;
        const auto file = Write(dir, "s.ini", "Espa\xF1ol" + e + "STR3=Obst\xE1""culo N\xBA %d" + e + "STR4=\x80 \x93x\x94");
        intl.LoadStrings(file, "", "", true);
        EXPECT_EQ(intl.StringsLanguageName(), "Español");
        EXPECT_EQ(intl.GetString("STR3"), "Obstáculo Nº %d");
        EXPECT_EQ(intl.GetString("STR4"), "€ “x”");
    }
    // An empty file loads as no language and no entries.
    intl.LoadStrings(Write(dir, "empty.dat", ""), "", "", true);
    EXPECT_EQ(intl.StringsLanguageName(), "");
    EXPECT_TRUE(intl.Strings().empty());
}

TEST(StringsFile, FailuresGiveTheGeneralMessageAndKeepEarlierEntries) {
    TempDir dir;
    const auto good = Write(dir, "good.Dat", "L\r\nSTR1=kept\r\n");
    TInternacionalization intl;
    intl.LoadStrings(good, "", "", true);

    const auto wrong = Write(dir, "s.txt", "L\r\nSTR2=never\r\n");
    EXPECT_EQ(LoadFailure(intl, wrong), "Tipo de archivo no reconocido/Unrecognized file type");
    EXPECT_EQ(intl.GetString("STR1"), "kept");
    EXPECT_EQ(intl.GetString("STR2"), kMissingString);

    EXPECT_NE(LoadFailure(intl, (dir / "absent.dat").string()), "");
    EXPECT_EQ(intl.GetString("STR1"), "kept");

    // With clear set the strings are emptied before the failure.
    LoadFailure(intl, wrong, "", "", true);
    EXPECT_TRUE(intl.Strings().empty());
    EXPECT_EQ(intl.GetString("STR1"), kMissingString);
}

TEST(StringsXmlFile, SelectsProgramAndLanguageByNameOrFirst) {
    TempDir dir;
    const auto file = Write(dir, "s.Xml",
                            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<!-- strings of two programs -->\n"
                            "<Other><es><STR1 Str=\"otro\"/></es></Other>\n"
                            "<Nerim>\n"
                            "  <es><STR1 Str=\"Subzonas: %d\"/><STR2 Str='\"Poroso %d\"'/><STR1 Str=\"dup\"/></es>\n"
                            "  <en>stray text<STR1 Str=\"Sub-zones:\\n%d\"/><STR3/></en>\n"
                            "</Nerim>\n");
    TInternacionalization intl;
    intl.LoadStrings(file, "Nerim", "en", true);
    EXPECT_EQ(intl.Strings().size(), 2u);
    EXPECT_EQ(intl.GetString("STR1"), "Sub-zones:\r\n%d");
    EXPECT_EQ(intl.GetString("STR3"), "");

    intl.LoadStrings(file, "Nerim", "", true);
    EXPECT_EQ(intl.GetString("STR1"), "Subzonas: %d");
    EXPECT_EQ(intl.GetString("STR2"), "Poroso %d");

    intl.LoadStrings(file, "", "", true);
    EXPECT_EQ(intl.GetString("STR1"), "otro");
    EXPECT_EQ(intl.StringsLanguageName(), "");

    EXPECT_EQ(LoadFailure(intl, file, "Missing", "es"),
              "No existe lista de cadenas para el programa - There is no string list for the program");
    EXPECT_EQ(LoadFailure(intl, file, "Nerim", "fr"),
              "No existe el idioma seleccionado - Specified language not in the list");
    EXPECT_EQ(intl.GetString("STR1"), "otro");
    LoadFailure(intl, Write(dir, "broken.xml", "<Nerim><es><STR1 Str=\"x\"></es>"));
    LoadFailure(intl, Write(dir, "empty.xml", ""));
}

TEST(StringsXmlFile, ReadsADocumentDeclaredInWindows1252) {
    TempDir dir;
    const auto file = Write(dir, "s.xml",
                            "<?xml version=\"1.0\" encoding=\"windows-1252\"?>"
                            "<Nerim><es><STR3 Str=\"Obst\xE1""culo %d \x80\"/></es></Nerim>");
    TInternacionalization intl;
    intl.LoadStrings(file, "", "", true);
    EXPECT_EQ(intl.GetString("STR3"), "Obstáculo %d €");
}

TEST(StringTable, FilledFromStrStringsAndKeptWhenLoadingFails) {
    TempDir dir;
    TInternacionalization intl;
    intl.LoadStringTable(Write(dir, "none.dat", "L\r\nOTHER=1\r\n"));
    for (int i = 1; i <= kStringTableSize; ++i) ASSERT_EQ(StringTableEntry(i), kMissingString) << i;

    intl.LoadStringTable(Write(dir, "some.dat", "L\r\nSTR1=one\r\nstr200=last\r\nSTR201=beyond\r\n"));
    EXPECT_EQ(StringTableEntry(1), "one");
    EXPECT_EQ(StringTableEntry(2), kMissingString);
    EXPECT_EQ(StringTableEntry(200), "last");

    EXPECT_THROW(intl.LoadStringTable((dir / "absent.dat").string()), EInternacionalizationError);
    EXPECT_EQ(StringTableEntry(1), "one");
}

}  // namespace
}  // namespace nerim
