#include "display/WorldReport.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>
#include <string_view>
#include <utility>
#include <vector>

#include "display/BodySymbols.h"
#include "display/DefaultNames.h"
#include "display/NumberPicture.h"
#include "model/Numbers.h"

namespace ax {
namespace {

constexpr int kBackgroundColour = 7;      // light grey
constexpr int kTextColour = 1;            // blue
constexpr int kHighlightColour = 4;       // red
constexpr int kSelectedMoonColour = 4;    // dark red: yellow is unreadable on light grey
constexpr int kFrameColour = 0;           // black
constexpr int kSelectionRingColour = 15;  // white

constexpr double kKmPerRadius = 6378;      // standard radius
constexpr double kDensityGramsCm3 = 5.52;  // standard density
constexpr double kPeriastronEpoch = 2000;  // years
constexpr double kMillion = 1000000;

constexpr std::string_view kDegree = "\xB0";  // Latin-1 degree sign

// The text grid, in drawing units: columns 15 apart from x 3, lines 3 apart from y 9 under the
// three head lines.
constexpr int kFirstColumnX = 3;
constexpr int kColumnWidth = 15;
constexpr std::array<std::int16_t, 4> kHeadLineY = {0, 1, 5, 9};
constexpr int kLineHeight = 3;
constexpr std::size_t kMoonHeaderLine = 12;  // moon or belt body b on the line 12 + b

constexpr std::int16_t ColumnX(std::size_t column) {
  if (column == 0) return 0;
  return static_cast<std::int16_t>(kFirstColumnX + kColumnWidth * static_cast<int>(column - 1));
}

constexpr std::int16_t LineTop(std::size_t line) {
  if (line < kHeadLineY.size()) return kHeadLineY[line];
  const auto below = static_cast<int>(line - (kHeadLineY.size() - 1));
  return static_cast<std::int16_t>(kHeadLineY.back() + kLineHeight * below);
}

// The orbit strip: a frame from column 5 to 3 units past column 7 and from line 1 to line 3,
// the star at its left and world o 2 + 2 o units right of the frame's left edge.
constexpr std::size_t kStripColumn = 5;
constexpr float kStripRightMargin = 3;
constexpr std::size_t kStripTopLine = 1;
constexpr std::size_t kStripBottomLine = 3;
constexpr float kStripFirstWorld = 2;
constexpr float kStripSpacing = 2;
constexpr double kStripClickSlack = 1;  // a click just under the frame still means the strip

float StripWorldX(float left, int orbit) {
  return left + kStripFirstWorld + kStripSpacing * static_cast<float>(orbit);
}

// Characters per drawing unit for the plain-text lines: the report's widest label,
// "Extinct civilization era:" (25 characters), fits in the 30 units before its value.
constexpr double kCharactersPerUnit = 1;

bool IsBeltOrJovian(const std::string& bodyClass) {
  return IsBelt(bodyClass) || bodyClass == "J";
}

std::string LifeWord(int grade) {
  switch (grade) {
    case 1: return "";
    case 2: return "Prokaryote ";
    case 3: return "Eukaryote ";
    case 4: return "Metazoan ";
    case 5: return "Complex ";
    default: return "Highly complex ";
  }
}

}  // namespace

WorldReport::WorldReport(World& world, Canvas& canvas) : world_(world), canvas_(canvas) {}

void WorldReport::ShowWorldReport() {
  const int star = world_.CurrentStar;
  const int orbit = world_.CurrentOrbit;
  const int body = world_.CurrentBody;
  if (star < 0 || star >= kStarSlots || orbit < 0 || orbit >= kOrbitSlots || body < 0 ||
      body >= kBodySlots) {
    ThrowIndexOutOfRange(star, orbit, body);
  }
  const bool bodyIsBelt = IsBelt(world_.BodyClass(star, orbit, body));
  const bool worldIsBelt = IsBelt(world_.BodyClass(star, orbit, 0));

  textColour_ = PaletteColour(kTextColour);
  BuildGrid();
  canvas_.Clear(PaletteColour(kBackgroundColour));

  PrintLabels(bodyIsBelt);
  PrintValues(bodyIsBelt);
  DrawDiagram();
  PrintOrbitColumn(bodyIsBelt, worldIsBelt);
  PrintMoonTable(worldIsBelt);
  const int moons = std::min<int>(
      world_.MoonCount[static_cast<std::size_t>(star)][static_cast<std::size_t>(orbit)],
      kBodySlots - 1);
  // One blank line under the moon table.
  if (GasShares) {
    ShowGasShares(moons > 0 ? kMoonHeaderLine + static_cast<std::size_t>(moons) + 2 : 0);
  }
}

void WorldReport::PrintReportLine(double x, double y) {
  canvas_.Text(x, y, world_.ReportText, textColour_);
}

void WorldReport::BuildGrid() {
  for (std::size_t i = 0; i < ColX.size(); ++i) ColX[i] = ColumnX(i);
  for (std::size_t n = 0; n < LineY.size(); ++n) LineY[n] = LineTop(n);
}

void WorldReport::Print(std::string text, float x, float y) {
  world_.ReportText = std::move(text);
  PrintReportLine(x, y);
}

void WorldReport::PrintInColour(std::string text, float x, float y, int paletteIndex) {
  textColour_ = PaletteColour(paletteIndex);
  Print(std::move(text), x, y);
  textColour_ = PaletteColour(kTextColour);
}

void WorldReport::PrintLabels(bool bodyIsBelt) {
  const int s = world_.CurrentStar;
  const int o = world_.CurrentOrbit;
  const int b = world_.CurrentBody;
  const float x = ColX[1];
  const float a = static_cast<float>(ColX[1] + ColX[2] + 4) / 2;
  const float bx = static_cast<float>(ColX[1] + ColX[2] + 2) / 2;

  Print("Planet:", x, LineY[0]);
  Print("Class:", x, LineY[2]);
  if (world_.BodyName(s, o, b).empty()) {
    MakeDefaultName(world_);
    // Whole-system passes may leave the selection elsewhere; the report keeps its own.
    world_.CurrentStar = static_cast<std::int16_t>(s);
    world_.CurrentOrbit = static_cast<std::int16_t>(o);
    world_.CurrentBody = static_cast<std::int16_t>(b);
  }
  std::string& name = world_.BodyName(s, o, b);
  Print(name, a, LineY[0]);
  // A name made while the system had none is made afresh once the system is named.
  if (name.starts_with("Star")) name.clear();
  Print(world_.BodyClass(s, o, b), bx, LineY[2]);

  if (!bodyIsBelt) {
    Print("Radius:", x, LineY[3]);
    Print("Mass:", x, LineY[4]);
    Print("Gravity:", x, LineY[5]);
    Print("Year:", x, LineY[6]);
    Print("Day:", x, LineY[7]);
    Print("Obliquity:", x, LineY[8]);
    Print("Temp:", x, LineY[10]);
    Print("Atmosphere:", x, LineY[12]);
  }
  if (world_.BodyPressure(s, o, b) > kPressureShown) {
    Print("Pressure:", x, LineY[13]);
    ShowGasTable();
  }
  if (world_.BodyWaterCover(s, o, b) > 0) {
    Print("Water Cover:", x, LineY[20]);
    Print("Continents:", x, LineY[21]);
  }
  if (world_.BodyLifeComplexity(s, o, b) > 0) {
    Print("Life Complexity:", x, LineY[23]);
    Print("Life Classification:", x, LineY[24]);
    const std::string& classification = world_.BodyLifeClassification(s, o, b);
    if (!classification.empty()) Print("   " + classification, x, LineY[25]);
    if (world_.BodyRadiation(s, o, b) > 0) Print("Radiation Level:", x, LineY[27]);
  }
  if (!IsBeltOrJovian(world_.BodyClass(s, o, b))) {
    Print("Volcanism:", x, LineY[28]);
    if (!world_.BodyRareEarths(s, o, b).empty()) {
      PrintInColour("Rare Earths plentiful", x, LineY[29], kHighlightColour);
    }
    if (!world_.BodyTechEra(s, o, b).empty()) {
      PrintInColour("Technological era:", x, LineY[30], kHighlightColour);
    }
    if (!world_.BodyExtinctEra(s, o, b).empty()) {
      PrintInColour("Extinct civilization era:", x, LineY[31], kHighlightColour);
    }
  }
}

void WorldReport::PrintValues(bool bodyIsBelt) {
  const int s = world_.CurrentStar;
  const int o = world_.CurrentOrbit;
  const int b = world_.CurrentBody;
  const float x = ColX[2];
  const float v = static_cast<float>(ColX[2] + ColX[3]) / 2;
  const float w = static_cast<float>(ColX[3] + ColX[4]) / 2;

  if (world_.BodyHabitability(s, o, b) != 0) {
    Print("HP: " + FormatNumber(world_.BodyHabitability(s, o, b), "0.00"), x, LineY[2]);
  }
  if (!bodyIsBelt) {
    Print(FormatNumber(world_.BodyRadius(s, o, b) * kKmPerRadius, "#,##0") + " Km", x, LineY[3]);
    const double mass = world_.BodyMass(s, o, b);
    Print(FormatNumber(mass, mass < 1000 ? "0.000" : "0.00") + " Standard", x, LineY[4]);
    Print(FormatNumber(world_.BodyGravity(s, o, b), "0.000") + " Standard", x, LineY[5]);
    Print(FormatNumber(world_.BodyPeriod(s, o, b) / kHoursPerYear, "0.000") + " Years", x,
          LineY[6]);
    Print(FormatNumber(world_.BodyDayLength(s, o, b), "#,##0.00") + " Hours", x, LineY[7]);
    Print(FormatNumber(world_.BodyObliquity(s, o, b), "0.00") + std::string(kDegree), x, LineY[8]);
    const int high = world_.BodyTempHigh(s, o, b);
    const int low = world_.BodyTempLow(s, o, b);
    const double mean = std::trunc((high + low) / 2.0);
    Print(FormatNumber(high, "###0") + " - " + FormatNumber(low, "###0") + std::string(kDegree) +
              " K  [" + FormatNumber(mean, "###0") + std::string(kDegree) + " K]",
          x, LineY[10]);
    Print(world_.BodyAtmosphere(s, o, b), v, LineY[12]);
  }
  if (world_.BodyPressure(s, o, b) > kPressureShown) {
    Print(FormatNumber(world_.BodyPressure(s, o, b), "0.000") + " Bars", v, LineY[13]);
  }
  if (world_.BodyWaterCover(s, o, b) > 0) {
    Print(FormatNumber(world_.BodyWaterCover(s, o, b) * 100.0, "00.00") + " %", v, LineY[20]);
    Print(FormatNumber(world_.BodyContinents(s, o, b), "0"), v, LineY[21]);
  }
  const int grade = world_.BodyLifeComplexity(s, o, b);
  if (grade > 0) {
    Print(FormatNumber(grade, "0"), v, LineY[23]);
    Print(LifeWord(grade) + world_.BodyLifeKind(s, o, b), v, LineY[24]);
    if (world_.BodyRadiation(s, o, b) > 0) {
      Print(FormatNumber(world_.BodyRadiation(s, o, b), "0.00"), v, LineY[27]);
    }
  }
  if (!IsBeltOrJovian(world_.BodyClass(s, o, b))) {
    Print(FormatNumber(world_.BodyVolcanism(s, o, b), "0.00") + " Standard", v, LineY[28]);
    if (!world_.BodyTechEra(s, o, b).empty()) {
      PrintInColour(world_.BodyTechEra(s, o, b), ColX[3], LineY[30], kHighlightColour);
    }
    if (!world_.BodyExtinctEra(s, o, b).empty()) {
      PrintInColour(world_.BodyExtinctEra(s, o, b), ColX[3], LineY[31], kHighlightColour);
    }
  }
  Print("Age: " + FormatNumber(world_.SystemAge, "0.00") + " Billion", w, LineY[2]);
  if (!bodyIsBelt) {
    Print("Density:", w, LineY[4]);
    Print("    " + FormatNumber(world_.BodyDensity(s, o, b) * kDensityGramsCm3, "0.00"), ColX[4],
          LineY[4]);
    PrintLocalDays();
  }
}

void WorldReport::PrintLocalDays() {
  const int s = world_.CurrentStar;
  const int o = world_.CurrentOrbit;
  const int b = world_.CurrentBody;
  const double period = world_.BodyPeriod(s, o, b);
  const float day = world_.BodyDayLength(s, o, b);
  // A period or a rotation not worked out (0) has no count of days to show.
  if (period == 0 || day == 0) return;
  const double days = period / double{day};
  if (!std::isfinite(days)) return;

  std::string text;
  if (days > kMillion) {
    text = FormatNumber(days / kMillion, "0.0") + "X10^6";
  } else if (days > 1000) {
    text = FormatNumber(days, "#,###");
  } else {
    text = FormatNumber(days, "#,###.00");
  }
  // A day locked to the year is stored as the period in single precision.
  text += static_cast<float>(period) == day ? " local day" : " local days";
  Print(text, static_cast<float>(ColX[3] + ColX[4]) / 2, LineY[6]);
}

void WorldReport::DrawDiagram() {
  const int s = world_.CurrentStar;
  const float left = ColX[kStripColumn];
  const float y = LineY[2];

  textColour_ = PaletteColour(kFrameColour);
  const float top = LineY[kStripTopLine];
  const float right = static_cast<float>(ColX[7]) + kStripRightMargin;
  const float bottom = LineY[kStripBottomLine];
  canvas_.Line(left, top, right, top, textColour_);
  canvas_.Line(right, top, right, bottom, textColour_);
  canvas_.Line(right, bottom, left, bottom, textColour_);
  canvas_.Line(left, bottom, left, top, textColour_);

  if (s == 0) {
    canvas_.Disc(left + 0.5f, y, 0.5, StarColour(world_.StarType[1]));
    canvas_.Disc(left + 2.0f, y, 0.5, StarColour(world_.StarType[2]));
  } else {
    const std::string& type = world_.StarType[static_cast<std::size_t>(s)];
    const bool compact = type.size() > 4 && (type[4] == 'N' || type[4] == 'D');
    canvas_.Disc(left + 1.5f, y, compact ? 0.3 : 1.0, StarColour(type));
  }

  const int orbitCount =
      std::min<int>(world_.OrbitCount[static_cast<std::size_t>(s)], kOrbitSlots - 1);
  for (int o = 1; o <= orbitCount; ++o) {
    const std::string& worldClass = world_.BodyClass(s, o, 0);
    if (worldClass.empty()) continue;
    const double radius = IsBelt(worldClass) ? 0.1 : worldClass == "J" ? 0.5 : 0.3;
    canvas_.Disc(StripWorldX(left, o), y, radius, BodyClassColour(world_, s, o, 0));
  }
  canvas_.Circle(StripWorldX(left, world_.CurrentOrbit), y, 0.9,
                 PaletteColour(kSelectionRingColour));
  textColour_ = PaletteColour(kTextColour);
}

void WorldReport::PrintOrbitColumn(bool bodyIsBelt, bool worldIsBelt) {
  const int s = world_.CurrentStar;
  const int o = world_.CurrentOrbit;
  const int b = world_.CurrentBody;
  const float x = ColX[5];
  const float middle = static_cast<float>(ColX[6] + ColX[7]) / 2;
  const float r = static_cast<float>(ColX[5] + ColX[6]) / 2;

  Print("SemiMajor axis:", x, LineY[3]);
  if (!bodyIsBelt) {
    Print("Eccentricity:", x, LineY[4]);
    Print("Orbital inclination:", x, LineY[5]);
    Print("Long of asc node:", x, LineY[6]);
    Print("Arg of periastra:", x, LineY[7]);
    Print("Time of periastra:", x, LineY[8]);
    Print("Ring size:", r, LineY[10]);
  }
  Print(worldIsBelt ? "Large bodies:" : "Moons:", ColX[4], LineY[10]);

  const bool inRadii = b > 0 && !worldIsBelt;
  Print(FormatNumber(world_.BodySemiMajorAxis(s, o, b), "##0.000") + (inRadii ? " Radii" : " AU"),
        middle - 2, LineY[3]);
  if (!bodyIsBelt) {
    const float e = middle + 1;
    const std::string degree(kDegree);
    Print(FormatNumber(world_.BodyEccentricity(s, o, b), "0.000"), e, LineY[4]);
    Print(FormatNumber(world_.BodyInclination(s, o, b), "0.00") + degree, e, LineY[5]);
    Print(FormatNumber(world_.BodyAscendingNode(s, o, b), "0.00") + degree, e, LineY[6]);
    Print(FormatNumber(world_.BodyPeriastronArgument(s, o, b), "0.00") + degree, e, LineY[7]);
    const double periastron =
        (1 - world_.BodyPeriastronTime(s, o, b)) * world_.BodyPeriod(s, o, b) / kHoursPerYear +
        kPeriastronEpoch;
    Print(FormatNumber(periastron, "#.000"), e, LineY[8]);
    Print(SignedText(world_.BodyRingSize(s, o, b)), middle, LineY[10]);
  }
  const std::string count =
      SignedText(world_.MoonCount[static_cast<std::size_t>(s)][static_cast<std::size_t>(o)]);
  Print(worldIsBelt ? "  " + count : count, x, LineY[10]);
}

void WorldReport::PrintMoonTable(bool worldIsBelt) {
  const int s = world_.CurrentStar;
  const int o = world_.CurrentOrbit;
  const int count = std::min<int>(
      world_.MoonCount[static_cast<std::size_t>(s)][static_cast<std::size_t>(o)], kBodySlots - 1);
  if (count <= 0) return;

  Print("Class", ColX[4], LineY[kMoonHeaderLine]);
  Print("Radius", ColX[5], LineY[kMoonHeaderLine]);
  Print(worldIsBelt ? "Orbit (AU)" : "Orbit (Radii)", ColX[6], LineY[kMoonHeaderLine]);
  for (int b = 1; b <= count; ++b) {
    const float y = LineY[kMoonHeaderLine + static_cast<std::size_t>(b)];
    textColour_ = PaletteColour(b == world_.CurrentBody ? kSelectedMoonColour : kTextColour);
    Print("   " + world_.BodyClass(s, o, b), ColX[4], y);
    Print("  " + FormatNumber(world_.BodyRadius(s, o, b) * kKmPerRadius, "###0"), ColX[5], y);
    const double axis = world_.BodySemiMajorAxis(s, o, b);
    Print("   " + FormatNumber(axis, axis > 1 ? "##0.00" : "##0.000"), ColX[6], y);
    textColour_ = PaletteColour(kTextColour);
  }
}

WorldReport::Hit WorldReport::HitAt(const World& world, double x, double y) {
  const int s = world.CurrentStar;
  const int o = world.CurrentOrbit;
  if (s < 0 || s >= kStarSlots || o < 0 || o >= kOrbitSlots) return {};
  if (!std::isfinite(x) || !std::isfinite(y)) return {};
  const double left = ColumnX(kStripColumn);
  if (y >= LineTop(kStripTopLine) && y <= LineTop(kStripBottomLine) + kStripClickSlack) {
    if (x < left) return {Hit::Kind::SymbolicList, 0};
    if (x > ColumnX(7) + double{kStripRightMargin}) return {};
    const double firstWorld = left + double{kStripFirstWorld};
    const auto orbit = static_cast<int>(std::lround((x - firstWorld) / double{kStripSpacing}));
    const int orbits =
        std::min<int>(world.OrbitCount[static_cast<std::size_t>(s)], kOrbitSlots - 1);
    if (orbit < 1 || orbit > orbits || world.BodyClass(s, orbit, 0).empty()) return {};
    return {Hit::Kind::Orbit, orbit};
  }
  const int count = std::min<int>(
      world.MoonCount[static_cast<std::size_t>(s)][static_cast<std::size_t>(o)], kBodySlots - 1);
  const double listTop = LineTop(kMoonHeaderLine);
  if (count <= 0 || x < ColumnX(4) || y < listTop) return {};
  const auto body = static_cast<int>(std::floor((y - listTop) / kLineHeight));
  if (body < 1 || body > count) return {};
  return {Hit::Kind::Body, body};
}

std::vector<std::string> ReportLines(const RecordingCanvas& canvas) {
  struct Piece {
    double x;
    std::string text;
  };
  std::map<double, std::vector<Piece>> rows;
  double leftmost = 0;
  bool first = true;
  for (const RecordingCanvas::Call& call : canvas.Calls()) {
    if (call.kind != RecordingCanvas::Kind::Text) continue;
    if (!std::isfinite(call.x1) || !std::isfinite(call.y1)) continue;  // no place to put it
    rows[call.y1].push_back({call.x1, call.text});
    leftmost = first ? call.x1 : std::min(leftmost, call.x1);
    first = false;
  }

  std::vector<std::string> lines;
  for (auto& [y, pieces] : rows) {
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const Piece& a, const Piece& b) { return a.x < b.x; });
    std::string line;
    std::size_t width = 0;  // in characters, counting a UTF-8 sequence as one
    for (const Piece& piece : pieces) {
      const auto column =
          static_cast<std::size_t>(std::lround((piece.x - leftmost) * kCharactersPerUnit));
      // Pieces that would overlap are kept apart by one blank.
      const std::size_t pad = column > width ? column - width : (width > 0 ? 1 : 0);
      line.append(pad, ' ');
      width += pad;
      line += Latin1ToUtf8(piece.text);
      width += piece.text.size();
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string Latin1ToUtf8(std::string_view latin1) {
  std::string text;
  text.reserve(latin1.size());
  for (const char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      text.push_back(c);
    } else {
      text.push_back(static_cast<char>(0xC0 | (byte >> 6)));
      text.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
  }
  return text;
}

}  // namespace ax
