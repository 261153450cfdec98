# Loopback preview server with live reload, and the shell layer that hands previews to it.
find_package(PkgConfig REQUIRED)
if(NOT TARGET PkgConfig::HTTPLIB)
  pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET GLOBAL cpp-httplib)
endif()

add_library(tarvomen_preview_server STATIC
  ${CMAKE_CURRENT_LIST_DIR}/preview_server.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preview_server_media_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/previewing_shell.cpp
)
target_link_libraries(tarvomen_preview_server PUBLIC tarvomen_store tarvomen_publish_handoffs
                                             PRIVATE PkgConfig::HTTPLIB)
