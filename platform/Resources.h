#pragma once

// The resources embedded in the program at build time: the windows' form data, the default
// style, the application icon.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

struct EmbeddedResource {
  std::string_view name;
  std::span<const uint8_t> data;
};

const std::vector<EmbeddedResource>& EmbeddedResources();
// The bytes of the named resource (letter case ignored); empty when there is none.
std::span<const uint8_t> FindEmbeddedResource(std::string_view name);
