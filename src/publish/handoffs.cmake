# Shell hand-offs of the program, and the desktop shell that carries them out on Linux.
find_package(Threads REQUIRED)
add_library(tarvomen_publish_handoffs STATIC
  ${CMAKE_CURRENT_LIST_DIR}/handoffs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/desktop_shell.cpp
)
target_link_libraries(tarvomen_publish_handoffs PUBLIC tarvomen_store PRIVATE Threads::Threads)
