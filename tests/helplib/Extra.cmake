# The help tests dlopen fresh copies of the real library, run nm on it, and bind fake
# help libraries (each in its own folder, named like the real one) that record calls or
# lack an entry.
if(TARGET helplib_tests)
  add_dependencies(helplib_tests vurohelp)
  set(VURO_FAKE_HELP_DIR ${CMAKE_CURRENT_BINARY_DIR}/fakehelp)
  # folder | help mode | further definitions, separated by commas
  set(VURO_FAKE_HELP_VARIANTS
    "mode0|0|"
    "mode1|1|"
    "noshow|0|FAKE_WITHOUT_SHOW_HELP"
    "nomode|0|FAKE_WITHOUT_IS_SUPPORT_CMH"
    "neither|0|FAKE_WITHOUT_SHOW_HELP,FAKE_WITHOUT_IS_SUPPORT_CMH")
  foreach(variant IN LISTS VURO_FAKE_HELP_VARIANTS)
    string(REPLACE "," ";" variant "${variant}")
    string(REPLACE "|" ";" parts "${variant}")
    list(GET parts 0 folder)
    list(GET parts 1 mode)
    list(SUBLIST parts 2 -1 extra)
    set(target fakehelp_${folder})
    add_library(${target} SHARED ${CMAKE_CURRENT_SOURCE_DIR}/helplib/fakes/FakeHelp.c)
    # Never beside the program: that is where the real library lives.
    set_target_properties(${target} PROPERTIES
      OUTPUT_NAME vurohelp
      LIBRARY_OUTPUT_DIRECTORY ${VURO_FAKE_HELP_DIR}/${folder}
      AUTOMOC OFF)
    target_compile_definitions(${target} PRIVATE FAKE_HELP_MODE=${mode} ${extra})
    add_dependencies(helplib_tests ${target})
  endforeach()
  target_compile_definitions(helplib_tests PRIVATE
    VURO_HELP_LIBRARY="$<TARGET_FILE:vurohelp>"
    VURO_BIN_DIR="$<TARGET_FILE_DIR:vurohelp>"
    VURO_FAKE_HELP_DIR="${VURO_FAKE_HELP_DIR}"
    VURO_HELP_SOURCE_DIR="${CMAKE_SOURCE_DIR}/helplib/help")
  target_link_libraries(helplib_tests PRIVATE ${CMAKE_DL_LIBS})
endif()
