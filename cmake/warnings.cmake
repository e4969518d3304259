# Every target of the project builds with the same strict warnings, and warnings are errors.
add_library(lornette_warnings INTERFACE)
target_compile_options(lornette_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
  -Wunused -Woverloaded-virtual -Wimplicit-fallthrough -Werror)

if(LORNETTE_SANITIZE)
  target_compile_options(lornette_warnings INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(lornette_warnings INTERFACE -fsanitize=address,undefined)
endif()

# The program's own texts are code page 936, the system ANSI code page of its target systems.
# Its sources are UTF-8; the compiler turns their string literals into code page 936 bytes.
add_library(lornette_cp936_literals INTERFACE)
target_compile_options(lornette_cp936_literals INTERFACE -finput-charset=UTF-8 -fexec-charset=CP936)
