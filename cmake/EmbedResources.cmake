# darts_embed_resources(<library> <function> <directory>)
#
# Builds the static library <library> holding every file directly inside <directory> (hidden
# files excepted) as embedded bytes, listed by `darts::gfx::<function>()` (declared for the game
# set in gfx/resources.h). A missing or empty directory gives an empty table. The glob is
# re-checked at build time, so adding or removing a file reconfigures; editing one regenerates.
include_guard(GLOBAL)

if(NOT TARGET darts_embed_resources)
  add_executable(darts_embed_resources ${CMAKE_CURRENT_LIST_DIR}/../tools/embed_resources.cpp)
endif()

function(darts_embed_resources library function directory)
  # Globbing a folder that does not exist yet is fine: it yields nothing and is re-checked.
  file(GLOB candidates LIST_DIRECTORIES false CONFIGURE_DEPENDS "${directory}/*")
  set(files)
  foreach(candidate IN LISTS candidates)
    get_filename_component(name "${candidate}" NAME)
    if(NOT name MATCHES "^\\.")
      list(APPEND files "${candidate}")
    endif()
  endforeach()
  list(SORT files)

  set(output "${CMAKE_CURRENT_BINARY_DIR}/${library}_embedded.cpp")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND darts_embed_resources "${output}" ${function} ${files}
    DEPENDS darts_embed_resources ${files}
    COMMENT "Embedding ${directory} as ${function}()"
    VERBATIM)
  add_library(${library} STATIC "${output}")
  # The bytes are long string literals: fine for GCC and clang, which -Wpedantic reminds of the
  # 65,536 characters the standard promises.
  target_compile_options(${library} PRIVATE -Wno-overlength-strings)
  target_include_directories(${library} PRIVATE ${PROJECT_SOURCE_DIR}/src)
endfunction()
