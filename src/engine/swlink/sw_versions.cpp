#include "engine/swlink/sw_versions.h"

#include "engine/platform/key_value_store.h"
#include "engine/platform/platform_error.h"
#include "engine/swlink/solidworks.h"

namespace quorrix::engine {

namespace {

// Five names end in a no-break space. Names are matched as they stand (the dialog
// hands back the chosen name), so the space belongs to the name.
constexpr const char* kNoBreakSpace = "\xC2\xA0";

std::vector<SwAppVersion> buildTable()
{
    std::vector<SwAppVersion> table {
        { 0, "standard", "" },
        { 1, std::string("SOLIDWORKS 95") + kNoBreakSpace, ".1" },
        { 2, "SOLIDWORKS 96", ".2" },
        { 3, std::string("SOLIDWORKS 97") + kNoBreakSpace, ".3" },
        { 4, "SOLIDWORKS 97Plus", ".4" },
        { 5, "SOLIDWORKS 98", ".5" },
        { 6, std::string("SOLIDWORKS 98Plus") + kNoBreakSpace, ".6" },
        { 7, std::string("SOLIDWORKS 99") + kNoBreakSpace, ".7" },
        { 8, std::string("SOLIDWORKS 2000") + kNoBreakSpace, ".8" },
        { 9, "SOLIDWORKS 2001", ".9" },
        { 10, "SOLIDWORKS 2001Plus", ".10" },
    };
    // One row per year from 2003 on; the suffix number is the year minus 1992.
    for (int year = 2003; year <= 2030; ++year) {
        table.push_back({ year - 1992, "SOLIDWORKS " + std::to_string(year),
            "." + std::to_string(year - 1992) });
    }
    table.push_back({ 39, "benutzerdefiniert", ".custom" });
    return table;
}

} // namespace

const std::vector<SwAppVersion>& SwAppVersionTable()
{
    static const std::vector<SwAppVersion> table = buildTable();
    return table;
}

std::string swProgId(const std::string& suffix)
{
    return "SldWorks.Application" + suffix;
}

std::string SwAppVersionName(const std::string& suffix)
{
    for (const SwAppVersion& row : SwAppVersionTable()) {
        if (row.suffix == suffix)
            return row.name;
    }
    return SwAppVersionTable().front().name;
}

std::string SwAppVersionLabel(const std::string& suffix)
{
    return "SWX version: " + SwAppVersionName(suffix);
}

bool classesRootRegisters(KeyValueStore& store, const std::string& progId)
{
    try {
        return store.read(StoreRoot::ClassesRoot, progId + "\\CLSID", "").has_value();
    } catch (const PlatformError&) {
        return false; // a key the user may not read is not an installation to offer
    }
}

SwAppVersionChoice InstalledSwAppVersions(Connector& connector, const std::string& currentSuffix)
{
    SwAppVersionChoice choice;
    for (const SwAppVersion& row : SwAppVersionTable()) {
        if (!connector.isRegistered(swProgId(row.suffix)))
            continue;
        if (row.suffix == currentSuffix)
            choice.selected = static_cast<int>(choice.names.size());
        choice.names.push_back(row.name);
    }
    if (choice.selected < 0 && !choice.names.empty())
        choice.selected = 0;
    return choice;
}

std::string SwAppVersionSuffixForName(const std::string& name)
{
    for (const SwAppVersion& row : SwAppVersionTable()) {
        if (row.name == name)
            return row.suffix;
    }
    return {};
}

} // namespace quorrix::engine
