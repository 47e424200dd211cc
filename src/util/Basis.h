#pragma once
// Types every layer shares.
#include <string>

using String = std::wstring;  // UTF-16 on Windows
using TDateTime = double;     // days since 30.12.1899, the fraction is the time of day
