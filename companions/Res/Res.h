#pragma once

// Res.dll: the product's texts and splash picture, handed out by plain C
// functions so that any program can load the library and ask for them.
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

// Copies string entry Index into Buffer, at most Size - 1 bytes and a closing
// NUL. The number of bytes copied; 0 (and an empty Buffer) when there is no
// such entry.
int ResLoadString(unsigned Index, char* Buffer, int Size);

// The bytes of the resource Name of the type Type, with their count in Size;
// null when there is no such resource. They stay valid while the library is loaded.
const unsigned char* ResFindResource(const char* Name, const char* Type, size_t* Size);

#ifdef __cplusplus
}
#endif
