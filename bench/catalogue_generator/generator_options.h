#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quarvel::bench {

struct GeneratorOptions {
  std::filesystem::path out;
  std::filesystem::path schema;
  std::int64_t articles = 2000;
  std::int64_t types = 300;
  std::int64_t links_per_article = 10;
  std::uint64_t seed = 1;
};

// Reads the command-line words after the program name. Returns nothing for --help; throws
// GeneratorError for anything it cannot use.
std::optional<GeneratorOptions> ParseGeneratorArguments(std::span<const std::string_view> words,
                                                        const std::filesystem::path& default_schema);

std::string GeneratorUsage();

}  // namespace quarvel::bench
