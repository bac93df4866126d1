#include "cli/Report.h"

#include <string>

#include "display/ReportExport.h"

namespace ax {

void PrintWorldReports(World& world, std::ostream& out) {
  bool first = true;
  for (const BodyPlace& place : ReportBodies(world)) {
    if (!first) out << '\n';
    first = false;
    out << BodyReportText(world, place.star, place.orbit, place.body);
  }
}

}  // namespace ax
