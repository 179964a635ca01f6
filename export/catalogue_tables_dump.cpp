#include "export/catalogue_tables_dump.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace quarvel::exporting {

namespace {

std::string Quoted(const std::string& text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c == '\\' || c == '"') {
      out += '\\';
      out += ch;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

std::string Number(double value) {
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : std::string("?");
}

std::string Flag(bool value) { return value ? "1" : "0"; }

// Records by ascending id, whether or not the table was sorted.
template <typename Record>
std::vector<const Record*> InIdOrder(const IdTable<Record>& table) {
  std::vector<const Record*> records;
  for (const Record& record : table.records()) records.push_back(&record);
  std::sort(records.begin(), records.end(), [](const Record* a, const Record* b) { return a->id < b->id; });
  return records;
}

template <typename Record>
void Heading(std::string& out, const char* name, const IdTable<Record>& table) {
  out += "[" + std::string(name) + "] max_id=" + std::to_string(table.max_id()) +
         " records=" + std::to_string(table.size()) + "\n";
}

void DumpTradeGroups(std::string& out, const IdTable<TradeGroup>& table) {
  Heading(out, "DataOfGaID", table);
  auto names = [](const TradeGroupNames& n) {
    return "GA_NAME=" + Quoted(n.name) + " GA_SHORT=" + Quoted(n.short_name) +
           " GA_ASSEMBLY=" + Quoted(n.assembly);
  };
  for (const TradeGroup* g : InIdOrder(table)) {
    out += std::to_string(g->id) + " activ=" + Flag(g->activ) + " cat1=" + std::to_string(g->cat1) +
           " cat2=" + std::to_string(g->cat2) + " " + names(g->names) + "\n";
    for (std::size_t n = 1; n < g->languages.size(); ++n)
      out += "  lang" + std::to_string(n) + " " + names(g->languages[n]) + "\n";
  }
}

void DumpCars(std::string& out, const IdTable<Car>& table) {
  Heading(out, "DataOfCars", table);
  for (const Car* c : InIdOrder(table)) {
    out += std::to_string(c->id) + " activ=" + Flag(c->activ) +
           " id_manufacturer=" + std::to_string(c->id_manufacturer) +
           " id_model=" + std::to_string(c->id_model) + " cat_man=" + std::to_string(c->cat_man) +
           (c->cat_man_in_store ? "(store)" : "") + " cat_model=" + std::to_string(c->cat_model) +
           (c->cat_model_in_store ? "(store)" : "") + " cat_type=" + std::to_string(c->cat_type) + "\n";
    out += "  MODEL=" + Quoted(c->texts.model) + " BODYTYPE=" + Quoted(c->texts.body_type) +
           " ENGINETYPE=" + Quoted(c->texts.engine_type) +
           " STARTANDENDYEARMODEL=" + Quoted(c->start_and_end_year_model) +
           " STARTANDENDYEARTYPE=" + Quoted(c->start_and_end_year_type) + " ENGCC=" + Quoted(c->eng_cc) +
           " ENGKW=" + Quoted(c->eng_kw) + " ENGPS=" + Quoted(c->eng_ps) + " ENGLIST=" + Quoted(c->eng_list) +
           "\n";
    for (std::size_t n = 1; n < c->languages.size(); ++n)
      out += "  lang" + std::to_string(n) + " MODEL=" + Quoted(c->languages[n].model) +
             " BODYTYPE=" + Quoted(c->languages[n].body_type) +
             " ENGINETYPE=" + Quoted(c->languages[n].engine_type) + "\n";
    for (const CarTradeGroup& ga : c->ga)
      out += "  GA id_ga=" + std::to_string(ga.id_ga) + " cat_num1=" + std::to_string(ga.cat_num1) +
             " cat_num2=" + std::to_string(ga.cat_num2) + "\n";
  }
}

void DumpParts(std::string& out, const IdTable<Part>& table) {
  Heading(out, "DataOfParts", table);
  for (const Part* p : InIdOrder(table)) {
    out += std::to_string(p->id) + " activ=" + Flag(p->activ) + " cat_artid=" + std::to_string(p->cat_artid) +
           " id_bra=" + std::to_string(p->id_bra) + " GaID=" + std::to_string(p->ga_id) +
           " TRADENUMBER=" + Quoted(p->trade_number) + " EAN=" + Quoted(p->ean) +
           " NAMEOFPART=" + Quoted(p->texts.name_of_part) + " ADDCRITERY=" + Quoted(p->texts.add_critery) +
           " Cri=" + Number(p->cri[0]) + ";" + Number(p->cri[1]) + ";" + Number(p->cri[2]) + ";" +
           Number(p->cri[3]) + "\n";
    for (std::size_t n = 1; n < p->languages.size(); ++n)
      out += "  lang" + std::to_string(n) + " NAMEOFPART=" + Quoted(p->languages[n].name_of_part) +
             " ADDCRITERY=" + Quoted(p->languages[n].add_critery) + "\n";
  }
}

void DumpManufacturers(std::string& out, const IdTable<Manufacturer>& table) {
  Heading(out, "DataManufacturers", table);
  for (const Manufacturer* m : InIdOrder(table))
    out += std::to_string(m->id) + " activ=" + Flag(m->activ) +
           " cat_manufacturer=" + std::to_string(m->cat_manufacturer) + " SUP=" + Flag(m->sup) +
           " NAME=" + Quoted(m->name) + "\n";
}

void DumpCriteria(std::string& out, const IdTable<Criterion>& table) {
  Heading(out, "DataCriteries", table);
  for (const Criterion* c : InIdOrder(table)) {
    out += std::to_string(c->id) + " activ=" + Flag(c->activ) + " cat_criid=" + std::to_string(c->cat_criid) +
           " NAME=" + Quoted(c->name) + "\n";
    for (std::size_t n = 1; n < c->languages.size(); ++n)
      out += "  lang" + std::to_string(n) + " NAME=" + Quoted(c->languages[n]) + "\n";
  }
}

}  // namespace

std::string DumpCatalogueTables(const CatalogueTables& tables) {
  std::string out;
  DumpTradeGroups(out, tables.trade_groups);
  DumpCars(out, tables.cars);
  DumpParts(out, tables.parts);
  DumpManufacturers(out, tables.manufacturers);
  DumpCriteria(out, tables.criteria);
  return out;
}

}  // namespace quarvel::exporting
