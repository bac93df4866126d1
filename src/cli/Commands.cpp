#include "cli/Commands.h"

#include <fmt/format.h>
#include <fmt/ostream.h>
#include <fmt/ranges.h>
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "cli/AtlasCommand.h"
#include "cli/Census.h"
#include "cli/ClusterCommands.h"
#include "cli/EditCommands.h"
#include "cli/GenerateCommands.h"
#include "cli/RenderOptions.h"
#include "cli/WorldJson.h"
#include "display/ReportExport.h"
#include "display/ViewState.h"
#include "edit/EditError.h"
#include "generate/Stars.h"
#include "io/ClusterFile.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/Version.h"
#include "model/World.h"
#include "survey/Survey.h"

#ifdef AX_HAVE_RENDER
#include "cli/Render.h"
#endif

namespace ax {
namespace {

struct SystemOptions {
  long count = 1;
  std::optional<std::uint64_t> seed;
  bool noSurvey = false;
  bool json = false;
  bool summary = false;
  std::optional<std::filesystem::path> out;
};

const char* StarRole(int s) {
  switch (s) {
    case 0: return "Pair";
    case 1: return "Primary";
    default: return "Companion";
  }
}

void PrintSystemText(const World& world, long number, std::ostream& out) {
  if (world.StarCount == 2) {
    fmt::print(
        out,
        "System {}: two stars {:.4g} AU apart, period {:.4g} years, age {:.2f} billion years\n",
        number, world.StarSeparation, world.StarPeriod, world.SystemAge);
  } else {
    fmt::print(out, "System {}: one star, age {:.2f} billion years\n", number, world.SystemAge);
  }
  for (int s = world.StarCount == 2 ? 0 : 1; s <= world.StarCount; ++s) {
    fmt::print(out, "  {:<9} {}  {:.4g} solar masses  {} K  luminosity {:.4g}\n", StarRole(s),
               world.StarType[s], world.StarMass[s], world.StarTemperature[s],
               world.StarLuminosity[s]);
  }
  for (int s = 0; s < kStarSlots; ++s) {
    for (int o = 1; o <= world.OrbitCount[s]; ++o) {
      if (world.BodyClass(s, o, 0).empty()) continue;
      fmt::print(out,
                 "  {} orbit {:>2}  {:<2} {:>9.4g} AU  {:>9.4g} Earth masses  {:>5} K  {} {}\n",
                 StarRole(s), o, world.BodyClass(s, o, 0), world.BodySemiMajorAxis(s, o, 0),
                 world.BodyMass(s, o, 0), world.BodyTempHigh(s, o, 0), world.MoonCount[s][o],
                 world.MoonCount[s][o] == 1 ? "moon" : "moons");
    }
  }
}

// Where system n of count is saved: the path itself for one system, else numbered files in
// that folder (0001.ax2, 0002.ax2, ...).
std::filesystem::path OutputFile(const std::filesystem::path& out, long n, long count) {
  if (count == 1) return out;
  const auto width = std::max<std::size_t>(4, std::to_string(count).size());
  return out / fmt::format("{:0{}}.ax2", n, width);
}

}  // namespace

void PrintSystem(const World& world, long number, bool json, std::ostream& out) {
  if (json) {
    out << WorldToJson(world).dump() << '\n';
  } else {
    PrintSystemText(world, number, out);
  }
}

namespace {

// What becomes of each newly made system.
struct Finishing {
  bool noSurvey = false;
  bool json = false;
  Census* census = nullptr;  // counts the system (and its civilizations) instead of printing it
};

// Surveys a newly made system unless told not to, saves it when given a file, then prints or
// counts it.
void FinishSystem(World& world, Random& random, const Finishing& finishing, long number,
                  const std::optional<std::filesystem::path>& file, SystemFileReader& reader,
                  std::ostream& out) {
  if (!finishing.noSurvey) {
    Survey survey(world, random);
    if (finishing.census != nullptr) {
      survey.Beep = [census = finishing.census] { ++census->civilizations; };
    }
    survey.SurveySystem();
  }
  if (file) {
    // Show what the file holds, read back: the name it gave the system and all.
    WriteSystemFile(world, *file);
    reader.Read(*file, world);
  }
  if (finishing.census != nullptr) {
    finishing.census->Add(world);
  } else {
    PrintSystem(world, number, finishing.json, out);
  }
}

int RunSystem(const SystemOptions& options, std::ostream& out) {
  auto world = std::make_unique<World>();
  Random random = options.seed ? Random(*options.seed) : Random();
  SystemFileReader reader;
  Census census;
  if (options.out && options.count > 1) {
    std::error_code error;
    std::filesystem::create_directories(*options.out, error);
    if (error) throw SystemFileError(*options.out, "the folder cannot be made: " + error.message());
  }
  const Finishing finishing{options.noSurvey, options.json, options.summary ? &census : nullptr};
  for (long n = 1; n <= options.count; ++n) {
    ClearSystem(*world);
    GenerateStars(*world, random);
    std::optional<std::filesystem::path> file;
    if (options.out) file = OutputFile(*options.out, n, options.count);
    FinishSystem(*world, random, finishing, n, file, reader, out);
  }
  if (options.summary) census.Print(out);
  out.flush();
  return 0;
}

// One system from the deliberate or incomplete form's texts. A rejected field ends the run
// before anything is surveyed or saved.
template <typename Options>
int RunGivenSystem(const Options& options, std::ostream& out) {
  auto world = std::make_unique<World>();
  const GivenSystemOutput& output = options.output;
  Random random = output.seed ? Random(*output.seed) : Random();
  const std::vector<std::string> rejected = GenerateFromOptions(*world, random, options);
  if (!rejected.empty()) {
    throw CliInputError(fmt::format("rejected: {}", fmt::join(rejected, ", ")));
  }
  SystemFileReader reader;
  FinishSystem(*world, random, {output.noSurvey, output.json, nullptr}, 1, output.out, reader, out);
  out.flush();
  return 0;
}

struct ShowOptions {
  std::filesystem::path file;
  bool json = false;
  bool report = false;
  bool markdown = false;
  bool html = false;
  std::filesystem::path pdf;
};

int RunShow(const ShowOptions& options, std::ostream& out) {
  auto world = std::make_unique<World>();
  SystemFileReader reader;
  reader.Read(options.file, *world);
  if (options.report) {
    out << SystemReportText(*world);
  } else if (options.markdown) {
    out << SystemReportMarkdown(*world);
  } else if (options.html) {
#ifdef AX_HAVE_RENDER
    out << DossierPage(*world);
#else
    out << SystemReportHtml(*world);  // without pictures: they are drawn through Qt
#endif
  } else if (!options.pdf.empty()) {
#ifdef AX_HAVE_RENDER
    SaveDossierPdf(*world, options.pdf);
#else
    throw CliInputError("--pdf is not available: built without the Qt GUI");
#endif
  } else {
    PrintSystem(*world, 1, options.json, out);
  }
  out.flush();
  return 0;
}

CLI::Validator ImageSizeCheck() {
  return CLI::Validator(
      [](const std::string& text) {
        return ParseImageSize(text) ? std::string()
                                    : fmt::format("not WxH with each side {}..{}: {}",
                                                  kSmallestImageSide, kLargestImageSide, text);
      },
      "WxH");
}

CLI::Validator FiniteCheck() {
  return CLI::Validator(
      [](const std::string& text) {
        char* end = nullptr;
        const double value = std::strtod(text.c_str(), &end);
        const bool number = !text.empty() && end == text.c_str() + text.size();
        return number && std::isfinite(value) ? std::string()
                                              : fmt::format("not a finite number: {}", text);
      },
      "");
}

std::vector<std::string> RenderModeNames() {
  std::vector<std::string> names;
  for (const RenderMode& mode : kRenderModes) names.emplace_back(mode.name);
  return names;
}

void AddRenderOptions(CLI::App& render, RenderOptions& options) {
  render.add_option("file", options.file, "The system file (.ax2)")->required();
  CLI::Option_group* image = render.add_option_group("image", "The image file to write");
  image->add_option("--png", options.png, "A PNG image");
  image->add_option("--svg", options.svg, "An SVG drawing");
  image->require_option(1);
  render
      .add_option("--mode", options.mode,
                  "system: the stars and their orbits; world: the selected world and its moons; "
                  "symbolic: the list of the whole system; report: the selected body's world "
                  "report (default system)")
      ->check(CLI::IsMember(RenderModeNames()));
  render.add_option("--star", options.star,
                    "The star: 1 for a single star, 0 (both), 1 or 2 for a pair (default 1, or "
                    "0 for a pair)");
  render.add_option("--orbit", options.orbit,
                    "The orbit (default 1; in the world view the first orbit with a world)");
  render.add_option("--body", options.body, "The body: 0 the world, 1.. its moons (default 0)");
  render.add_option("--date", options.date, "The star date in years (default 2000)")
      ->check(FiniteCheck());
  render
      .add_option("--zoom", options.zoom,
                  "The zoom of a graphical mode, 0.001 to 256 (default: the system or the world "
                  "with its moons fills the picture)")
      ->check(FiniteCheck())
      ->check(CLI::Range(kLeastViewZoom, kMostViewZoom));
  render.add_option("--size", options.size, "The image size in pixels (default 800x600)")
      ->check(ImageSizeCheck());
}

int RunRenderCommand([[maybe_unused]] const RenderOptions& options,
                     [[maybe_unused]] std::ostream& err) {
#ifdef AX_HAVE_RENDER
  RunRender(options);
  return 0;
#else
  fmt::print(err, "astrolattix-cli: render is not available: built without the Qt GUI\n");
  return 1;
#endif
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{"Astrolattix: imaginary star systems and star clusters, without a display."};
  app.name("astrolattix-cli");
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string("astrolattix-cli ") + kVersion,
                       "Print the program's name and version, and exit");

