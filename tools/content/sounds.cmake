# The game's sound content. Rewrite sound/BOARDHIT.WAV, sound/FM_14.MID and sound/AWARD.WAV with
#
#     cmake --build build --target sounds
#
# and commit the result: the game and its tests read the committed files, never this generator.
add_library(sounds_content STATIC
  ${CMAKE_CURRENT_LIST_DIR}/sounds_award.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sounds_band.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sounds_bar_tune.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sounds_board_hit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sounds_drums.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sounds_dsp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sounds_harmony.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sounds_lead_sheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sounds_smf.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sounds_wav_writer.cpp
)
target_include_directories(sounds_content PUBLIC ${CMAKE_CURRENT_LIST_DIR})

add_executable(make-sounds ${CMAKE_CURRENT_LIST_DIR}/make_sounds.cpp)
target_link_libraries(make-sounds PRIVATE sounds_content)
add_custom_target(sounds
  COMMAND make-sounds ${CMAKE_SOURCE_DIR}/sound
  DEPENDS make-sounds
  COMMENT "Writing sound/BOARDHIT.WAV, sound/FM_14.MID and sound/AWARD.WAV")
