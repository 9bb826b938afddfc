#include "support/value_text.h"

#include <gtest/gtest.h>

#include <clocale>

#include "support/exception.h"

namespace nerim {
namespace {

std::string Message(std::string_view text, TValueType type, double lo = 0, double hi = 0) {
    std::string message = "stale";
    const bool valid = IsValidText(text, type, lo, hi, message);
    EXPECT_EQ(valid, message.empty()) << text;
    return message;
}

TEST(FieldText, IntegersWithAndWithoutRange) {
    EXPECT_EQ(Message("-2147483648", typInteger), "");
    EXPECT_EQ(Message(" 42 ", typInteger), "");
    EXPECT_EQ(Message("1.5", typInteger), "La cadena \"1.5\" no puede reconocerse como un número entero");
    EXPECT_EQ(Message("2147483648", typInteger), "La cadena \"2147483648\" no puede reconocerse como un número entero");
    EXPECT_EQ(Message("", typInteger), "La cadena \"\" no puede reconocerse como un número entero");
    // The limits are rounded, halves away from zero, ends included.
    EXPECT_EQ(Message("3", typInteger, 0.5, 2.5), "");
    EXPECT_EQ(Message("1", typInteger, 0.5, 2.5), "");
    EXPECT_EQ(Message("4", typInteger, 0.5, 2.5), "El valor debe estar comprendido entre: 1 y 3");
    EXPECT_EQ(Message("-3", typInteger, -2.5, 7), "");
    EXPECT_EQ(Message("-4", typInteger, -2.5, 7), "El valor debe estar comprendido entre: -3 y 7");
    // Limits beyond 32 bits do not overflow.
    EXPECT_EQ(Message("5", typInteger, -1e300, 1e300), "");
}

TEST(FieldText, RealsWithRange) {
    EXPECT_EQ(Message("10", typDouble, 0, 10), "");
    EXPECT_EQ(Message("10.0001", typDouble, 0, 10), "El valor debe estar comprendido entre: 0.000 y 10.000");
    EXPECT_EQ(Message("-0.5", typDouble, -0.0005, 1), "El valor debe estar comprendido entre: -0.001 y 1.000");
    for (const char* lone : {"", "  ", "-", "+", " - "}) EXPECT_EQ(Message(lone, typDouble, 1, 2), "") << lone;
    EXPECT_EQ(Message(" 1.5e3 ", typDouble), "");
    EXPECT_EQ(Message("1,5", typDouble), "La cadena \"1,5\" no puede reconocerse como un número");
    EXPECT_EQ(Message(" abc ", typDouble), "La cadena \"abc\" no puede reconocerse como un número");
    EXPECT_EQ(Message("inf", typDouble), "La cadena \"inf\" no puede reconocerse como un número");
}

TEST(FieldText, IdentifiersAndCustom) {
    EXPECT_EQ(Message("Capa 1.dat", typIdentifier), "");
    const std::string expected = "Un identificador no puede contener los caracteres:\n, \\ / : * ? \" < > |";
    for (char c : kIdentifierForbidden) EXPECT_EQ(Message(std::string("a") + c, typIdentifier), expected) << c;
    EXPECT_EQ(Message("1.5,/", typCustom), "");
}

TEST(FieldText, ConversionsQuoteTheTextAndTheKind) {
    EXPECT_EQ(TextToInteger(" -17 "), -17);
    EXPECT_DOUBLE_EQ(TextToReal("2.5E-1"), 0.25);
    EXPECT_DOUBLE_EQ(FieldTextToReal(" - "), 0.0);
    EXPECT_DOUBLE_EQ(FieldTextToReal(""), 0.0);
    EXPECT_DOUBLE_EQ(FieldTextToReal("-3"), -3.0);
    try {
        TextToInteger("1.5");
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "\"1.5\" no es un número entero válido");
    }
    try {
        FieldTextToReal("abc");
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "\"abc\" no es un número real válido");
    }
    EXPECT_THROW(TextToReal("-"), EConvertError);
}

TEST(FieldText, RealsWrittenWithTheFieldFormat) {
    EXPECT_EQ(RealToFieldText(2.5, ""), "2.500");
    EXPECT_EQ(RealToFieldText(2.5, "%.1f"), "2.5");
    EXPECT_EQ(RealToFieldText(0.125, "%.2f"), "0.13");  // exact binary half: away from zero
    EXPECT_EQ(RealToFieldText(-0.0001, ""), "0.000");
    EXPECT_THROW(RealToFieldText(2.5, "%d"), EConvertError);
    // The decimal separator does not follow the locale.
    if (std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        EXPECT_EQ(RealToFieldText(1.25, "%.2f"), "1.25");
        EXPECT_DOUBLE_EQ(TextToReal("1.25"), 1.25);
        std::setlocale(LC_ALL, "C");
    }
}

}  // namespace
}  // namespace nerim
