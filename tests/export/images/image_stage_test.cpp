// The picture stage over the fixture catalogue: image tables and converter scripts for local
// pictures in both folder layouts, pictures and logos taken out of the catalogue, the share of
// pictures per script, and the written rows loaded into real stores of both generations.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "core/text.h"
#include "export/catalogue_pictures.h"
#include "export/catalogue_tables.h"
#include "export/image_settings.h"
#include "export/image_writer.h"
#include "export/picture_services.h"
#include "export/store_columns.h"
#include "platform/net/http_download.h"
#include "tests/export/golden/golden_run.h"
#include "tests/support/http_test_server.h"
#include "tests/support/store_fixture.h"
#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

namespace fs = std::filesystem;
using exporting::ConverterScriptKind;
using exporting::PictureServices;
using exporting::StoreImageType;

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

const std::vector<StoreImageType> kImageTypes = {{"home_default", 250, 250}, {"small_default ", 98, 98}};

// The fixture's article 9 (supplier 9) has the files 9, 9.1 and 9.3: the gap at 2 ends its pictures.
// Article 10 (supplier 10) has 12 numbered files, of which 11 are taken. Articles 101 and 102 have
// none. Brands 9 and 100 have logos.
void PutLocalPictures(const fs::path& pictures, const fs::path& logos) {
  fs::create_directories(pictures / "9");
  fs::create_directories(pictures / "10");
  for (const char* name : {"9.jpg", "9.1.jpg", "9.3.jpg"}) test::WriteFileBytes(pictures / "9" / name, name);
  test::WriteFileBytes(pictures / "10" / "10.jpg", "10");
  for (int n = 1; n <= 12; ++n)
    test::WriteFileBytes(pictures / "10" / ("10." + std::to_string(n) + ".jpg"), "n");
  for (const char* name : {"9.jpg", "100.jpg", "11.png"}) test::WriteFileBytes(logos / name, name);
}

// A clean-store run over the fixture catalogue with local pictures and the batch form of the scripts.
class ImageStage {
 public:
  explicit ImageStage(std::string_view extra_catalogue_sql = {}) : writing_(extra_catalogue_sql) {
    Options& o = writing_.options();
    o.SetText(OptionId::ExportData_Path_to_images, root_.path().string());
    o.SetBoolean(OptionId::PreparationData_Images_from_tecdoc, false);
    o.SetText(OptionId::PreparationData_Img_path_to_images, (source_ / "pictures").string());
    o.SetText(OptionId::PreparationData_Img_path_to_logos, (source_ / "logos").string());
    o.SetText(OptionId::PreparationData_Img_path_to_temp_images, (source_ / "temp").string());
    o.SetText(OptionId::PreparationData_Img_graf_fromat_to_images, "jpg");
    o.SetText(OptionId::PreparationData_Img_graf_fromat_to_logos, "jpg");
    o.SetText(OptionId::PreparationData_Img_path_to_irfanviewe, (source_ / "i_view64.exe").string());
    for (const char* folder : {"pictures", "logos", "temp"}) fs::create_directories(source_ / folder);
    test::WriteFileBytes(source_ / "i_view64.exe", "");
    PutLocalPictures(source_ / "pictures", source_ / "logos");

    writing_.reading().session().store_defaults.image_type = "jpg";
    services_.script_kind = ConverterScriptKind::kWindowsBatch;
    services_.start_script = [this](const fs::path& script) { started_.push_back(Relative(script)); };
    services_.download = platform::DownloadToFile;
    services_.catalogue = &writing_.reading().session().catalogue;
    run().pictures = &services_;
  }

  exporting::ExportRun& run() { return writing_.run(); }
  Options& options() { return writing_.options(); }
  test::WritingRun& writing() { return writing_; }
  PictureServices& services() { return services_; }
  const fs::path& root() const { return root_.path(); }
  const fs::path& source() const { return source_.path(); }
  const std::vector<std::string>& started() const { return started_; }
  const std::vector<std::string>& log() { return writing_.reading().log(); }

  void UseStandardLayout(bool standard) {
    options().SetBoolean(OptionId::PreparationData_SchemeObtainLinkToImageFromPrestashop, standard);
  }

  // Reads the slice and runs the picture stage alone.
  void ReadAndWriteImages() {
    writing_.reading().ReadAll();
    run().image_types = kImageTypes;
    exporting::WriteImages(run(), {});
  }

