#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace ax {

// An edit that cannot be made, in plain words; `field` names the World table refused, if any.
// Nothing was changed.
class EditError : public std::runtime_error {
 public:
  explicit EditError(const std::string& message, std::string refusedField = {})
      : std::runtime_error(message), field(std::move(refusedField)) {}
  std::string field;
};

}  // namespace ax
