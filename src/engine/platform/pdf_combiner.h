#pragma once

#include <string>
#include <vector>

namespace quorrix::engine {

// One PDF file that goes into a combined file, with the bookmark titles it gets there.
struct PdfPart {
    std::string path;
    std::string title; // the bookmark of its first page
    // One bookmark per page below the title, where there are as many names as pages.
    std::vector<std::string> pageNames;
};

// Joins PDF files into one.
class PdfCombiner {
public:
    virtual ~PdfCombiner() = default;

    // Writes the pages of the parts, in order, into target, with a bookmark per part and,
    // below it, per page. The file is written under a temporary name beside target and
    // renamed when it is complete, so target is never left half written. Throws
    // PlatformError with the reason when a part cannot be read or target cannot be written.
    virtual void combine(const std::vector<PdfPart>& parts, const std::string& target) = 0;
};

} // namespace quorrix::engine
