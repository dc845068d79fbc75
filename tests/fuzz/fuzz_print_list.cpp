// Print list files: whatever a list file holds, its rows are paths the program can use,
// loading it into the list loses none of them, and a list saved from them reads back as
// the same rows.

#include <fuzzer/FuzzedDataProvider.h>

#include "engine/printlist/print_list.h"
#include "engine/printlist/print_list_file.h"
#include "fuzz/fuzz_check.h"

using namespace quorrix;

namespace {

constexpr const char* kPath = "/lists/list.qrx";
constexpr const char* kSavedPath = "/lists/saved.qrx";

} // namespace

FUZZ_TARGET(input)
{
    FuzzedDataProvider provider(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    const auto existingRows = provider.ConsumeIntegralInRange<int>(0, 3); // from the end
    const std::string bytes = provider.ConsumeRemainingBytesAsString();

    fuzz::MemoryFileSystem files;
    files.files[kPath] = bytes;
    const engine::ListFileResult read = engine::readPrintListFile(files, kPath);
    FUZZ_CHECK(read.ok());
    for (const std::string& row : read.rows)
        FUZZ_CHECK(fuzz::isCleanText(row));

    // Saved with the lines that gave no rows and read again, every row comes back as it was
    // and every unusable line byte for byte.
    std::vector<std::string> kept;
    for (const engine::UnusableListLine& line : read.unusable)
        kept.push_back(line.bytes);
    FUZZ_CHECK(engine::writePrintListFile(files, kSavedPath, read.rows, kept).ok());
    const engine::ListFileResult reread = engine::readPrintListFile(files, kSavedPath);
    FUZZ_CHECK(reread.ok());
    FUZZ_CHECK(reread.rows == read.rows);
    FUZZ_CHECK(reread.unusable.size() == read.unusable.size());
    for (std::size_t i = 0; i < read.unusable.size(); ++i) {
        FUZZ_CHECK(reread.unusable[i].bytes == read.unusable[i].bytes);
        FUZZ_CHECK(reread.unusable[i].fault == read.unusable[i].fault);
    }

    // Loaded into a list that already holds rows: every row of the file is either in the
    // list, in order and above the current row, or named as not added.
    engine::PrintList list;
    std::vector<std::string> before;
    for (int i = 0; i < existingRows; ++i)
        before.push_back("/docs/existing" + std::to_string(i) + ".SLDDRW");
    list.insertPaths(before);
    if (existingRows > 0)
        list.setCurrentRow(existingRows - 1);
    const engine::ListFileLoad load = engine::loadPrintListFile(files, kPath, list);
    FUZZ_CHECK(load.file.ok());
    const std::size_t added = read.rows.size() - load.notAdded.size();
    FUZZ_CHECK(load.notAdded.size() <= read.rows.size());
    FUZZ_CHECK(list.rows().size() == before.size() + added);
    const std::size_t at = existingRows > 0 ? before.size() - 1 : before.size();
    for (std::size_t i = 0; i < added; ++i)
        FUZZ_CHECK(list.rows()[at + i] == read.rows[i]);
    for (std::size_t i = 0; i < load.notAdded.size(); ++i)
        FUZZ_CHECK(load.notAdded[i] == read.rows[added + i]);
}
