// The header fields set on a request, in the order in which they were first set.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lornette::platform {

struct HeaderField {
    std::string name;
    std::string value;
};

class RequestHeaderFields {
  public:
    // Adds the field, or replaces the value of a field of the same name (ASCII case ignored) in
    // its place. A name that is not an HTTP token or a value holding a line break or a zero byte
    // is refused and nothing changes.
    bool set(const std::string& name, const std::string& value);

    bool contains(std::string_view name) const;
    const std::vector<HeaderField>& fields() const { return fields_; }

  private:
    std::vector<HeaderField> fields_;
};

bool equalIgnoringAsciiCase(std::string_view first, std::string_view second);

// A non-empty run of the characters HTTP allows in names and methods.
bool isHttpToken(std::string_view text);

}  // namespace lornette::platform
