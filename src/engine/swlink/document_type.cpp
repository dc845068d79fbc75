#include "engine/swlink/document_type.h"

#include "engine/platform/ini_document.h"
#include "engine/swlink/solidworks.h"

namespace quorrix::engine {

std::int16_t GetDocTypeFromPath(const std::string& path)
{
    if (path.size() < 6)
        return kSwDocNone;
    const std::string ending = foldCase(path.substr(path.size() - 6));
    if (ending == "sldprt")
        return kSwDocPart;
    if (ending == "sldasm")
        return kSwDocAssembly;
    if (ending == "slddrw")
        return kSwDocDrawing;
    return kSwDocNone;
}

} // namespace quorrix::engine
