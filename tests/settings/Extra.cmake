# The settings tests check F1 in the sheet and the function-key dialog against the
# recording help library that the help tests build.
if(TARGET settings_tests)
  add_dependencies(settings_tests fakehelp_mode0)
  target_sources(settings_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/helplib/FakeHelpLibrary.cpp)
  target_compile_definitions(settings_tests PRIVATE VURO_FAKE_HELP_DIR="${CMAKE_CURRENT_BINARY_DIR}/fakehelp")
  target_link_libraries(settings_tests PRIVATE ${CMAKE_DL_LIBS})
endif()
