tarvomen_add_test(preview_server_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/preview_server_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/preview_server_media_page_test.cpp
  LIBS tarvomen_preview_server PkgConfig::HTTPLIB)

# The serve command as a process: the test runs the built tarvomen-cli.
tarvomen_add_test(serve_command_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/serve_command_test.cpp
  LIBS tarvomen_preview_server PkgConfig::HTTPLIB)
target_compile_definitions(serve_command_tests PRIVATE TARVOMEN_CLI="$<TARGET_FILE:tarvomen-cli>")
add_dependencies(serve_command_tests tarvomen-cli)

# A click in the media pickers, played by a headless Chromium (skipped without one).
tarvomen_add_test(preview_server_browser_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/preview_server_browser_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/headless_chromium.cpp
  LIBS tarvomen_preview_server tarvomen_styles)
