#pragma once

#include <cstdint>

#include "engine/swlink/document_manager.h"

namespace quorrix::swsim {

struct DocumentModel;

// The stand-in's preview pictures are this size, in pixels.
inline constexpr std::int32_t kPreviewWidth = 240;
inline constexpr std::int32_t kPreviewHeight = 180;

// The preview picture the stand-in keeps for a document, drawn from its model: a drawing
// shows its first sheet in the sheet's proportions with a border, a title block and one box
// per view; a part or an assembly shows a shaded box marked with the title's first letter or
// digit. The same model always gives the same pixels.
engine::DmPicture renderPreview(const DocumentModel& model);

} // namespace quorrix::swsim
