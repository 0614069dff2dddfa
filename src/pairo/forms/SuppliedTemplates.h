// The matching program's supplied templates, compiled into it: the last
// fallback of its exports when the program runs without its template folders.
#pragma once

#include <string>

namespace pairo {

// The supplied template of that file name (any letter case) with CR LF line
// ends; "" when none is built in.
std::string SuppliedTemplate(const std::string& fileName);

}  // namespace pairo
