#pragma once
// A command-line argument as the bytes given: names need not be UTF-8.

#include <string>
#include <vector>

// The command-line argument that Qt decoded to `decoded`, as the raw bytes given: a file name
// that isn't UTF-8 does not survive decoding. The last match wins, skipping values of the
// options named in valueOptions; falls back to the decoded text as UTF-8.
std::string RawArgument(const std::vector<std::string>& rawArgs, const std::string& decoded,
                        const std::vector<std::string>& valueOptions);
