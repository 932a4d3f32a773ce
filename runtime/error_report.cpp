#include "runtime/error_report.h"

#include <string>

namespace tasa {

std::string ErrorReportText(const RunTimeError& error) {
  std::string text = "Error " + std::to_string(error.number()) +
                     " en tiempo de ejecución:\n\n";
  text.append(error.description());
  return text;
}

}  // namespace tasa
