# Turns a binary file into a C++ source that defines a byte span, so built-in data (the icon
# in a window definition, the About picture) is part of the program itself. Done at configure
# time; editing the input re-runs the configure step.
function(corvani_embed target input symbol)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${input})
  file(READ ${input} hex HEX)
  string(LENGTH "${hex}" hex_length)
  math(EXPR size "${hex_length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n  " bytes "${bytes}")
  string(CONCAT content "// Generated from ${input}; do not edit.\n#include <span>\n\nnamespace corvani::embedded {\n"
      "alignas(4) static const unsigned char ${symbol}_data[${size}] = {\n  ${bytes}\n};\n"
      "extern const std::span<const unsigned char> ${symbol}(${symbol}_data, ${size});\n"
      "}  // namespace corvani::embedded\n")
  file(CONFIGURE OUTPUT ${out} CONTENT "${content}" @ONLY)
  target_sources(${target} PRIVATE ${out})
endfunction()
