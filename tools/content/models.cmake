# The match scene's models and textures: cmake --build build --target models
# Painting needs Cairo and fontconfig (libcairo2-dev, libfontconfig-dev) and the fonts IPAGothic
# and DejaVu Sans; without the libraries the generator is simply not built, since its output is
# committed.
find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
  pkg_check_modules(DARTS_CAIRO QUIET IMPORTED_TARGET cairo fontconfig)
endif()
if(DARTS_CAIRO_FOUND)
  add_library(models_content STATIC
    ${CMAKE_CURRENT_LIST_DIR}/models_board.cpp
    ${CMAKE_CURRENT_LIST_DIR}/models_canvas.cpp
    ${CMAKE_CURRENT_LIST_DIR}/models_dart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/models_hand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/models_mesh.cpp
    ${CMAKE_CURRENT_LIST_DIR}/models_room.cpp
    ${CMAKE_CURRENT_LIST_DIR}/models_room_textures.cpp
    ${CMAKE_CURRENT_LIST_DIR}/models_xwriter.cpp
  )
  target_link_libraries(models_content PUBLIC darts_render PkgConfig::DARTS_CAIRO)

  add_executable(make-models ${CMAKE_CURRENT_LIST_DIR}/make_models.cpp)
  target_link_libraries(make-models PRIVATE models_content)
  add_custom_target(models
    COMMAND make-models ${CMAKE_SOURCE_DIR}/data
    DEPENDS make-models
    COMMENT "Writing the models and their textures into data/")

  # Renders the committed models from the match's cameras into PNG files, and checks the board's
  # colours against the scoring: build/tools/content/preview-models OUT_FOLDER
  add_executable(preview-models
    ${CMAKE_CURRENT_LIST_DIR}/preview_models.cpp
    ${CMAKE_CURRENT_LIST_DIR}/models_raster.cpp
  )
  target_link_libraries(preview-models PRIVATE models_content)
endif()
