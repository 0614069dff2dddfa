#pragma once

#include <string_view>

// The declaration written in front of every saved document.
inline constexpr std::string_view XMLHeader = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";
