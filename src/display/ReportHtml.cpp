// The system report as an HTML dossier.

#include <cstddef>
#include <string>
#include <string_view>

#include "display/RecordingCanvas.h"
#include "display/ReportDocument.h"
#include "display/ReportExport.h"

namespace ax {
namespace {

std::string HtmlText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&#39;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

// The pictures are drawn on black as in the window; on paper they are turned to dark on
// white, their hues kept.
constexpr std::string_view kPageStyle =
    "body { font-family: sans-serif; max-width: 72em; margin: 2em auto; padding: 0 1em; "
    "color: #1b1b2f; background: #fff; }\n"
    "table { border-collapse: collapse; margin: 0.5em 0; }\n"
    "th, td { border: 1px solid #b8b8c8; padding: 0.2em 0.6em; vertical-align: top; }\n"
    "th { text-align: left; background: #eceff6; }\n"
    "td.number { text-align: right; }\n"
    "caption { text-align: left; font-weight: bold; padding: 0.3em 0; }\n"
    "table.glance { font-size: 0.85em; }\n"
    "figure { margin: 0.5em 0; }\n"
    "figure svg, figure img { display: block; width: 100%; height: auto; }\n"
    "figure.system-view { max-width: 48em; }\n"
    ".sheet { display: flex; flex-wrap: wrap; gap: 1.5em; align-items: flex-start; }\n"
    ".sheet figure { flex: 1 1 18em; max-width: 30em; }\n"
    "section.world { margin-top: 2em; border-top: 2px solid #b8b8c8; }\n"
    "@media print {\n"
    "  body { max-width: none; margin: 0; padding: 0; color: #000; }\n"
    "  section.world { break-before: page; page-break-before: always; border-top: none; "
    "margin-top: 0; }\n"
    "  table, figure, tr { break-inside: avoid; page-break-inside: avoid; }\n"
    "  table.glance { break-inside: auto; page-break-inside: auto; }\n"
    "  h1, h2, h3, h4 { break-after: avoid; page-break-after: avoid; }\n"
    "  figure.system-view { max-width: 34em; }\n"
    "  th { background: none; }\n"
    "  th, td { border-color: #555; }\n"
    "  figure svg, figure img { filter: invert(1) hue-rotate(180deg); }\n"
    "}\n";

std::string Picture(const ReportPictures& pictures, BodyPlace place) {
  for (const auto& [at, markup] : pictures.worlds) {
    if (at == place) return "<figure class=\"world-view\">" + markup + "</figure>\n";
  }
  return {};
}

std::string ReportTable(const BodyReport& report) {
  std::string out = "<table class=\"report\">\n";
  for (const ReportItem& item : report.items) {
    out += item.label.empty() ? "<tr><td colspan=\"2\">" + HtmlText(item.value) + "</td></tr>\n"
                              : "<tr><th>" + HtmlText(item.label) + "</th><td>" +
                                    HtmlText(item.value) + "</td></tr>\n";
  }
  return out + "</table>\n";
}

// The report's list of moons or belt bodies: its header row, then a row a body.
std::string MoonTable(const BodySection& section) {
  const auto& rows = section.report.moonTable;
  if (rows.empty()) return {};
  std::string out = "<table class=\"moons\">\n";
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const char* cell = r == 0 ? "th" : "td";
    out += "<tr>";
    for (const std::string& text : rows[r]) {
      out += std::string("<") + cell + ">" + HtmlText(text) + "</" + cell + ">";
    }
    out += "</tr>\n";
  }
  return out + "</table>\n";
}

std::string Heading(const BodySection& section) {
  const std::string tag = "h" + std::to_string(section.level);
  return "<" + tag + ">" + HtmlText(section.heading) + "</" + tag + ">\n";
}

std::string Head(const SystemDocument& document, const ReportPictures& pictures) {
  std::string out = "<h1>" + HtmlText(document.title) + "</h1>\n";
  if (!pictures.system.empty()) {
    out += "<figure class=\"system-view\">" + pictures.system + "</figure>\n";
  }
  out += "<h2>Stars</h2>\n";
  if (!document.stars.empty()) {
    out += "<table class=\"stars\">\n<tr>";
    for (const std::string_view column : kStarColumns) {
      out += "<th>" + std::string(column) + "</th>";
    }
    out += "</tr>\n";
    for (const StarRow& row : document.stars) {
      out += "<tr><td>" + HtmlText(row.letter) + "</td><td>" + HtmlText(row.type) + "</td>";
      for (const std::string* cell : {&row.mass, &row.temperature, &row.luminosity}) {
        out += "<td class=\"number\">" + HtmlText(*cell) + "</td>";
      }
      out += "</tr>\n";
    }
    out += "</table>\n";
  }
  out += "<ul>\n";
  for (const std::string& fact : document.facts) out += "<li>" + HtmlText(fact) + "</li>\n";
  out += "</ul>\n";
  if (document.glance.empty()) return out + "<p>No worlds or moons.</p>\n";

  out += "<h2>System at a glance</h2>\n<table class=\"glance\">\n<tr>";
  for (const std::string_view column : kGlanceColumns) {
    out += "<th>" + std::string(column) + "</th>";
  }
  out += "</tr>\n";
  for (const GlanceRow& row : document.glance) {
    out += "<tr>";
    for (const std::string* cell : GlanceCells(row)) out += "<td>" + HtmlText(*cell) + "</td>";
    out += "</tr>\n";
  }
  return out + "</table>\n";
}

}  // namespace

std::string_view ReportPageStyle() {
  return kPageStyle;
}

std::vector<std::string> SystemReportHtmlParts(World& world, const ReportPictures& pictures) {
  const SystemDocument document = Collect(world);
  std::vector<std::string> parts = {Head(document, pictures)};
  for (const StarGroup& group : document.groups) {
    bool first = true;
    for (const BodySection& section : group.bodies) {
      if (section.level == 3) {
        // The group's heading opens the page of its first world rather than ending the page
        // before it.
        parts.push_back(first ? "<h2>" + HtmlText(group.heading) + "</h2>\n" : std::string());
        first = false;
        parts.back() += Heading(section) + "<div class=\"sheet\">\n" + ReportTable(section.report) +
                        Picture(pictures, section.place) + "</div>\n" + MoonTable(section);
      } else {
        parts.back() += Heading(section) + ReportTable(section.report);
      }
    }
  }
  return parts;
}

std::string SystemReportHtml(World& world, const ReportPictures& pictures) {
  const std::vector<std::string> parts = SystemReportHtmlParts(world, pictures);
  const std::string title = HtmlText(DocumentTitle(world));
  std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  out += "<title>" + title + "</title>\n<style>\n" + std::string(kPageStyle) + "</style>\n";
  out += "</head>\n<body>\n<header>\n" + parts.front() + "</header>\n";
  for (std::size_t p = 1; p < parts.size(); ++p) {
    out += "<section class=\"world\">\n" + parts[p] + "</section>\n";
  }
  return out + "</body>\n</html>\n";
}

}  // namespace ax
