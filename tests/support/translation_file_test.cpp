// Translation files keep what they hold: the text form its lines, the XML form every node it is
// not asked to change, and both the captions and hints given to them.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/encoding.h"
#include "support/exception.h"
#include "support/internacionalization.h"
#include "support/translation_list.h"
#include "tests/common/temp_dir.h"

namespace nerim {
namespace {

using nerim::testing::ReadBytes;
using nerim::testing::TempDir;
using nerim::testing::WriteBytes;

TEST(TranslationTextFile, SavingKeepsTheLinesOfTheFileAndRewritesOnlyEditedEntries) {
    TempDir dir;
    const auto file = (dir / "Translation.dat").string();
    // Comments, blank lines, a repeated name, blanks around a name, every line end, an undefined
    // code-page byte and no line end at the end.
    const std::string original =
        "; English texts\r\n"
        "\r\n"
        "frmNerim=Nerim\r\n"
        "=no name\r\n"
        "  frmNerim.btnAgua =Water##New\\nobject\n"
        "FRMNERIM.BTNAGUA=repeated, not read\r"
        "frmNerim.lbl=\x81 odd\r\n"
        "frmNerim.last=end";
    WriteBytes(file, original);
    TInternacionalization intl;
    intl.LoadTranslationList(file);
    EXPECT_EQ(intl.TranslationList().Count(), 5u);
    EXPECT_EQ(*intl.TranslationList().Find("frmNerim.btnAgua"), "Water##New\r\nobject");
    const auto saved = (dir / "saved.dat").string();
    intl.SaveTranslationList(saved);
    EXPECT_EQ(ReadBytes(saved), original);

    // An edited entry rewrites its own line, its name as written; a new one goes at the end.
    intl.RecordTranslation("frmNerim.BTNAGUA", "Agua", "Nuevo\r\nobjeto");
    intl.TranslationList().Add("frmNerim.new", "Añadido");
    intl.SaveTranslationList(saved);
    EXPECT_EQ(ReadBytes(saved),
              "; English texts\r\n"
              "\r\n"
              "frmNerim=Nerim\r\n"
              "=no name\r\n"
              "  frmNerim.btnAgua =Agua##Nuevo\\nobjeto\n"
              "FRMNERIM.BTNAGUA=repeated, not read\r"
              "frmNerim.lbl=\x81 odd\r\n"
              "frmNerim.last=end\r\n"
              "frmNerim.new=A\xF1"
              "adido\r\n");
    intl.LoadTranslationList(saved);
    EXPECT_EQ(intl.LookupTranslation("frmNerim.btnAgua").Hint, "Nuevo\r\nobjeto");
}

TEST(TranslationTextFile, RefusesWhatItCannotHoldAndLeavesTheOldFile) {
    TempDir dir;
    const auto file = (dir / "Translation.dat").string();
    WriteBytes(file, "frmNerim.lbl=old\r\n");
    const struct {
        const char* Caption;
        const char* Hint;
        const char* Named;  // what the message must name
    } refused[] = {{"a \xE2\x89\xA4 b", "", "\xE2\x89\xA4"},
                   {"ok", "go \xE2\x86\x92 on", "U+2192"},
                   {"two##parts", "", "##"},
                   {"ends #", "", "##"},
                   {"ok", "not a \\n break", "\"n\""}};
    for (const auto& texts : refused) {
        TInternacionalization intl;
        intl.LoadTranslationList(file);
        intl.RecordTranslation("frmNerim.lbl", texts.Caption, texts.Hint);
        try {
            intl.SaveTranslationList(file);
            ADD_FAILURE() << texts.Caption << " must be refused";
        } catch (const EConvertError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find("frmNerim.lbl"), std::string::npos) << message;
            EXPECT_NE(message.find(texts.Named), std::string::npos) << message;
            EXPECT_NE(message.find("XML"), std::string::npos) << message;
        }
        EXPECT_EQ(ReadBytes(file), "frmNerim.lbl=old\r\n");
    }
}

TEST(TranslationXml, SavingALanguageLeavesEveryOtherByteOfTheFile) {
    TempDir dir;
    const auto file = (dir / "t.xml").string();
    // Another language whose attributes hold a tab and a line break, single quotes, references,
    // comments and a layout of its own; the language saved comes between them.
    const std::string before =
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n"
        "<!-- made by hand -->\n"
        "<Nerim>\n"
        "\t<Espa\xF1ol  x='1'><frmNerim><btnAgua Caption='Agua\tazul' Hint=\"dos\nl\xEDneas &amp; &#8594;\"/>"
        "</frmNerim></Espa\xF1ol>\n"
        "\t<English note=\"kept\">";
    const std::string after =
        "</English>\n"
        "\t<Deutsch/>  <!-- end -->\n"
        "</Nerim>\n"
        "<Other><English><w><c Caption=\"x\"/></w></English></Other>";
    WriteBytes(file, before + "<frmOld><old Caption=\"gone\"/></frmOld>" + after);
    TInternacionalization intl;
    intl.RecordTranslation("frmNerim.btnAgua", "Water", "New water");
    intl.SaveTranslationXml(file, "Nerim", "English");
    const std::string bytes = ReadBytes(file);
    ASSERT_GT(bytes.size(), before.size() + after.size());
    EXPECT_EQ(bytes.substr(0, before.size()), before);
    EXPECT_EQ(bytes.substr(bytes.size() - after.size()), after);
    EXPECT_EQ(bytes.find("gone"), std::string::npos);

    // The other language reads back with its tab, its line break and its reference.
    TTranslationList spanish;
    intl.LoadTranslationXml(spanish, file, "Nerim", "Español");
    EXPECT_EQ(*spanish.Find("frmNerim.btnAgua"), "Agua\tazul##dos\nlíneas & →");
    TTranslationList english;
    intl.LoadTranslationXml(english, file, "Nerim", "English");
    EXPECT_EQ(*english.Find("frmNerim.btnAgua"), "Water##New water");

    // A language not in the file yet goes last in its program, as does a program of its own; a
    // file in UTF-8 stays in UTF-8.
    WriteBytes(file, "<Nerim>\n  <English/>\n</Nerim>\n<!-- \xC3\xB1 -->");
    intl.SaveTranslationXml(file, "Nerim",
                            "Fran\xC3\xA7"
                            "ais");
    intl.SaveTranslationXml(file, "Other", "English");
    const std::string utf8 = ReadBytes(file);
    EXPECT_EQ(utf8.rfind("<Nerim>\n  <English/>\r\n  <Fran\xC3\xA7"
                         "ais>",
                         0),
              0u)
        << utf8;
    EXPECT_NE(utf8.find("</Fran\xC3\xA7"
                        "ais>\n</Nerim>\n<!-- \xC3\xB1 -->\r\n<Other>"),
              std::string::npos)
        << utf8;
    TTranslationList french;
    intl.LoadTranslationXml(french, file, "Nerim", "Français");
    EXPECT_EQ(french.Count(), 1u);
}

// Captions and hints made of the pieces that files are most likely to get wrong.
std::string RandomText(std::mt19937& random) {
    static const char* const kPieces[] = {
        "a", "Z",  " ",        "  ",       "\r\n",     "\\n",      "\\",       "n",  "=", "##",
        "#", "\"", "'",        "<",        ">",        "&",        "&amp;",    "\t", "á", "ñ",
        "€", "–",  "\xC2\x81", "\xC2\x8D", "\xC2\x8F", "\xC2\x90", "\xC2\x9D", "≤",  "→", "Δ"};
    std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1), length(0, 7);
    std::string text;
    for (std::size_t n = length(random); n > 0; --n) text += kPieces[piece(random)];
    return text;
}

