// Mac Roman bytes as UTF-8, for showing the framework's 8-bit texts.
#pragma once

#include <string>

std::string MacRomanToUtf8(const std::string& theText);
