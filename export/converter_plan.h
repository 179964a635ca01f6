#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "export/export_context.h"

namespace quarvel::exporting {

// What a converter script does to one picture. Both script forms (Windows batch files calling the
// configured converter, POSIX shell scripts calling ImageMagick) are written from the same plan, so
// they cannot do different things.
struct ConverterStep {
  enum class Kind {
    kCopy,     // copy source to target unchanged
    kConvert,  // convert source into target's format
    kResize,   // make target from source, fitted into width x height with the aspect ratio kept
  };
  Kind kind = Kind::kConvert;
  std::filesystem::path source;
  std::filesystem::path target;
  int width = 0;
  int height = 0;
};

struct PicturePlan {
  std::string caption;                         // "No-img = " + number
  std::vector<std::filesystem::path> folders;  // where the targets go, parents first
  std::vector<ConverterStep> steps;
};

// The decimal digits of an image id as nested folders: 123 -> 1/2/3.
std::filesystem::path DigitPath(std::int64_t id_image);

// Standard store layout: the picture converted once to root/p/<digits>/<id>.<ext> (the base), then one
// file root/p/<digits>/<id>-<type>.<ext> per image type, each made from the base.
PicturePlan PlanStandardPicture(const std::filesystem::path& root, std::int64_t id_image,
                                const std::filesystem::path& source, const std::vector<StoreImageType>& types,
                                std::string_view ext);

// Improved layout: root/p_from_tarlund/<supplier>/<article>[.<n>].<ext>, copied when the source already
// has the store's extension (compared trimmed, ignoring case), converted otherwise.
PicturePlan PlanImprovedPicture(const std::filesystem::path& root, std::int64_t id_image,
                                std::int64_t supplier_id, std::int64_t article_id, int n,
                                const std::filesystem::path& source, std::string_view source_ext,
                                std::string_view ext);

// A brand logo: converted to root/m/<cat_manufacturer>.<ext>, then one file per image type
// root/m/<cat_manufacturer>-<type>.<ext> made from it. `counter` numbers the logos of the script.
PicturePlan PlanLogo(const std::filesystem::path& root, int counter, const std::filesystem::path& source,
                     std::int64_t cat_manufacturer, const std::vector<StoreImageType>& types,
                     std::string_view ext);

}  // namespace quarvel::exporting
