#pragma once

namespace tasa {

// Names the application, its version and its desktop entry for Qt.
void DescribeApplication();

}  // namespace tasa
