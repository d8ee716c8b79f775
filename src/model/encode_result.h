#pragma once

#include <string>
#include <utility>

namespace hvt {

// What an encoder reports: success, or what it could not encode ("channel 12: Power 40 does not
// fit 2 bits (0-3)"). The encode chain puts its region's tag in front of the detail.
class [[nodiscard]] EncodeResult {
 public:
  static EncodeResult Success() { return EncodeResult(false, {}); }
  static EncodeResult Failure(std::string detail) { return EncodeResult(true, std::move(detail)); }

  bool Succeeded() const { return !failed_; }
  explicit operator bool() const { return Succeeded(); }
  const std::string& Detail() const { return detail_; }

 private:
  EncodeResult(bool failed, std::string detail) : failed_(failed), detail_(std::move(detail)) {}

  bool failed_;
  std::string detail_;
};

}  // namespace hvt
