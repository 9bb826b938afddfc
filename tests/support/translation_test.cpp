#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <string>
#include <vector>

#include "support/exception.h"
#include "support/internacionalization.h"
#include "support/translation_list.h"
#include "support/xml_file.h"
#include "tests/common/temp_dir.h"

namespace nerim {
namespace {

using nerim::testing::ReadBytes;
using nerim::testing::TempDir;
using nerim::testing::WriteBytes;

std::vector<std::string> Names(const TTranslationList& list) {
    std::vector<std::string> names;
    for (const TTranslationEntry& e : list) names.push_back(e.Name);
    return names;
}

// Names of the element children of node.
std::vector<std::string> ChildNames(const pugi::xml_node& node) {
    std::vector<std::string> names;
    for (const pugi::xml_node& child : ElementChildren(node)) names.emplace_back(child.name());
    return names;
}

TEST(TranslationList, KeepsOrderAndTheFirstEntryOfANameWhateverItsCase) {
    TTranslationList list;
    EXPECT_TRUE(list.Add("frmNerim.btnAgua", "Water"));
    EXPECT_TRUE(list.AddLine("frmNerim=Nerim##x=y"));
    EXPECT_FALSE(list.Add("FRMNERIM.BTNAGUA", "Other"));
    EXPECT_FALSE(list.AddLine("no equals sign"));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"frmNerim.btnAgua", "frmNerim"}));
    EXPECT_EQ(*list.Find("frmnerim"), "Nerim##x=y");
    EXPECT_EQ(list.IndexOfName("frmNerim.btnAGUA"), 0);
    EXPECT_EQ(list.Find("frmNerim.btn"), nullptr);

    TTranslationList copy = list;
    copy.SetValue("frmNerim.BtnAgua", "Agua");
    copy.SetValue("frmNerim.btnPoroso", "Porous");
    EXPECT_EQ(*list.Find("frmNerim.btnAgua"), "Water");  // the copy is its own
    EXPECT_EQ(Names(copy), (std::vector<std::string>{"frmNerim.btnAgua", "frmNerim", "frmNerim.btnPoroso"}));
    EXPECT_EQ(*copy.Find("frmNerim.btnAgua"), "Agua");
}

TEST(TranslationLookup, SplitsAtTheFirstHashPairAndExpandsLineBreaksOnlyThen) {
    TInternacionalization intl;
    intl.TranslationList().Add("f.a", "Water##New water object");
    intl.TranslationList().Add("f.b", "One\\nTwo##Hint ## with \\n break");
    intl.TranslationList().Add("f.c", "Caption\\nonly");

    TTranslationTexts t = intl.LookupTranslation("F.A");
    EXPECT_TRUE(t.Found && t.HasHint);
    EXPECT_EQ(t.Caption, "Water");
    EXPECT_EQ(t.Hint, "New water object");
    t = intl.LookupTranslation("f.b");
    EXPECT_EQ(t.Caption, "One\r\nTwo");
    EXPECT_EQ(t.Hint, "Hint ## with \r\n break");
    t = intl.LookupTranslation("f.c");
    EXPECT_TRUE(t.Found);
    EXPECT_FALSE(t.HasHint);
    EXPECT_EQ(t.Caption, "Caption\\nonly");
    t = intl.LookupTranslation("f.e");
    EXPECT_FALSE(t.Found || t.HasHint);
    EXPECT_TRUE(t.Caption.empty());
}

TEST(TranslationTextFile, RoundTripsLineBreaksAndAccentsInWindows1252) {
    TempDir dir;
    TInternacionalization intl;
    TTranslationList& list = intl.TranslationList();
    list.Add("frmNerim", "Nerim");
    list.Add("frmNerim.cbxTipoPoroso", "Sin medio poroso\r\nFricción lineal\r\nFricción no lineal##Modelo");
    list.Add("frmNerim.lblNota", "Dos\r\nlíneas##Año 20 € – ñ");
    list.Add("frmNerim.btnVacio", "");
    const TTranslationList saved = list;
    const auto file = (dir / "Translation.dat").string();
    intl.SaveTranslationList(file);
    EXPECT_EQ(ReadBytes(file),
              "frmNerim=Nerim\r\n"
              "frmNerim.cbxTipoPoroso=Sin medio poroso\\nFricci\xF3n lineal\\nFricci\xF3n no lineal##Modelo\r\n"
              "frmNerim.lblNota=Dos\\nl\xEDneas##A\xF1o 20 \x80 \x96 \xF1\r\n"
              "frmNerim.btnVacio=\r\n");

    list.Clear();
    list.Add("stale", "entry");
    intl.LoadTranslationList(file);
    EXPECT_EQ(intl.TranslationList(), saved);

    // A lone LF or CR inside a value is a line break too; files with LF line ends are read.
    TTranslationList breaks;
    breaks.Add("a.b", "x\ny\rz");
    WriteTranslationListFile(breaks, file);
    EXPECT_EQ(ReadBytes(file), "a.b=x\\ny\\nz\r\n");
    WriteBytes(file, "a.b=1\n\n  a.c =2\nnot an entry\na.B=3");
    intl.LoadTranslationList(file);
    EXPECT_EQ(Names(intl.TranslationList()), (std::vector<std::string>{"a.b", "a.c"}));

    // A file that cannot be read leaves the list as it was.
    EXPECT_THROW(intl.LoadTranslationList((dir / "missing.dat").string()), EInOutError);
    EXPECT_EQ(intl.TranslationList().Count(), 2u);
}

