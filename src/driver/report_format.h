#pragma once

namespace pl_config {

// How a check prints the layout it found.
enum class ReportFormat { text, json };

}  // namespace pl_config
