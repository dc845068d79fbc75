#include <gtest/gtest.h>

#include "engine/platform/text_encoding.h"

using namespace quorrix::engine;

TEST(TextEncoding, EachLineIsDecodedOnItsOwn)
{
    struct Row {
        std::string bytes;
        std::string text; // UTF-8
        LineFault fault;
        bool keepsOriginal; // written back as read, not as text
    };
    const std::vector<Row> rows {
        { "Gr\303\266\303\237e", "Gr\303\266\303\237e", LineFault::None, false },
        // "Größe 5 €" as an old tool in the ANSI code page wrote it.
        { "Gr\366\337e 5 \x80", "Gr\303\266\303\237e 5 \xE2\x82\xAC", LineFault::None, true },
        { "a\tb", "a\tb", LineFault::None, false },
        { std::string("C:\\a.slddrw\0.x", 14), std::string("C:\\a.slddrw\0.x", 14),
            LineFault::ControlCharacter, true },
        { "a\x1b", "a\x1b", LineFault::ControlCharacter, true },
        // Neither UTF-8 nor a byte Windows-1252 defines.
        { "a\x81", "a\xC2\x81", LineFault::Undecodable, true },
    };
    for (const Row& row : rows) {
        const TextLine line = decodeTextLine(row.bytes, 7);
        EXPECT_EQ(line.text, row.text) << row.bytes;
        EXPECT_EQ(line.fault, row.fault) << row.bytes;
        EXPECT_EQ(line.bytes(), row.bytes);
        EXPECT_EQ(line.original.empty(), !row.keepsOriginal) << row.bytes;
        EXPECT_EQ(line.number, 7u);
    }
}

TEST(TextEncoding, LinesEndAtAnyLineBreakAndOneOddLineChangesNoOther)
{
    const std::vector<TextLine> lines = readTextLines("\xEF\xBB\xBF\xC3\xA4\r\n\xE4\n\rlast\r\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].text, "\xC3\xA4");
    EXPECT_TRUE(lines[0].original.empty());
    EXPECT_EQ(lines[1].text, "\xC3\xA4");
    EXPECT_EQ(lines[1].original, "\xE4");
    EXPECT_EQ(lines[2].text, "");
    EXPECT_EQ(lines[3].text, "last");
    EXPECT_EQ(lines[3].number, 4u);
    EXPECT_TRUE(readTextLines("").empty());
    EXPECT_EQ(readTextLines("x").size(), 1u);
}

TEST(TextEncoding, RejectsMalformedUtf8)
{
    const char* invalid[] = {
        "\xC3", // truncated
        "\xC0\xAF", // overlong "/"
        "\xED\xA0\x80", // surrogate
        "\xF4\x90\x80\x80", // beyond U+10FFFF
        "\xFF",
        "a\200b",
    };
    for (const char* s : invalid)
        EXPECT_FALSE(isValidUtf8(s)) << s;
    EXPECT_TRUE(isValidUtf8("\xF0\x9F\x98\x80 \xE2\x82\xAC"));
    EXPECT_TRUE(isValidUtf8(std::string("a\0b", 3)));
}
