#pragma once

#include <string>
#include <vector>

namespace windriver {

const char* Usage();

// Runs one command; throws Failure (code 1 or 2) when it does not succeed.
void Run(const std::string& command, const std::vector<std::string>& arguments);

} // namespace windriver
