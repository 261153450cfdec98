# The test of qt_free.cmake: fails, naming the links, when a core target's closure reaches Qt.
file(READ ${REPORT} links)
if(NOT links STREQUAL "")
  message(FATAL_ERROR "Core targets link Qt (only src/gui may):\n${links}")
endif()
