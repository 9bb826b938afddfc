#include <gtest/gtest.h>

#include <string>

#include "app/configuration.h"
#include "support/format.h"
#include "support/internacionalization.h"
#include "support/paths.h"
#include "support/process.h"
#include "support/string_table.h"
#include "tests/common/temp_dir.h"

namespace nerim {
namespace {

using nerim::testing::TempDir;
using nerim::testing::WriteBytes;

constexpr const char* kDir = "/opt/nerim";

// The configuration read from a file holding bytes, in the program directory kDir.
TConfiguration Read(const std::string& bytes) {
    TempDir dir;
    WriteBytes(dir / kConfigurationFileName, bytes);
    return TConfiguration((dir / kConfigurationFileName).string(), kDir);
}

TEST(Configuration, DefaultsWithoutFileSectionOrKey) {
    TempDir dir;
    const TConfiguration absent((dir / kConfigurationFileName).string(), kDir);
    EXPECT_EQ(absent.StringsFile(), "/opt/nerim/Strings_es.dat");
    EXPECT_EQ(absent.UIStringsFile(), "/opt/nerim/Translation_es.dat");

    const TConfiguration trailing((dir / kConfigurationFileName).string(), "/opt/nerim/");
    EXPECT_EQ(trailing.StringsFile(), "/opt/nerim/Strings_es.dat");

    for (const char* text : {"", "Strings=x.dat\r\n", "[OTHER]\r\nStrings=x.dat\r\n", "[GENERAL]\r\nStringsFile=x\r\n",
                             "[GENERAL\r\nStrings=x.dat\r\n"}) {
        const TConfiguration c = Read(text);
        EXPECT_EQ(c.StringsFile(), "/opt/nerim/Strings_es.dat") << text;
        EXPECT_EQ(c.UIStringsFile(), "/opt/nerim/Translation_es.dat") << text;
    }
}

TEST(Configuration, OnlyTheGivenKeyChanges) {
    const TConfiguration c = Read("[GENERAL]\r\nUIStrings=Translation.dat\r\n");
    EXPECT_EQ(c.StringsFile(), "/opt/nerim/Strings_es.dat");
    EXPECT_EQ(c.UIStringsFile(), "/opt/nerim/Translation.dat");
}

TEST(Configuration, NamesIgnoreCaseAndValuesLoseSurroundingBlanks) {
    const TConfiguration c = Read("[general]\r\n  sTrInGs \t=  \tStrings en.dat \t \r\nUISTRINGS=ui.xml\r\n");
    EXPECT_EQ(c.StringsFile(), "/opt/nerim/Strings en.dat");
    EXPECT_EQ(c.UIStringsFile(), "/opt/nerim/ui.xml");
    EXPECT_EQ(Read("[ General ]\nStrings=a.dat\n").StringsFile(), "/opt/nerim/a.dat");
}

TEST(Configuration, ValueIsAlwaysInsideTheProgramDirectory) {
    const TConfiguration c = Read("[GENERAL]\r\nStrings=/etc/passwd\r\nUIStrings=..\\x.dat\r\n");
    EXPECT_EQ(c.StringsFile(), "/opt/nerim//etc/passwd");
    EXPECT_EQ(c.UIStringsFile(), "/opt/nerim/..\\x.dat");
}

TEST(Configuration, LineLayoutsTheParserWouldMisread) {
    // An indented line is a key of its own, not the continuation of the previous value.
    TConfiguration c = Read("[GENERAL]\r\nUIStrings=ui.dat\r\n    Strings=s.dat\r\n");
    EXPECT_EQ(c.StringsFile(), "/opt/nerim/s.dat");
    EXPECT_EQ(c.UIStringsFile(), "/opt/nerim/ui.dat");

    // A key given twice, also in a repeated section, keeps its first value.
    c = Read("[GENERAL]\r\nStrings=first.dat\r\nStrings=second.dat\r\n[X]\r\n[GENERAL]\r\nUIStrings=u.dat\r\n"
             "Strings=third.dat\r\n");
    EXPECT_EQ(c.StringsFile(), "/opt/nerim/first.dat");
    EXPECT_EQ(c.UIStringsFile(), "/opt/nerim/u.dat");

    // Long lines are neither cut nor split, comments are whole lines, a ";" inside a value stays.
    const std::string longName(300, 'n');
    c = Read("[GENERAL]\r\n;" + std::string(198, 'c') + "UIStrings=evil.dat\r\nStrings= " + longName + " \r\n"
             "UIStrings=a ;b.dat\r\n");
    EXPECT_EQ(c.StringsFile(), "/opt/nerim/" + longName);
    EXPECT_EQ(c.UIStringsFile(), "/opt/nerim/a ;b.dat");

    // Lone CR line ends.
    c = Read("[GENERAL]\rStrings=cr.dat\rUIStrings=u.dat\r");
    EXPECT_EQ(c.StringsFile(), "/opt/nerim/cr.dat");
    EXPECT_EQ(c.UIStringsFile(), "/opt/nerim/u.dat");
}

TEST(Configuration, ValuesAreWindows1252UnlessMarkedUtf8) {
    EXPECT_EQ(Read("[GENERAL]\r\nStrings=Cadenas_espa\xF1ol.dat\r\n").StringsFile(), "/opt/nerim/Cadenas_español.dat");
    EXPECT_EQ(Read("\xEF\xBB\xBF[GENERAL]\r\nStrings=Cadenas_español.dat\r\n").StringsFile(),
              "/opt/nerim/Cadenas_español.dat");
}

// The configuration and strings file built beside this test program load as at start-up and give
// the formats their callers fill.
TEST(ShippedData, ConfigurationAndStringsFileFillTheStringTable) {
    const std::string directory = ProgramDirectory();
    const TConfiguration config(JoinPath(directory, kConfigurationFileName));
    EXPECT_EQ(config.StringsFile(), JoinPath(directory, "Strings_es.dat"));
    EXPECT_EQ(config.UIStringsFile(), JoinPath(directory, "Translation_es.dat"));

    TInternacionalization intl;
    intl.LoadStringTable(config.StringsFile());
    EXPECT_EQ(intl.StringsLanguageName(), "Español");
    const std::string counts = Format(StringTableEntry(1), {3LL, 4LL});
    EXPECT_NE(counts.find('3'), std::string::npos);
    EXPECT_LT(counts.find('3'), counts.find('4'));
    const std::string obstacle = Format(StringTableEntry(3), {7LL});
    EXPECT_NE(obstacle.find("Obstáculo"), std::string::npos);
    for (int i = 2; i <= 4; ++i) {
        const std::string name = Format(StringTableEntry(i), {12LL});
        EXPECT_NE(name.find("12"), std::string::npos) << i;
        EXPECT_EQ(name.find("****"), std::string::npos) << i;
    }
    // The window's own messages follow (entries 5 to 38); the rest are not in use.
    for (int i = 5; i <= 38; ++i) EXPECT_NE(StringTableEntry(i), kMissingString) << i;
    EXPECT_EQ(StringTableEntry(21), "es");
    EXPECT_EQ(StringTableEntry(39), kMissingString);
}

}  // namespace
}  // namespace nerim
