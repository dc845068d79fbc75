#pragma once

#include <string>
#include <vector>

namespace quorrix::engine {

class Connector;
class KeyValueStore;

// One row of the SolidWorks version table.
struct SwAppVersion {
    int index;
    std::string name; // what the user sees
    std::string suffix; // appended to the ProgID
};

// The 40 versions in index order, from "standard" (no suffix) to "benutzerdefiniert".
const std::vector<SwAppVersion>& SwAppVersionTable();

// "SldWorks.Application" followed by the suffix.
std::string swProgId(const std::string& suffix);

// The name of the row with this suffix; "standard" when no row has it.
std::string SwAppVersionName(const std::string& suffix);

// The caption of the main window's version label: "SWX version: " and the name.
std::string SwAppVersionLabel(const std::string& suffix);

// Whether the classes root registers the ProgID: its key "<ProgID>\CLSID" has a default
// value. What the Windows automation connector answers.
bool classesRootRegisters(KeyValueStore& store, const std::string& progId);

// The version dialog's list: the names of the table rows whose ProgID is registered, in
// index order, and the entry to select (the one with the current suffix, else the first).
struct SwAppVersionChoice {
    std::vector<std::string> names;
    int selected = -1; // -1 when the list is empty
};
SwAppVersionChoice InstalledSwAppVersions(Connector& connector, const std::string& currentSuffix);

// The dialog's OK: the suffix of the chosen name; empty when the name is no row's.
std::string SwAppVersionSuffixForName(const std::string& name);

} // namespace quorrix::engine
