#pragma once
// What trzn-plot and its reading process hand each other, as files in the run's temporary
// folder: the request (the drawing's path as bytes, the page and pen records as they were
// loaded) and the result (everything of the DrawingResult, numbers exact). Both ends are the
// same program, so the records go as their bytes.

#include <string>

#include "drawing/drawing_plot.h"
#include "settings/knife_file.h"
#include "settings/records.h"

struct ReadingRequest {
    std::string path;
    TPrint print{};
    TPrConfig config{};
    TSrConfig serial{};
    KnifeSettings knife{};
    bool everyOutline = false;  // PlotSettings::everyOutline
    SheetChoice sheet;  // --layout, --model
};

bool WriteReadingRequest(const std::string& file, const ReadingRequest& request, Note* error);
bool ReadReadingRequest(const std::string& file, ReadingRequest* request);

// Written whole or not at all: a reading process killed while writing leaves no result.
bool WriteReadingResult(const std::string& file, const DrawingResult& result);
bool ReadReadingResult(const std::string& file, DrawingResult* result);
