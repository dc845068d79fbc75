#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "engine/platform/path_text.h"
#include "platform/platform_ports.h"
#include "support/temp_dir.h"
#include "swsim/model/installation.h"

namespace quorrix::swsim {
namespace {

using engine::kPathSeparator;

class InstallationTest : public ::testing::Test {
protected:
    Installation load(const std::string& text)
    {
        test::writeFileBytes(configPath(), text);
        return loadInstallation(*m_ports.files, configPath(), "default.jsonl");
    }
    std::string configPath() const { return m_dir.file("swsim.ini"); }
    std::string inDir(const std::string& name) const { return m_dir.file(name); }

    Installation defaults() const
    {
        Installation installation;
        installation.spoolPath = "default.jsonl";
        return installation;
    }

private:
    test::TempDir m_dir;
    platform::PlatformPorts m_ports = platform::createPlatformPorts();
};

TEST_F(InstallationTest, ReadsEveryKey)
{
    const std::string journal = inDir("calls.log");
    const Installation installation = load("[Installation]\r\n"
                                           "Installed=0\r\n"
                                           "Revision=31.2.0   ; 2023 SP2\r\n"
                                           "Versions=,.30, 31\r\n"
                                           "EDrawingsProfessional=1\r\n"
                                           "ActivePrinter=Plotter A0\r\n"
                                           "[Preferences]\r\n"
                                           "Integer.9=600\r\n"
                                           "double.48=0.0003\r\n"
                                           "Toggle.28=0\r\n"
                                           "StringList.1=a,b\r\n"
                                           "Toggle.500=true\r\n"
                                           "[Files]\r\n"
                                           "Spool=spool.jsonl\r\n"
                                           "Journal="
        + journal
        + "\r\n"
          "[Faults]\r\n"
          "RefusePreferences=9, double.10,x,Color.3\r\n"
          "CrashAfterOpens=2\r\n"
          "Raise=RunMacro\r\n"
          "RaiseOnce=OpenDoc2,ActivateDoc\r\n"
          "Delay=OpenDoc2:1000\r\n");

    Installation expected = defaults();
    expected.installed = false;
    expected.revision = "31.2.0";
    expected.versions = { "", ".30", ".31" };
    expected.eDrawingsProfessional = true;
    expected.activePrinter = "Plotter A0";
    expected.preferences.integers[9] = 600;
    expected.preferences.doubles[48] = 0.0003;
    expected.preferences.toggles[28] = false;
    expected.preferences.toggles[500] = true;
    expected.preferences.stringLists[1] = "a,b";
    expected.spoolPath = inDir("spool.jsonl");
    expected.journalPath = journal;
    expected.refusedPreferences = { "9", "Double.10" };
    expected.crashAfterOpens = 2;
    expected.raise = { "RunMacro" };
    expected.raiseOnce = { "OpenDoc2", "ActivateDoc" };
    expected.delayMilliseconds = { { "OpenDoc2", 1000 } };
    EXPECT_EQ(installation, expected);
}

TEST_F(InstallationTest, MissingFilesAndMalformedValuesKeepTheDefaults)
{
    EXPECT_EQ(loadInstallation(
                  *platform::createPlatformPorts().files, inDir("none.ini"), "default.jsonl"),
        defaults());
    const struct {
        std::string text;
        std::function<void(Installation&)> change;
    } rows[] = {
        { "", nullptr },
        { std::string("\x01\x02garbage\0\xFF", 11), nullptr },
        { "[Installation]\nInstalled=maybe\nRevision=\nEDrawingsProfessional=2", nullptr },
        { "[Installation]\nVersions=", [](Installation& i) { i.versions = { "" }; } },
        { "[Installation]\nVersions=.29,,.29",
            [](Installation& i) {
                i.versions = { ".29", "" };
            } },
        { "[Preferences]\nInteger.9=300.5\nDouble.48=0,0003\nToggle.28=yes\nInteger.x=1\n"
          "Integer.=1\nDouble.-1=1\nLength.1=5\nDouble.49=1e999",
            nullptr },
        { "[Faults]\nCrashAfterOpens=-3", nullptr },
        { "[Faults]\nCrashAfterOpens=0", [](Installation& i) { i.crashAfterOpens = 0; } },
        { "[Faults]\nRefusePreferences=", nullptr },
        { "[Faults]\nDelay=Visible:x,:3", nullptr },
        { "[Files]\nSpool=\nJournal=", nullptr },
        { "[installation]\ninstalled=0", [](Installation& i) { i.installed = false; } },
    };
    for (const auto& row : rows) {
        Installation expected = defaults();
        if (row.change)
            row.change(expected);
        EXPECT_EQ(load(row.text), expected) << row.text;
    }
}

TEST_F(InstallationTest, RelativeFilesLieBesideTheConfigurationFile)
{
    const std::string absolute = inDir("abs.jsonl");
    const struct {
        std::string spool;
        std::string expected;
    } rows[] = {
        { "spool.jsonl", inDir("spool.jsonl") },
        { "\"out put.jsonl\"", inDir("out put.jsonl") },
        { absolute, absolute },
    };
    for (const auto& row : rows) {
        const Installation installation
            = load("[Files]\nSpool=" + row.spool + "\nJournal=" + row.spool);
        EXPECT_EQ(installation.spoolPath, row.expected) << row.spool;
        EXPECT_EQ(installation.journalPath, row.expected) << row.spool;
    }
}

TEST(SimulatorConfigPath, VariableWinsOverTheUserFolder)
{
    const std::string sep(1, kPathSeparator);
    const struct {
        const char* folder;
        const char* variable;
        std::string expected;
    } rows[] = {
        { "cfg", nullptr, "cfg" + sep + "swsim.ini" },
        { "cfg", "", "cfg" + sep + "swsim.ini" },
        { "cfg/", nullptr, "cfg/swsim.ini" },
        { "", nullptr, "swsim.ini" },
        { "cfg", "/tmp/other.ini", "/tmp/other.ini" },
    };
    for (const auto& row : rows)
        EXPECT_EQ(simulatorConfigPath(row.folder, row.variable), row.expected) << row.folder;
    EXPECT_EQ(simulatorConfigPath("cfg"),
        simulatorConfigPath("cfg", std::getenv("QUORRIX_SWSIM_CONFIG")));
}

} // namespace
} // namespace quorrix::swsim
