// The program's arguments as one command line, the form the application
// object's command-line parser reads.
#pragma once

#include <string>

namespace Tesk {

// Joins argv[1..] with single spaces; an argument holding a space is put in
// double quotes. The parser drops double quotes and every '=' after the first
// of an argument, so those cannot be carried and are left out here too.
std::string JoinCommandLine(int argc, char* argv[]);

}  // namespace Tesk
