# init --demo: the demo shop, with the sample media and pictures of the data folder (found by
# platform/data_dir; installed by cmake/install.cmake).
list(APPEND TARVOMEN_CLI_SOURCES demo_shop.cpp)
