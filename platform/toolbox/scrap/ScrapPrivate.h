// Test access to the scrap's clipboard limit.
#pragma once

#include <cstddef>

// Replaces kKsScrapTextLimit (0 restores it), so that tests of the cut need
// not move 16 MB through the sanitizers. Answers the previous limit.
std::size_t KsSetScrapTextLimit(std::size_t limit);
