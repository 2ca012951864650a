# The skeletons shipped with the program, which the tests read as a new user would.
target_compile_definitions(wizard_tests PRIVATE VURO_SHIPPED_SKELETONS="${CMAKE_SOURCE_DIR}/resources/vuroskel.dat")
# F1 and the help buttons are checked against the recording help library the help tests
# build.
target_sources(wizard_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/helplib/FakeHelpLibrary.cpp)
target_compile_definitions(wizard_tests PRIVATE VURO_FAKE_HELP_DIR="${CMAKE_CURRENT_BINARY_DIR}/fakehelp")
add_dependencies(wizard_tests fakehelp_mode1)
target_link_libraries(wizard_tests PRIVATE ${CMAKE_DL_LIBS})
