#include <gtest/gtest.h>

#include "engine/platform/ini_document.h"

using namespace quorrix::engine;

namespace {

const char* const kSample = "; written by hand\r\n"
                            "orphan=before any section\r\n"
                            "[TIFF]\r\n"
                            "  TiffPrintDPI  =  300  \r\n"
                            "TiffSaveFolder=\"  C:\\out  \"\r\n"
                            "junk line without equals\r\n"
                            "\r\n"
                            "[tiff]\r\n"
                            "TiffPrintDPI=600\r\n"
                            "[Misc]\n"
                            "Quoted='single'\n"
                            "Half=\"open\n"
                            "Empty=\r\n";

} // namespace

TEST(IniDocument, ReadsLikeTheProfileFunctions)
{
    const IniDocument doc = IniDocument::parse(kSample);
    using Row = std::tuple<const char*, const char*, std::optional<std::string>>;
    const Row rows[] = { { "TIFF", "TiffPrintDPI", "300" }, // first section wins over [tiff]
        { "tiff", "TIFFPRINTDPI", "300" }, // names compare without case
        { " TIFF ", " TiffPrintDPI ", "300" }, // blanks around names do not count
        { "TIFF", "TiffSaveFolder", "  C:\\out  " }, // one pair of quotes protects blanks
        { "Misc", "Quoted", "single" }, { "Misc", "Half", "\"open" }, { "Misc", "Empty", "" },
        { "Misc", "Missing", std::nullopt }, { "Nope", "TiffPrintDPI", std::nullopt },
        { "TIFF", "junk line without equals", std::nullopt }, { "", "orphan", std::nullopt } };
    for (const auto& [section, key, value] : rows)
        EXPECT_EQ(doc.get(section, key), value) << section << "/" << key;
    EXPECT_EQ(doc.sectionNames(), (std::vector<std::string> { "TIFF", "tiff", "Misc" }));
}

TEST(IniDocument, WritingKeepsEverythingElseInPlace)
{
    IniDocument doc = IniDocument::parse(kSample);
    doc.set("tiff", "tiffprintdpi", "1200"); // replaces the first match, keeps its spelling
    doc.set("TIFF", "TiffImageType", "2"); // appended at the end of its section
    doc.set("New", "Key", "v"); // new section at the end
    EXPECT_EQ(doc.serialize(),
        "; written by hand\r\n"
        "orphan=before any section\r\n"
        "[TIFF]\r\n"
        "  TiffPrintDPI  =1200\r\n"
        "TiffSaveFolder=\"  C:\\out  \"\r\n"
        "junk line without equals\r\n"
        "TiffImageType=2\r\n"
        "\r\n"
        "[tiff]\r\n"
        "TiffPrintDPI=600\r\n"
        "[Misc]\r\n"
        "Quoted='single'\r\n"
        "Half=\"open\r\n"
        "Empty=\r\n"
        "[New]\r\n"
        "Key=v\r\n");
}

TEST(IniDocument, ValuesThatNeedProtectionReadBackUnchanged)
{
    const std::string values[] = { " lead", "trail ", "\"quoted\"", "'q'", "", "a=b;c", "\"",
        std::string(300, 'x'), "Gr\303\266\303\237e" };
    IniDocument doc;
    for (const std::string& v : values) {
        doc.set("S", "K", v);
        const IniDocument again = IniDocument::parse(doc.serialize());
        EXPECT_EQ(again.get("S", "K"), v);
    }
    doc.set("S", "K", "line\r\nbreak");
    EXPECT_EQ(IniDocument::parse(doc.serialize()).get("S", "K"), "line  break");
}

TEST(IniDocument, RemovesKeysAndSectionsAndListsEntries)
{
    IniDocument doc = IniDocument::parse("[A]\nx=1\ny= \"2 \"\n[B]\nz=3\n");
    EXPECT_EQ(doc.sectionEntries("a"),
        (std::vector<std::pair<std::string, std::string>> { { "x", "1" }, { "y", "2 " } }));
    EXPECT_TRUE(doc.removeKey("A", "X"));
    EXPECT_FALSE(doc.removeKey("A", "X"));
    EXPECT_TRUE(doc.removeSection("b"));
    EXPECT_FALSE(doc.hasSection("B"));
    EXPECT_EQ(doc.serialize(), "[A]\r\ny= \"2 \"\r\n");
}

TEST(IniDocument, SurvivesAnyBytes)
{
    std::string noise;
    for (int i = 0; i < 4096; ++i)
        noise += static_cast<char>((i * 7919) % 256);
    noise += "\n[S]\n" + std::string(100000, '=') + "\n[\n]\n[S\n=\n\0\n";
    IniDocument doc = IniDocument::parse(noise);
    doc.set("S", "K", "v");
    EXPECT_EQ(IniDocument::parse(doc.serialize()).get("S", "K"), "v");
    // A first line that begins with a byte-order mark of its own keeps it.
    const std::string marked = "\xEF\xBB\xBF\xEF\xBB\xBF[S]\r\n";
    EXPECT_EQ(IniDocument::parse(marked).serialize(), marked);
}

TEST(IniDocument, UnusableLinesAreReportedSkippedAndKeptAsRead)
{
    const std::string text(
        "[A]\r\nu=\xC3\xA4\r\nw=\xE4\r\nbad=x\0y\r\n[B\x81]\r\nk=1\r\n[C]\r\nn=2\r\n", 46);
    const IniDocument doc = IniDocument::parse(text);
    using Row = std::tuple<const char*, const char*, std::optional<std::string>>;
    const Row rows[] = {
        { "A", "u", "\xC3\xA4" },
        { "A", "w", "\xC3\xA4" }, // a Windows-1252 line beside a UTF-8 one
        { "A", "bad", std::nullopt },
        { "A", "k", std::nullopt }, // a damaged header still ends the section before it
        { "C", "n", "2" },
    };
    for (const auto& [section, key, value] : rows)
        EXPECT_EQ(doc.get(section, key), value) << section << "/" << key;
    EXPECT_EQ(doc.problems(),
        (std::vector<LineProblem> {
            { 4, LineFault::ControlCharacter }, { 5, LineFault::Undecodable } }));
    EXPECT_EQ(doc.lineNumber("C", "n"), 8u);
    EXPECT_EQ(doc.sectionNames(), (std::vector<std::string> { "A", "C" }));
    EXPECT_EQ(doc.serialize(), text);
}
