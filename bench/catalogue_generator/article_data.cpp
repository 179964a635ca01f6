#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "bench/catalogue_generator/catalogue_steps.h"
#include "bench/catalogue_generator/concat.h"

namespace quarvel::bench {
namespace {

// Article and link ids lie in the millions and are spaced out, so code that sizes an array by the
// highest id, or assumes dense ids, shows it.
std::int64_t ArticleId(std::int64_t index) { return 1'000'003 + 37 * index + index % 11; }
constexpr std::int64_t kFirstLinkId = 20'000'000;
constexpr std::int64_t kLinkIdStep = 3;

std::string Padded(std::int64_t value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width)
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
  return digits;
}

// The catalogue's search form of a number: ASCII letters and digits only, upper case.
std::string SearchForm(std::string_view number) {
  std::string out;
  for (char c : number) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
  }
  return out;
}

// Article numbers in the styles part makers use: digit groups with blanks, letters and digits,
// dots and dashes, lower case with a slash, an apostrophe. The index keeps them unique.
std::string ArticleNumber(std::int64_t index, std::int64_t style) {
  const std::string digits = Padded(index, 6);
  switch (style % 5) {
    case 0:
      return Concat("0 986 ", digits.substr(0, 3), " ", digits.substr(3));
    case 1:
      return Concat("GDB", std::to_string(index));
    case 2:
      return Concat("13.0460-", Padded(index % 10000, 4), ".", std::to_string(index / 10000));
    case 3:
      return Concat("ab-", std::to_string(index), "/x");
    default:
      return Concat("R'", digits);
  }
}

class ArticleWriter {
 public:
  explicit ArticleWriter(GenerationContext& context)
      : context_(context),
        random_(context.random),
        articles_(context.db, "TOF_ARTICLES",
                  {"ART_ID", "ART_ARTICLE_NR", "ART_SUP_ID", "ART_DES_ID", "ART_COMPLETE_DES_ID", "ART_CTM"}),
        article_groups_(context.db, "TOF_LINK_ART_GA", {"LAG_ART_ID", "LAG_GA_ID"}),
        lookup_(context.db, "TOF_ART_LOOKUP",
                {"ARL_ART_ID", "ARL_SEARCH_NUMBER", "ARL_KIND", "ARL_BRA_ID", "ARL_DISPLAY_NR", "ARL_SORT",
                 "ARL_CTM"}),
        criteria_(context.db, "TOF_ARTICLE_CRITERIA",
                  {"ACR_ART_ID", "ACR_CRI_ID", "ACR_VALUE", "ACR_KV_DES_ID", "ACR_SORT", "ACR_CTM"}),
        prices_(context.db, "TOF_PRICES", {"PRI_ART_ID", "PRI_PRICE", "PRI_CURRENCY_CODE", "PRI_CTM"}),
        infos_(context.db, "TOF_ARTICLE_INFO", {"AIN_ART_ID", "AIN_TMO_ID", "AIN_CTM"}),
        pictures_(context.db, "TOF_LINK_GRA_ART", {"LGA_ART_ID", "LGA_GRA_ID", "LGA_CTM"}),
        links_(context.db, "TOF_LINK_ART", {"LA_ID", "LA_ART_ID", "LA_GA_ID", "LA_CTM"}),
        link_types_(context.db, "TOF_LINK_LA_TYP", {"LAT_LA_ID", "LAT_TYP_ID", "LAT_CTM"}),
        link_criteria_(context.db, "TOF_LA_CRITERIA",
                       {"LAC_LA_ID", "LAC_CRI_ID", "LAC_VALUE", "LAC_KV_DES_ID", "LAC_SORT", "LAC_CTM"}) {}

