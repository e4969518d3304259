// Owners of libcurl's handles.
#pragma once

#include <curl/curl.h>

#include <memory>
#include <string>

namespace lornette::platform {

struct CurlEasyCleanup {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using CurlEasyHandle = std::unique_ptr<CURL, CurlEasyCleanup>;

struct CurlUrlCleanup {
    void operator()(CURLU* handle) const { curl_url_cleanup(handle); }
};
using CurlUrlHandle = std::unique_ptr<CURLU, CurlUrlCleanup>;

struct CurlTextFree {
    void operator()(char* text) const { curl_free(text); }
};
using CurlText = std::unique_ptr<char, CurlTextFree>;

// A header list for CURLOPT_HTTPHEADER and its kin; it must outlive the transfer that uses it.
class CurlHeaderList {
  public:
    CurlHeaderList() = default;
    CurlHeaderList(const CurlHeaderList&) = delete;
    CurlHeaderList& operator=(const CurlHeaderList&) = delete;
    ~CurlHeaderList() { curl_slist_free_all(list_); }

    // False when libcurl could not take the line; the list is then unchanged.
    bool append(const std::string& line) {
        curl_slist* extended = curl_slist_append(list_, line.c_str());
        if (extended == nullptr) {
            return false;
        }
        list_ = extended;
        return true;
    }

    curl_slist* get() const { return list_; }

  private:
    curl_slist* list_ = nullptr;
};

}  // namespace lornette::platform
