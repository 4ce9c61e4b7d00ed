#pragma once
// Symbol visibility of the Languages library: everything is hidden except
// what carries this mark.

#if defined(_WIN32)
#if defined(RQ7_LANGUAGES_BUILD)
#define RQ7_LANGUAGES_API __declspec(dllexport)
#else
#define RQ7_LANGUAGES_API __declspec(dllimport)
#endif
#else
#define RQ7_LANGUAGES_API __attribute__((visibility("default")))
#endif
