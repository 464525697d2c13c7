// A small JSON writer for what the page reads: strings escaped so that no
// name or caption can close a script or make markup, numbers finite.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

namespace sakuzu {

class Json {
 public:
  Json& Raw(std::string_view text) {
    out_ += text;
    return *this;
  }
  // A key and its string value, a comma before it unless it opens.
  Json& Key(std::string_view key) {
    Comma();
    first_ = true;  // the key itself takes no comma
    String(key);
    out_ += ':';
    first_ = true;  // nor does its value
    return *this;
  }
  Json& String(std::string_view text) {
    Comma();
    out_ += '"';
    for (char c : text) {
      auto byte = static_cast<unsigned char>(c);
      if (c == '"' || c == '\\') {
        out_ += '\\';
        out_ += c;
      } else if (byte < 0x20 || c == '<' || c == '>' || c == '&') {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
        out_ += escaped;
      } else {
        out_ += c;
      }
    }
    out_ += '"';
    first_ = false;
    return *this;
  }
  Json& Number(double value) {
    Comma();
    if (!std::isfinite(value)) {
      out_ += "null";
    } else {
      char text[32];
      std::snprintf(text, sizeof text, "%.17g", value);
      out_ += text;
    }
    first_ = false;
    return *this;
  }
  Json& Bool(bool value) {
    Comma();
    out_ += value ? "true" : "false";
    first_ = false;
    return *this;
  }
  Json& Open(char bracket) {
    Comma();
    out_ += bracket;
    first_ = true;
    return *this;
  }
  Json& Close(char bracket) {
    out_ += bracket;
    first_ = false;
    return *this;
  }
  const std::string& Text() const { return out_; }

 private:
  void Comma() {
    if (!first_) out_ += ',';
    first_ = false;
  }

  std::string out_;
  bool first_ = true;
};

}  // namespace sakuzu
