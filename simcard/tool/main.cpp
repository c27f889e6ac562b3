// kova2-card: shows and changes the simulated card. "kova2-card help" lists the commands.
#include "simcard/tool/admin_tool.h"

#include <iostream>

int main(int argc, char** argv) {
    return simcard::RunAdminTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
