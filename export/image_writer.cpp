#include "export/image_writer.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <system_error>
#include <vector>

#include "core/error_text.h"
#include "core/text.h"
#include "export/catalogue_pictures.h"
#include "export/catalogue_tables.h"
#include "export/converter_plan.h"
#include "export/converter_script_writer.h"
#include "export/image_settings.h"
#include "export/picture_services.h"
#include "export/reading_helpers.h"
#include "export/table_script_writer.h"
#include "export/writing_stages.h"

namespace quarvel::exporting {

namespace {

constexpr int kMostNumberedPictures = 10;  // pictures .1 to .10 after the first

void CreateFolders(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error)
    throw std::runtime_error("cannot create the folder " + folder.string() + " : " + error.message());
}

bool FileExists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

// "SELECT id_product FROM image_shop": stores whose image_shop has the product column get it filled.
bool ImageShopHasProduct(ExportRun& run) {
  try {
    run.session.store.Query("SELECT id_product FROM " + run.params.table_prefix + "image_shop limit 1");
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// The converter scripts of one folder, numbered from 1; each is started once it is complete.
class ScriptStreams {
 public:
  ScriptStreams(ExportRun& run, PictureServices& services, const std::filesystem::path& folder,
                const std::filesystem::path& converter)
      : run_(run), services_(services), folder_(folder), script_(services.script_kind, converter) {}

  void OpenNext() {
    ++number_;
    script_.Open(folder_ / ConverterScriptName(services_.script_kind, number_));
  }
  ConverterScriptWriter& script() { return script_; }
  // Closes the script; starts it when it converts anything.
  void CloseAndStart() { CloseAndStart(run_, services_, script_); }

  static void CloseAndStart(ExportRun& run, PictureServices& services, ConverterScriptWriter& script) {
    script.Close();
    if (script.picture_count() < 1 || !services.start_script) return;
    try {
      services.start_script(script.path());
    } catch (const std::exception& failure) {
      // The pictures are listed in the script: the user can still run it by hand.
      LogLine(run, PlainTimeStamp() + "   [error:ExportImages] " + ErrorText(failure));
    }
  }

 private:
  ExportRun& run_;
  PictureServices& services_;
  std::filesystem::path folder_;
  ConverterScriptWriter script_;
  int number_ = 0;
};

class ImageTables {
 public:
  ImageTables(ExportRun& run, bool standard_layout, bool shop_has_product)
      : run_(run),
        standard_layout_(standard_layout),
        shop_has_product_(shop_has_product),
        image_(run.params, "image", "`id_image`,`id_product`,`position`,`cover`"),
        lang_(run.params, "image_lang", "`id_image`,`id_lang`"),
        shop_(
            run.params, "image_shop",
            shop_has_product ? "`id_product`,`id_image`,`id_shop`,`cover`" : "`id_image`,`id_shop`,`cover`"),
        tarlund_(run.params, "image_from_tarlund", "`id_image`,`sup_id`,`art_id`,`prefixs`,`ext`") {
    LogLine(run, progress::TableLine("image"));
    image_.Begin("image");
    LogLine(run, progress::TableLine("image_lang"));
    lang_.Begin("image_lang");
    LogLine(run, progress::TableLine("image_shop"));
    shop_.Begin("image_shop");
    if (!standard_layout_)
      tarlund_.Begin("image_from_tarlund", ImageFromTarlundHeader(run.params.table_prefix));
  }

  void Add(std::int64_t id_image, const Part& part, int position, int n, const std::string& ext) {
    const std::string id = std::to_string(id_image);
    const std::string product = std::to_string(part.cat_artid);
    // PrestaShop marks the other pictures of a product with NULL: its unique key on
    // (product, cover) takes one cover and any number of NULLs, but only one 0.
    const std::string cover = n == 0 ? "1" : "NULL";
    image_.AddRow(id + "," + product + "," + std::to_string(position) + "," + cover);
    lang_.AddRow(id + "," + std::to_string(run_.session.store_defaults.default_lang_id));
    if (run_.params.clean_store) {
      for (const ExportLanguage& language : run_.languages)
        lang_.AddRow(id + "," + std::to_string(language.store_lang_id));
    }
    const std::string shop = std::to_string(run_.session.store_defaults.default_shop_id);
    shop_.AddRow((shop_has_product_ ? product + "," : std::string()) + id + "," + shop + "," + cover);
    if (!standard_layout_) {
      tarlund_.AddRow(id + "," + std::to_string(part.id_bra) + "," + std::to_string(part.id) + ",'" +
                      (n > 0 ? "." + std::to_string(n) : "") + "','" + EscapeSql(ext) + "'");
    }
    image_.EndItem();
    lang_.EndItem();
    shop_.EndItem();
    if (!standard_layout_) tarlund_.EndItem();
  }

  void Finish() {
    image_.Finish();
    lang_.Finish();
    shop_.Finish();
    if (!standard_layout_) tarlund_.Finish();
  }

 private:
  ExportRun& run_;
  bool standard_layout_;
  bool shop_has_product_;
  TableScriptWriter image_, lang_, shop_, tarlund_;
};

std::filesystem::path SourcePicture(const std::filesystem::path& folder, const Part& part, int n,
                                    const std::string& ext) {
  std::string name = std::to_string(part.id);
  if (n > 0) name += "." + std::to_string(n);
  return folder / std::to_string(part.id_bra) / (name + "." + ext);
}

void WriteLogos(ExportRun& run, PictureServices& services, const ImageSettings& settings,
                const std::string& ext) {
  const std::filesystem::path& root = *settings.root;
  ConverterScriptWriter script(services.script_kind, *settings.converter);
  script.Open(root / "m" / ConverterScriptName(services.script_kind, 0));
  if (settings.LogoFolder()) {
    const std::filesystem::path& folder = *settings.LogoFolder();
    IdTable<Manufacturer>& brands = Tables(run).manufacturers;
    brands.Sort();
    int counter = 0;
    for (const Manufacturer& brand : brands.records()) {
      if (!brand.activ) continue;
      if (settings.from_catalogue) ExportBrandLogo(run, services, folder, brand.id);
      const std::filesystem::path source = folder / (std::to_string(brand.id) + "." + settings.logo_ext);
      if (!FileExists(source)) continue;
      ++counter;
      const PicturePlan plan = PlanLogo(root, counter, source, brand.cat_manufacturer, run.image_types, ext);
      for (const std::filesystem::path& target_folder : plan.folders) CreateFolders(target_folder);
      script.Add(plan);
      CheckStop(run);
    }
  }
  ScriptStreams::CloseAndStart(run, services, script);
}

}  // namespace

std::int64_t PicturesPerScript(std::int64_t products, int streams) {
  const std::int64_t k = products / std::max(1, streams);
  return std::max<std::int64_t>(1, k);
}

std::string ImageFromTarlundHeader(const std::string& prefix) {
  return "CREATE TABLE IF NOT EXISTS `" + prefix + "image_from_tarlund` " + "(`id_image` int(10) NOT NULL, " +
         "`sup_id` int(10) NOT NULL, " + "`art_id` int(10) NOT NULL, " +
         "`prefixs` varchar(3) DEFAULT NULL, " + "`ext` varchar(6) DEFAULT NULL, " +
         "PRIMARY KEY (`id_image`), " + "KEY `art_id` (`art_id`));";
}

void WriteImages(ExportRun& run, const StoreColumns&) {
  const ExportParameters& params = run.params;
  if (!params.all_data && !params.images_and_logos) return;

  const ImageSettings settings = ReadImageSettings(run.session.options);
  for (const std::string& line : ImageSettingErrors(settings)) LogTimed(run, line);
  if (!settings.Configured() || run.pictures == nullptr) return;
  PictureServices& services = *run.pictures;
  services.storage_read_in_run = false;

  const std::filesystem::path& root = *settings.root;
  const std::string& ext = run.session.store_defaults.image_type;
  IdTable<Part>& parts = Tables(run).parts;
  parts.Sort();
  const std::int64_t products = std::count_if(parts.records().begin(), parts.records().end(),
                                              [](const Part& part) { return part.activ; });

  // Each script takes an equal share of the products, so the streams end at about the same time.
  const std::int64_t per_script = PicturesPerScript(products, params.converter_threads);
  const bool shop_has_product = ImageShopHasProduct(run);
  LogTimed(run, "] Data files of images ...");
  const std::filesystem::path script_folder = root / (settings.standard_layout ? "p" : "p_from_tarlund");
  CreateFolders(script_folder);
  CreateFolders(root / "m");

  ImageTables tables(run, settings.standard_layout, shop_has_product);
  ScriptStreams streams(run, services, script_folder, *settings.converter);
  streams.OpenNext();
  std::int64_t id_image = params.clean_store ? 0 : run.store_state.highest_image_id;

  // An article's pictures are numbered without gaps: the first missing number ends them.
  if (settings.PictureFolder()) {
    const std::filesystem::path& folder = *settings.PictureFolder();
    for (const Part& part : parts.records()) {
      if (!part.activ) continue;
      std::string source_ext = settings.picture_ext;
      if (settings.from_catalogue) {
        if (std::optional<std::string> saved =
                ExportArticlePictures(run, services, folder, part.id_bra, part.id))
          source_ext = *saved;
      }
      int position = 0;
      for (int n = 0; n <= kMostNumberedPictures; ++n) {
        const std::filesystem::path source = SourcePicture(folder, part, n, source_ext);
        if (!FileExists(source)) break;
        ++id_image;
        ++position;
        tables.Add(id_image, part, position, n, ext);
        const PicturePlan plan =
            settings.standard_layout
                ? PlanStandardPicture(root, id_image, source, run.image_types, ext)
                : PlanImprovedPicture(root, id_image, part.id_bra, part.id, n, source, source_ext, ext);
        for (const std::filesystem::path& target_folder : plan.folders) CreateFolders(target_folder);
        streams.script().Add(plan);
      }
      CheckStop(run);
      if (streams.script().picture_count() >= per_script) {
        streams.CloseAndStart();
        streams.OpenNext();
      }
    }
  }

  tables.Finish();
  streams.CloseAndStart();
  if (params.clean_store) WriteLogos(run, services, settings, ext);
  LogTimed(run, "] Data files of images is OK");
}

}  // namespace quarvel::exporting
