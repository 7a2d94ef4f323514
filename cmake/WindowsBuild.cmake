# Settings of the Windows build (the windows-x64 and windows-x86 presets).

# Self-contained executables: the C and C++ runtimes and the thread library
# are linked in, so a program imports nothing but the system's own DLLs.
add_link_options(-static -static-libgcc -static-libstdc++)

# The program's names are the API's: no min/max macros in the way of the
# standard library, and nothing newer than Windows 7 by accident.
add_compile_definitions(NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

# The platform's API is the system's own here, reached through its import
# libraries; on Linux the target of that name is the stand-in in winapi/.
add_library(tavrin_winapi INTERFACE)
target_link_libraries(tavrin_winapi INTERFACE advapi32 shell32)
