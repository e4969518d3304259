#include "http/http_methods.h"

#include <array>
#include <cstddef>

namespace lornette {

const std::string& httpMethodText(std::int32_t method) {
    static const std::array<std::string, 8> methods = {"GET",     "POST",   "HEAD",  "PUT",
                                                       "OPTIONS", "DELETE", "TRACE", "CONNECT"};
    const bool known = method >= 0 && static_cast<std::size_t>(method) < methods.size();
    return methods[known ? static_cast<std::size_t>(method) : 0];
}

}  // namespace lornette
