#pragma once
// One seam, many readers: whatever kind the drawing file is, a library paints it into the path
// collector (path_engine.h), and page layout, pens, order and the HP-GL never learn which kind
// they serve. This file tells the kind by content and hands the file to its reader.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/read/reader_contract.h"
#include "drawing/read/source_kind.h"

struct SvgChunking;

// Reads the drawing at `path` and paints its page `page` (1-based; a kind without pages is
// painted whole whatever the page) into `target`; of a drawing with several spaces, those
// `sheet` chooses.
SourceOutcome PaintDrawingFile(const std::string& path, int page, const SvgChunking& chunking,
                               const PaintTarget& target, const SheetChoice& sheet = {});

// Beyond this a document's page is refused before any page is read: the page range and this
// bound keep a document of ten thousand pages from being walked.
inline constexpr int kMaxDocumentPage = 1000;
