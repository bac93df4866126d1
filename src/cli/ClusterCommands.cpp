#include "cli/ClusterCommands.h"

#include <fmt/format.h>
#include <fmt/ostream.h>
#include <nlohmann/json.hpp>

#include <memory>
#include <string_view>
#include <system_error>

#include "cli/Commands.h"
#include "cli/RowOutput.h"
#include "cli/WorldJson.h"
#include "cluster/ClusterGeneration.h"
#include "cluster/Jump.h"
#include "display/ReportExport.h"
#include "io/ClusterFile.h"
#include "io/ClusterRecord.h"
#include "model/Random.h"
#include "survey/Survey.h"

namespace ax {
namespace {

ClusterShape ShapeNamed(const std::string& name) {
  if (name == "sphere") return ClusterShape::Sphere;
  if (name == "fading") return ClusterShape::FadingSphere;
  return ClusterShape::Cube;
}

enum class ListFormat { Text, Json, Csv };

void PrintHeader(ListFormat format, std::ostream& out) {
  if (format == ListFormat::Text) {
    fmt::print(out, "{:>7} {} {:<12} {:<26} {} {:>6} {:>8} {:>8} {:>8} {:<7} {:<7} {}\n", "record",
               "kept", "file", "name", "stars", "age", "x", "y", "z", "type 1", "type 2",
               "separation");
  } else if (format == ListFormat::Csv) {
    out << "record,kept,file,name,stars,age,x,y,z,type1,type2,separation\n";
  }
}

void PrintRecord(const ClusterRecord& record, ListFormat format, std::ostream& out) {
  const bool pair = record.StarCount == 2;
  switch (format) {
    case ListFormat::Text:
      fmt::print(out,
                 "{:>7} {:>4} {:<12} {:<26} {:>5} {:>6.2f} {:>8.3f} {:>8.3f} {:>8.3f} {:<7} "
                 "{:<7} {}\n",
                 record.RecordNumber, record.SystemKept, record.FileName, record.SystemName,
                 record.StarCount, record.Age, record.X, record.Y, record.Z, record.Stars[0].Type,
                 pair ? record.Stars[1].Type : "",
                 pair ? fmt::format("{:.6g} AU", record.Separation) : "-");
      break;
    case ListFormat::Csv:
      fmt::print(out, "{},{},{},{},{},{},{},{},{},{},{},{}\n", record.RecordNumber,
                 record.SystemKept, CsvField(record.FileName), CsvField(record.SystemName),
                 record.StarCount, record.Age, record.X, record.Y, record.Z,
                 CsvField(record.Stars[0].Type), pair ? CsvField(record.Stars[1].Type) : "",
                 record.Separation);
      break;
    case ListFormat::Json: {
      auto types = nlohmann::ordered_json::array({record.Stars[0].Type});
      if (pair) types.push_back(record.Stars[1].Type);
      const nlohmann::ordered_json json = {{"record", record.RecordNumber},
                                           {"kept", record.SystemKept},
                                           {"file", record.FileName},
                                           {"name", record.SystemName},
                                           {"stars", record.StarCount},
                                           {"age", ShortestDouble(record.Age)},
                                           {"x", ShortestDouble(record.X)},
                                           {"y", ShortestDouble(record.Y)},
                                           {"z", ShortestDouble(record.Z)},
                                           {"types", types},
                                           {"separation", ShortestDouble(record.Separation)}};
      PrintJsonLine(json, out);
      break;
    }
  }
}

}  // namespace

ClusterCommands::ClusterCommands(CLI::App& app) {
  cluster_ = app.add_subcommand(
      "cluster", "Generate a star cluster into the next free cluster file C01.AXL ... C99.AXL.");
  cluster_
      ->add_option("--size", size_,
                   fmt::format("Cells along an edge, {}..{} (default 100)", kMinClusterSize,
                               kMaxClusterSize))
      ->check(CLI::Range(kMinClusterSize, kMaxClusterSize));
  cluster_
      ->add_option("--density", density_,
                   fmt::format("One star per this many cells, {}..{} (default 350)",
                               kMinClusterDensity, kMaxClusterDensity))
      ->check(CLI::Range(kMinClusterDensity, kMaxClusterDensity));
  cluster_->add_option("--shape", shape_, "cube, sphere or fading (default cube)")
      ->check(CLI::IsMember({"cube", "sphere", "fading"}));
  cluster_->add_option("--dir", dir_, "The folder of the cluster file (default: the current one)");
  cluster_->add_option("--seed", seed_, "Seed for a reproducible cluster (default: the clock)");

  list_ = app.add_subcommand("list", "Read a cluster file and print one line per star record.");
  list_->add_option("file", file_, "The cluster file (.AXL)")->required();
  CLI::Option* json = list_->add_flag("--json", json_, "One JSON object per record per line");
  list_->add_flag("--csv", csv_, "Comma-separated values with a header line")->excludes(json);

  star_ = app.add_subcommand(
      "star", "Make, survey and print one cluster star's own system, the same at every jump.");
  star_->add_option("file", file_, "The cluster file (.AXL)")->required();
  star_->add_option("--record", record_, "The star's record number, from 1")
      ->required()
      ->check(CLI::PositiveNumber);
  CLI::Option* starJson = star_->add_flag("--json", json_, "The system as one JSON object");
  star_->add_flag("--report", report_, "The world report of every world, moon and belt body")
      ->excludes(starJson);
  star_->add_option("--out", out_, "Also save the system to this file (.ax2)");
}

bool ClusterCommands::Parsed() const {
  return cluster_->parsed() || list_->parsed() || star_->parsed();
}

int ClusterCommands::Run(std::ostream& out, std::ostream& err) const {
  if (star_->parsed()) return RunStar(out, err);
  return cluster_->parsed() ? RunCluster(out) : RunList(out, err);
}

int ClusterCommands::RunCluster(std::ostream& out) const {
  if (!dir_.empty()) {
    std::error_code error;
    std::filesystem::create_directories(dir_, error);
    if (error) throw ClusterFileError(dir_, "the folder cannot be made: " + error.message());
  }
  Random random = seed_ ? Random(*seed_) : Random();
  const ClusterResult result =
      GenerateCluster({size_, density_, ShapeNamed(shape_)}, random, dir_, {});
  fmt::print(out, "{}: {} {}\n", result.File.string(), result.Stars,
             result.Stars == 1 ? "star" : "stars");
  out.flush();
  return 0;
}

int ClusterCommands::RunList(std::ostream& out, std::ostream& err) const {
  const ListFormat format = json_ ? ListFormat::Json : csv_ ? ListFormat::Csv : ListFormat::Text;
  ClusterFileReader reader(file_);
  PrintHeader(format, out);
  const ClusterScan scan = reader.ForEach([format, &out](const ClusterRecordView& view) {
    PrintRecord(view.Decode(), format, out);
    return true;
  });
  return ScanStatus(scan, file_, out, err);
}

int ClusterCommands::RunStar(std::ostream& out, std::ostream& err) const {
  const ClusterRecord record = ClusterFileReader(file_).Read(record_);
  auto world = std::make_unique<World>();
  Random random;
  SystemFileReader reader;
  if (JumpIntoClusterStar(*world, random, reader, file_, record) == JumpOutcome::Kept) {
    fmt::print(err, "astrolattix-cli: record {} is kept: its system is read from {}\n", record_,
               KeptSystemFile(file_, record.FileName).string());
  } else {
    Survey(*world, random).SurveySystem();
  }
  if (out_) WriteSystemFile(*world, *out_);
  if (report_) {
    out << SystemReportText(*world);
  } else {
    PrintSystem(*world, record_, json_, out);
  }
  out.flush();
  return 0;
}

}  // namespace ax
