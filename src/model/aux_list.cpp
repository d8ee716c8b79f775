#include "model/aux_list.h"

namespace hvt {

AuxList NewAuxList() {
  AuxList list;
  for (std::size_t i = 0; i < list.size(); ++i) {
    list[i] = {.Index = static_cast<std::int16_t>(i), .Used = 0, .Value = "00000000", .Option = 1};
  }
  list.back() = {.Index = 100, .Used = 1, .Value = "01000000", .Option = 1};
  return list;
}

}  // namespace hvt