  // The image scripts and the scripts below the images root, with the temporary folders named.
  std::map<std::string, std::string> Files() {
    std::map<std::string, std::string> files;
    for (const auto& [name, bytes] : writing_.Files()) files[name] = Named(bytes);
    for (const auto& entry : fs::recursive_directory_iterator(root())) {
      if (!entry.is_regular_file()) continue;
      std::string name = Relative(entry.path());
      std::replace(name.begin(), name.end(), '/', '~');
      files["images~" + name] = Named(test::ReadFileBytes(entry.path()));
    }
    return files;
  }

  std::string Relative(const fs::path& path) const { return fs::relative(path, root()).generic_string(); }

 private:
  std::string Named(std::string text) const {
    text = ReplaceAll(text, source_.path().string(), "<source>");
    return ReplaceAll(text, root_.path().string(), "<images>");
  }

  test::WritingRun writing_;
  test::TempFolder root_;
  test::TempFolder source_;
  PictureServices services_;
  std::vector<std::string> started_;
};

TEST(ImageStageTest, LocalPicturesInTheStandardLayout) {
  ImageStage stage;
  stage.UseStandardLayout(true);
  stage.ReadAndWriteImages();
  test::ExpectMatchesGolden(stage.Files(), "images_standard");
  // Four products and ten streams: every product with pictures completes a script, and each
  // completed script with pictures is started once; the logo script follows.
  EXPECT_EQ(stage.started(),
            (std::vector<std::string>{"p/convertimage.1.bat", "p/convertimage.2.bat", "m/convertimage.bat"}));
  // The folders of image 7 were made by the export itself.
  EXPECT_TRUE(fs::is_directory(stage.root() / "p" / "7"));
  EXPECT_TRUE(fs::is_directory(stage.root() / "p" / "1" / "3"));
  EXPECT_EQ(stage.log().back(), "[time] Data files of images is OK");
}

TEST(ImageStageTest, LocalPicturesInTheImprovedLayout) {
  ImageStage stage;
  stage.UseStandardLayout(false);
  // A source extension that equals the store's but for case: the pictures are copied, not converted.
  stage.options().SetText(OptionId::PreparationData_Img_graf_fromat_to_images, "jpg");
  stage.writing().reading().session().store_defaults.image_type = "JPG";
  stage.ReadAndWriteImages();
  test::ExpectMatchesGolden(stage.Files(), "images_improved");
  EXPECT_TRUE(fs::is_directory(stage.root() / "p_from_tarlund" / "10"));
}

TEST(ImageStageTest, SettingChecksAreLoggedAndDecideWhetherTheStageRuns) {
  struct Case {
    const char* name;
    bool from_catalogue;
    bool root, pictures, logos, temp, converter;
    std::vector<std::string> errors;
    bool runs;
  };
  const std::vector<Case> cases = {
      {"everything set, local", false, true, true, true, true, true, {}, true},
      {"local without source folders",
       false,
       true,
       false,
       false,
       true,
       true,
       {"[time] Error : not specified a folder with local data images",
        "[time] Error : not specified a folder with local data logos-images"},
       true},
      {"catalogue without temp folder",
       true,
       true,
       true,
       true,
       false,
       true,
       {"[time] Error : not specified temp folder for export images"},
       true},
      {"no images root, no converter",
       false,
       false,
       true,
       true,
       true,
       false,
       {"[time] Error : not specified a folder to export images",
        "[time] Error : not specified path for IrfanView"},
       false},
  };
  for (const Case& c : cases) {
    ImageStage stage;
    Options& o = stage.options();
    o.SetBoolean(OptionId::PreparationData_Images_from_tecdoc, c.from_catalogue);
    const std::string missing = (stage.source() / "missing").string();
    if (!c.root) o.SetText(OptionId::ExportData_Path_to_images, missing);
    if (!c.pictures) o.SetText(OptionId::PreparationData_Img_path_to_images, "");
    if (!c.logos) o.SetText(OptionId::PreparationData_Img_path_to_logos, missing);
    if (!c.temp) o.SetText(OptionId::PreparationData_Img_path_to_temp_images, missing);
    if (!c.converter) o.SetText(OptionId::PreparationData_Img_path_to_irfanviewe, missing);
    stage.writing().reading().ReadAll();
    const std::size_t before = stage.log().size();
    exporting::WriteImages(stage.run(), {});
    std::vector<std::string> errors;
    for (std::size_t i = before; i < stage.log().size(); ++i)
      if (stage.log()[i].find("Error") != std::string::npos) errors.push_back(stage.log()[i]);
    EXPECT_EQ(errors, c.errors) << c.name;
    EXPECT_EQ(fs::exists(stage.writing().export_folder() / "image.1.sql"), c.runs) << c.name;
    // Without the source folders the tables are empty: only the byte-order mark.
    if (c.runs && !c.pictures) {
      EXPECT_EQ(test::ReadFileBytes(stage.writing().export_folder() / "image.1.sql"), "\xEF\xBB\xBF")
          << c.name;
    }
  }
}

