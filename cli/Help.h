#pragma once

#include <optional>
#include <string_view>

#include "Arguments.h"

namespace xscatter::cli {

// The program's help, or one command's help, with examples.
std::string_view HelpText(std::optional<Command> command);

// "xscatter-table" and the project's version.
std::string_view VersionText();

}  // namespace xscatter::cli
