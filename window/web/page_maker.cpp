// Writes the calculator's web page from the window description: one <form>
// for the window's client area, named by its caption, each control an
// element in the order Tab visits them, with each box's label right before
// it; and a style sheet placing each control at its twips rectangle (15
// twips a CSS pixel): the page allows no inline style. The page's script
// (page.js) and the core (tasa-core.js, tasa-core.wasm) do the rest.
//   page_maker index.html form.css
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/error_report.h"
#include "window/announcement.h"
#include "window/form1_description.h"
#include "window/line_breaks.h"
#include "window/version.h"

namespace {

using tasa::ControlDescription;
using tasa::ControlKind;

// Only the site's own files, and the core compiled from them; no inline
// script or style.
constexpr char kPolicy[] =
    "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; "
    "style-src 'self'; img-src 'self'; manifest-src 'self'; "
    "object-src 'none'; base-uri 'none'; form-action 'none'";

constexpr char kDescription[] =
    "Calculadora de tasas de interés compuesto: convierte una tasa efectiva "
    "anual en la tasa efectiva mensual, o de otro periodo, equivalente, y "
    "al revés, con todos sus dígitos exactos. Funciona sin conexión.";

std::string Escaped(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string Id(const ControlDescription& control) {
  std::string id(control.name);
  if (control.index) id += "_" + std::to_string(*control.index);
  return id;
}

// The rectangle in CSS pixels at zoom 1, as custom properties the style
// sheet scales; a box's twin lies over it.
std::string Place(const ControlDescription& control) {
  std::string selector = "#" + Id(control);
  if (control.kind == ControlKind::TextBox) {
    selector += ",\n#" + Id(control) + " + .twin";
  }
  return selector +
         " {\n  --left: " + std::to_string(tasa::TwipsToPixels(control.left)) +
         ";\n  --top: " + std::to_string(tasa::TwipsToPixels(control.top)) +
         ";\n  --width: " + std::to_string(tasa::TwipsToPixels(control.width)) +
         ";\n  --height: " +
         std::to_string(tasa::TwipsToPixels(control.height)) + ";\n}\n";
}

// Captions that stand together show at one size (page.js fits them).
std::string Group(const ControlDescription& control) {
  static const std::map<tasa::CaptionGroup, std::string> names = {
      {tasa::CaptionGroup::RowCaptions, "rows"},
      {tasa::CaptionGroup::PercentSigns, "percent"},
      {tasa::CaptionGroup::Buttons, "buttons"}};
  const auto name = names.find(control.group);
  return name == names.end() ? "" : " data-group=\"" + name->second + "\"";
}

std::string Element(const tasa::FormDescription& form,
                    const ControlDescription& control) {
  // The control's number: its place in the description, as the core knows it.
  const std::string number = std::to_string(&control - form.controls.data());
  const std::string common = "id=\"" + Id(control) + "\" data-control=\"" +
                             number + "\"" + Group(control);
  switch (control.kind) {
    case ControlKind::Label: {
      std::string label = "<label class=\"caption\" " + common;
      for (const ControlDescription& box : form.controls) {
        if (tasa::LabelOf(form, box) == &control) {
          label += " for=\"" + Id(box) + "\"";
        }
      }
      return label + ">" + Escaped(control.caption) + "</label>\n";
    }
    case ControlKind::TextBox: {
      // The twin shows the box's shortened number while the box has no
      // focus; it takes no clicks, no focus, and is no part of what a
      // screen reader meets. A screen reader hears the box's unit as its
      // description.
      const std::string_view unit = tasa::SpokenUnit(form, control);
      const std::string unit_id = Id(control) + "-unit";
      return "<input type=\"text\" inputmode=\"decimal\" class=\"box\" " +
             common + " value=\"" + Escaped(control.caption) +
             "\" autocomplete=\"off\" spellcheck=\"false\"" +
             (unit.empty() ? "" : " aria-describedby=\"" + unit_id + "\"") +
             ">\n"
             "<input type=\"text\" class=\"box twin\" tabindex=\"-1\" "
             "aria-hidden=\"true\" inert readonly hidden>\n" +
             (unit.empty() ? "" : "<span id=\"" + unit_id + "\" hidden>" +
                                      Escaped(unit) + "</span>\n");
    }
    case ControlKind::PushButton:
      return "<button type=\"button\" class=\"caption\" " + common + ">" +
             Escaped(control.caption) + "</button>\n";
  }
  return {};
}

// The characters that end a line, as the hexadecimal code points page.js
// reads: "a d 85 2028 2029".
std::string LineBreaks() {
  std::string codes;
  for (const char32_t c : tasa::kLineBreaks) {
    char code[9];
    std::snprintf(code, sizeof code, "%x", static_cast<unsigned>(c));
    codes += (codes.empty() ? "" : " ") + std::string(code);
  }
  return codes;
}

bool Written(const char* path, const std::string& text) {
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr) return false;
  const bool written =
      std::fwrite(text.data(), 1, text.size(), out) == text.size();
  return std::fclose(out) == 0 && written;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: page_maker index.html form.css\n");
    return 2;
  }
  const tasa::FormDescription& form = tasa::Form1Description();
  std::vector<const ControlDescription*> order;
  for (const ControlDescription* control : tasa::FocusOrder(form)) {
    if (const ControlDescription* label = tasa::LabelOf(form, *control)) {
      order.push_back(label);
    }
    order.push_back(control);
  }
  for (const ControlDescription& control : form.controls) {
    bool placed = false;
    for (const ControlDescription* each : order) placed |= each == &control;
    if (!placed) order.push_back(&control);
  }

