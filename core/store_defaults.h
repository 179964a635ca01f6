#pragma once

#include <string>

namespace quarvel {

// The store's defaults, read from its configuration table by the structure test; every shop and
// language row Quarvel creates carries DefaultShopId and DefaultLangId.
struct StoreDefaults {
  int default_shop_id = 0;      // PS_SHOP_DEFAULT
  int default_lang_id = 0;      // PS_LANG_DEFAULT
  int default_currency_id = 0;  // PS_CURRENCY_DEFAULT
  int tax = 0;                  // PS_TAX
  double use_ecotax = 0;        // PS_USE_ECOTAX
  std::string image_type;       // PS_IMAGE_QUALITY
};

}  // namespace quarvel
