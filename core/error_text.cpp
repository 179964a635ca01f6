#include "core/error_text.h"

#include <filesystem>
#include <stdexcept>

#include "platform/catalogue/catalogue_error.h"
#include "platform/store/store_error.h"

namespace quarvel {

std::string ErrorKind(const std::exception& error) {
  if (auto* e = dynamic_cast<const platform::StoreError*>(&error)) return e->kind();
  if (auto* e = dynamic_cast<const platform::CatalogueError*>(&error)) return e->kind();
  if (dynamic_cast<const std::filesystem::filesystem_error*>(&error)) return "File error";
  if (dynamic_cast<const std::bad_alloc*>(&error)) return "Out of memory";
  return "Error";
}

std::string ErrorMessage(const std::exception& error) {
  if (auto* e = dynamic_cast<const platform::StoreError*>(&error)) return e->message();
  if (auto* e = dynamic_cast<const platform::CatalogueError*>(&error)) return e->message();
  return error.what();
}

}  // namespace quarvel