  const std::string caption = Escaped(form.caption);
  // The names of what the page loads are those of the sources; the build
  // gives each file a name made from what it holds, and the page the same.
  std::string page =
      "<!DOCTYPE html>\n<html lang=\"es\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta http-equiv=\"Content-Security-Policy\" content=\"" +
      std::string(kPolicy) +
      "\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, "
      "initial-scale=1\">\n"
      "<meta name=\"description\" content=\"" +
      std::string(kDescription) +
      "\">\n"
      "<meta name=\"generator\" content=\"Tasa Efectiva " +
      std::string(tasa::kVersion) + "\">\n<title>" + caption +
      "</title>\n<link rel=\"manifest\" href=\"manifest.webmanifest\">\n"
      "<link rel=\"icon\" href=\"tasa-efectiva.svg\" type=\"image/svg+xml\">\n"
      "<link rel=\"stylesheet\" href=\"page.css\">\n"
      // The core on its way while the page is read; page.js runs it.
      "<link rel=\"preload\" href=\"tasa-core.js\" as=\"script\" fetchpriority=\"low\">\n"
      "<link rel=\"preload\" href=\"tasa-core.wasm\" as=\"fetch\" "
      "type=\"application/wasm\" crossorigin fetchpriority=\"low\">\n"
      // The form is first painted with its captions sized (page.js).
      "<script src=\"page.js\" defer blocking=\"render\"></script>\n"
      "</head>\n<body>\n<main>\n<h1 class=\"unseen\">" +
      Escaped(tasa::kErrorReportTitle) + "</h1>\n<form id=\"" +
      Escaped(form.name) + "\" aria-label=\"" + caption +
      "\" data-largest=\"" + std::to_string(tasa::kDialogHalfPoints) +
      "\" data-smallest=\"" + std::to_string(tasa::kSmallestHalfPoints) +
      "\" data-line-breaks=\"" + LineBreaks() + "\" novalidate>\n";
  std::string places =
      "/* Written by page_maker from the window description. */\n"
      ":root {\n  --form-width: " +
      std::to_string(tasa::TwipsToPixels(form.client_width)) +
      ";\n  --form-height: " +
      std::to_string(tasa::TwipsToPixels(form.client_height)) + ";\n}\n";
  for (const ControlDescription* control : order) {
    page += Element(form, *control);
    places += Place(*control);
  }
  page +=
      "</form>\n"
      "<p id=\"status\" role=\"status\"></p>\n"
      // What a click did, for a screen reader: the focus stays on the
      // button, so nothing else would say it.
      "<p id=\"said\" class=\"unseen\" role=\"status\"></p>\n"
      "<noscript><p>Tasa Efectiva necesita JavaScript.</p></noscript>\n"
      // An alert dialog, which a screen reader reads whole as it opens.
      "<dialog id=\"report\" role=\"alertdialog\" "
      "aria-labelledby=\"report-title\" "
      "aria-describedby=\"report-text\">\n"
      "<p id=\"report-title\" class=\"title\">" +
      Escaped(tasa::kErrorReportTitle) +
      "</p>\n"
      "<p id=\"report-text\"></p>\n"
      "<button type=\"button\" id=\"report-close\">Aceptar</button>\n"
      "</dialog>\n</main>\n</body>\n</html>\n";
  return Written(argv[1], page) && Written(argv[2], places) ? 0 : 1;
}
