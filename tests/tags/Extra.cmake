# The tag tests load the real image plug-ins from the build's bin folder, and check F1 in
# the tag dialogs against the recording help library that the help tests build.
if(TARGET tags_tests)
  add_dependencies(tags_tests ifgif ifjpeg ifpng fakehelp_mode0)
  target_sources(tags_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/helplib/FakeHelpLibrary.cpp)
  target_compile_definitions(tags_tests PRIVATE
    VURO_PLUGIN_DIR="$<TARGET_FILE_DIR:ifgif>"
    VURO_FAKE_HELP_DIR="${CMAKE_CURRENT_BINARY_DIR}/fakehelp")
  target_link_libraries(tags_tests PRIVATE ${CMAKE_DL_LIBS})
endif()
