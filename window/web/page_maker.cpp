// Writes the calculator's web page from the window description: one <form>
// for the window's client area, named by its caption, each control an
// element at its twips rectangle (15 twips a CSS pixel), in the order Tab
// visits them, with each box's label right before it. The page's script
// (page.js) and the core (tasa-core.js, tasa-core.wasm) do the rest.
//   page_maker index.html
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/error_report.h"
#include "window/form1_description.h"
#include "window/version.h"

namespace {

using tasa::ControlDescription;
using tasa::ControlKind;

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
// sheet scales.
std::string Place(const ControlDescription& control) {
  return "--left:" + std::to_string(tasa::TwipsToPixels(control.left)) +
         ";--top:" + std::to_string(tasa::TwipsToPixels(control.top)) +
         ";--width:" + std::to_string(tasa::TwipsToPixels(control.width)) +
         ";--height:" + std::to_string(tasa::TwipsToPixels(control.height));
}

std::string Element(const tasa::FormDescription& form,
                    const ControlDescription& control) {
  const std::string index = std::to_string(&control - form.controls.data());
  const std::string common = "id=\"" + Id(control) + "\" data-index=\"" +
                             index + "\" style=\"" + Place(control) + "\"";
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
    case ControlKind::TextBox:
      // The twin shows the box's shortened number while the box has no
      // focus; it takes no clicks, no focus, and is no part of what a
      // screen reader meets.
      return "<input type=\"text\" inputmode=\"decimal\" class=\"box\" " +
             common + " value=\"" + Escaped(control.caption) +
             "\" autocomplete=\"off\" spellcheck=\"false\">\n"
             "<input type=\"text\" class=\"box twin\" style=\"" +
             Place(control) +
             "\" tabindex=\"-1\" aria-hidden=\"true\" inert readonly "
             "hidden>\n";
    case ControlKind::PushButton:
      return "<button type=\"button\" class=\"caption\" " + common + ">" +
             Escaped(control.caption) + "</button>\n";
  }
  return {};
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: page_maker index.html\n");
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
  std::string page =
      "<!DOCTYPE html>\n<html lang=\"es\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, "
      "initial-scale=1\">\n<meta name=\"generator\" content=\"Tasa Efectiva " +
      std::string(tasa::kVersion) + "\">\n<title>" + caption +
      "</title>\n<link rel=\"manifest\" href=\"manifest.webmanifest\">\n"
      "<link rel=\"icon\" href=\"tasa-efectiva.svg\" type=\"image/svg+xml\">\n"
      "<link rel=\"stylesheet\" href=\"page.css\">\n"
      // The core's bytes on their way while the page is read.
      "<link rel=\"preload\" href=\"tasa-core.wasm\" as=\"fetch\" "
      "type=\"application/wasm\" crossorigin>\n"
      "<script src=\"tasa-core.js\" defer></script>\n"
      "<script src=\"page.js\" defer></script>\n</head>\n<body>\n"
      "<form id=\"" +
      Escaped(form.name) + "\" class=\"loading\" aria-label=\"" + caption +
      "\" style=\"--width:" +
      std::to_string(tasa::TwipsToPixels(form.client_width)) +
      ";--height:" + std::to_string(tasa::TwipsToPixels(form.client_height)) +
      "\" novalidate>\n";
  for (const ControlDescription* control : order) {
    page += Element(form, *control);
  }
  page +=
      "</form>\n<noscript>Tasa Efectiva necesita JavaScript.</noscript>\n"
      "<dialog id=\"report\" aria-labelledby=\"report-title\" "
      "aria-describedby=\"report-text\">\n"
      "<p id=\"report-title\" class=\"title\">" +
      Escaped(tasa::kErrorReportTitle) +
      "</p>\n"
      "<p id=\"report-text\"></p>\n"
      "<button type=\"button\" id=\"report-close\">Aceptar</button>\n"
      "</dialog>\n</body>\n</html>\n";
  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr) return 1;
  const bool written =
      std::fwrite(page.data(), 1, page.size(), out) == page.size();
  return std::fclose(out) == 0 && written ? 0 : 1;
}
