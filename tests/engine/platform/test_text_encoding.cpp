#include <gtest/gtest.h>

#include "engine/platform/text_encoding.h"

using namespace quorrix::engine;

TEST(TextEncoding, Utf8IsKeptAndItsByteOrderMarkDropped)
{
    EXPECT_EQ(decodeTextFile("Gr\xC3\xB6\xC3\x9F"
                             "e"),
        "Gr\xC3\xB6\xC3\x9F"
        "e");
    EXPECT_EQ(decodeTextFile("\xEF\xBB\xBF[Info]"), "[Info]");
    EXPECT_EQ(decodeTextFile(""), "");
}

TEST(TextEncoding, AnythingElseIsReadAsWindows1252)
{
    // "Größe 5 €" as an old tool in the ANSI code page wrote it.
    EXPECT_EQ(decodeTextFile("Gr\xF6\xDF"
                             "e 5 \x80"),
        "Gr\xC3\xB6\xC3\x9F"
        "e 5 \xE2\x82\xAC");
    // Bytes the code page leaves undefined keep their value as a control character.
    EXPECT_EQ(windows1252ToUtf8("\x81"), "\xC2\x81");
}

TEST(TextEncoding, RejectsMalformedUtf8)
{
    const char* invalid[] = {
        "\xC3", // truncated
        "\xC0\xAF", // overlong "/"
        "\xED\xA0\x80", // surrogate
        "\xF4\x90\x80\x80", // beyond U+10FFFF
        "\xFF",
        "a\x80"
        "b",
    };
    for (const char* s : invalid)
        EXPECT_FALSE(isValidUtf8(s)) << s;
    EXPECT_TRUE(isValidUtf8("\xF0\x9F\x98\x80 \xE2\x82\xAC"));
    EXPECT_TRUE(isValidUtf8(std::string("a\0b", 3)));
}
