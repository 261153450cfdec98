// tarvomen-cli: the command line lives in the cli library, where the tests run it too.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.hpp"
#include "platform/font_list.hpp"

int main(int argc, char** argv) {
    tarvomen::FontconfigFontList fonts;
    return tarvomen::cli::runCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                         std::cerr, fonts);
}
