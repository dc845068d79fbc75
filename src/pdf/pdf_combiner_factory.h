#pragma once

#include <memory>

#include "engine/platform/pdf_combiner.h"

namespace quorrix::pdf {

// The program's PDF combiner (qpdf), or nullptr where it was built without qpdf.
std::unique_ptr<engine::PdfCombiner> createPdfCombiner();

} // namespace quorrix::pdf
