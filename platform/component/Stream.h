#pragma once

// A growable block of bytes with a read/write position, the stream form data travels in.

#include <cstdint>
#include <span>
#include <vector>

class TMemoryStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  std::span<const uint8_t> Remaining() const { return std::span(bytes_).subspan(position_); }
  size_t Size() const { return bytes_.size(); }
  size_t Position() const { return position_; }
  void SetPosition(size_t position) { position_ = std::min(position, bytes_.size()); }
  // Writes at the position, growing the block as needed.
  void Write(std::span<const uint8_t> data) {
    if (position_ + data.size() > bytes_.size()) bytes_.resize(position_ + data.size());
    std::copy(data.begin(), data.end(), bytes_.begin() + long(position_));
    position_ += data.size();
  }
  void Clear() {
    bytes_.clear();
    position_ = 0;
  }

 private:
  std::vector<uint8_t> bytes_;
  size_t position_ = 0;
};
