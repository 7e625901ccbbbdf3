#pragma once

#include <stdexcept>
#include <string>

// Base of the failures the program reports to the user by their message.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// A text could not be read as the number, date or value it should hold.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};
