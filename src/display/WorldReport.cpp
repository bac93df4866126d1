#include "display/WorldReport.h"

namespace ax {

WorldReport::WorldReport(World& world, Canvas& canvas) : world_(world), canvas_(canvas) {}

void WorldReport::ShowWorldReport() {}
void WorldReport::PrintReportLine(double, double) {}
void WorldReport::ShowGasTable() {}

}  // namespace ax
