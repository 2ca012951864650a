# The uninstaller's tests use its own logic library, not the editor's.
target_link_libraries(uninstall_tests PRIVATE uninstall_logic)
