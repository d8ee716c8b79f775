#include "model/packed_field.h"

namespace hvt {

std::string Describe(const UnfitField& field) {
  const int largest = (1 << field.Width) - 1;
  return std::string(field.Name) + " " + std::to_string(field.Value) + " does not fit " +
         std::to_string(field.Width) + (field.Width == 1 ? " bit" : " bits") + " (0-" +
         std::to_string(largest) + ")";
}

}  // namespace hvt
