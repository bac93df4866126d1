#include "io/FileFilters.h"

namespace ax {

FileDialogFilter OpenDialogFilter() {
  return {"Star Files (*.ax2)", "*.ax2", "ax2"};
}

FileDialogFilter SaveDialogFilter(const World& world, std::string_view clusterCode) {
  if (world.ClusterMode == 0) return OpenDialogFilter();
  const std::string code(clusterCode);
  return {"Astrolattix Systems (*." + code + ")", "*." + code, code};
}

}  // namespace ax
