#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/platform/pdf_combiner.h"

namespace quorrix::engine {

struct RunEnvironment;
struct Settings;

// The one PDF a print-list run makes of all the PDFs it wrote, when the document export's
// combine option (or the batch program's --combine-pdf) asks for it and the run writes PDFs.
// The document export hands each PDF it wrote to parts(); a document that was not done
// takes its PDF back out, so the combined file holds only what was done, in run order.
class CombinedPdf {
public:
    CombinedPdf(RunEnvironment& environment, const std::string& action);

    // Where the document export puts what it wrote, or nullptr when nothing is combined.
    std::vector<PdfPart>* parts() { return m_asked ? &m_parts : nullptr; }

    // Around each entry of the run: a document that was not done leaves the combined file.
    void beginDocument(const std::string& entry);
    void endDocument(const std::string& entry, bool done);

    // After the run: writes the file and adds a line to messageText for everything that
    // kept a document out of it or the file from being written. finished is false when the
    // run was cancelled or lost SolidWorks: then no file is made from a part of the list.
    void write(bool finished, std::string& messageText);

    // The combined file's path: the one given, else the stored name through the output
    // naming rules in the document export's folder (the first PDF's folder when the files
    // go beside their documents, the first document's while none was written).
    std::string targetPath() const;

private:
    RunEnvironment& m_env;
    bool m_asked = false;
    std::vector<PdfPart> m_parts;
    std::size_t m_partsBefore = 0;
    std::string m_firstEntry;
    std::vector<std::string> m_leftOut;
};

// True when the action writes PDFs of the document export: EXPORTDOC with the format PDF,
// or a multi-job with the step "Export Doc PDF".
bool RunWritesPdfs(const Settings& settings, const std::string& action);

} // namespace quorrix::engine
