#pragma once

// The window as the tests expect to find it, written once in
// form1_layout.tsv for the drivers of every window.

#include <istream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

struct LaidOut {
  std::string name, kind, caption;  // kind: form, label, box or button
  std::optional<int> index;         // in a control array
  int left, top, width, height;     // twips
};

struct Form1Layout {
  LaidOut window;
  std::vector<LaidOut> controls;  // in the order of the window description
};

inline Form1Layout ReadForm1Layout(std::istream&& file) {
  Form1Layout layout;
  for (std::string line, index; std::getline(file, line);) {
    if (line.starts_with('#') || line.starts_with("name\t")) continue;
    std::istringstream cells(line);
    LaidOut row;
    for (std::string* field : {&row.name, &index, &row.kind, &row.caption})
      std::getline(cells, *field, '\t');
    cells >> row.left >> row.top >> row.width >> row.height;
    if (!index.empty()) row.index = std::stoi(index);
    (row.kind == "form" ? layout.window : layout.controls.emplace_back()) = row;
  }
  return layout;
}
