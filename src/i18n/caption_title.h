#pragma once

#include <string>
#include <string_view>

namespace hvt {

// A menu or button caption as a window title or tooltip reads it: without its accelerator
// ("&Open", "打开(&O)") and without the dots that promise a dialog ("Move To...").
// "&&" stands for a literal "&" and stays one.
std::string CaptionAsTitle(std::string_view caption);

}  // namespace hvt
