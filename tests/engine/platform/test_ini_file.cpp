#include <gtest/gtest.h>

#include "engine/platform/ini_file.h"
#include "engine/platform/platform_error.h"
#include "platform/platform_ports.h"
#include "support/temp_dir.h"

using namespace quorrix;
using namespace quorrix::engine;

namespace {

struct IniFileTest : ::testing::Test {
    platform::PlatformPorts ports = platform::createPlatformPorts();
    test::TempDir dir;
    IniFile ini { *ports.files };
};

} // namespace

TEST_F(IniFileTest, WritingManyKeysGivesTheSameFileAsWritingThemOneByOne)
{
    const std::string start
        = "QRX Printer configuration file\r\n[TIFF]\r\nTiffPrintDPI=72\r\n; end\r\n";
    const std::vector<IniEntry> entries = {
        { "PrinterDefault", "A", "1" },
        { "TIFF", "TiffPrintDPI", "300" },
        { "TIFF", "B", " 2 " },
        { "printerdefault", "C", "3" },
        { "Misc", "D", std::string(300, 'p') },
        { "TIFF", "tiffprintdpi", "600" },
    };
    const std::string one = dir.file("one.qrxcfg");
    const std::string many = dir.file("many.qrxcfg");
    test::writeFileBytes(one, start);
    test::writeFileBytes(many, start);
    for (const IniEntry& e : entries)
        ini.write(one, e.section, e.key, e.value);
    ini.writeMany(many, entries);
    EXPECT_EQ(test::readFileBytes(one), test::readFileBytes(many));
    EXPECT_EQ(ini.read(many, "Misc", "D"), std::string(300, 'p'));
    EXPECT_EQ(ini.read(many, "TIFF", "B"), " 2 ");
}

TEST_F(IniFileTest, ReadsFollowChangesMadeBehindItsBackAndFailedWritesThrow)
{
    const std::string path = dir.file("lang.ini");
    EXPECT_EQ(ini.read(path, "Info", "Text.1"), std::nullopt);
    test::writeFileBytes(path, "[Info]\nText.1=QUORRIX\n");
    EXPECT_EQ(ini.read(path, "Info", "Text.1"), "QUORRIX");
    test::writeFileBytes(path, "[Info]\nText.1=Another title\n");
    EXPECT_EQ(ini.read(path, "Info", "Text.1"), "Another title");

    EXPECT_THROW(ini.write(dir.file("missing-folder") + "/x.ini", "S", "K", "V"), PlatformError);
    ini.write(dir.file("new.ini"), "S", "K", "V");
    EXPECT_EQ(test::readFileBytes(dir.file("new.ini")), "[S]\r\nK=V\r\n");
}

TEST_F(IniFileTest, OldAnsiLinesAreReadAsWindows1252AndKeptAsTheyWere)
{
    const std::string path = dir.file("old.ini");
    test::writeFileBytes(path, "[Info]\r\nText.5=Gr\366\337e\r\n");
    EXPECT_EQ(ini.read(path, "Info", "Text.5"), "Gr\303\266\303\237e");
    ini.write(path, "Info", "Text.6", "n\xC3\xBC");
    EXPECT_EQ(test::readFileBytes(path), "[Info]\r\nText.5=Gr\366\337e\r\nText.6=n\xC3\xBC\r\n");
}
