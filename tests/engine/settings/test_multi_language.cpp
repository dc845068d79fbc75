#include <gtest/gtest.h>

#include "engine/platform/path_text.h"
#include "engine/printlist/print_list.h"
#include "engine/settings/language_files.h"
#include "engine/settings/multi_language.h"
#include "engine/settings/settings_schema.h"
#include "engine/settings/shell_execute.h"
#include "platform/platform_ports.h"
#include "support/fake_form.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

using namespace quorrix;
using namespace quorrix::engine;
using test::FakeControl;

namespace {

struct MultiLanguageTest : ::testing::Test {
    platform::PlatformPorts ports = platform::createPlatformPorts();
    test::RecordingMessageBox messages;
    clsMultiLanguage texts { *ports.files, messages };
    test::TempDir dir;
    std::string lng = dir.file("QUORRIX-lng_us.ini");

    void useLanguageFile(const std::string& content)
    {
        test::writeFileBytes(lng, content);
        texts.IniFile(lng);
        ASSERT_EQ(texts.IniFile(), lng);
    }
};

} // namespace

TEST_F(MultiLanguageTest, InfoTexts)
{
    EXPECT_EQ(texts.GetInfoText(1), "INI file doesn't exists ");
    texts.IniFile(dir.file("QUORRIX-lng_user.ini"));
    EXPECT_EQ(texts.IniFile(), "");
    EXPECT_EQ(texts.GetInfoText(1), "INI file doesn't exists ");

    useLanguageFile("[Info]\r\nText.1=QUORRIX\r\nText.20=\"document(s) \"\r\nText.5=\r\n");
    EXPECT_EQ(texts.GetInfoText(1), "QUORRIX");
    EXPECT_EQ(texts.GetInfoText(20), "document(s) ");
    EXPECT_EQ(texts.GetInfoText(5), "");
    EXPECT_EQ(texts.GetInfoText(17), "unknown infotext 17");

    // A file removed while the program runs: the texts say so rather than go stale.
    ports.files->writeBytesAtomic(lng, "[Info]\r\nText.1=Changed\r\n");
    EXPECT_EQ(texts.GetInfoText(1), "Changed");
}

TEST_F(MultiLanguageTest, TranslatesOnlyWhatTheFileNames)
{
    test::FakeForm form("frmMain");
    FakeControl& plot = form.add(ControlKind::CommandButton, "cmdPlot");
    FakeControl& tiff = form.add(ControlKind::CommandButton, "cmdTIFF");
    FakeControl& menu = form.add(ControlKind::Menu, "mnuFile");
    FakeControl& box = form.add(ControlKind::TextBox, "txtFolder");
    FakeControl& combo = form.add(ControlKind::ComboBox, "cmbFormat");
    FakeControl& list = form.add(ControlKind::ListBox, "lstNoCount");
    FakeControl& picture = form.add(ControlKind::Other, "picLogo");
    plot.captionText = "Plotten";
    plot.tip = "Zeichnungen plotten";
    tiff.captionText = "TIFF";
    menu.captionText = "&Datei";
    box.isEnabled = false;
    combo.items = { "x", "y", "z" };
    list.items = { "keep?" };
    picture.captionText = "logo";

    // Without a language file nothing changes.
    texts.GetAllControlText(form);
    EXPECT_EQ(plot.captionText, "Plotten");

    useLanguageFile("[frmMain]\r\ncmdPlot.Caption=Plot\r\n"
                    "mnufile.caption=&File\r\n"
                    "txtFolder.Text=C:\\out\r\n"
                    "cmbFormat.ListCount=2\r\ncmbFormat.AddItem0=A\r\ncmbFormat.AddItem1="
                    "B\r\ncmbFormat.Default=1\r\n"
                    "picLogo.Caption=changed\r\n"
                    "[frmOther]\r\ncmdTIFF.Caption=wrong window\r\n");
    texts.GetAllControlText(form);
    EXPECT_EQ(plot.captionText, "Plot");
    EXPECT_EQ(plot.tip, "Zeichnungen plotten");
    EXPECT_EQ(tiff.captionText, "TIFF");
    EXPECT_EQ(menu.captionText, "&File");
    EXPECT_EQ(box.textValue, "C:\\out");
    EXPECT_FALSE(box.isEnabled);
    EXPECT_FALSE(box.textWhileDisabled);
    EXPECT_EQ(combo.items, (std::vector<std::string> { "A", "B" }));
    EXPECT_EQ(combo.selected, 1);
    EXPECT_TRUE(list.items.empty()); // a list without a count in the file ends up empty
    EXPECT_EQ(picture.captionText, "logo");
}

TEST_F(MultiLanguageTest, WritingAWindowsTextsReadsBackTheSame)
{
    test::FakeForm form("frmTIFFOptions");
    FakeControl& label = form.add(ControlKind::Label, "lblDPI");
    FakeControl& combo = form.add(ControlKind::ComboBox, "cmbType");
    FakeControl& menu = form.add(ControlKind::Menu, "mnuX");
    form.add(ControlKind::Other, "picLogo");
    label.captionText = "Auflösung";
    label.tip = " dpi ";
    combo.items = { "s/w", "Farbe" };
    combo.selected = 0;
    menu.captionText = "M";
    const std::string target = dir.file("new-language.ini");
    texts.SetNewIniFile(target);
    texts.SetAllControlText(form);
    EXPECT_NE(test::readFileBytes(target).find(
                  "picLogo.TypeName=PictureBox*** unbekannte Steuerelemente\r\n"),
        std::string::npos);

    test::FakeForm copy("frmTIFFOptions");
    FakeControl& label2 = copy.add(ControlKind::Label, "lblDPI");
    FakeControl& combo2 = copy.add(ControlKind::ComboBox, "cmbType");
    FakeControl& menu2 = copy.add(ControlKind::Menu, "mnuX");
    texts.IniFile(target);
    texts.GetAllControlText(copy);
    EXPECT_EQ(label2.captionText, "Auflösung");
    EXPECT_EQ(label2.tip, " dpi ");
    EXPECT_EQ(combo2.items, combo.items);
    EXPECT_EQ(combo2.selected, 0);
    EXPECT_EQ(menu2.captionText, "M");
}

