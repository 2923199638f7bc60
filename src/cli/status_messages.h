#pragma once
// The programmer's message for a status number, as the window's status bar shows it.

#include <string>

namespace q9tx::cli {

std::string StatusMessage(int number);

}  // namespace q9tx::cli
