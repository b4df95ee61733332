target_sources(darts_content_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/sounds_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/award_sound_test.cpp)
# The content tests also regenerate both files in memory to prove the committed ones are current.
target_link_libraries(darts_content_tests PRIVATE sounds_content)
