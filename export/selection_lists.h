#pragma once

#include <string>

#include "core/options.h"
#include "core/session.h"
#include "core/ui.h"

namespace quarvel::exporting {

// The four selection lists of the export page's "DATA FOR SELECTING" tab, refilled from the
// catalogue after every catalogue connect and every language or region change. Checks are kept
// across the refill; the car list shows brands or models as the options say.
void RefreshSelectionLists(Session& session);
// "Update list" of one list, e.g. after the car list's mode or year option changed.
void RefreshCarList(Session& session);
void RefreshPartBrandList(Session& session);
void RefreshTradeGroupList(Session& session);
void RefreshPartGroupList(Session& session);

// The year of "FOR MODELS NOT OLDER THAN YEAR": From_Year_for_models, or 1990 when that is not a
// positive whole number.
int ModelsFromYear(const Options& options);
// The condition that keeps models built in or after January of the year, for the model list and the
// vehicle statement alike.
std::string ModelYearCondition(int year);

// The refill statements, in the catalogue's own dialect (lines joined by line breaks).
std::string CarBrandListSql(int country_id);
std::string CarModelListSql(int language_id, int country_id, const std::string& year_condition);
std::string PartBrandListSql();
std::string TradeGroupListSql(int language_id);
std::string PartGroupListSql(int language_id);

}  // namespace quarvel::exporting
