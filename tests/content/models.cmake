# The shipped models, and the pieces of their generator that need no painting library.
target_sources(darts_content_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/models_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/models_geometry_test.cpp
  ${PROJECT_SOURCE_DIR}/tools/content/models_mesh.cpp
  ${PROJECT_SOURCE_DIR}/tools/content/models_xwriter.cpp
)
target_include_directories(darts_content_tests PRIVATE ${PROJECT_SOURCE_DIR}/tools/content)
