# The game's bitmaps, cursor and icon are painted by make-bitmaps (Cairo and Pango, with the
# IPAGothic and DejaVu fonts) and committed in resources/; rebuild them with
#
#   cmake --build build --target bitmaps
#
# The target is only offered where the painting libraries are installed: building the game and
# its tests never needs them.
find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
  pkg_check_modules(DARTS_PANGOCAIRO QUIET IMPORTED_TARGET pangocairo)
endif()
if(DARTS_PANGOCAIRO_FOUND)
  add_executable(make-bitmaps
    ${CMAKE_CURRENT_LIST_DIR}/make_bitmaps.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmaps_awards.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmaps_bar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmaps_board.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmaps_buttons.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmaps_canvas.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmaps_faces.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmaps_files.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmaps_hud.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmaps_plates.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmaps_pointer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmaps_portraits.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmaps_preview.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmaps_quantize.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmaps_settings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmaps_title.cpp)
  target_link_libraries(make-bitmaps PRIVATE PkgConfig::DARTS_PANGOCAIRO)
  add_custom_target(bitmaps
    COMMAND make-bitmaps ${CMAKE_SOURCE_DIR}/resources
    DEPENDS make-bitmaps
    COMMENT "Painting the game's bitmaps, cursor and icon into resources/")
endif()
