#pragma once

#include <exception>
#include <string>

namespace quarvel {

// "kind : message" of a failure, as status texts and logs show it. Platform failures carry their
// own kind; anything else is named by its general class.
std::string ErrorKind(const std::exception& error);
std::string ErrorMessage(const std::exception& error);
inline std::string ErrorText(const std::exception& error) {
  return ErrorKind(error) + " : " + ErrorMessage(error);
}

}  // namespace quarvel
