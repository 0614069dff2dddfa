// The supplied templates every program shares, compiled into the core
// library (the reading template): the last fallback of the exports.
#pragma once

#include <string>

// The supplied template of that file name (any letter case) with CR LF line
// ends; "" when none is built in.
std::string SharedSuppliedTemplate(const std::string& fileName);
