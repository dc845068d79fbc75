// Language files: whatever a translator's file holds, the texts it gives a window and the
// numbered info texts are clean, and a window's texts written to a new language file give
// the same window back.

#include "engine/settings/multi_language.h"
#include "fuzz/fuzz_check.h"
#include "support/fake_form.h"
#include "support/fakes.h"

using namespace quorrix;
using engine::ControlKind;

namespace {

constexpr const char* kPath = "/program/QUORRIX-lng_user.ini";
constexpr const char* kNewPath = "/program/QUORRIX-lng_new.ini";

// One control of every kind the language file addresses; the seed files use these names.
test::FakeForm makeForm()
{
    test::FakeForm form("frmFuzz");
    form.add(ControlKind::Menu, "mnuFile").captionText = "&File";
    form.add(ControlKind::Label, "lblName").captionText = "Name";
    form.add(ControlKind::CommandButton, "cmdOK").tip = "Close";
    form.add(ControlKind::CheckBox, "chkAll");
    form.add(ControlKind::TextBox, "txtPrefix").isEnabled = false;
    auto& list = form.add(ControlKind::ComboBox, "cboSize");
    list.items = { "A4", "A3" };
    list.selected = 1;
    form.add(ControlKind::ListBox, "lstFormats");
    return form;
}

struct Shown {
    std::string caption, tip, text;
    std::vector<std::string> items;
    int selected;
    bool enabled;
    bool operator==(const Shown&) const = default;
};

std::vector<Shown> shownTexts(test::FakeForm& form)
{
    std::vector<Shown> shown;
    for (engine::LanguageControl* control : form.controls()) {
        auto& c = static_cast<test::FakeControl&>(*control);
        for (const std::string* text : { &c.captionText, &c.tip, &c.textValue })
            FUZZ_CHECK(fuzz::isCleanText(*text));
        for (const std::string& item : c.items)
            FUZZ_CHECK(fuzz::isCleanText(item));
        shown.push_back({ c.captionText, c.tip, c.textValue, c.items, c.selected, c.isEnabled });
    }
    return shown;
}

} // namespace

FUZZ_TARGET(bytes)
{
    fuzz::MemoryFileSystem files;
    files.files[kPath] = bytes;
    test::RecordingMessageBox messages;
    engine::clsMultiLanguage texts(files, messages);
    texts.IniFile(kPath);
    FUZZ_CHECK(texts.IniFile() == kPath);

    for (const std::int32_t number : { 1, 2, 10, 101, 220 })
        FUZZ_CHECK(fuzz::isCleanText(texts.GetInfoText(number)));

    test::FakeForm form = makeForm();
    texts.GetAllControlText(form);
    const std::vector<Shown> read = shownTexts(form);
    FUZZ_CHECK(!static_cast<test::FakeControl&>(*form.controls()[4]).isEnabled);

    // What the window shows, written as a language file of its own, shows the same again.
    texts.SetNewIniFile(kNewPath);
    texts.SetAllControlText(form);
    engine::clsMultiLanguage written(files, messages);
    written.IniFile(kNewPath);
    test::FakeForm again = makeForm();
    written.GetAllControlText(again);
    FUZZ_CHECK(shownTexts(again) == read);
}
