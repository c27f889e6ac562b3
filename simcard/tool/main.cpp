// kova2-card: shows and changes the simulated card. "kova2-card help" lists the commands.
#include "simcard/tool/admin_tool.h"

#include <iostream>

int main(int argc, char** argv) {
    try {
        return simcard::RunAdminTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "kova2-card: " << error.what() << '\n';
        return 1;
    }
}
