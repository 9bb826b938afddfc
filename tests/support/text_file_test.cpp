#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "support/encoding.h"
#include "support/exception.h"
#include "support/file_bytes.h"
#include "support/text_reader.h"
#include "support/text_writer.h"
#include "tests/common/temp_dir.h"

namespace nerim {
namespace {

using nerim::testing::ReadBytes;
using nerim::testing::TempDir;
using nerim::testing::WriteBytes;

TEST(Encoding, AccentedTextRoundTripsThroughWindows1252) {
    const std::string text = "Fricción lineal, Obstáculo Nº 3 – 20 €";
    const std::string bytes = Utf8ToCp1252(text);
    EXPECT_EQ(bytes, "Fricci\xF3n lineal, Obst\xE1""culo N\xBA 3 \x96 20 \x80");
    EXPECT_EQ(Cp1252ToUtf8(bytes), text);
}

TEST(Encoding, UnrepresentableAndMalformedTextBecomesQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1252("\xE6\xB0\xB4"), "?");         // a CJK character
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");               // cut sequence
}

TEST(Encoding, EveryByteSurvivesReadingAndWriting) {
    // The bytes the code page leaves undefined included: a name holding one is saved unchanged.
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(Cp1252ToUtf8("\x81\x9D"), "\xC2\x81\xC2\x9D");
}

TEST(TextWriter, EndsEveryLineWithCrLf) {
    StringTextWriter w;
    w.WriteLine("* Porous types");
    w.WriteIntegerLine(2);
    w.WriteRealLine(100.0);
    w.WriteLine("Poroso Nº1");
    EXPECT_EQ(w.Bytes(), "* Porous types\r\n2\r\n 1.00000000000000E+0002\r\nPoroso N\xBA""1\r\n");
}

TEST(TextWriter, BuffersLargeOutputWithoutLosingBytes) {
    StringTextWriter w;
    for (int i = 0; i < 100000; ++i) w.WriteLine("0.13");
    EXPECT_EQ(w.Bytes().size(), 600000u);
}

TEST(FileTextWriter, ReplacesTheTargetOnlyOnCommit) {
    TempDir dir;
    const auto target = dir / "Mesh.mes";
    WriteBytes(target, "old");
    {
        FileTextWriter w(target);
        w.WriteLine("new");
        w.Flush();
        EXPECT_EQ(ReadBytes(target), "old");
        w.Commit();
    }
    EXPECT_EQ(ReadBytes(target), "new\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(FileTextWriter, AbandonedWritingLeavesTheOldFileAndNoLitter) {
    TempDir dir;
    const auto target = dir / "project.dat";
    WriteBytes(target, "good project");
    {
        FileTextWriter w(target);
        w.WriteLine("half of a new one");
    }
    EXPECT_EQ(ReadBytes(target), "good project");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(FileTextWriter, UncreatableFileNamesTheFile) {
    TempDir dir;
    try {
        FileTextWriter w(dir / "missing-folder" / "Mesh.mes");
        FAIL() << "no exception";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("missing-folder"), std::string::npos) << e.what();
    }
}

// Files may not grow beyond a few bytes while it lives, as on a full disk; writing past the
// limit fails with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
};

TEST(FileTextWriter, AFullDiskLeavesTheOldFileAndSaysSo) {
    TempDir dir;
    const auto target = dir / "Mesh.mes";
    WriteBytes(target, "old");
    try {
        const FileSizeLimit limit(1000);
        FileTextWriter w(target);
        for (int k = 0; k < 100000; ++k) w.WriteLine("0.13");
        w.Commit();
        FAIL() << "no exception";
    } catch (const EInOutError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("no se puede escribir en el archivo \"" + target.string() + "\""), std::string::npos)
            << message;
        EXPECT_NE(message.find("queda como estaba"), std::string::npos) << message;
    }
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(FileTextWriter, DevicesAreWrittenDirectlyAndADirectoryIsRefused) {
    {
        FileTextWriter w("/dev/null");
        w.WriteLine("nothing");
        w.Commit();
    }
    struct stat status {};
    ASSERT_EQ(stat("/dev/null", &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));  // still the device, not a file put in its place
    try {
        FileTextWriter w("/dev/full");
        w.WriteLine("more than fits");
        w.Commit();
        FAIL() << "no exception";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("\"/dev/full\" ("), std::string::npos) << e.what();
    }
    TempDir dir;
    std::filesystem::create_directory(dir / "Mesh.mes");
    EXPECT_THROW(FileTextWriter(dir / "Mesh.mes"), EInOutError);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "Mesh.mes"));
}

