# cmake -DIN=file -DOUT=file.cpp -DNAME=kName -DNAMESPACE=ns -P embed_file.cmake
# writes IN's bytes as `const unsigned char NAME[]` and `NAME##Size`, so a
# program carries a data file without a resource system.
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUT}.new"
  "// Generated from ${IN}; do not edit.\n#include <cstddef>\nnamespace ${NAMESPACE} {\n"
  "extern const unsigned char ${NAME}[];\nextern const std::size_t ${NAME}Size;\n"
  "const unsigned char ${NAME}[] = {\n${bytes}0};\nconst std::size_t ${NAME}Size = ${size};\n}\n")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.new")
