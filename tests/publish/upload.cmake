# Publishing against a real FTP server on 127.0.0.1: tests/publish/ftp_server.py on Debian's
# python3-pyftpdlib, with certificates made by openssl.
add_library(tarvomen_upload_testsupport STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/ftp_test_server.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/upload_servers.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/upload_test_support.cpp)
target_include_directories(tarvomen_upload_testsupport PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(tarvomen_upload_testsupport PUBLIC tarvomen_upload tarvomen_testsupport)
target_compile_definitions(tarvomen_upload_testsupport
  PUBLIC TARVOMEN_FTP_SERVER_SCRIPT="${CMAKE_CURRENT_SOURCE_DIR}/ftp_server.py")

tarvomen_add_test(upload_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/upload_test.cpp
  LIBS tarvomen_upload_testsupport GTest::gmock)

# vsftpd and sshd, started as root (skipped otherwise) for a local test user.
tarvomen_add_test(upload_server_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/upload_servers_test.cpp
  LIBS tarvomen_upload_testsupport GTest::gmock
  RESOURCE_LOCK real_servers)

tarvomen_add_test(publish_command_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/publish_command_test.cpp
  LIBS tarvomen_upload_testsupport tarvomen_cli_commands GTest::gmock)

tarvomen_add_test(publish_window_model_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/publish_window_model_test.cpp
  LIBS tarvomen_upload_testsupport GTest::gmock)