  SystemOptions systemOptions;
  CLI::App* system = app.add_subcommand("system", "Generate random star systems.");
  system->add_option("--count", systemOptions.count, "How many systems (default 1)")
      ->check(CLI::Range(1L, 100'000'000L));
  system->add_option("--seed", systemOptions.seed,
                     "Seed for a reproducible run (default: the clock)");
  system->add_flag("--no-survey", systemOptions.noSurvey, "Make the stars only, without worlds");
  CLI::Option* json =
      system->add_flag("--json", systemOptions.json, "One JSON object per system per line");
  system
      ->add_flag("--summary", systemOptions.summary,
                 "Counts of worlds, moons, classes, life and civilizations instead of each system")
      ->excludes(json);
  system->add_option("--out", systemOptions.out,
                     "Save to this file, or for more than one system to numbered files in this "
                     "folder");

  DeliberateOptions deliberateOptions;
  CLI::App* deliberate = AddDeliberateCommand(app, deliberateOptions);
  IncompleteOptions incompleteOptions;
  CLI::App* incomplete = AddIncompleteCommand(app, incompleteOptions);

  ShowOptions showOptions;
  CLI::App* show = app.add_subcommand("show", "Read a system file and print its system.");
  show->add_option("file", showOptions.file, "The system file (.ax2)")->required();
  CLI::Option* showJsonFlag =
      show->add_flag("--json", showOptions.json, "The system as one JSON object");
  CLI::Option* showReportFlag =
      show->add_flag("--report", showOptions.report,
                     "The world report of every world, moon and belt body, in reading order")
          ->excludes(showJsonFlag);
  CLI::Option* showMarkdownFlag =
      show->add_flag("--markdown", showOptions.markdown,
                     "The stars, every world at a glance and every body's world report as a "
                     "Markdown document")
          ->excludes(showJsonFlag)
          ->excludes(showReportFlag);
  CLI::Option* showHtmlFlag =
      show->add_flag("--html", showOptions.html,
                     "The system as a dossier to print or share, one HTML page: the system's "
                     "picture, its worlds at a glance, then every world's report and picture")
          ->excludes(showJsonFlag)
          ->excludes(showReportFlag)
          ->excludes(showMarkdownFlag);
  show->add_option("--pdf", showOptions.pdf,
                   "Write the same dossier as a PDF file, one page for each world")
      ->type_name("PATH")
      ->excludes(showJsonFlag)
      ->excludes(showReportFlag)
      ->excludes(showMarkdownFlag)
      ->excludes(showHtmlFlag);

