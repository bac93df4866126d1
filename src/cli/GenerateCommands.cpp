#include "cli/GenerateCommands.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "generate/NumberText.h"
#include "generate/StarLimits.h"
#include "model/Numbers.h"

namespace ax {
namespace {

constexpr double kSunTemperature = 5800.0;  // kelvin

struct FieldOption {
  std::string_view field;
  std::string_view option;
};

// The option each text box of the two forms is typed through.
constexpr FieldOption kFieldOptions[] = {
    {"StarAMassText", "--mass1"},       {"StarATempText", "--temp1"},
    {"StarALumnText", "--lumn1"},       {"StarBMassText", "--mass2"},
    {"StarBTempText", "--temp2"},       {"StarBLumnText", "--lumn2"},
    {"SeparationText", "--separation"}, {"AgeText", "--age"},
    {"StarATypeText", "--type1"},       {"StarAMagnText", "--magn1"},
    {"StarBTypeText", "--type2"},       {"StarBMagnText", "--magn2"},
    {"KnownSepText", "--sep"},          {"KnownPeriodText", "--period"},
};

std::string_view OptionOfField(std::string_view field) {
  for (const FieldOption& entry : kFieldOptions) {
    if (entry.field == field) return entry.option;
  }
  return {};
}

// "--mass1 (StarAMassText)"; a field the command filled from a mass names that mass's option.
std::vector<std::string> RejectedOptions(const std::vector<std::string>& fields,
                                         const std::vector<std::string>& derivedFields) {
  std::vector<std::string> rejected;
  for (const std::string& field : fields) {
    const std::string_view option = OptionOfField(field);
    const bool derived =
        std::find(derivedFields.begin(), derivedFields.end(), field) != derivedFields.end();
    if (option.empty()) {
      rejected.push_back(field);
    } else if (derived) {
      const bool starA = field.rfind("StarA", 0) == 0;
      rejected.push_back(fmt::format("{} ({}, from --mass{})", option, field, starA ? 1 : 2));
    } else {
      rejected.push_back(fmt::format("{} ({})", option, field));
    }
  }
  return rejected;
}

// Shortest text that reads back to the same double.
std::string NumberText(double value) {
  return fmt::format("{}", value);
}

void AddOutputOptions(CLI::App& command, GivenSystemOutput& output) {
  command.add_option("--seed", output.seed, "Seed for a reproducible run (default: the clock)")
      ->type_name("S");
  command.add_flag("--no-survey", output.noSurvey, "Make the stars only, without worlds");
  command.add_flag("--json", output.json, "The system as one JSON object");
  command
      .add_option("--out", output.out,
                  "Save the system to this file (.ax2); an unnamed system takes the file's name")
      ->type_name("PATH");
}

// A main-sequence star of this mass (solar masses): T ~ m^(1/2) in kelvin, and L ~ m^4 in
// solar units, the relation the incomplete form's masses come from.
double MainSequenceTemperature(double mass) {
  return RoundHalfEven(kSunTemperature * std::sqrt(mass));
}

double MainSequenceLuminosity(double mass) {
  return std::pow(mass, 4.0);
}

// Fills star s's temperature and luminosity from its mass where their options were not given.
void DeriveFromMass(const CLI::App& command, int s, DeliberateOptions& options) {
  DeliberateInput& input = options.input;
  // A mass the form rejects gives nothing to work from; the empty text is rejected with it.
  const double mass = LeadingNumber(s == 1 ? input.starAMass : input.starBMass);
  const bool usable = kStarMassRange.Holds(mass);
  const auto derive = [&](const char* option, const char* field, std::string& text, double value) {
    if (command.count(option) > 0) return;
    text = usable ? NumberText(value) : std::string();
    options.derivedFields.emplace_back(field);
  };
  if (s == 1) {
    derive("--temp1", "StarATempText", input.starATemp, MainSequenceTemperature(mass));
    derive("--lumn1", "StarALumnText", input.starALumn, MainSequenceLuminosity(mass));
  } else {
    derive("--temp2", "StarBTempText", input.starBTemp, MainSequenceTemperature(mass));
    derive("--lumn2", "StarBLumnText", input.starBLumn, MainSequenceLuminosity(mass));
  }
}

std::string MassHelp(int s) {
  return fmt::format("Star {}'s mass in solar masses, {}", s, kStarMassRange.text);
}

std::string TemperatureHelp(int s) {
  return fmt::format("Star {}'s surface temperature in kelvin, {} (default: 5800 x sqrt(M))", s,
                     kStarTemperatureRange.text);
}

std::string LuminosityHelp(int s) {
  return fmt::format("Star {}'s luminosity in solar units, {} (default: M^4)", s,
                     kStarLuminosityRange.text);
}

std::string MagnitudeHelp(int s) {
  return fmt::format(
      "Star {}'s absolute magnitude: its light must be {} suns and every mass it can give "
      "{} solar masses",
      s, kStarLuminosityRange.text, kStarMassRange.text);
}

}  // namespace

CLI::App* AddDeliberateCommand(CLI::App& app, DeliberateOptions& options) {
  CLI::App* command = app.add_subcommand(
      "deliberate",
      "Make a system from given star data: one main-sequence star, or a pair when any star-2 "
      "option is given.");
  command->footer(
      "Every value must read as a number within its range; a text is read by its leading "
      "number.");
  DeliberateInput& input = options.input;
  command->add_option("--mass1", input.starAMass, MassHelp(1))->type_name("M")->required();
  command->add_option("--temp1", input.starATemp, TemperatureHelp(1))->type_name("K");
  command->add_option("--lumn1", input.starALumn, LuminosityHelp(1))->type_name("L");
  command->add_option("--mass2", input.starBMass, MassHelp(2))->type_name("M");
  command->add_option("--temp2", input.starBTemp, TemperatureHelp(2))->type_name("K");
  command->add_option("--lumn2", input.starBLumn, LuminosityHelp(2))->type_name("L");
  command
      ->add_option("--separation", input.separation,
                   fmt::format("The pair's separation in AU, {}", kStarSeparationRange.text))
      ->type_name("AU");
  command
      ->add_option("--age", input.age,
                   "Age in billions of years, below 98 % of star 1's main-sequence lifetime of "
                   "10 / M^3 (default: drawn)")
      ->type_name("GY");
  command->add_option("--name", input.systemName, "The system's name")->type_name("NAME");
  AddOutputOptions(*command, options.output);
  command->callback([command, &options] {
    DeliberateInput& given = options.input;
    given.binary = false;
    for (const char* option : {"--mass2", "--temp2", "--lumn2", "--separation"}) {
      given.binary = given.binary || command->count(option) > 0;
    }
    options.derivedFields.clear();
    DeriveFromMass(*command, 1, options);
    if (given.binary) DeriveFromMass(*command, 2, options);
  });
  return command;
}

CLI::App* AddIncompleteCommand(CLI::App& app, IncompleteOptions& options) {
  CLI::App* command = app.add_subcommand(
      "incomplete",
      "Make a system from a real star's spectral type and absolute magnitude: one star, or a "
      "pair when any star-2 or separation option is given.");
  command->footer(
      "The stars' mass, temperature and luminosity are worked out from these; a pair is put "
      "heavier star first.");
  IncompleteInput& input = options.input;
  command
      ->add_option("--type1", input.starAType,
                   "Star 1's spectral type: a letter O B A F G K M, a subclass digit 0-9 and a "
                   "luminosity class V (default), IV, III, II, I, D (white dwarf) or N (neutron "
                   "star); e.g. G2V or \"K 3 III\"")
      ->type_name("TYPE")
      ->required();
  command->add_option("--magn1", input.starAMagn, MagnitudeHelp(1))->type_name("MAG")->required();
  CLI::Option* type2 =
      command->add_option("--type2", input.starBType, "Star 2's spectral type")->type_name("TYPE");
  CLI::Option* magn2 =
      command->add_option("--magn2", input.starBMagn, MagnitudeHelp(2))->type_name("MAG");

  CLI::Option_group* separation = command->add_option_group(
      "Separation", "What is known of the pair's separation: one of these at most");
  CLI::Option* sep =
      separation
          ->add_option("--sep", input.knownSep,
                       fmt::format("Known: the separation in AU, {}", kStarSeparationRange.text))
          ->type_name("AU");
  CLI::Option* period =
      separation
          ->add_option("--period", input.knownPeriod,
                       fmt::format("Known: the period in years; the separation follows from it "
                                   "and must be {} AU whatever the masses' scatter",
                                   kStarSeparationRange.text))
          ->type_name("Y");
  CLI::Option* close = separation->add_flag("--close")->description(
      "Close: a separation of about 1 AU or less is drawn");
  CLI::Option* unknown =
      separation->add_flag("--unknown")
          ->description("Unknown: the separation is drawn (the default for a pair)");
  separation->require_option(0, 1);

  command->add_option("--name", input.systemName, "The system's name")->type_name("NAME");
  AddOutputOptions(*command, options.output);
  command->callback([=, &options] {
    IncompleteInput& given = options.input;
    given.separation = SeparationKnowledge::kNone;
    if (sep->count() > 0) given.separation = SeparationKnowledge::kKnown;
    if (period->count() > 0) given.separation = SeparationKnowledge::kPeriod;
    if (close->count() > 0) given.separation = SeparationKnowledge::kClose;
    if (unknown->count() > 0) given.separation = SeparationKnowledge::kUnknown;
    given.binary =
        type2->count() > 0 || magn2->count() > 0 || given.separation != SeparationKnowledge::kNone;
    // A pair whose separation nothing is known of gets one drawn, rather than none.
    if (given.binary && given.separation == SeparationKnowledge::kNone) {
      given.separation = SeparationKnowledge::kUnknown;
    }
  });
  return command;
}

std::vector<std::string> GenerateFromOptions(World& world, Random& random,
                                             const DeliberateOptions& options) {
  return RejectedOptions(GenerateDeliberateSystem(world, random, options.input),
                         options.derivedFields);
}

std::vector<std::string> GenerateFromOptions(World& world, Random& random,
                                             const IncompleteOptions& options) {
  return RejectedOptions(GenerateIncompleteSystem(world, random, options.input), {});
}

}  // namespace ax
