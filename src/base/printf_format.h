#pragma once

// Checks the arguments of a function that formats like printf.  MinGW's C++
// library formats with the C99 printf functions, not with the Windows C
// library's, whose formats GCC checks there under the name printf.
#ifdef __MINGW32__
#define PL_CONFIG_PRINTF(format_index, first_argument) __attribute__((format(gnu_printf, format_index, first_argument)))
#else
#define PL_CONFIG_PRINTF(format_index, first_argument) __attribute__((format(printf, format_index, first_argument)))
#endif
