# The committed bitmaps, cursor and icon, read back with the game's own loaders; and the file
# writers and the palette reduction that produced them (plain C++, no painting libraries).
target_sources(darts_content_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/bitmaps_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bitmap_files_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bitmap_layout_test.cpp
  ${PROJECT_SOURCE_DIR}/tools/content/bitmaps_files.cpp
  ${PROJECT_SOURCE_DIR}/tools/content/bitmaps_quantize.cpp)
target_include_directories(darts_content_tests PRIVATE ${PROJECT_SOURCE_DIR}/tools/content)