TEST(ImageStageTest, PictureIdsAfterTheStoresInAdditionModeWithoutLogos) {
  ImageStage stage;
  stage.UseStandardLayout(false);
  stage.writing().reading().ReadAll();
  stage.run().params.clean_store = false;
  stage.run().store_state.highest_image_id = 40;
  stage.run().image_types = kImageTypes;
  exporting::WriteImages(stage.run(), {});
  const std::string image = test::ReadFileBytes(stage.writing().export_folder() / "image.1.sql");
  EXPECT_NE(image.find("VALUES (41,1,1,1),(42,1,2,NULL),(43,2,1,1)"), std::string::npos) << image;
  EXPECT_FALSE(fs::exists(stage.root() / "m" / "convertimage.bat"));
  EXPECT_EQ(std::count(stage.started().begin(), stage.started().end(), "m/convertimage.bat"), 0);
}

TEST(ImageStageTest, PicturesPerScript) {
  struct Case {
    std::int64_t products;
    int streams;
    std::int64_t per_script;
  };
  for (const Case& c : std::vector<Case>{{95, 10, 9}, {7, 10, 1}, {0, 10, 1}, {100, 1, 100}, {20, 0, 20}})
    EXPECT_EQ(exporting::PicturesPerScript(c.products, c.streams), c.per_script)
        << c.products << "/" << c.streams;
}

TEST(ImageStageTest, NinetyFiveProductsShareTenStreamsOfNinePictures) {
  ImageStage stage;
  stage.UseStandardLayout(false);
  // 95 products of supplier 500, one picture each.
  exporting::CatalogueTables& tables = *stage.run().tables;
  tables.parts.Reset(1000);
  fs::create_directories(stage.source() / "pictures" / "500");
  for (std::int64_t id = 1; id <= 95; ++id) {
    exporting::Part& part = tables.parts.Get(id);
    part.activ = true;
    part.cat_artid = id;
    part.id_bra = 500;
    test::WriteFileBytes(stage.source() / "pictures" / "500" / (std::to_string(id) + ".jpg"), "x");
  }
  stage.run().params.converter_threads = 10;
  stage.run().image_types = kImageTypes;
  exporting::WriteImages(stage.run(), {});

  // Ten scripts of 9 pictures and one of the remaining 5, each started once. No brand is active: the
  // logo script stays empty and is not started.
  std::vector<std::string> expected;
  for (int n = 1; n <= 11; ++n)
    expected.push_back("p_from_tarlund/convertimage." + std::to_string(n) + ".bat");
  EXPECT_EQ(stage.started(), expected);
  for (int n = 1; n <= 11; ++n) {
    const std::string text =
        test::ReadFileBytes(stage.root() / "p_from_tarlund" / ("convertimage." + std::to_string(n) + ".bat"));
    const auto pictures = std::count(text.begin(), text.end(), '\n') - 3;
    EXPECT_EQ(pictures, n <= 10 ? 18 : 10) << n;  // two lines per picture
  }
  EXPECT_FALSE(fs::exists(stage.root() / "p_from_tarlund" / "convertimage.12.bat"));
}

