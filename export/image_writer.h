#pragma once

#include <cstdint>
#include <string>

#include "export/export_context.h"
#include "export/store_columns.h"

namespace quarvel::exporting {

// The picture stage: the store's image tables for every exported product's pictures, the converter
// scripts that put the pictures into the store's image folders (each started as soon as it is
// complete), and in "Clean store" mode the brand logos. Logs its setting checks whenever the
// pictures are part of the export, and runs when the images folder and the converter are set.
void WriteImages(ExportRun& run, const StoreColumns& columns);

// Pictures per converter script: the exported products divided by the streams, at least 1.
std::int64_t PicturesPerScript(std::int64_t products, int streams);

// The header line of every image_from_tarlund file.
std::string ImageFromTarlundHeader(const std::string& prefix);

}  // namespace quarvel::exporting
