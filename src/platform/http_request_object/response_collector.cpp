#include "platform/http_request_object/response_collector.h"

namespace lornette::platform {
namespace {

std::string_view withoutLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    return line;
}

// "HTTP/1.1 404 Not Found" gives "Not Found".
std::string_view reasonPhrase(std::string_view statusLine) {
    const std::size_t versionEnd = statusLine.find(' ');
    if (versionEnd == std::string_view::npos) {
        return {};
    }
    const std::size_t codeEnd = statusLine.find(' ', versionEnd + 1);
    return codeEnd == std::string_view::npos ? std::string_view() : statusLine.substr(codeEnd + 1);
}

}  // namespace

void ResponseCollector::addHeaderLine(std::string_view line) {
    const std::string_view content = withoutLineEnd(line);
    if (content.starts_with("HTTP/")) {
        startResponse(content);
    } else if (content.empty()) {
        headerBlockEnded_ = true;
    } else if (!headerBlockEnded_) {
        headerLines_.emplace_back(content);
    }
}

void ResponseCollector::addBodyData(std::string_view data) {
    body_.insert(body_.end(), data.begin(), data.end());
}

HttpResponse ResponseCollector::response(long statusCode) const {
    HttpResponse result;
    result.body = body_;
    for (const std::string& line : headerLines_) {
        result.headers += line;
        result.headers += "\r\n";
    }
    result.headers += "\r\n";
    result.status = static_cast<double>(statusCode);
    result.statusText = statusText_;
    return result;
}

void ResponseCollector::startResponse(std::string_view statusLine) {
    statusText_ = reasonPhrase(statusLine);
    headerLines_.clear();
    headerBlockEnded_ = false;
    body_.clear();
}

}  // namespace lornette::platform
