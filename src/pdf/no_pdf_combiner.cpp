#include "pdf/pdf_combiner_factory.h"

namespace quorrix::pdf {

// Built without qpdf: a run that is to combine its PDFs says it cannot.
std::unique_ptr<engine::PdfCombiner> createPdfCombiner()
{
    return nullptr;
}

} // namespace quorrix::pdf
