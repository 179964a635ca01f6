#include "export/picture_services.h"

#include "platform/shell/start_script.h"

namespace quarvel::exporting {

PictureServices PictureServices::Native() {
  PictureServices services;
  services.start_script = platform::StartScript;
  services.download = platform::DownloadToFile;
  return services;
}

}  // namespace quarvel::exporting
