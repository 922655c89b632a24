# Writes the bytes of INPUT as the C array NAME (with NAME##Size) into OUTPUT.
file(READ ${INPUT} Bytes HEX)
string(LENGTH "${Bytes}" Digits)
math(EXPR Count "${Digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," Bytes "${Bytes}")
file(WRITE ${OUTPUT} "#include <cstddef>\nextern \"C\" {\n"
                     "extern const unsigned char ${NAME}[] = {${Bytes}};\n"
                     "extern const size_t ${NAME}Size = ${Count};\n}\n")