// Whether the text form can hold the texts as they are.
bool TextFormHolds(const std::string& caption, const std::string& hint) {
    for (const std::string* text : {&caption, &hint})
        if (FirstOutsideCp1252(*text).Position != std::string::npos || text->find("\\n") != std::string::npos)
            return false;
    return caption.find("##") == std::string::npos && (caption.empty() || caption.back() != '#');
}

TEST(TranslationFiles, EveryCaptionAndHintComesBackFromXmlAndFromTextWhereTheTextFormHoldsThem) {
    TempDir dir;
    std::mt19937 random(20);
    for (int round = 0; round < 40; ++round) {
        TInternacionalization intl;
        std::vector<std::pair<std::string, std::string>> texts;
        for (int k = 0; k < 12; ++k) {
            texts.emplace_back(RandomText(random), RandomText(random));
            intl.RecordTranslation("frmW" + std::to_string(k % 3) + ".c" + std::to_string(k), texts.back().first,
                                   texts.back().second);
        }
        const auto key = [](std::size_t k) { return "frmW" + std::to_string(k % 3) + ".c" + std::to_string(k); };

        const auto xml = (dir / "t.xml").string();
        intl.SaveTranslationXml(xml, "Nerim", "English");
        TInternacionalization back;
        back.LoadTranslationXml(back.TranslationList(), xml, "Nerim", "English");
        for (std::size_t k = 0; k < texts.size(); ++k) {
            const TTranslationTexts read = back.LookupTranslation(key(k));
            EXPECT_EQ(read.Caption, texts[k].first) << key(k);
            EXPECT_EQ(read.Hint, texts[k].second) << key(k);
        }

        // The text form refuses the whole list when one entry does not fit, and gives back every
        // entry of a list whose entries all fit.
        TInternacionalization fitting;
        std::vector<std::size_t> kept;
        for (std::size_t k = 0; k < texts.size(); ++k)
            if (TextFormHolds(texts[k].first, texts[k].second)) {
                fitting.RecordTranslation(key(k), texts[k].first, texts[k].second);
                kept.push_back(k);
            }
        const auto dat = (dir / "t.dat").string();
        if (kept.size() < texts.size()) EXPECT_THROW(intl.SaveTranslationList(dat), EConvertError);
        fitting.SaveTranslationList(dat);
        TInternacionalization text;
        text.LoadTranslationList(dat);
        EXPECT_EQ(text.TranslationList().Count(), kept.size());
        for (const std::size_t k : kept) {
            const TTranslationTexts read = text.LookupTranslation(key(k));
            EXPECT_EQ(read.Caption, texts[k].first) << key(k);
            EXPECT_EQ(read.Hint, texts[k].second) << key(k);
        }
    }
}

}  // namespace
}  // namespace nerim
