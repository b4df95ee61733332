# The game itself: its start-up, main loop and options, and the executable `darts`.
# The loops, the options and the asset loading stay in darts_core and run without a screen; only
# the start-up on SDL and OpenGL needs the platform and GL libraries.
target_sources(darts_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/demo_replay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_counter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_loop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_session.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../render/asset_loading.cpp
)

add_library(darts_game STATIC ${CMAKE_CURRENT_LIST_DIR}/startup.cpp
                              ${CMAKE_CURRENT_LIST_DIR}/board_hit_log.cpp)
target_link_libraries(darts_game PUBLIC darts_gl darts_platform)
# Where an installed game keeps data/ and sound/: beside the executable's bin/ wherever the tree was
# unpacked, and, failing that, where this build installs to.
file(RELATIVE_PATH darts_data_dir_from_bin ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/${DARTS_INSTALL_NAME})
target_compile_definitions(darts_game PRIVATE
  DARTS_DATA_DIR_FROM_BIN="${darts_data_dir_from_bin}"
  DARTS_INSTALLED_DATA_DIR="${CMAKE_INSTALL_FULL_DATADIR}/${DARTS_INSTALL_NAME}")

add_executable(darts ${CMAKE_CURRENT_LIST_DIR}/../main.cpp)
target_link_libraries(darts PRIVATE darts_game)

# The settings file's lines are read by inih (static in Debian, so nothing more to install).
find_package(PkgConfig REQUIRED)
pkg_check_modules(INIH REQUIRED IMPORTED_TARGET inih)
target_link_libraries(darts_core PUBLIC PkgConfig::INIH)
