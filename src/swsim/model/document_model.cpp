#include "swsim/model/document_model.h"

#include <algorithm>
#include <string_view>

#include "engine/platform/ini_document.h"
#include "engine/platform/number_text.h"
#include "swsim/model/value_text.h"

namespace quorrix::swsim {

namespace {

using engine::IniDocument;

constexpr std::string_view kDocumentSection = "Document";
constexpr std::string_view kFaultsSection = "Faults";
constexpr std::string_view kPreferencesSection = "Preferences";
constexpr std::string_view kSheetPrefix = "Sheet.";
constexpr std::string_view kViewPrefix = "View.";
constexpr std::string_view kComponentPrefix = "Component.";
constexpr const char* kDefaultConfiguration = "Default";

struct Extension {
    std::string_view suffix; // lower case
    std::int32_t type;
};

constexpr Extension kExtensions[] = {
    { ".sldprt", engine::kSwDocPart },
    { ".sldasm", engine::kSwDocAssembly },
    { ".slddrw", engine::kSwDocDrawing },
};

// Paths reach the stand-in in Windows form even on Linux (print lists written there), so
// both separators end a folder name.
std::string fileName(const std::string& path)
{
    const std::size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

bool isModel(std::int32_t type)
{
    return type == engine::kSwDocPart || type == engine::kSwDocAssembly;
}

SheetModel defaultSheet(std::string name)
{
    SheetModel sheet;
    sheet.name = std::move(name);
    sheet.views.emplace_back();
    return sheet;
}

std::string numberedSheetName(std::size_t position)
{
    return "Sheet" + std::to_string(position);
}

// The sections or keys "<prefix>N" in the order of their numbers; where two carry the same
// number (Sheet.1 and Sheet.01) the first in the file wins, as for duplicate keys.
template <typename Named>
std::vector<Named> inNumberOrder(const std::vector<Named>& items, std::string_view prefix,
    std::string_view (*nameOf)(const Named&))
{
    std::map<std::int32_t, Named> byNumber;
    for (const Named& item : items) {
        if (const auto number = numberedName(nameOf(item), prefix))
            byNumber.emplace(*number, item);
    }
    std::vector<Named> ordered;
    ordered.reserve(byNumber.size());
    for (auto& [number, item] : byNumber)
        ordered.push_back(std::move(item));
    return ordered;
}

std::string_view sectionName(const std::string& name)
{
    return name;
}

std::string_view entryKey(const std::pair<std::string, std::string>& entry)
{
    return entry.first;
}

// "mode=3;facetted=1;edges=0;useparent=1": fields in any order and case, each one that
// does not read keeps its default, unknown fields are ignored.
ViewModel parseView(std::string_view text)
{
    ViewModel view;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(';', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view field = text.substr(start, end - start);
        start = end + 1;
        const std::size_t equals = field.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string name = engine::foldCase(engine::trimBlanks(field.substr(0, equals)));
        const std::string_view value = field.substr(equals + 1);
        if (name == "mode") {
            const auto mode = readInt32(value);
            if (mode && *mode >= INT16_MIN && *mode <= INT16_MAX)
                view.mode = static_cast<std::int16_t>(*mode);
        } else if (name == "facetted") {
            view.facetted = readBool(value).value_or(view.facetted);
        } else if (name == "edges") {
            view.edges = readBool(value).value_or(view.edges);
        } else if (name == "useparent") {
            view.useParent = readBool(value).value_or(view.useParent);
        }
    }
    return view;
}

// A name SolidWorks would refuse (empty, or one an earlier sheet already has) becomes
// "SheetN" for the first free N from the sheet's position on, so ActivateSheet can tell
// every sheet apart.
std::string uniqueSheetName(const std::optional<std::string>& wanted, std::size_t position,
    const std::vector<SheetModel>& sheets)
{
    const auto taken = [&sheets](const std::string& name) {
        return std::any_of(sheets.begin(), sheets.end(),
            [&name](const SheetModel& sheet) { return sheet.name == name; });
    };
    if (wanted && !wanted->empty() && !taken(*wanted))
        return *wanted;
    std::string name = numberedSheetName(position);
    while (taken(name))
        name = numberedSheetName(++position);
    return name;
}

std::vector<SheetModel> parseSheets(const IniDocument& ini)
{
    std::vector<SheetModel> sheets;
    for (const std::string& section :
        inNumberOrder(ini.sectionNames(), kSheetPrefix, sectionName)) {
        SheetModel sheet;
        sheet.name = uniqueSheetName(readValue(ini, section, "Name"), sheets.size() + 1, sheets);
        if (const auto value = readValue(ini, section, "PaperSize"))
            sheet.paperSize = readInt32(*value).value_or(sheet.paperSize);
        if (const auto value = readValue(ini, section, "Width")) {
            const auto width = readDouble(*value);
            if (width && *width > 0)
                sheet.width = *width;
        }
        if (const auto value = readValue(ini, section, "Height")) {
            const auto height = readDouble(*value);
            if (height && *height > 0)
                sheet.height = *height;
        }
        for (const auto& [key, text] :
            inNumberOrder(ini.sectionEntries(section), kViewPrefix, entryKey))
            sheet.views.push_back(parseView(stripComment(text)));
        sheets.push_back(std::move(sheet));
    }
    if (sheets.empty())
        sheets.push_back(defaultSheet(numberedSheetName(1)));
    return sheets;
}

// A component without a file names nothing and is left out; every other key that does not
// read keeps its default.
std::vector<ComponentModel> parseComponents(const IniDocument& ini)
{
    std::vector<ComponentModel> components;
    for (const std::string& section :
        inNumberOrder(ini.sectionNames(), kComponentPrefix, sectionName)) {
        ComponentModel component;
        component.file = engine::trimBlanks(readValue(ini, section, "File").value_or(""));
        if (component.file.empty())
            continue;
        if (const auto value = readValue(ini, section, "Configuration")) {
            std::string name = engine::trimBlanks(*value);
            if (!name.empty())
                component.configuration = std::move(name);
        }
        if (const auto value = readValue(ini, section, "Suppressed"))
            component.suppressed = readBool(*value).value_or(component.suppressed);
        if (const auto value = readValue(ini, section, "Excluded"))
            component.excluded = readBool(*value).value_or(component.excluded);
        components.push_back(std::move(component));
    }
    return components;
}

std::vector<std::string> parseConfigurations(std::string_view text)
{
    std::vector<std::string> names;
    for (std::string& name : splitList(text)) {
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(std::move(name));
    }
    return names;
}

DocumentFaults parseFaults(const IniDocument& ini)
{
    DocumentFaults faults;
    const auto value = [&ini](std::string_view key) { return readValue(ini, kFaultsSection, key); };
    if (const auto text = value("OpenError")) {
        const auto error = readInt32(*text);
        if (error && *error != 0)
            faults.openError = *error;
    }
    if (const auto text = value("ActivateSheet"))
        faults.activateSheet = readNameSet(*text);
    if (const auto text = value("SaveError"))
        faults.saveError = readInt32(*text).value_or(faults.saveError);
    if (const auto text = value("Raise"))
        faults.raise = readNameSet(*text);
    if (const auto text = value("RaiseOnce"))
        faults.raiseOnce = readNameSet(*text);
    if (const auto text = value("Delay"))
        faults.delayMilliseconds = readDelays(*text);
    if (const auto text = value("Slow"))
        faults.slowMilliseconds = readDelays(*text);
    if (const auto text = value("Hang"))
        faults.hang = readNameSet(*text);
    if (const auto text = value("NoExportData"))
        faults.noExportData = readBool(*text).value_or(faults.noExportData);
    if (const auto text = value("EmptyOutput"))
        faults.emptyOutput = readBool(*text).value_or(faults.emptyOutput);
    if (const auto text = value("NoOutput"))
        faults.noOutput = readBool(*text).value_or(faults.noOutput);
    if (const auto text = value("RefusePreferences")) {
        for (const std::string& entry : splitList(*text)) {
            if (const auto key = refusedPreferenceKey(entry))
                faults.refusedPreferences.insert(*key);
        }
    }
    if (const auto text = value("Busy")) {
        const auto calls = readInt32(*text);
        if (calls && *calls >= 0)
            faults.busyCalls = *calls;
    }
    return faults;
}

bool isValidType(std::int32_t type)
{
    return type == engine::kSwDocPart || type == engine::kSwDocAssembly
        || type == engine::kSwDocDrawing;
}

DocumentModel parseStandInText(const std::string& path, const IniDocument& ini)
{
    DocumentModel model;
    model.type = documentTypeFromPath(path);
    if (const auto text = readValue(ini, kDocumentSection, "Type")) {
        const auto type = readInt32(*text);
        if (type && isValidType(*type))
            model.type = *type;
    }
    model.title = readValue(ini, kDocumentSection, "Title").value_or("");
    if (model.title.empty())
        model.title = fileName(path);
    if (const auto text = readValue(ini, kDocumentSection, "Configurations"))
        model.configurations = parseConfigurations(*text);
    if (model.configurations.empty() && isModel(model.type))
        model.configurations.push_back(kDefaultConfiguration);
    if (model.type == engine::kSwDocDrawing)
        model.sheets = parseSheets(ini);
    if (model.type == engine::kSwDocAssembly)
        model.components = parseComponents(ini);
    model.faults = parseFaults(ini);
    readPreferences(ini, kPreferencesSection, model.preferences);
    return model;
}

} // namespace

std::int32_t documentTypeFromPath(const std::string& path)
{
    const std::string folded = engine::foldCase(fileName(path));
    for (const Extension& extension : kExtensions) {
        if (folded.ends_with(extension.suffix))
            return extension.type;
    }
    return engine::kSwDocNone;
}

DocumentModel defaultDocumentModel(const std::string& path)
{
    DocumentModel model;
    model.type = documentTypeFromPath(path);
    model.title = fileName(path);
    if (isModel(model.type))
        model.configurations.push_back(kDefaultConfiguration);
    if (model.type == engine::kSwDocDrawing)
        model.sheets.push_back(defaultSheet(numberedSheetName(1)));
    return model;
}

DocumentModel parseDocumentModel(const std::string& path, const std::string& bytes)
{
    // Real SolidWorks files are binary and full of zero bytes; text never holds one.
    if (bytes.find('\0') != std::string::npos)
        return defaultDocumentModel(path);
    const IniDocument ini = IniDocument::parse(bytes);
    if (!ini.hasSection(kDocumentSection))
        return defaultDocumentModel(path);
    return parseStandInText(path, ini);
}

} // namespace quorrix::swsim
