// The stand-in's documents: whatever a document file holds, it opens as a document
// SolidWorks could have (a type, a title, drawings with sheets that can be told apart,
// models with configurations), the same way every time.

#include <set>

#include "fuzz/fuzz_check.h"
#include "swsim/model/document_model.h"

using namespace quorrix;

namespace {

constexpr const char* kPaths[]
    = { "C:\\Drawings\\Pump.SLDDRW", "/work/Housing.sldprt", "/work/Pump.SLDASM", "/work/x.txt" };

void checkNames(const std::set<std::string>& names)
{
    for (const std::string& name : names)
        FUZZ_CHECK(!name.empty() && fuzz::isCleanText(name));
}

} // namespace

FUZZ_TARGET(bytes)
{
    const std::string path = kPaths[bytes.size() % std::size(kPaths)];
    const swsim::DocumentModel model = swsim::parseDocumentModel(path, bytes);
    FUZZ_CHECK(swsim::parseDocumentModel(path, bytes) == model);

    FUZZ_CHECK(model.type >= engine::kSwDocNone && model.type <= engine::kSwDocDrawing);
    FUZZ_CHECK(!model.title.empty() && fuzz::isCleanText(model.title));
    if (model.type == engine::kSwDocDrawing) {
        FUZZ_CHECK(!model.sheets.empty());
        std::set<std::string> names;
        for (const swsim::SheetModel& sheet : model.sheets) {
            FUZZ_CHECK(!sheet.name.empty() && fuzz::isCleanText(sheet.name));
            FUZZ_CHECK(names.insert(sheet.name).second);
            FUZZ_CHECK(std::isfinite(sheet.width) && sheet.width > 0);
            FUZZ_CHECK(std::isfinite(sheet.height) && sheet.height > 0);
        }
    } else {
        FUZZ_CHECK(model.sheets.empty());
    }
    if (model.type == engine::kSwDocPart || model.type == engine::kSwDocAssembly)
        FUZZ_CHECK(!model.configurations.empty());
    const std::set<std::string> configurations(
        model.configurations.begin(), model.configurations.end());
    FUZZ_CHECK(configurations.size() == model.configurations.size());
    checkNames(configurations);
    checkNames(model.faults.activateSheet);
    checkNames(model.faults.raise);
    checkNames(model.faults.raiseOnce);
    for (const auto& [member, milliseconds] : model.faults.delayMilliseconds)
        FUZZ_CHECK(!member.empty() && fuzz::isCleanText(member) && milliseconds >= 0);
    fuzz::checkPreferences(model.preferences);
}
