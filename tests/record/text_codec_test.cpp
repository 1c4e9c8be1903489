#include "record/text_codec.h"

#include <gtest/gtest.h>

namespace quorven {
namespace {

TEST(TextCodec, Windows1252DiffersFromLatin1InTheHighControls) {
    EXPECT_EQ(Cp1252ToUtf8("UVT\xAE"), "UVT\u00AE");
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\u20AC");  // euro, not U+0080
    EXPECT_EQ(Cp1252ToUtf8("\x93x\x94"), "\u201Cx\u201D");
    EXPECT_EQ(Cp1252ToUtf8("60\xB0"
                           "F \xDF"),
              "60\u00B0F \u00DF");
    EXPECT_EQ(Utf8ToCp1252("\u20AC \u00DF \u2122"), "\x80 \xDF \x99");
}

TEST(TextCodec, UnmappableAndMalformedBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1252("\u4E2D"), "?");
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");  // truncated sequence
    EXPECT_EQ(Utf8ToCp1252("\xFF"
                           "b"),
              "?b");
}

// Text to be stored is taken only when every character has a Windows-1252 form.
TEST(TextCodec, ExactConversionRefusesWhatWindows1252CannotHold) {
    EXPECT_EQ(Utf8ToCp1252Exact("FE-101 \u20AC \u00B0F ?"),
              "FE-101 \x80 \xB0"
              "F ?");
    EXPECT_EQ(Utf8ToCp1252Exact(""), "");
    for (const char* refused : {"\u03A9-1", "\u4E2D", "a\xC3", "\xFF", "\xC2\x81", "\xC0\xAF"}) {
        SCOPED_TRACE(refused);
        EXPECT_FALSE(Utf8ToCp1252Exact(refused));
    }
}

TEST(TextCodec, RoundTripsEveryAssignedByte) {
    for (int b = 1; b < 256; ++b) {
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;  // unassigned
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << b;
    }
}

}  // namespace
}  // namespace quorven
