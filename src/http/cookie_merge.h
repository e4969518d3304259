// The merge of the cookies a request sent with those its response set.
#pragma once

#include <string>
#include <string_view>

namespace lornette {

// The received cookies followed by each submitted cookie whose name none of them has, without
// spaces, without cookies set to "deleted" and without repeats, joined by "; ".
std::string mergeCookies(std::string_view submitted, std::string_view received);

}  // namespace lornette
