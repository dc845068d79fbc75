#include "engine/settings/multi_language.h"

#include <limits>

#include "engine/platform/file_system.h"
#include "engine/platform/message_box_port.h"
#include "engine/platform/platform_error.h"
#include "engine/settings/registry.h"

namespace quorrix::engine {

namespace {

constexpr long kOverflow = 6;

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The leading whole number of a text, as the profile functions read integers: optional
// sign, then digits; anything else gives 0.
long long leadingInteger(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && value < (1LL << 40))
        value = value * 10 + (text[i++] - '0');
    return negative ? -value : value;
}

std::size_t lastSeparator(std::string_view path)
{
    return path.find_last_of("/\\");
}

} // namespace

bool matchesWildcard(std::string_view name, std::string_view pattern)
{
    // Iterative match with backtracking to the last "*".
    std::size_t n = 0, p = 0, star = std::string_view::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

clsMultiLanguage::clsMultiLanguage(FileSystem& files, MessageBoxPort& messages)
    : m_files(files)
    , m_messages(messages)
    , m_ini(files)
{
}

void clsMultiLanguage::showError(
    const std::string& operation, long number, const std::string& description)
{
    m_messages.show(
        errorText(number, description), operation, MessageIcon::Critical, MessageButtons::Ok);
}

std::int16_t clsMultiLanguage::INIGetSettingInteger(const std::string& section,
    const std::string& key, const std::string& fileName, std::int16_t defaultValue)
{
    try {
        const auto text = m_ini.read(fileName, section, key);
        if (!text)
            return defaultValue;
        const long long value = leadingInteger(*text);
        if (value < std::numeric_limits<std::int16_t>::min()
            || value > std::numeric_limits<std::int16_t>::max()) {
            showError("INIGetSettingInteger", kOverflow, "Overflow");
            return 0;
        }
        return static_cast<std::int16_t>(value);
    } catch (const PlatformError& e) {
        showError("INIGetSettingInteger", e.number(), e.description());
        return 0;
    }
}

std::string clsMultiLanguage::INIGetSettingString(const std::string& section,
    const std::string& key, const std::string& fileName, const std::string& defaultValue)
{
    try {
        return m_ini.read(fileName, section, key).value_or(defaultValue);
    } catch (const PlatformError& e) {
        showError("INIGetSettingString", e.number(), e.description());
        return {};
    }
}

bool clsMultiLanguage::INIReadable(const std::string& fileName)
{
    try {
        m_ini.document(fileName);
        return true;
    } catch (const PlatformError& e) {
        showError("INIGetSettingString", e.number(), e.description());
        return false;
    }
}

bool clsMultiLanguage::INIWriteSetting(const std::string& section, const std::string& key,
    const std::string& value, const std::string& fileName)
{
    return INIWriteSettings({ { section, key, value } }, fileName);
}

bool clsMultiLanguage::INIWriteSettings(const std::vector<IniEntry>& entries,
    const std::string& fileName, const std::optional<std::string>& startText)
{
    try {
        m_ini.writeMany(fileName, entries, startText);
        return true;
    } catch (const PlatformError& e) {
        showError("INIWriteSetting", e.number(), e.description());
        return false;
    }
}

bool clsMultiLanguage::FileExists(const std::string& fileName)
{
    if (fileName.empty())
        return false;
    try {
        const std::size_t sep = lastSeparator(fileName);
        const std::string leaf = sep == std::string::npos ? fileName : fileName.substr(sep + 1);
        if (leaf.find_first_of("*?") == std::string::npos)
            return m_files.isPlainFile(fileName);
        const std::string folder
            = sep == std::string::npos ? "." : fileName.substr(0, sep == 0 ? 1 : sep);
        for (const std::string& name : m_files.plainFiles(folder)) {
            if (matchesWildcard(name, leaf))
                return true;
        }
        return false;
    } catch (const PlatformError&) {
        return false; // a name that cannot be checked is not there for the program
    }
}

void clsMultiLanguage::IniFile(const std::string& path)
{
    m_iniFile = FileExists(path) ? path : std::string();
}

std::string clsMultiLanguage::read(
    const std::string& section, const std::string& key, const std::string& defaultValue)
{
    return INIGetSettingString(section, key, m_iniFile, defaultValue);
}

void clsMultiLanguage::GetAllControlText(LanguageForm& form)
{
    if (!FileExists(m_iniFile))
        return;
    for (LanguageControl* control : form.controls())
        GetControlText(form, *control);
}

void clsMultiLanguage::GetControlText(LanguageForm& form, LanguageControl& control)
{
    const std::string section = form.name();
    const std::string prefix = control.name() + ".";
    switch (control.kind()) {
    case ControlKind::Menu:
        control.setCaption(read(section, prefix + "Caption", control.caption()));
        break;
    case ControlKind::Label:
    case ControlKind::Frame:
    case ControlKind::CommandButton:
    case ControlKind::CheckBox:
        control.setCaption(read(section, prefix + "Caption", control.caption()));
        control.setToolTip(read(section, prefix + "ToolTipText", control.toolTip()));
        break;
    case ControlKind::TextBox: {
        // A disabled box may not take a text on every platform: open it for the moment.
        const bool wasEnabled = control.enabled();
        if (!wasEnabled)
            control.setEnabled(true);
        control.setText(read(section, prefix + "Text", control.text()));
        if (!wasEnabled)
            control.setEnabled(false);
        control.setToolTip(read(section, prefix + "ToolTipText", control.toolTip()));
        break;
    }
    case ControlKind::ListBox:
    case ControlKind::ComboBox: {
        control.clearItems();
        const int count = INIGetSettingInteger(section, prefix + "ListCount", m_iniFile,
            static_cast<std::int16_t>(control.itemCount()));
        for (int i = 0; i < count; ++i)
            control.addItem(read(section, prefix + "AddItem" + std::to_string(i), control.item(i)));
        control.setToolTip(read(section, prefix + "ToolTipText", control.toolTip()));
        const int selected = INIGetSettingInteger(section, prefix + "Default", m_iniFile,
            static_cast<std::int16_t>(control.selectedIndex()));
        control.setSelectedIndex(selected);
        break;
    }
    case ControlKind::Other:
        break;
    }
}

std::string clsMultiLanguage::GetInfoText(std::int32_t number)
{
    if (!FileExists(m_iniFile))
        return "INI file doesn't exists " + m_iniFile;
    return read(
        "Info", "Text." + std::to_string(number), "unknown infotext " + std::to_string(number));
}

void clsMultiLanguage::SetAllControlText(LanguageForm& form)
{
    // One write of the file for the whole window.
    std::vector<IniEntry> entries;
    for (LanguageControl* control : form.controls()) {
        std::vector<IniEntry> more = controlEntries(form, *control);
        entries.insert(entries.end(), more.begin(), more.end());
    }
    INIWriteSettings(entries, m_newIniFile);
}

void clsMultiLanguage::SetControlText(LanguageForm& form, LanguageControl& control)
{
    INIWriteSettings(controlEntries(form, control), m_newIniFile);
}

std::vector<IniEntry> clsMultiLanguage::controlEntries(LanguageForm& form, LanguageControl& control)
{
    const std::string section = form.name();
    const std::string prefix = control.name() + ".";
    std::vector<IniEntry> entries;
    switch (control.kind()) {
    case ControlKind::Menu:
        entries.push_back({ section, prefix + "Caption", control.caption() });
        break;
    case ControlKind::Label:
    case ControlKind::Frame:
    case ControlKind::CommandButton:
    case ControlKind::CheckBox:
        entries.push_back({ section, prefix + "Caption", control.caption() });
        entries.push_back({ section, prefix + "ToolTipText", control.toolTip() });
        break;
    case ControlKind::TextBox:
        entries.push_back({ section, prefix + "Text", control.text() });
        entries.push_back({ section, prefix + "ToolTipText", control.toolTip() });
        break;
    case ControlKind::ListBox:
    case ControlKind::ComboBox:
        entries.push_back({ section, prefix + "Default", std::to_string(control.selectedIndex()) });
        entries.push_back({ section, prefix + "ListCount", std::to_string(control.itemCount()) });
        for (int i = 0; i < control.itemCount(); ++i)
            entries.push_back({ section, prefix + "AddItem" + std::to_string(i), control.item(i) });
        entries.push_back({ section, prefix + "ToolTipText", control.toolTip() });
        break;
    case ControlKind::Other:
        entries.push_back(
            { section, prefix + "TypeName", control.typeName() + "*** unbekannte Steuerelemente" });
        break;
    }
    return entries;
}

} // namespace quorrix::engine
