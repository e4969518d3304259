#include "http/header_block_sending.h"

#include "http/header_text.h"
#include "text/text_operations.h"

#include <string>

namespace lornette {
namespace {

bool isKeepAliveLine(std::string_view line) {
    return headerName(line) == "Connection" && headerValue(line) == "keep-alive";
}

void sendLine(platform::HttpRequestObject& object, std::string_view line) {
    object.setRequestHeader(headerName(line), headerValue(line));
}

}  // namespace

void sendHeaderBlock(platform::HttpRequestObject& object, std::string_view block) {
    if (!containsText(block, "\r\n")) {
        sendLine(object, block);
        return;
    }
    for (const std::string& line : splitText(block, "\r\n")) {
        if (!line.empty() && !isKeepAliveLine(line)) {
            sendLine(object, line);
        }
    }
}

}  // namespace lornette
