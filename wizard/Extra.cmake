# The skeletons a new user starts with. A build folder gets them once; the file beside
# the program is the user's own from then on and is never copied over. An installed
# program reads them as the starting content of the user's own store.
if(NOT EXISTS ${CMAKE_BINARY_DIR}/bin/vuroskel.dat)
  file(COPY ${CMAKE_SOURCE_DIR}/resources/vuroskel.dat DESTINATION ${CMAKE_BINARY_DIR}/bin)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/resources/vuroskel.dat DESTINATION ${VURO_INSTALL_DIR})
