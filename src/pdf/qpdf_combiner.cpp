#include "pdf/pdf_combiner_factory.h"

#include <qpdf/ClosedFileInputSource.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <filesystem>
#include <system_error>

#include "engine/platform/platform_error.h"

namespace quorrix::pdf {

namespace {

using Handle = QPDFObjectHandle;

// The error number a combine failure carries: the PDFs are not the operating system's.
constexpr long kCombineFailed = 1;

// One bookmark and the page it opens.
struct Bookmark {
    std::string title;
    Handle page;
    std::vector<Bookmark> children;
};

Handle fitDestination(const Handle& page)
{
    Handle destination = Handle::newArray();
    destination.appendItem(page);
    destination.appendItem(Handle::newName("/Fit"));
    return destination;
}

// Links the bookmarks below parent as its children, in order, and returns how many
// bookmarks the open tree shows below it.
int linkOutline(QPDF& pdf, Handle& parent, const std::vector<Bookmark>& bookmarks)
{
    Handle previous;
    int shown = 0;
    for (const Bookmark& bookmark : bookmarks) {
        Handle item = pdf.makeIndirectObject(Handle::newDictionary());
        item.replaceKey("/Title", Handle::newUnicodeString(bookmark.title));
        item.replaceKey("/Parent", parent);
        item.replaceKey("/Dest", fitDestination(bookmark.page));
        if (!bookmark.children.empty())
            item.replaceKey("/Count", Handle::newInteger(linkOutline(pdf, item, bookmark.children)));
        if (previous.isInitialized()) {
            previous.replaceKey("/Next", item);
            item.replaceKey("/Prev", previous);
        } else {
            parent.replaceKey("/First", item);
        }
        parent.replaceKey("/Last", item);
        previous = item;
        shown += 1 + static_cast<int>(bookmark.children.size());
    }
    return shown;
}

class QpdfCombiner final : public engine::PdfCombiner {
public:
    void combine(const std::vector<engine::PdfPart>& parts, const std::string& target) override
    {
        // Paths are UTF-8, which qpdf takes for file names on every platform too.
        const std::filesystem::path final = std::filesystem::u8path(target);
        const std::filesystem::path temporary = std::filesystem::u8path(target + ".part");
        try {
            write(parts, target + ".part");
        } catch (const std::exception& error) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw engine::PlatformError(kCombineFailed, error.what());
        }
        std::error_code renamed;
        std::filesystem::rename(temporary, final, renamed);
        if (renamed) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw engine::PlatformError(renamed.value(), renamed.message());
        }
    }

private:
    static void write(const std::vector<engine::PdfPart>& parts, const std::string& path)
    {
        QPDF combined;
        combined.emptyPDF();
        QPDFPageDocumentHelper pages(combined);
        // The sources are read again while the combined file is written, so they live until
        // then; their files stay closed between reads, so a thousand of them do not run out
        // of file handles.
        std::vector<std::unique_ptr<QPDF>> sources;
        std::vector<Bookmark> outline;
        for (const engine::PdfPart& part : parts) {
            auto input = std::make_shared<ClosedFileInputSource>(part.path.c_str());
            input->stayOpen(true);
            auto source = std::make_unique<QPDF>();
            source->processInputSource(input);
            Bookmark document { part.title, {}, {} };
            const std::vector<QPDFPageObjectHelper> sourcePages
                = QPDFPageDocumentHelper(*source).getAllPages();
            if (sourcePages.empty())
                throw std::runtime_error(part.path + " has no pages");
            const bool named = part.pageNames.size() == sourcePages.size();
            for (std::size_t i = 0; i < sourcePages.size(); ++i) {
                Handle page = combined.copyForeignObject(sourcePages[i].getObjectHandle());
                pages.addPage(page, false);
                if (i == 0)
                    document.page = page;
                if (named)
                    document.children.push_back({ part.pageNames[i], page, {} });
            }
            outline.push_back(std::move(document));
            input->stayOpen(false);
            sources.push_back(std::move(source));
        }
        Handle root = combined.getRoot();
        Handle outlines = combined.makeIndirectObject(Handle::newDictionary());
        outlines.replaceKey("/Type", Handle::newName("/Outlines"));
        outlines.replaceKey("/Count", Handle::newInteger(linkOutline(combined, outlines, outline)));
        root.replaceKey("/Outlines", outlines);
        root.replaceKey("/PageMode", Handle::newName("/UseOutlines"));

        QPDFWriter writer(combined, path.c_str());
        writer.setObjectStreamMode(qpdf_o_generate);
        writer.write();
    }
};

} // namespace

std::unique_ptr<engine::PdfCombiner> createPdfCombiner()
{
    return std::make_unique<QpdfCombiner>();
}

} // namespace quorrix::pdf