TEST_F(MultiLanguageTest, IntegersFilesAndWildcards)
{
    useLanguageFile("[S]\r\nn=12abc\r\nbig=70000\r\nneg=-3\r\nword=abc\r\n");
    EXPECT_EQ(texts.INIGetSettingInteger("S", "n", lng, 5), 12);
    EXPECT_EQ(texts.INIGetSettingInteger("S", "neg", lng, 5), -3);
    EXPECT_EQ(texts.INIGetSettingInteger("S", "word", lng, 5), 0);
    EXPECT_EQ(texts.INIGetSettingInteger("S", "missing", lng, 5), 5);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(texts.INIGetSettingInteger("S", "big", lng, 5), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "INIGetSettingInteger");
    EXPECT_EQ(messages.shown[0].text, "Error: 6. Overflow");

    for (const auto& [path, exists] : { std::pair { lng, true }, { std::string(), false },
             { dir.path(), false }, { dir.file("QUORRIX-lng_*.INI"), true },
             { dir.file("QUORRIX-lng_u?.ini"), true }, { dir.file("*.qrxcfg"), false } })
        EXPECT_EQ(texts.FileExists(path), exists) << path;
    EXPECT_TRUE(matchesWildcard("readme_us.txt", "*_us.*"));
    EXPECT_FALSE(matchesWildcard("readme_us.txt", "*_de.*"));
}

TEST(LanguageFiles, NamesPerLanguageAndTextDocumentsOpenInIt)
{
    const std::string sep(1, quorrix::engine::kPathSeparator);
    EXPECT_EQ(LanguageFilePath("prog", 0), "prog" + sep + "QUORRIX-lng_de.ini");
    EXPECT_EQ(LanguageFilePath("prog", 1), "prog" + sep + "QUORRIX-lng_us.ini");
    EXPECT_EQ(LanguageFilePath("prog", 2), "prog" + sep + "QUORRIX-lng_user.ini");
    EXPECT_EQ(HelpFilePath("prog", 0), "prog" + sep + "QUORRIX_de.chm");
    EXPECT_EQ(HelpFilePath("prog", 2), "prog" + sep + "QUORRIX_us.chm");

    test::RecordingShell shell;
    CShellExecute launcher(shell);
    OpenTextDocument("changes", 2, "prog", launcher, 77, "cwd");
    OpenTextDocument("readme", 0, "prog", launcher, 77, "cwd");
    ASSERT_EQ(shell.requests.size(), 2u);
    EXPECT_EQ(shell.requests[0].file, "prog" + sep + "changes_us.txt");
    EXPECT_EQ(shell.requests[1].file, "prog" + sep + "readme_de.txt");
    EXPECT_EQ(shell.requests[1].owner, 77u);
    EXPECT_EQ(shell.requests[1].directory, "cwd");
    EXPECT_EQ(shell.requests[1].showMode, 1);
}

TEST_F(MultiLanguageTest, SwitchingToAMissingUserLanguageLeavesNoFile)
{
    Settings settings = defaultSettings();
    EXPECT_EQ(SwitchLanguage(2, settings, texts, dir.path()), HelpFilePath(dir.path(), 2));
    EXPECT_EQ(settings.Language, 2);
    EXPECT_EQ(texts.GetInfoText(1), "INI file doesn't exists ");
}

// The language files that ship with the program are copied beside the test programs.
TEST_F(MultiLanguageTest, ShippedFilesHaveEveryInfoTextInBothLanguages)
{
    std::vector<int> numbers = { 1, 2, 3, 4, 5, 6, 7, 8, 25, 61, 130, 131, 140, 141 };
    for (const auto& [from, to] : { std::pair { 10, 13 }, { 15, 23 }, { 30, 33 }, { 40, 45 },
             { 52, 54 }, { 70, 72 }, { 80, 92 }, { 100, 124 } }) {
        for (int n = from; n <= to; ++n)
            numbers.push_back(n);
    }
    for (int language : { 0, 1 }) {
        texts.IniFile(LanguageFilePath(ports.programFolder, language));
        ASSERT_NE(texts.IniFile(), "") << LanguageCode(language);
        for (int n : numbers) {
            const std::string text = texts.GetInfoText(n);
            EXPECT_FALSE(text.empty()) << LanguageCode(language) << " " << n;
            EXPECT_EQ(text.find("unknown infotext"), std::string::npos)
                << LanguageCode(language) << " " << n;
        }
        EXPECT_EQ(texts.GetInfoText(1), "QUORRIX");
        // The full print list's text names its limit.
        EXPECT_NE(texts.GetInfoText(kInfoPrintListFull).find("32767"), std::string::npos);
    }
    EXPECT_TRUE(messages.shown.empty());
}
