// Runs a built program as a user's shell would, on Linux and on Windows (Wine included), and collects
// what it wrote and how it ended.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quillbay::testing {

struct ProgramRun {
    std::string out;  // the bytes exactly as written
    std::string err;
    int status = -1;  // the exit status; 128 + the signal where a signal ended it
};

// UTF-8 arguments, each reaching the program as one argument whatever it holds; no standard input. On
// Windows, the three bytes of a surrogate's value (ED A0..BF 80..BF) reach it as that lone UTF-16 unit.
ProgramRun runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments);

// A program built into the same folder as the running test.
std::filesystem::path besideThisTest(std::string_view fileName);

}  // namespace quillbay::testing