TEST(TranslationXml, SavingStartsAWindowNodeWheneverTheWindowChanges) {
    TempDir dir;
    const auto file = (dir / "t.xml").string();
    TInternacionalization intl;
    TTranslationList& list = intl.TranslationList();
    list.Add("frmA.btn1", "One##First\r\nline");
    list.Add("frmB", "Bee##Window B");
    list.Add("frmB.lbl", "Label");
    list.Add("frmA.btn2", "Δ two##");
    list.Add("frmA", "Ay##");
    intl.SaveTranslationXml(file, "Nerim", "English");
    EXPECT_EQ(intl.XmlFileName() + intl.XmlProgramName(), file + "Nerim");

    const std::string bytes = ReadBytes(file);
    EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<Nerim>\r\n", 0), 0u) << bytes;
    EXPECT_NE(bytes.find("&#916; two"), std::string::npos);
    EXPECT_NE(bytes.find("First\\nline"), std::string::npos);

    pugi::xml_document doc;
    LoadXmlFile(doc, file);
    const pugi::xml_node language = doc.child("Nerim").child("English");
    EXPECT_EQ(ChildNames(language), (std::vector<std::string>{"frmA", "frmB", "frmA"}));
    const auto windows = ElementChildren(language);
    EXPECT_STREQ(windows[1].attribute("Caption").value(), "Bee");
    EXPECT_STREQ(windows[2].attribute("Caption").value(), "Ay");
    EXPECT_EQ(ChildNames(windows[2]), std::vector<std::string>{"btn2"});

    // Read back: every entry again (the window entries included), line breaks restored.
    TTranslationList back;
    intl.LoadTranslationXml(back, file, "Nerim", "English");
    EXPECT_EQ(*back.Find("frmA.btn1"), "One##First\r\nline");
    EXPECT_EQ(*back.Find("frmA.btn2"), "Δ two##");
    EXPECT_EQ(*back.Find("frmB"), "Bee##Window B");
    EXPECT_EQ(*back.Find("frmB.lbl"), "Label##");
    EXPECT_EQ(back.Count(), 5u);
}

TEST(TranslationXml, SavingKeepsTheRestOfTheFileAndNeverReplacesADamagedOne) {
    TempDir dir;
    const auto file = (dir / "t.xml").string();
    WriteBytes(file,
               "<?xml version=\"1.0\"?>\n"
               "<Other><English><w><c Caption=\"keep\"/></w></English></Other>\n"
               "<Nerim><Español x=\"1\"><frmOld><old Caption=\"gone\"/></frmOld></Español>"
               "<English><w><c Caption=\"kept\"/></w></English></Nerim>\n");
    TInternacionalization intl;
    intl.TranslationList().Add("frmNerim.btnAgua", "Agua##Nuevo objeto de agua");
    intl.SaveTranslationXml(file, "Nerim", "Español");

    pugi::xml_document doc;
    LoadXmlFile(doc, file);
    EXPECT_STREQ(doc.child("Other").child("English").child("w").child("c").attribute("Caption").value(), "keep");
    const pugi::xml_node spanish = doc.child("Nerim").child("Español");
    EXPECT_STREQ(spanish.attribute("x").value(), "1");
    EXPECT_EQ(ChildNames(spanish), std::vector<std::string>{"frmNerim"});
    EXPECT_STREQ(spanish.child("frmNerim").child("btnAgua").attribute("Hint").value(), "Nuevo objeto de agua");
    EXPECT_STREQ(doc.child("Nerim").child("English").child("w").child("c").attribute("Caption").value(), "kept");

    const std::string damaged = "<Nerim><English></Nerim>";
    WriteBytes(file, damaged);
    EXPECT_THROW(intl.SaveTranslationXml(file, "Nerim", "English"), EInOutError);
    intl.TranslationList().Add("frmNerim.bad name", "x");
    WriteBytes(file, "<Nerim/>");
    EXPECT_THROW(intl.SaveTranslationXml(file, "Nerim", "English"), EConvertError);
    EXPECT_EQ(ReadBytes(file), "<Nerim/>");
    EXPECT_FALSE(std::filesystem::exists(file + ".part"));
}

