// The driver names of one run, prepared once for the removal passes.
#ifndef VORNIX_EDIT_DRIVER_NAMES_H_
#define VORNIX_EDIT_DRIVER_NAMES_H_

#include <string>
#include <vector>

namespace vornix {

class DriverNames {
 public:
  explicit DriverNames(std::vector<std::string> names)
      : names_(std::move(names)) {}
  const std::vector<std::string>& names() const { return names_; }

 private:
  std::vector<std::string> names_;
};

}  // namespace vornix

#endif  // VORNIX_EDIT_DRIVER_NAMES_H_
