#include "pdf_outline.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

namespace quorrix::app {

PdfOutline readOutline(const std::string& path)
{
    QPDF pdf;
    pdf.processFile(path.c_str());
    PdfOutline outline;
    const std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
    outline.pages = pages.size();
    const auto pageNumber = [&pages](QPDFObjectHandle destination) {
        const QPDFObjGen page = destination.getArrayItem(0).getObjGen();
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (pages[i].getObjectHandle().getObjGen() == page)
                return i;
        }
        return pages.size();
    };
    QPDFOutlineDocumentHelper outlines(pdf);
    for (QPDFOutlineObjectHelper& item : outlines.getTopLevelOutlines()) {
        PdfOutline::Item read { item.getTitle(), pageNumber(item.getDest()), {} };
        for (QPDFOutlineObjectHelper& child : item.getKids())
            read.children.push_back(child.getTitle());
        outline.items.push_back(std::move(read));
    }
    return outline;
}

} // namespace quorrix::app
