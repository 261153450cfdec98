# init --demo: the demo shop, with the sample media and pictures of the source tree's assets
# folder (an installed program finds them in share/tarvomen/assets beside its bin folder).
list(APPEND TARVOMEN_CLI_SOURCES demo_shop.cpp)
set_property(SOURCE demo_shop.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             TARVOMEN_ASSETS_DIR="${PROJECT_SOURCE_DIR}/assets")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/ DESTINATION share/tarvomen/assets)
