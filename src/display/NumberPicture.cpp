#include "display/NumberPicture.h"

namespace ax {

std::string FormatNumber(double, std::string_view) {
  return {};
}

std::string SignedText(double) {
  return {};
}

}  // namespace ax
