# Writes a C++ source whose function NAME() returns the bytes of INPUT as a std::string_view, so
# that the library carries its data and never looks for a file at run time.
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DNAME=Function -P EmbedData.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(RELATIVE_PATH shown "${CMAKE_CURRENT_LIST_DIR}/.." "${INPUT}")
file(WRITE "${OUTPUT}" "// Made from ${shown} by core/EmbedData.cmake at build time.
#include \"EmbeddedData.h\"

namespace xscatter::embedded {
namespace {
constexpr unsigned char kBytes[] = {${bytes}};
}  // namespace

std::string_view ${NAME}() {
  return {reinterpret_cast<const char*>(kBytes), sizeof kBytes};
}

}  // namespace xscatter::embedded
")
