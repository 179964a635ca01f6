#include "bench/catalogue_generator/generator_options.h"

#include <charconv>

#include "bench/catalogue_generator/sqlite_database.h"

namespace quarvel::bench {
namespace {

// Upper bounds keep every generated id inside 64-bit integers and the file inside reason.
constexpr std::int64_t kMaxArticles = 20'000'000;
constexpr std::int64_t kMaxTypes = 2'000'000;
constexpr std::int64_t kMaxLinks = 10'000;

template <typename Number>
Number ParseNumber(std::string_view option, std::string_view text, Number low, Number high) {
  Number value{};
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low ||
      value > high) {
    throw GeneratorError(std::string(option) + " needs a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not \"" + std::string(text) + "\"");
  }
  return value;
}

}  // namespace

std::string GeneratorUsage() {
  return "Usage: quarvel-catalogue-generator --out FILE.sqlite [--articles N] [--types N]\n"
         "         [--links-per-article N] [--seed S] [--schema PATH]\n"
         "Writes a synthetic TecDoc-shaped catalogue as a SQLite file.\n"
         "Defaults: 2000 articles, 300 types, 10 links per article, seed 1,\n"
         "          schema tests/fixtures/catalogue_schema.sql of the source tree.\n";
}

std::optional<GeneratorOptions> ParseGeneratorArguments(std::span<const std::string_view> words,
                                                        const std::filesystem::path& default_schema) {
  GeneratorOptions options;
  options.schema = default_schema;
  for (std::size_t i = 0; i < words.size(); ++i) {
    std::string_view option = words[i];
    if (option == "--help" || option == "-h") return std::nullopt;
    if (i + 1 >= words.size())
      throw GeneratorError("Unknown option or missing value: " + std::string(option));
    std::string_view value = words[++i];
    if (option == "--out") {
      options.out = std::filesystem::path(std::string(value));
    } else if (option == "--schema") {
      options.schema = std::filesystem::path(std::string(value));
    } else if (option == "--articles") {
      options.articles = ParseNumber<std::int64_t>(option, value, 1, kMaxArticles);
    } else if (option == "--types") {
      options.types = ParseNumber<std::int64_t>(option, value, 1, kMaxTypes);
    } else if (option == "--links-per-article") {
      options.links_per_article = ParseNumber<std::int64_t>(option, value, 0, kMaxLinks);
    } else if (option == "--seed") {
      options.seed = ParseNumber<std::uint64_t>(option, value, 0, UINT64_MAX);
    } else {
      throw GeneratorError("Unknown option: " + std::string(option));
    }
  }
  if (options.out.empty()) throw GeneratorError("--out FILE is required");
  if (options.schema.empty()) throw GeneratorError("--schema PATH is required");
  // Each article links to distinct types; more links than types cannot be honoured.
  if (options.links_per_article > options.types) {
    throw GeneratorError("--links-per-article (" + std::to_string(options.links_per_article) +
                         ") cannot exceed --types (" + std::to_string(options.types) + ")");
  }
  return options;
}

}  // namespace quarvel::bench