// Pictures taken out of the catalogue: its picture tables give the bytes unchanged; a row without a
// picture table is downloaded from the web storage with the account of the parameter table.
TEST(ImageStageTest, CatalogueAndWebPicturesAreSavedByteForByte) {
  test::HttpTestServer server;
  const std::string extra = "UPDATE TOF_PARAMETERS SET PAR_VALUE = '" + server.BaseUrl() +
                            "pictures' WHERE PAR_NAME = 'GRAPHIC_URL';\n"
                            "INSERT INTO TOF_GRAPHICS (GRA_ID, GRA_SUP_ID, GRA_LNG_ID, GRA_DOC_TYPE, "
                            "GRA_GRD_ID, GRA_TAB_NR) VALUES\n"
                            "  (2000001, 9, 255, 1, 900, NULL), (2000002, 9, 255, 1, 901, NULL), (2000003, "
                            "9, 255, 1, 902, '0 OR 1');\n"
                            "INSERT INTO TOF_LINK_GRA_ART (LGA_ART_ID, LGA_GRA_ID, LGA_CTM) VALUES\n"
                            "  (9, 2000001, ',250,'), (9, 2000002, ',250,'), (9, 2000003, ',250,');\n";
  ImageStage stage(extra);
  stage.UseStandardLayout(false);
  stage.options().SetBoolean(OptionId::PreparationData_Images_from_tecdoc, true);
  stage.options().SetText(OptionId::PreparationData_Img_graf_fromat_to_images, "bmp");
  stage.options().SetText(OptionId::PreparationData_Img_graf_fromat_to_logos, "gif");
  const std::string web_picture("\xFF\xD8\x00web\xFF\xD9", 8);
  server.Serve(
      "/pictures/2000/2000001255.JPG", web_picture,
      {.status = 200, .gzip = true, .chunk_delay_ms = 0, .chunks = 1, .cut_short = false, .location = ""});
  stage.ReadAndWriteImages();

  const fs::path temp = stage.source() / "temp";
  // Sorted by the picture's data id as text: 100 (PNG, table 1), 9 (JPG, table 0), then the
  // downloaded ones; all take the first one's extension.
  EXPECT_EQ(test::ReadFileBytes(temp / "9" / "9.PNG"),
            std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\0\x01\0\0\0\x01\x08\x06\0\0\0", 29));
  EXPECT_EQ(test::ReadFileBytes(temp / "9" / "9.1.PNG").substr(0, 4), std::string("\xFF\xD8\xFF\xE0", 4));
  EXPECT_EQ(test::ReadFileBytes(temp / "9" / "9.2.PNG"), web_picture);
  // The missing picture took no number; nothing half-written remains.
  EXPECT_FALSE(fs::exists(temp / "9" / "9.3.PNG"));
  for (const auto& entry : fs::directory_iterator(temp / "9"))
    EXPECT_EQ(entry.path().filename().string().find(".part"), std::string::npos) << entry.path();

  const std::vector<std::string> headers = server.RequestHeaders("/pictures/2000/2000001255.JPG");
  EXPECT_NE(std::find(headers.begin(), headers.end(),
                      "Authorization: Basic " + exporting::Base64("pictures:se'cr\\et")),
            headers.end());

  // The logo of brand 9 (every language) comes out whole as jpg whatever the logo format setting.
  EXPECT_EQ(test::ReadFileBytes(temp / "9.jpg"),
            std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x00\x00\x00\xFF\xD9", 17));
  EXPECT_EQ(stage.options().Text(OptionId::PreparationData_Img_graf_fromat_to_logos), "gif");
  EXPECT_EQ(stage.options().Text(OptionId::PreparationData_Img_graf_fromat_to_images), "bmp");

  // Three pictures of article 9 in the tables, the COPY-free conversions from the PNG files.
  const std::string tarlund =
      test::ReadFileBytes(stage.writing().export_folder() / "image_from_tarlund.1.sql");
  EXPECT_NE(tarlund.find("VALUES (1,9,9,'','jpg'),(2,9,9,'.1','jpg'),(3,9,9,'.2','jpg')"), std::string::npos)
      << tarlund;

  // The failures of the run, each on a line of its own that begins with the time stamp.
  std::vector<std::string> errors;
  for (const std::string& line : stage.log())
    if (line.find("[error:ExportImages]") != std::string::npos)
      errors.push_back(line.substr(line.find("   [")));
  EXPECT_EQ(errors,
            (std::vector<std::string>{
                "   [error:ExportImages] File not found [" + server.BaseUrl() +
                    "pictures/2000/2000002255.JPG]. Code status HTTP (404)",
                "   [error:ExportImages] export image with GRD_ID = 902 was missed as is problem with "
                "table \"TOF_GRA_DATA_0 OR 1\". ",
            }));
}

TEST(ImageStageTest, TooSlowDownloadIsLoggedAndLeavesNoFile) {
  test::HttpTestServer server;
  const std::string extra =
      "UPDATE TOF_PARAMETERS SET PAR_VALUE = '" + server.BaseUrl() +
      "' WHERE PAR_NAME = 'GRAPHIC_URL';\n"
      "INSERT INTO TOF_GRAPHICS (GRA_ID, GRA_SUP_ID, GRA_LNG_ID, GRA_DOC_TYPE, GRA_GRD_ID, GRA_TAB_NR) "
      "VALUES\n"
      "  (3000001, 10, 255, 1, NULL, NULL);\n"
      "INSERT INTO TOF_LINK_GRA_ART (LGA_ART_ID, LGA_GRA_ID, LGA_CTM) VALUES (10, 3000001, ',250,');\n";
  ImageStage stage(extra);
  stage.options().SetBoolean(OptionId::PreparationData_Images_from_tecdoc, true);
  stage.services().download_limit = std::chrono::milliseconds(300);
  server.Serve(
      "/3000/3000001255.JPG", std::string(4000, 'x'),
      {.status = 200, .gzip = false, .chunk_delay_ms = 200, .chunks = 8, .cut_short = false, .location = ""});
  stage.ReadAndWriteImages();
  EXPECT_FALSE(fs::exists(stage.source() / "temp" / "10" / "10.JPG"));
  const std::string expected =
      "   [error:ExportImages] Large time interval download file, perhaps : no internet / "
      "incorrect internet connection settings. File : [" +
      server.BaseUrl() + "3000/3000001255.JPG].";
  EXPECT_NE(std::find_if(stage.log().begin(), stage.log().end(),
                         [&](const std::string& line) { return line.ends_with(expected); }),
            stage.log().end());
}

// The image rows of a whole export load after the clean installation without a failed statement.
class ImageLoadTest : public test::StoreFixture {
 protected:
  void ExportAndLoad(bool standard_layout) {
    ImageStage stage;
    stage.UseStandardLayout(standard_layout);
    stage.writing().reading().session().store.Connect(params());
    stage.writing().Write(
        exporting::StoreColumns::Learn(store(), "ps_", exporting::StoreColumns::ExportedTables()));
    stage.run().image_types = kImageTypes;
    exporting::WriteImages(stage.run(), {});
    EXPECT_EQ(test::CleanStore(store(), database()), std::vector<std::string>{});
    EXPECT_EQ(test::LoadScripts(store(), stage.writing().export_folder()), std::vector<std::string>{});
    // Article 9: two pictures, article 10: eleven; one cover each; shop rows carry the product.
    EXPECT_EQ(test::QueryText(store(), "SELECT count(*) FROM ps_image"), "13");
    EXPECT_EQ(test::QueryText(store(), "SELECT count(*) FROM ps_image WHERE cover = 1"), "2");
    EXPECT_EQ(test::QueryText(store(),
                              "SELECT count(*) FROM ps_image_shop s JOIN ps_image i USING (id_image) "
                              "WHERE s.id_product = i.id_product AND s.id_shop = 1"),
              "13");
    EXPECT_EQ(test::QueryText(store(),
                              "SELECT count(*) FROM ps_image i LEFT JOIN ps_product p USING (id_product) "
                              "WHERE p.id_product IS NULL"),
              "0");
    EXPECT_EQ(test::QueryText(store(), "SELECT count(*) FROM ps_image_lang WHERE id_lang = 1"), "13");
    if (!standard_layout) {
      EXPECT_EQ(test::QueryText(store(),
                                "SELECT concat(sup_id, '/', art_id, prefixs, '.', ext) FROM "
                                "ps_image_from_tarlund WHERE id_image = 13"),
                "10/10.10.jpg");
    }
  }
};
class ImageLoad9Test : public ImageLoadTest {
 protected:
  test::StoreGeneration Generation() const override { return test::StoreGeneration::kPrestaShop9; }
};

TEST_F(ImageLoadTest, BothLayoutsLoadIntoPrestaShop16) {
  ExportAndLoad(true);
  ExportAndLoad(false);
}
// A store whose unique keys on (product, cover) are as PrestaShop made them, as an "Addition" run may
// meet: a product's further pictures are NULL, not 0, so its third picture is no duplicate.
TEST_F(ImageLoadTest, SeveralPicturesLoadWhileTheStoresCoverKeysStand) {
  ImageStage stage;
  stage.UseStandardLayout(true);
  stage.writing().reading().session().store.Connect(params());
  stage.ReadAndWriteImages();
  test::TempFolder images_only;
  for (const char* file : {"image.1.sql", "image_lang.1.sql", "image_shop.1.sql"})
    fs::copy_file(stage.writing().export_folder() / file, images_only / file);
  EXPECT_EQ(test::LoadScripts(store(), images_only.path()), std::vector<std::string>{});
  EXPECT_EQ(test::QueryText(store(), "SELECT count(*) FROM ps_image_shop WHERE cover IS NULL"), "11");
}

TEST_F(ImageLoad9Test, BothLayoutsLoadIntoPrestaShop9) {
  ExportAndLoad(true);
  ExportAndLoad(false);
}

}  // namespace
}  // namespace quarvel
