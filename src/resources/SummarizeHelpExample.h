#pragma once
#include <string>
#include <vector>

namespace tessaly::pictures {

// A small table of the help page: its header row first, then its records.
using HelpTable = std::vector<std::vector<std::string>>;

// The worked example on the summarize help page: an input table with the
// fields F1 and F2, and the table that summarizing it on F1 with the sum of
// F2 writes, columns named as the tool names them.
struct SummarizeHelpExample {
    HelpTable input;
    HelpTable output;
};

const SummarizeHelpExample& TheSummarizeHelpExample();

}  // namespace tessaly::pictures