  void Write(std::int64_t index) {
    const std::int64_t article_id = ArticleId(index);
    const std::size_t supplier = Index(context_.supplier_ids.size());
    const std::int64_t supplier_id = context_.supplier_ids[supplier];
    const std::string number = ArticleNumber(index, static_cast<std::int64_t>(supplier));

    std::size_t groups[2] = {Index(context_.generic_article_ids.size()), 0};
    std::size_t group_count = 1;
    if (random_.Percent(10) && context_.generic_article_ids.size() > 1) {
      groups[1] = (groups[0] + 1 + Index(context_.generic_article_ids.size() - 1)) %
                  context_.generic_article_ids.size();
      group_count = 2;
    }
    std::optional<std::int64_t> remark;
    if (random_.Percent(30)) remark = context_.remark_des_ids[Index(context_.remark_des_ids.size())];
    const std::string_view countries = context_.CountryField();
    articles_.Insert(article_id, number, supplier_id, remark, context_.generic_article_des_ids[groups[0]],
                     countries);
    for (std::size_t g = 0; g < group_count; ++g) {
      article_groups_.Insert(article_id, context_.generic_article_ids[groups[g]]);
    }

    WriteLookup(index, article_id, supplier_id, number);
    WriteCriteria(article_id);
    WriteCommerceData(article_id, supplier);
    WriteApplicability(article_id, groups, group_count);
  }

  void CountRows() {
    for (const TableInserter* table : {&articles_, &article_groups_, &lookup_, &criteria_, &prices_, &infos_,
                                       &pictures_, &links_, &link_types_, &link_criteria_}) {
      context_.Count(*table);
    }
  }

 private:
  std::size_t Index(std::size_t size) {
    return static_cast<std::size_t>(random_.Below(static_cast<std::int64_t>(size)));
  }

  void Lookup(std::int64_t article_id, std::string_view display, std::string_view kind, std::int64_t brand_id,
              std::int64_t sort) {
    const std::string_view countries = context_.CountryField();
    lookup_.Insert(article_id, SearchForm(display), kind, brand_id, display, sort, countries);
  }

  // Kind 1 the own number, 2 a trade number, 3 original-equipment numbers, 4 comparable numbers of
  // other makers, 5 a bar code.
  void WriteLookup(std::int64_t index, std::int64_t article_id, std::int64_t supplier_id,
                   const std::string& number) {
    Lookup(article_id, number, "1", supplier_id, 1);
    if (random_.Percent(30)) Lookup(article_id, Concat("TN ", Padded(index, 7)), "2", supplier_id, 1);
    const std::int64_t oe_numbers = random_.Between(1, 2);
    for (std::int64_t k = 0; k < oe_numbers; ++k) {
      const std::int64_t brand = context_.oe_brand_ids[Index(context_.oe_brand_ids.size())];
      const std::int64_t part = random_.Between(100, 999);
      const std::int64_t variant = random_.Between(100, 999);
      Lookup(
          article_id,
          Concat(std::to_string(part % 9 + 1), "K0 ", std::to_string(variant), " ", Padded(index % 1000, 3)),
          "3", brand, k + 1);
    }
    const std::int64_t comparable = random_.Between(0, 2);
    for (std::int64_t k = 0; k < comparable; ++k) {
      const std::int64_t brand = context_.supplier_ids[Index(context_.supplier_ids.size())];
      const std::int64_t other = random_.Below(1'000'000);
      Lookup(article_id, ArticleNumber(other, k + 1), "4", brand, k + 1);
    }
    if (random_.Percent(60)) Lookup(article_id, Concat("40", Padded(index, 11)), "5", supplier_id, 1);
  }

  // Plain values, key values with translated or language-neutral texts, and values with quotes.
  void Criterion(TableInserter& table, std::int64_t owner_id, std::int64_t sort) {
    const std::int64_t criterion = context_.criterion_ids[Index(context_.criterion_ids.size())];
    const std::int64_t kind = random_.Below(10);
    const std::string_view countries = context_.CountryField();
    if (kind < 6) {
      const std::int64_t whole = random_.Between(5, 400);
      const std::int64_t tenth = random_.Below(10);
      table.Insert(owner_id, criterion, Concat(std::to_string(whole), ".", std::to_string(tenth)),
                   std::nullopt, sort, countries);
    } else if (kind < 9) {
      const std::int64_t key = context_.key_value_des_ids[Index(context_.key_value_des_ids.size())];
      table.Insert(owner_id, criterion, Concat("K", std::to_string(key)), key, sort, countries);
    } else {
      table.Insert(owner_id, criterion, "M10x1,25 \"fine\" \\ 1/2'", std::nullopt, sort, countries);
    }
  }

