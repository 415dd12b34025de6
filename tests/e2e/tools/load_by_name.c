/* load_by_name.exe NAME: loads a library by its bare name, with the default search a program
   gets when it does nothing about it. Shows that a planted file in the current folder is found
   by such a program. Exit code 0 when something was loaded. */
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    return LoadLibraryW(argv[1]) ? 0 : 1;
}