TEST(FileTextWriter, AProcessKilledWhileWritingLeavesNothingBehind) {
    TempDir dir;
    WriteBytes(dir / "Mesh.mes", "old");
    const pid_t child = fork();
    if (child == 0) {
        FileTextWriter w(dir / "Mesh.mes");
        w.WriteBytes(std::string(1 << 20, 'x'));
        w.Flush();
        raise(SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(ReadBytes(dir / "Mesh.mes"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(FileTextWriter, ALinkToAFileStaysALinkToTheNewText) {
    TempDir dir;
    std::filesystem::create_directory(dir / "data");
    WriteBytes(dir / "data" / "Mesh.mes", "old");
    std::filesystem::create_symlink("data/Mesh.mes", dir / "Mesh.mes");
    {
        FileTextWriter w(dir / "Mesh.mes");
        w.WriteLine("new");
        w.Commit();
    }
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "Mesh.mes"));
    EXPECT_EQ(ReadBytes(dir / "data" / "Mesh.mes"), "new\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "data"), {}), 1);
}

TEST(FileTextWriter, TwoWritersOfOneFileDoNotShareTheirTemporaryFile) {
    TempDir dir;
    const auto target = dir / "Mesh.mes";
    {
        FileTextWriter first(target);
        FileTextWriter second(target);
        first.WriteLine("first");
        second.WriteLine("second");
        first.Commit();
        EXPECT_EQ(ReadBytes(target), "first\r\n");
        second.Commit();
    }
    EXPECT_EQ(ReadBytes(target), "second\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(ReadFileBytes, DirectoriesAndUnreadableFilesAreNamedInOneLine) {
    TempDir dir;
    try {
        TextReader::FromFile(dir.Path());
        FAIL() << "no exception";
    } catch (const EInOutError& e) {
        EXPECT_EQ(std::string(e.what()), "Error de entrada/salida: \"" + dir.Path().string() +
                                             "\" es una carpeta, no un archivo");
    }
    // A file whose reading fails whoever reads it.
    try {
        TextReader::FromFile("/proc/self/mem");
        FAIL() << "no exception";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("no se puede leer el archivo \"/proc/self/mem\" ("), std::string::npos)
            << e.what();
    }
    EXPECT_EQ(TextReader::FromFile("/dev/null").Eof(), true);
}

TEST(TextReader, ReadsNumbersAcrossCrLfLfAndBlanks) {
    for (const std::string eol : {"\r\n", "\n"}) {
        TextReader r("  12" + eol + eol + " -3.5 trailing text" + eol + "7", "mem");
        EXPECT_EQ(r.ReadInteger(), 12);
        EXPECT_EQ(r.ReadRealLine(), -3.5);
        EXPECT_EQ(r.LineNumber(), 4);
        EXPECT_EQ(r.ReadIntegerLine(), 7);
        EXPECT_TRUE(r.Eof());
    }
}

TEST(TextReader, ReadsWholeLinesWithAccents) {
    TextReader r("TPorousMediumDef\r\nPoroso N\xBA 1 con blancos \r\nlast", "mem");
    EXPECT_EQ(r.ReadLine(), "TPorousMediumDef");
    EXPECT_EQ(r.ReadLine(), "Poroso Nº 1 con blancos ");
    EXPECT_EQ(r.ReadLine(), "last");
    EXPECT_TRUE(r.Eof());
    EXPECT_THROW(r.ReadLine(), EInOutError);
}

TEST(TextReader, EmptyLinesAreLines) {
    TextReader r("a\n\nb\r\n\r\n", "mem");
    EXPECT_EQ(r.ReadLine(), "a");
    EXPECT_EQ(r.ReadLine(), "");
    EXPECT_EQ(r.ReadLine(), "b");
    EXPECT_EQ(r.ReadLine(), "");
    EXPECT_TRUE(r.Eof());
}

TEST(TextReader, MalformedNumberNamesSourceAndLine) {
    TextReader r("1\r\n2\r\nabc\r\n", "project.dat");
    r.ReadIntegerLine();
    r.ReadIntegerLine();
    try {
        r.ReadReal();
        FAIL() << "no exception";
    } catch (const EInOutError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("project.dat"), std::string::npos) << message;
        EXPECT_NE(message.find("línea 3"), std::string::npos) << message;
        EXPECT_NE(message.find("abc"), std::string::npos) << message;
    }
}

TEST(TextReader, EndOfInputIsAClearErrorNotALoop) {
    TextReader r("5\r\n   \r\n", "mem");
    EXPECT_EQ(r.ReadIntegerLine(), 5);
    EXPECT_FALSE(r.Eof());
    EXPECT_TRUE(r.SeekEof());
    EXPECT_THROW(r.ReadReal(), EInOutError);
    EXPECT_THROW(r.ReadInteger(), EInOutError);
    r.SkipLine();  // nothing left: stays at the end
    EXPECT_TRUE(r.Eof());
}

TEST(TextReader, IntegerTokensMustBeWholeIntegers) {
    TextReader r("3 1\r\n1.5\r\n", "mem");
    EXPECT_EQ(r.ReadInteger(), 3);
    EXPECT_EQ(r.ReadIntegerLine(), 1);
    EXPECT_THROW(r.ReadInteger(), EInOutError);
}

TEST(TextReader, ReadsBackWhatTheWriterWrote) {
    TempDir dir;
    const auto path = dir / "roundtrip.dat";
    {
        FileTextWriter w(path);
        w.WriteRealLine(-0.6);
        w.WriteIntegerLine(-12);
        w.WriteLine("Agua ñ");
        w.Commit();
    }
    TextReader r = TextReader::FromFile(path);
    EXPECT_EQ(r.ReadRealLine(), -0.6);
    EXPECT_EQ(r.ReadIntegerLine(), -12);
    EXPECT_EQ(r.ReadLine(), "Agua ñ");
    EXPECT_TRUE(r.Eof());
}

TEST(TextReader, MissingFileIsAnInputOutputError) {
    TempDir dir;
    EXPECT_THROW(TextReader::FromFile(dir / "nothing.dat"), EInOutError);
}

TEST(TextReader, AFileTooLargeForAnyOfTheProgramsIsRefusedBeforeItIsRead) {
    TempDir dir;
    const auto huge = dir / "huge.dat";
    WriteBytes(huge, "1\r\n");
    std::filesystem::resize_file(huge, kMaxFileBytes + 1);  // sparse: takes no room on the disk
    try {
        TextReader::FromFile(huge);
        ADD_FAILURE() << "a file beyond the limit must be refused";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("huge.dat\" es demasiado grande (1073741825 bytes"), std::string::npos)
            << e.what();
    }
    std::filesystem::resize_file(huge, 3);
    EXPECT_EQ(ReadFileBytes(huge), "1\r\n");
}

}  // namespace
}  // namespace nerim
