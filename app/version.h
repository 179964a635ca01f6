#pragma once

namespace quarvel {

// major.minor.release of the build, from the project's version.
inline constexpr const char* kVersion = QUARVEL_VERSION;

}  // namespace quarvel