  void WriteCriteria(std::int64_t article_id) {
    const std::int64_t count = random_.Between(2, 4);
    for (std::int64_t k = 1; k <= count; ++k) Criterion(criteria_, article_id, k);
  }

  // Prices are whole cents as text; a few are blank or not whole numbers, a few articles have two.
  void WriteCommerceData(std::int64_t article_id, std::size_t supplier) {
    if (random_.Percent(55)) {
      const std::int64_t rows = random_.Percent(8) ? 2 : 1;
      for (std::int64_t k = 0; k < rows; ++k) {
        const std::int64_t roll = random_.Below(100);
        std::string price = roll < 2   ? " "
                            : roll < 4 ? "12,50"
                                       : std::to_string(random_.Between(150, 250'000));
        const std::string_view currency = random_.Percent(90) ? "EUR" : "UAH";
        const std::string_view countries = context_.CountryField();
        prices_.Insert(article_id, price, currency, countries);
      }
    }
    if (random_.Percent(15)) {
      const std::int64_t module = context_.text_module_ids[Index(context_.text_module_ids.size())];
      const std::string_view countries = context_.CountryField();
      infos_.Insert(article_id, module, countries);
    }
    if (random_.Percent(40)) {
      const auto& pictures = context_.supplier_pictures[supplier];
      const std::int64_t count = random_.Between(1, static_cast<std::int64_t>(pictures.size()));
      for (std::int64_t k = 0; k < count; ++k) {
        const std::string_view countries = context_.CountryField();
        pictures_.Insert(article_id, pictures[static_cast<std::size_t>(k)].graphic_id, countries);
      }
    }
  }

  // One link per generic article of the article; the article's types (a run of neighbouring types,
  // as a part fits one model family) are shared out between its links.
  void WriteApplicability(std::int64_t article_id, const std::size_t* groups, std::size_t group_count) {
    const std::int64_t link_ids[2] = {next_link_id_, next_link_id_ + kLinkIdStep};
    for (std::size_t g = 0; g < group_count; ++g) {
      const std::string_view countries = context_.CountryField();
      links_.Insert(link_ids[g], article_id, context_.generic_article_ids[groups[g]], countries);
      next_link_id_ += kLinkIdStep;
      if (random_.Percent(10)) {
        const std::int64_t count = random_.Between(1, 2);
        for (std::int64_t k = 1; k <= count; ++k) Criterion(link_criteria_, link_ids[g], k);
      }
    }
    const auto type_count = static_cast<std::int64_t>(context_.type_ids.size());
    const std::int64_t first = random_.Below(type_count);
    for (std::int64_t k = 0; k < context_.options.links_per_article; ++k) {
      const std::int64_t type_id = context_.type_ids[static_cast<std::size_t>((first + k) % type_count)];
      const std::string_view countries = context_.CountryField();
      link_types_.Insert(link_ids[static_cast<std::size_t>(k) % group_count], type_id, countries);
    }
  }

  GenerationContext& context_;
  RandomSource& random_;
  TableInserter articles_;
  TableInserter article_groups_;
  TableInserter lookup_;
  TableInserter criteria_;
  TableInserter prices_;
  TableInserter infos_;
  TableInserter pictures_;
  TableInserter links_;
  TableInserter link_types_;
  TableInserter link_criteria_;
  std::int64_t next_link_id_ = kFirstLinkId;
};

}  // namespace

void WriteArticles(GenerationContext& context) {
  ArticleWriter writer(context);
  for (std::int64_t index = 0; index < context.options.articles; ++index) writer.Write(index);
  writer.CountRows();
}

}  // namespace quarvel::bench