  RenderOptions renderOptions;
  CLI::App* render = app.add_subcommand(
      "render", "Read a system file and draw one of its display modes as a PNG or SVG image.");
  AddRenderOptions(*render, renderOptions);

  ClusterCommands clusterCommands(app);
  AtlasCommand atlasCommand(app);
  EditCommands editCommands(app);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return 0;
  } catch (const CLI::CallForAllHelp&) {
    out << app.help("", CLI::AppFormatMode::All);
    return 0;
  } catch (const CLI::CallForVersion& version) {
    out << version.what() << '\n';
    return 0;
  } catch (const CLI::ParseError& error) {
    fmt::print(err, "astrolattix-cli: {} (see astrolattix-cli --help)\n", error.what());
    return kExitBadInput;
  }

  try {
    if (system->parsed()) return RunSystem(systemOptions, out);
    if (deliberate->parsed()) return RunGivenSystem(deliberateOptions, out);
    if (incomplete->parsed()) return RunGivenSystem(incompleteOptions, out);
    if (show->parsed()) return RunShow(showOptions, out);
    if (render->parsed()) return RunRenderCommand(renderOptions, err);
    if (clusterCommands.Parsed()) return clusterCommands.Run(out, err);
    if (atlasCommand.Parsed()) return atlasCommand.Run(out, err);
    if (editCommands.Parsed()) return editCommands.Run(out, err);
  } catch (const SystemFileError& error) {
    fmt::print(err, "astrolattix-cli: {}\n", error.what());
    return kExitBadInput;
  } catch (const ClusterFileError& error) {
    out.flush();  // the rows made before it
    fmt::print(err, "astrolattix-cli: {}\n", error.what());
    return kExitBadInput;
  } catch (const EditError& error) {
    fmt::print(err, "astrolattix-cli: {}\n", error.what());
    return kExitBadInput;
  } catch (const CliInputError& error) {
    fmt::print(err, "astrolattix-cli: {}\n", error.what());
    return kExitBadInput;
  } catch (const std::exception& error) {
    fmt::print(err, "astrolattix-cli: {}\n", error.what());
    return 1;
  }
  return 0;
}

}  // namespace ax
