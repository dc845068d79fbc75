#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include "engine/printlist/assembly_package.h"
#include "platform/platform_ports.h"
#include "support/temp_dir.h"
#include "swsim/sim_document_manager.h"

namespace quorrix::engine {
namespace {

// An assembly's text: one component per entry, its file first, further keys after "|".
std::string assembly(const std::vector<std::string>& components)
{
    std::string text = "[Document]\n";
    for (std::size_t i = 0; i < components.size(); ++i) {
        text += "[Component." + std::to_string(i + 1) + "]\nFile=" + components[i] + "\n";
        std::replace(text.begin(), text.end(), '|', '\n');
    }
    return text;
}

// The package in one line, paths relative to the folder with "/".
std::string summary(const AssemblyPackage& package, const std::string& folder)
{
    const auto name = [&folder](std::string path) {
        if (path.starts_with(folder))
            path.erase(0, folder.size() + 1);
        std::replace(path.begin(), path.end(), '\\', '/');
        return path;
    };
    std::ostringstream out;
    for (const std::string& path : package.documents)
        out << name(path) << " ";
    for (const std::string& path : package.withoutDrawing)
        out << "| no drawing " << name(path) << " ";
    for (const MissingComponent& missing : package.missing)
        out << "| missing " << name(missing.file) << " in " << name(missing.assembly) << " ";
    for (const auto& cycle : package.cycles) {
        out << "| cycle";
        for (const std::string& path : cycle)
            out << " " << name(path);
        out << " ";
    }
    for (const UnreadableAssembly& unreadable : package.unreadable)
        out << "| unreadable " << name(unreadable.path) << " " << unreadable.code << " ";
    return out.str();
}

TEST(AssemblyPackageTest, ListsTheDrawingsInBillOfMaterialsOrderAndWhatIsMissing)
{
    struct Row {
        std::map<std::string, std::string> assemblies; // top.SLDASM is expanded
        std::vector<std::string> files; // further files, empty
        AssemblyPackageOptions options; // search folders relative to the fixture
        const char* expected;
    };
    const Row rows[] = {
        // Suppressed and excluded components are left out with what they hold.
        { { { "top.SLDASM",
                assembly({ "p1.SLDPRT", "sub.SLDASM|Excluded=1", "p2.SLDPRT|Suppressed=1",
                    "p4.SLDPRT|Excluded=no|Suppressed=0" }) },
              { "sub.SLDASM", assembly({ "p3.SLDPRT" }) } },
            { "p1.SLDPRT", "p2.SLDPRT", "p3.SLDPRT", "p4.SLDPRT", "top.SLDDRW", "sub.SLDDRW",
                "p1.SLDDRW", "p2.SLDDRW", "p3.SLDDRW", "p4.SLDDRW" },
            {}, "top.SLDDRW p1.SLDDRW p4.SLDDRW " },
        // A model without a drawing is reported once, wherever it occurs.
        { { { "top.SLDASM", assembly({ "p1.SLDPRT", "sub.SLDASM", "p1.SLDPRT" }) },
              { "sub.SLDASM", assembly({ "p1.SLDPRT" }) } },
            { "p1.SLDPRT", "sub.slddrw" }, { .everyOccurrence = true },
            "sub.slddrw | no drawing top.SLDASM | no drawing p1.SLDPRT " },
        // A drawing beside its model wins over one in a search folder, found in any case.
        { { { "top.SLDASM", assembly({ "p1.SLDPRT", "p2.SLDPRT", "p3.SLDPRT" }) } },
            { "p1.SLDPRT", "p2.SLDPRT", "p3.SLDPRT", "p2.SLDDRW", "dwg/P1.slddrw", "dwg/p2.SLDDRW",
                "more/p3.SLDDRW", "more/p1.SLDDRW" },
            { .searchFolders = { "missing", "dwg", "more" } },
            "dwg/P1.slddrw p2.SLDDRW more/p3.SLDDRW | no drawing top.SLDASM " },
        // A repeated component counts once at its first place, also in another spelling.
        { { { "top.SLDASM", assembly({ "p1.SLDPRT", "sub.SLDASM", "sub.SLDASM", "P1.sldprt" }) },
              { "sub.SLDASM", assembly({ "p1.SLDPRT", "p2.SLDPRT" }) } },
            { "p1.SLDPRT", "p2.SLDPRT", "top.SLDDRW", "sub.SLDDRW", "p1.SLDDRW", "p2.SLDDRW" }, {},
            "top.SLDDRW p1.SLDDRW sub.SLDDRW p2.SLDDRW " },
        // With the option at every place; the models instead of their drawings.
        { { { "top.SLDASM", assembly({ "p1.SLDPRT", "sub.SLDASM", "sub.SLDASM" }) },
              { "sub.SLDASM", assembly({ "p1.SLDPRT", "p2.SLDPRT" }) } },
            { "p1.SLDPRT", "p2.SLDPRT" }, { .everyOccurrence = true, .models = true },
            "top.SLDASM p1.SLDPRT sub.SLDASM p1.SLDPRT p2.SLDPRT sub.SLDASM p1.SLDPRT "
            "p2.SLDPRT " },
        // A missing subassembly is reported once and the rest goes on.
        { { { "top.SLDASM",
              assembly({ "p1.SLDPRT", "gone.SLDASM", "gone.SLDASM", "p2.SLDPRT" }) } },
            { "p1.SLDPRT", "p2.SLDPRT" }, { .models = true },
            "top.SLDASM p1.SLDPRT p2.SLDPRT | missing gone.SLDASM in top.SLDASM " },
        { {}, {}, {}, "| missing top.SLDASM in  " },
        // A cycle between two assemblies is reported, not followed.
        { { { "top.SLDASM", assembly({ "p1.SLDPRT", "b.SLDASM" }) },
              { "b.SLDASM", assembly({ "top.SLDASM", "p2.SLDPRT" }) } },
            { "p1.SLDPRT", "p2.SLDPRT" }, { .everyOccurrence = true, .models = true },
            "top.SLDASM p1.SLDPRT b.SLDASM p2.SLDPRT | cycle top.SLDASM b.SLDASM top.SLDASM " },
        // A component saved elsewhere is found beside its assembly; one that does not read as
        // an assembly is listed but not expanded.
        { { { "top.SLDASM", assembly({ "C:\\Work\\P1.sldprt", "/old/place/sub.SLDASM" }) },
              { "sub.SLDASM", "[Document]\nType=1\n[Component.1]\nFile=p2.SLDPRT\n" } },
            { "p1.SLDPRT", "p2.SLDPRT" }, { .models = true },
            "top.SLDASM p1.SLDPRT sub.SLDASM | unreadable sub.SLDASM 1 " },
    };
    const platform::PlatformPorts ports = platform::createPlatformPorts();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        const test::TempDir dir;
        for (const auto& [name, text] : row.assemblies)
            dir.write(name, text);
        for (const std::string& name : row.files) {
            if (const std::size_t slash = name.find('/'); slash != std::string::npos)
                std::filesystem::create_directories(dir.file(name.substr(0, slash)));
            dir.write(name, "");
        }
        AssemblyPackageOptions options = row.options;
        for (std::string& folder : options.searchFolders)
            folder = dir.file(folder);
        swsim::SimDocumentManager documentManager(*ports.files);
        const AssemblyPackage package
            = ExpandAssembly(documentManager, "key", *ports.files, dir.file("top.SLDASM"), options);
        EXPECT_EQ(summary(package, dir.path()), row.expected);

        documentManager.setInstalled(false);
        EXPECT_TRUE(
            ExpandAssembly(documentManager, "key", *ports.files, dir.file("top.SLDASM"), options)
                .noDocumentManager);
    }
}

TEST(AssemblyPackageTest, SearchFoldersSplitAtSemicolons)
{
    EXPECT_EQ(
        splitSearchFolders(" C:\\a ;; /b c;"), (std::vector<std::string> { "C:\\a", "/b c" }));
    EXPECT_TRUE(splitSearchFolders(" ; ").empty());
}

} // namespace
} // namespace quorrix::engine