TEST(TranslationXml, LoadingTakesTheFirstProgramAndTheLastLanguageWhenUnnamed) {
    TempDir dir;
    const auto file = (dir / "t.xml").string();
    WriteBytes(file,
               "<First><Español><frmNerim><btnAgua Caption=\"Agua\" Hint=\"Nuevo\"/></frmNerim></Español>"
               "<English><frmNerim><btnAgua Caption=\"Water\" Hint=\"New\\nobject\"/>"
               "<lbl Caption=\"A\\nB\"/></frmNerim><frmMeshDeltaGraph><btnCerrar Caption=\"Close\"/>"
               "</frmMeshDeltaGraph></English></First>"
               "<Second><Deutsch/></Second>");
    TInternacionalization intl;
    TTranslationList target;
    target.Add("frmNerim.lbl", "earlier");
    intl.LoadTranslationXml(target, file, "", "");
    EXPECT_EQ(intl.Languages(), (std::vector<std::string>{"Español", "English"}));
    EXPECT_EQ(Names(target),
              (std::vector<std::string>{"frmNerim.lbl", "frmNerim.btnAgua", "frmMeshDeltaGraph.btnCerrar"}));
    EXPECT_EQ(*target.Find("frmNerim.lbl"), "earlier");
    EXPECT_EQ(*target.Find("frmNerim.btnAgua"), "Water##New\r\nobject");

    intl.LoadTranslationXml(target, file, "Second", "Deutsch");
    EXPECT_EQ(intl.Languages(), std::vector<std::string>{"Deutsch"});
    EXPECT_EQ(target.Count(), 3u);
}

TEST(TranslationXml, MissingProgramOrLanguageRaiseTheirOwnMessages) {
    TempDir dir;
    const auto file = (dir / "t.xml").string();
    WriteBytes(file, "<Nerim><Español/><English/></Nerim>");
    TInternacionalization intl;
    TTranslationList target;
    try {
        intl.LoadTranslationXml(target, file, "Other", "");
        ADD_FAILURE() << "no program node must fail";
    } catch (const ENoTranslationProgram& e) {
        EXPECT_EQ(std::string(e.what()), "No existe traducción para el programa - There is no translation file for the program");
    }
    try {
        intl.LoadTranslationXml(target, file, "Nerim", "Deutsch");
        ADD_FAILURE() << "no language node must fail";
    } catch (const ENoTranslationLanguage& e) {
        EXPECT_EQ(std::string(e.what()), "No existe el idioma seleccionado - Specified language not in the list");
    }
    // The languages met are there for the user to choose from.
    EXPECT_EQ(intl.Languages(), (std::vector<std::string>{"Español", "English"}));
    WriteBytes(file, "<Nerim/>");
    EXPECT_THROW(intl.LoadTranslationXml(target, file, "", ""), ENoTranslationLanguage);
    EXPECT_TRUE(intl.Languages().empty());
}

TEST(XmlFile, BytesThatAreNotUtf8AreTheSystemCodePageUnlessTheFileDeclaresUtf8) {
    TempDir dir;
    const auto file = (dir / "t.xml").string();
    pugi::xml_document doc;
    // No declaration, none of the encoding, or one the parser does not know: a file saved by an
    // editor in the code page, whose accents must not turn into "?" when it is saved again.
    for (const char* start : {"", "<?xml version=\"1.0\"?>", "<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?>"}) {
        WriteBytes(file, std::string(start) + "<P><L><w><c Caption=\"Nueva \xE1rea \x80\"/></w></L></P>");
        LoadXmlFile(doc, file);
        EXPECT_STREQ(doc.child("P").child("L").child("w").child("c").attribute("Caption").value(), "Nueva área €")
            << start;
    }
    // Declared UTF-8 and broken: refused, naming the place.
    WriteBytes(file, "<?xml version=\"1.0\" encoding=\"UTF-8\"?><P><L><w><c Caption=\"\xE1\"/></w></L></P>");
    try {
        LoadXmlFile(doc, file);
        ADD_FAILURE() << "broken UTF-8 must be refused";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("no es UTF-8 en la posición 59"), std::string::npos) << e.what();
    }
}

// The English strings file ships beside the Spanish one with every entry, taking the same arguments.
TEST(ShippedStrings, EnglishHasEverySpanishEntryWithTheSameArguments) {
    const auto specifiers = [](const std::string& text) {
        std::string found;
        for (std::size_t i = 0; i + 1 < text.size(); ++i)
            if (text[i] == '%') found += text[++i];
        return found;
    };
    TInternacionalization spanish, english;
    spanish.LoadStrings(std::string(NERIM_BIN_DIR) + "/Strings_es.dat", "", "", true);
    english.LoadStrings(std::string(NERIM_BIN_DIR) + "/Strings_en.dat", "", "", true);
    EXPECT_EQ(english.StringsLanguageName(), "English");
    ASSERT_FALSE(spanish.Strings().empty());
    EXPECT_EQ(english.Strings().size(), spanish.Strings().size());
    for (const auto& [key, text] : spanish.Strings()) {
        EXPECT_NE(english.GetString(key), kMissingString) << key;
        EXPECT_EQ(specifiers(english.GetString(key)), specifiers(text)) << key;
    }
}

}  // namespace
}  // namespace nerim
