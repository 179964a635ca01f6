#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace quarvel::exporting {

// A table of records keyed by a catalogue id (1 .. max_id). Only ids the run met are held: a
// vector of records plus an id -> position index, so memory follows the slice that was read and
// not the size of the catalogue's id range. An id that is not held reads as a default record
// (inactive, zero ids, empty texts). Records are walked in ascending id order once Sort() ran.
template <typename Record>
class IdTable {
 public:
  // Empties the table and sets the highest id a row may carry (0: the table takes nothing).
  void Reset(std::int64_t max_id) {
    records_.clear();
    index_.clear();
    max_id_ = max_id > 0 ? max_id : 0;
    sorted_ = true;
  }
  std::int64_t max_id() const { return max_id_; }
  // Ids outside 1 .. max_id never get a record: rows that name them are skipped.
  bool InRange(std::int64_t id) const { return id >= 1 && id <= max_id_; }

  Record* Find(std::int64_t id) {
    auto it = index_.find(id);
    return it == index_.end() ? nullptr : &records_[it->second];
  }
  const Record* Find(std::int64_t id) const {
    auto it = index_.find(id);
    return it == index_.end() ? nullptr : &records_[it->second];
  }
  // The record of `id`, created when absent. `id` must be in range. The reference stays valid
  // until the next record is created.
  Record& Get(std::int64_t id) {
    auto [it, inserted] = index_.try_emplace(id, records_.size());
    if (inserted) {
      if (!records_.empty() && records_.back().id > id) sorted_ = false;
      records_.emplace_back();
      records_.back().id = id;
    }
    return records_[it->second];
  }
  // The record of `id`, or a default one when the table does not hold it.
  const Record& At(std::int64_t id) const {
    const Record* record = Find(id);
    return record != nullptr ? *record : kAbsent;
  }
  bool IsActive(std::int64_t id) const { return At(id).activ; }

  // Brings the records into ascending id order (rows may arrive in the text order of their ids).
  void Sort() {
    if (sorted_) return;
    std::sort(records_.begin(), records_.end(), [](const Record& a, const Record& b) { return a.id < b.id; });
    for (std::size_t i = 0; i < records_.size(); ++i) index_[records_[i].id] = i;
    sorted_ = true;
  }
  std::vector<Record>& records() { return records_; }
  const std::vector<Record>& records() const { return records_; }
  std::size_t size() const { return records_.size(); }

 private:
  std::vector<Record> records_;
  std::unordered_map<std::int64_t, std::size_t> index_;
  std::int64_t max_id_ = 0;
  bool sorted_ = true;
  static inline const Record kAbsent{};
};

// Texts are held as the catalogue gave them (cut to their field length in characters); writers
// escape them when they put them into SQL. Language variants are indexed like the run's
// languages: variant n at index n, index 0 unused; the list is empty unless additional languages
// are active and the record is active.

// The three names of a generic article (GA_NAME, GA_SHORT, GA_ASSEMBLY), 130 characters each.
struct TradeGroupNames {
  std::string name;
  std::string short_name;
  std::string assembly;
};

// `DataOfGaID`: one generic article, the store's trade-group level.
struct TradeGroup {
  std::int64_t id = 0;    // GA_ID
  std::int64_t cat1 = 0;  // the parent trade category
  std::int64_t cat2 = 0;  // the generic article's own category
  TradeGroupNames names;
  std::vector<TradeGroupNames> languages;  // dod_lang
  bool activ = false;                      // the group has a store category in this run
};

// The language variant of a vehicle type's texts (MODEL 130, BODYTYPE 50, ENGINETYPE 130).
struct CarTexts {
  std::string model;
  std::string body_type;
  std::string engine_type;
};

// One trade group under a vehicle type and its two categories there.
struct CarTradeGroup {
  std::int64_t id_ga = 0;
  std::int64_t cat_num1 = 0;
  std::int64_t cat_num2 = 0;
};

// `DataOfCars`: one vehicle type.
struct Car {
  std::int64_t id = 0;               // TYP_ID
  std::int64_t id_manufacturer = 0;  // MFA_ID
  std::int64_t id_model = 0;         // MOD_ID
  // The car make's name (MFA_BRAND): make ids and part-brand ids are different numberings, so the
  // make is not looked up in the manufacturers table.
  std::string make;
  std::int64_t cat_man = 0;
  std::int64_t cat_model = 0;
  std::int64_t cat_type = 0;
  // "Addition to the existing data": the brand (model) category is one the store already has, so
  // no category row is written for it.
  bool cat_man_in_store = false;
  bool cat_model_in_store = false;
  CarTexts texts;                        // MODEL, BODYTYPE, ENGINETYPE
  std::string start_and_end_year_model;  // STARTANDENDYEARMODEL
  std::string start_and_end_year_type;   // STARTANDENDYEARTYPE
  std::string eng_cc;                    // ENGCC
  std::string eng_kw;                    // ENGKW
  std::string eng_ps;                    // ENGPS
  std::string eng_list;                  // ENGLIST
  std::vector<CarTexts> languages;       // dod_lang
  std::vector<CarTradeGroup> ga;         // GA; Ga_Size is ga.size()
  bool activ = false;
};

// The language variant of an article's texts.
struct PartTexts {
  std::string name_of_part;  // NAMEOFPART, 130
  std::string add_critery;   // ADDCRITERY (variants are not filled by the reading)
};

// `DataOfParts`: one article.
struct Part {
  std::int64_t id = 0;               // ART_ID
  std::int64_t cat_artid = 0;        // store product id
  std::int64_t id_bra = 0;           // ART_SUP_ID
  std::int64_t ga_id = 0;            // GaID: the lowest linked generic article, 0 for none
  std::string trade_number;          // TRADENUMBER, 130
  std::string ean;                   // EAN, 13
  PartTexts texts;                   // NAMEOFPART, ADDCRITERY
  std::vector<PartTexts> languages;  // dod_lang
  double cri[4] = {0, 0, 0, 0};      // Cri1 .. Cri4: width, height, depth, weight
  bool activ = false;                // exported as a new product
};

// `DataManufacturers`: one catalogue brand.
struct Manufacturer {
  std::int64_t id = 0;  // BRA_ID
  std::int64_t cat_manufacturer = 0;
  std::string name;  // NAME, 70
  bool sup = false;  // the brand is also a catalogue supplier
  bool activ = false;
};

// `DataCriteries`: one catalogue criterion.
struct Criterion {
  std::int64_t id = 0;                 // CRI_ID
  std::int64_t cat_criid = 0;          // store feature id
  std::string name;                    // NAME, 128
  std::vector<std::string> languages;  // dod_lang
  bool activ = false;
};

// The catalogue slice of one export run.
struct CatalogueTables {
  IdTable<TradeGroup> trade_groups;     // DataOfGaID
  IdTable<Car> cars;                    // DataOfCars
  IdTable<Part> parts;                  // DataOfParts
  IdTable<Manufacturer> manufacturers;  // DataManufacturers
  IdTable<Criterion> criteria;          // DataCriteries

  void Clear();
};

}  // namespace quarvel::exporting
