#include "http/default_header_lines.h"

#include "http/http_methods.h"
#include "text/text_operations.h"

namespace lornette {
namespace {

void appendUnlessPresent(std::string& block, std::string_view name, std::string_view value) {
    const std::string probe = std::string(name) + ":";
    if (!containsText(block, probe, true)) {
        block += "\r\n";
        block += probe;
        block += " ";
        block += value;
    }
}

}  // namespace

std::string withDefaultHeaderLines(std::string block, std::string_view url, std::int32_t method) {
    appendUnlessPresent(block, "Accept", "*/*");
    appendUnlessPresent(block, "Referer", url);
    appendUnlessPresent(block, "Accept-Language", "zh-cn");
    appendUnlessPresent(block, "User-Agent", "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)");
    if (method == postMethod) {
        appendUnlessPresent(block, "Content-Type", "application/x-www-form-urlencoded");
    }
    return block;
}

}  // namespace lornette
