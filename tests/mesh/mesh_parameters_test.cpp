#include "mesh/core/mesh_parameters.h"

#include <gtest/gtest.h>

#include <string>

#include "support/exception.h"
#include "support/text_reader.h"
#include "support/text_writer.h"

namespace nerim {
namespace {

TMeshParameters InitialMesh() {
    TMeshParameters p;
    p.Height = 10.0;
    p.Width = 100.0;
    p.SubZonesX = {TSubZone{50.0, 0.0, 5, 5, 1.0}};
    p.SubZonesY = {TSubZone{5.0, 0.0, 5, 5, 0.6}};
    return p;
}

std::string Written(const TMeshParameters& p) {
    StringTextWriter writer;
    p.WriteParameters(writer);
    return writer.Bytes();
}

TMeshParameters Read(const std::string& bytes) {
    TextReader reader(bytes, "Proyecto.DAT");
    return TMeshParameters::ReadParameters(reader);
}

// The message of the EInOutError that reading raises; empty (and a failure) when it reads.
std::string ReadError(const std::string& bytes) {
    try {
        Read(bytes);
    } catch (const EInOutError& error) {
        return error.what();
    }
    ADD_FAILURE() << "the block was read";
    return {};
}

const char* const kInitialBlock =
    " 1.00000000000000E+0001\r\n"
    " 1.00000000000000E+0002\r\n"
    "1\r\n"
    " 5.00000000000000E+0001\r\n"
    " 0.00000000000000E+0000\r\n"
    "5\r\n"
    "5\r\n"
    " 1.00000000000000E+0000\r\n"
    "1\r\n"
    " 5.00000000000000E+0000\r\n"
    " 0.00000000000000E+0000\r\n"
    "5\r\n"
    "5\r\n"
    " 6.00000000000000E-0001\r\n"
    "2\r\n"
    "0\r\n"
    "0\r\n"
    "0\r\n"
    "0\r\n";

TEST(MeshParameterBlock, InitialMeshIsWrittenLineByLine) {
    EXPECT_EQ(Written(InitialMesh()), kInitialBlock);
}

TEST(MeshParameterBlock, WriteThenReadRestoresEverything) {
    TMeshParameters p;
    p.Height = 12.345678901234;
    p.Width = 1234.5;
    p.SubZonesX = {TSubZone{-3.25, -10.0, 0, -2, -0.5}, TSubZone{45.678, 40.0, 7, 1, 0.125},
                   TSubZone{1e-12, 1e15, 2147483647, -2147483647 - 1, 123456789012345.0}};
    p.SubZonesY = {};
    p.PorousModel = 0;
    p.BoundaryConditions = {3, 5, 255, 1};
    const TMeshParameters back = Read(Written(p));
    EXPECT_EQ(back, p);
    EXPECT_TRUE(back.PeriodicY());
    EXPECT_FALSE(back.PeriodicX());

    const std::string empty = Written(TMeshParameters{});
    EXPECT_EQ(Read(empty), TMeshParameters{});
}

TEST(MeshParameterBlock, HandWrittenBlocksReadWithEitherLineEnd) {
    std::string lf = kInitialBlock;
    for (std::size_t at; (at = lf.find('\r')) != std::string::npos;) lf.erase(at, 1);
    EXPECT_EQ(Read(lf), InitialMesh());

    // Plain numbers, blanks and whatever follows a number on its line are accepted.
    const std::string crlf = "10\r\n  100.0 Anchura\r\n1\r\n50\r\n0\r\n5\r\n5\r\n1\r\n"
                             "1\r\n5e0\r\n0\r\n5\r\n5\r\n0.6\r\n2\r\n0\r\n0\r\n0\r\n0\r\n";
    EXPECT_EQ(Read(crlf), InitialMesh());
}

TEST(MeshParameterBlock, ReadingLeavesWhatFollowsTheBlock) {
    TextReader reader(std::string(kInitialBlock) + "* Objetos\r\n", "Proyecto.DAT");
    TMeshParameters::ReadParameters(reader);
    EXPECT_EQ(reader.ReadLine(), "* Objetos");
}

TEST(MeshParameterBlock, BadCountsNameTheSourceAndLine) {
    const std::string negative = ReadError("10\r\n100\r\n-1\r\n0\r\n2\r\n0\r\n0\r\n0\r\n0\r\n");
    EXPECT_NE(negative.find("Número de subzonas en X"), std::string::npos) << negative;
    EXPECT_NE(negative.find("Proyecto.DAT"), std::string::npos) << negative;
    EXPECT_NE(negative.find("línea 3"), std::string::npos) << negative;

    const std::string huge = ReadError("10\r\n100\r\n0\r\n100001\r\n");
    EXPECT_NE(huge.find("Número de subzonas en Y"), std::string::npos) << huge;
    EXPECT_NE(huge.find("línea 4"), std::string::npos) << huge;

    // Beyond the 32-bit range: refused as a malformed integer.
    EXPECT_NE(ReadError("10\r\n100\r\n99999999999\r\n").find("línea 3"), std::string::npos);

    // The largest count allowed reads until the sub-zones run out.
    EXPECT_NE(ReadError("10\r\n100\r\n100000\r\n1\r\n").find("Fin de archivo"), std::string::npos);
}

TEST(MeshParameterBlock, PorousModelAndCodesMustFitAByte) {
    const std::string prefix = "10\r\n100\r\n0\r\n0\r\n";
    const std::string model = ReadError(prefix + "256\r\n0\r\n0\r\n0\r\n0\r\n");
    EXPECT_NE(model.find("Modelo de medio poroso"), std::string::npos) << model;
    EXPECT_NE(model.find("línea 5"), std::string::npos) << model;

    const std::string code = ReadError(prefix + "2\r\n0\r\n0\r\n-1\r\n0\r\n");
    EXPECT_NE(code.find("Condición de contorno"), std::string::npos) << code;
    EXPECT_NE(code.find("línea 8"), std::string::npos) << code;

    EXPECT_EQ(Read(prefix + "255\r\n255\r\n0\r\n0\r\n0\r\n").PorousModel, 255);
}

TEST(MeshParameterBlock, MalformedOrMissingNumbersRaise) {
    EXPECT_NE(ReadError("10\r\nancho\r\n").find("línea 2"), std::string::npos);
    EXPECT_NE(ReadError("10\r\n100\r\n1\r\n50\r\n0\r\n5.5\r\n").find("línea 6"), std::string::npos);
    EXPECT_NE(ReadError("10\r\nnan\r\n").find("línea 2"), std::string::npos);
    ReadError("");
    // The last code is missing.
    ReadError("10\r\n100\r\n0\r\n0\r\n2\r\n0\r\n0\r\n0\r\n");
}

}  // namespace
}  // namespace nerim
