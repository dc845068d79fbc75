#pragma once

#include <string>
#include <vector>

#include <windows.h>

namespace quorrix::swserver {

// The classes the server serves: one per registered SolidWorks version and the Document
// Manager's class factory.
struct ServedClass {
    std::string progId;
    CLSID classId;
    bool documentManager = false;
};

// The ProgIDs of the stand-in's versions ("" is SldWorks.Application, ".31"
// SldWorks.Application.31) and the Document Manager, each with a class id of its own.
std::vector<ServedClass> servedClasses(const std::vector<std::string>& versionSuffixes);

// Registers the classes under root's Software\Classes: HKEY_CURRENT_USER for the current
// user, as Windows merges them into the classes root; HKEY_LOCAL_MACHINE for all users, the
// only classes Wine's COM reads. ProgID -> CLSID -> LocalServer32, which starts this program
// with the configuration file when one is given. Returns a Win32 error code, 0 on success.
long registerServer(HKEY root, const std::vector<ServedClass>& classes,
    const std::wstring& programPath, const std::wstring& configPath);
// Removes every ProgID and class id of this server from root's classes, whatever versions
// were registered.
long unregisterServer(HKEY root);

} // namespace quorrix::swserver
