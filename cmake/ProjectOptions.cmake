# One interface target carries the language level, warnings and Qt defines for every target.
add_library(quillmere_options INTERFACE)
target_compile_options(quillmere_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
  -Wimplicit-fallthrough -Werror)
target_compile_definitions(quillmere_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_USE_QSTRINGBUILDER QT_NO_KEYWORDS
  QT_NO_URL_CAST_FROM_STRING)
if(QUILLMERE_SANITIZE)
  target_compile_options(quillmere_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(quillmere_options INTERFACE -fsanitize=address,undefined)
endif()
